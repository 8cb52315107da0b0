// The self-initialising quadratic sieve for composites of up to 59 digits: relations
// (Ax + B)^2 - kN = A (A x^2 + 2 B x + C) whose right side splits over a factor base are
// collected by sieving, combined into squares by elimination over GF(2), and each square
// congruence X^2 = Y^2 (mod N) offers gcd(X - Y, N).
#include "number_theory/siqs.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

#include "number_theory/prime_kernels.h"
#include "stop_request.h"

namespace ntheory {
namespace {

using i128 = __int128;

struct SiqsSize {
    size_t digits;        // up to this many digits of kN
    uint32_t primes;      // size of the factor base
    uint32_t halfWidth;   // the sieve runs over -M .. M-1
};
constexpr SiqsSize kSiqsSizes[] = {{20, 60, 8192},    {25, 100, 16384},  {30, 200, 16384},
                                   {35, 300, 32768},  {40, 450, 32768},  {45, 700, 49152},
                                   {50, 1100, 65536}, {55, 1600, 65536}, {kSiqsMaxDigits + 1, 2200, 65536}};
constexpr uint32_t kSmallSieveCut = 40;  // primes below are left out of the sieve
constexpr size_t kExtraRelations = 24;

uint64_t mulMod(uint64_t a, uint64_t b, uint64_t m) { return uint64_t(u128(a) * b % m); }

uint64_t powMod(uint64_t a, uint64_t e, uint64_t m) {
    uint64_t r = 1 % m;
    for (a %= m; e; e >>= 1, a = mulMod(a, a, m))
        if (e & 1) r = mulMod(r, a, m);
    return r;
}

uint32_t invMod(uint64_t a, uint32_t p) { return uint32_t(powMod(a % p, p - 2, p)); }

// A square root of the quadratic residue a modulo the odd prime p (Tonelli-Shanks).
uint32_t sqrtMod(uint64_t a, uint32_t p) {
    a %= p;
    if (a == 0) return 0;
    if (p % 4 == 3) return uint32_t(powMod(a, (p + 1) / 4, p));
    uint64_t q = p - 1, s = 0;
    while (q % 2 == 0) q /= 2, s++;
    uint64_t z = 2;
    while (powMod(z, (p - 1) / 2, p) != p - 1) z++;
    uint64_t m = s, c = powMod(z, q, p), t = powMod(a, q, p), r = powMod(a, (q + 1) / 2, p);
    while (t != 1) {
        uint64_t i = 0, tt = t;
        while (tt != 1) tt = mulMod(tt, tt, p), i++;
        uint64_t b = c;
        for (uint64_t j = 0; j + i + 1 < m; j++) b = mulMod(b, b, p);
        m = i;
        c = mulMod(b, b, p);
        t = mulMod(t, c, p);
        r = mulMod(r, b, p);
    }
    return uint32_t(r);
}

nat::Nat fromU128(u128 v) {
    nat::Nat hi = nat::from_u64(uint64_t(v >> 64)), lo = nat::from_u64(uint64_t(v));
    return nat::add(nat::mul(hi, nat::add(nat::from_u64(~uint64_t(0)), nat::Nat{1})), lo);
}

// A signed value that fits 128 bits, from a Nat and a sign.
i128 toI128(const nat::Nat &a, bool negative) {
    Words w = toWords(a);
    u128 v = 0;
    for (size_t i = w.size(); i-- > 0;) v = v << 64 | w[i];
    return negative ? -i128(v) : i128(v);
}

// Knuth and Schroeppel's choice of a small multiplier k that makes kN rich in small
// quadratic residues.
uint32_t chooseMultiplier(const nat::Nat &n) {
    static const uint32_t candidates[] = {1, 3, 5, 7, 11, 13, 15, 17, 19, 21, 23, 29, 31, 33, 35, 37, 39, 41, 43};
    double best = -1e9;
    uint32_t bestK = 1;
    uint32_t n8 = modSmall(n, 8);
    for (uint32_t k : candidates) {
        uint32_t kn8 = (k * n8) % 8;
        double score = -0.5 * std::log(double(k));
        score += kn8 == 1 ? 2 * std::log(2.0) : kn8 == 5 ? std::log(2.0) : 0.5 * std::log(2.0);
        for (uint32_t p : smallPrimes()) {
            if (p == 2) continue;
            if (p > 2000) break;
            double lp = std::log(double(p));
            if (k % p == 0) score += lp / p;
            else if (jacobi((uint64_t(k) * modSmall(n, p)) % p, p) == 1) score += 2 * lp / (p - 1);
        }
        if (score > best) best = score, bestK = k;
    }
    return bestK;
}

struct Relation {
    i128 z;                          // A x + B, whose square is A v modulo kN
    bool negative;                   // the sign of v
    std::vector<uint32_t> factors;   // factor-base indices of A v, with repetition
};

struct Sieve {
    nat::Nat n, kn;
    std::vector<uint32_t> prime, root;  // factor base: p and a square root of kN mod p
    std::vector<uint8_t> logp;
    uint32_t halfWidth = 0;
    std::vector<Relation> relations;
    std::set<u128> seen;  // |z| of the relations
};

// Trial division of the sieve candidate at offset j of the polynomial (A, B, C).
void tryCandidate(Sieve &s, int64_t x, u128 A, i128 B, i128 C, const std::vector<uint32_t> &r1,
                  const std::vector<uint32_t> &r2, const std::vector<uint32_t> &aFactors,
                  const std::vector<uint8_t> &inA) {
    i128 v = i128(A) * x * x + 2 * B * x + C;
    Relation rel{i128(A) * x + B, v < 0, {}};
    u128 u = v < 0 ? u128(-v) : u128(v);
    if (u == 0) return;
    while ((u & 1) == 0) u >>= 1, rel.factors.push_back(0);
    uint64_t j = uint64_t(x + s.halfWidth);
    for (size_t i = 1; i < s.prime.size(); i++) {
        uint32_t p = s.prime[i];
        if (!inA[i] && p >= kSmallSieveCut) {
            uint64_t jp = j % p;
            if (jp != r1[i] && jp != r2[i]) continue;
        }
        while (u % p == 0) u /= p, rel.factors.push_back(uint32_t(i));
    }
    if (u != 1) return;
    // different polynomials can meet the same z, which would only repeat a relation
    if (!s.seen.insert(rel.z < 0 ? u128(-rel.z) : u128(rel.z)).second) return;
    for (uint32_t i : aFactors) rel.factors.push_back(i);
    s.relations.push_back(std::move(rel));
}

// Dependencies among the relations' exponent vectors modulo 2 (column 0 is the sign).
std::vector<std::vector<size_t>> dependencies(const Sieve &s) {
    size_t rows = s.relations.size(), cols = s.prime.size() + 1, cw = (cols + 63) / 64, hw = (rows + 63) / 64;
    std::vector<std::vector<uint64_t>> m(rows, std::vector<uint64_t>(cw, 0)), h(rows, std::vector<uint64_t>(hw, 0));
    for (size_t r = 0; r < rows; r++) {
        if (s.relations[r].negative) m[r][0] ^= 1;
        for (uint32_t i : s.relations[r].factors) m[r][(i + 1) / 64] ^= uint64_t(1) << ((i + 1) % 64);
        h[r][r / 64] |= uint64_t(1) << (r % 64);
    }
    std::vector<bool> used(rows, false);
    for (size_t c = 0; c < cols; c++) {
        size_t pivot = rows;
        for (size_t r = 0; r < rows && pivot == rows; r++)
            if (!used[r] && (m[r][c / 64] >> (c % 64) & 1)) pivot = r;
        if (pivot == rows) continue;
        used[pivot] = true;
        for (size_t r = 0; r < rows; r++)
            if (r != pivot && (m[r][c / 64] >> (c % 64) & 1)) {
                for (size_t w = 0; w < cw; w++) m[r][w] ^= m[pivot][w];
                for (size_t w = 0; w < hw; w++) h[r][w] ^= h[pivot][w];
            }
    }
    std::vector<std::vector<size_t>> out;
    for (size_t r = 0; r < rows; r++) {
        if (used[r]) continue;
        std::vector<size_t> set;
        for (size_t q = 0; q < rows; q++)
            if (h[r][q / 64] >> (q % 64) & 1) set.push_back(q);
        out.push_back(std::move(set));
    }
    return out;
}

nat::Nat mulModN(const nat::Nat &a, const nat::Nat &b, const nat::Nat &n) { return natMod(nat::mul(a, b), n); }

// gcd(X - Y, N) for each dependency.
nat::Nat combine(const Sieve &s) {
    for (const auto &set : dependencies(s)) {
        nat::Nat x{1}, y{1};
        std::vector<uint32_t> exponent(s.prime.size(), 0);
        for (size_t r : set) {
            const Relation &rel = s.relations[r];
            x = mulModN(x, natMod(fromU128(rel.z < 0 ? u128(-rel.z) : u128(rel.z)), s.n), s.n);
            for (uint32_t i : rel.factors) exponent[i]++;
        }
        for (size_t i = 0; i < exponent.size(); i++)
            for (uint32_t e = 0; e < exponent[i] / 2; e++) y = mulModN(y, nat::from_u64(s.prime[i]), s.n);
        nat::Nat d = nat::compare(x, y) >= 0 ? nat::sub(x, y) : nat::sub(y, x);
        nat::Nat g = nat::gcd(d, s.n);
        if (!nat::is_zero(g) && !(g.size() == 1 && g[0] == 1) && g != s.n) return g;
    }
    return {};
}

}  // namespace

nat::Nat siqs(const nat::Nat &n) {
    Sieve s;
    s.n = n;
    uint32_t k = chooseMultiplier(n);
    s.kn = nat::mul(n, nat::from_u64(k));
    size_t digits = nat::decimal_digits(s.kn);
    if (digits > kSiqsMaxDigits) return {};
    const SiqsSize *size = kSiqsSizes;
    while (size->digits < digits) size++;
    s.halfWidth = size->halfWidth;

    // the factor base: 2, then the odd primes p with kN a square modulo p
    s.prime.push_back(2);
    s.root.push_back(1);
    s.logp.push_back(1);
    for (uint32_t p : smallPrimes()) {
        if (s.prime.size() >= size->primes) break;
        if (p == 2) continue;
        uint32_t r = modSmall(s.kn, p);
        if (modSmall(n, p) == 0) return nat::from_u64(p);
        if (r != 0 && jacobi(r, p) != 1) continue;
        s.prime.push_back(p);
        s.root.push_back(sqrtMod(r, p));
        s.logp.push_back(uint8_t(std::lround(std::log2(double(p)))));
    }
    const size_t fb = s.prime.size();
    if (fb < 20 || s.prime.back() < 200) return {};

    // A near sqrt(2 kN)/M as a product of primes from the upper part of the factor base
    double logTarget = 0.5 * (std::log(2.0) + double(digits - 1) * std::log(10.0) +
                              std::log(std::stod(nat::to_decimal(s.kn).substr(0, 15)) / 1e14)) -
                       std::log(double(s.halfWidth));
    // count primes of about the count-th root of the target: at least three, so that
    // many distinct A (and 2^(count-1) polynomials each) exist
    size_t count = size_t(std::max(3.0, std::round(logTarget / std::log(double(s.prime.back()) / 2))));
    if (count > 12) return {};
    double rootSize = std::exp(logTarget / double(count));
    size_t lo = 1, hi = fb;
    while (lo < fb && s.prime[lo] < rootSize / 2) lo++;
    while (hi > lo && s.prime[hi - 1] > rootSize * 2) hi--;
    if (hi < lo + count + 4) return {};
    double sqrtKn = logTarget + std::log(double(s.halfWidth));  // log sqrt(2 kN)
    // a value passes when its sieved logarithms reach that of the largest values less
    // about two logarithms of the largest factor-base prime (the primes left out of the
    // sieve and the prime powers make up the rest)
    constexpr double fudge = 1.9;
    uint8_t threshold =
        uint8_t(std::clamp((sqrtKn + std::log(double(s.halfWidth))) / std::log(2.0) - 1 -
                               fudge * std::log2(double(s.prime.back())), 1.0, 120.0));

    SmallRandom rng{0x51455153};
    std::vector<uint8_t> sieve(2 * size_t(s.halfWidth));
    std::vector<uint32_t> r1(fb), r2(fb), ainv(fb);
    const size_t wanted = fb + 1 + kExtraRelations;
    std::vector<u128> usedA;
    for (int attempt = 0; attempt < 2000 && s.relations.size() < wanted; attempt++) {
        // choose A
        std::vector<uint32_t> aIdx;
        double logA = 0;
        for (size_t tries = 0; aIdx.size() + 1 < count && tries < 1000; tries++) {
            uint32_t i = uint32_t(lo + rng.next() % (hi - lo));
            if (std::find(aIdx.begin(), aIdx.end(), i) != aIdx.end()) continue;
            aIdx.push_back(i);
            logA += std::log(double(s.prime[i]));
        }
        double want = std::exp(logTarget - logA);
        size_t last = lo;
        for (size_t i = 1; i < fb; i++)
            if (std::find(aIdx.begin(), aIdx.end(), i) == aIdx.end() && s.prime[i] > 2 && s.root[i] != 0 &&
                std::abs(std::log(double(s.prime[i]) / want)) < std::abs(std::log(double(s.prime[last]) / want)))
                last = i;
        if (std::find(aIdx.begin(), aIdx.end(), last) != aIdx.end() || s.root[last] == 0) continue;
        aIdx.push_back(uint32_t(last));
        bool zeroRoot = false;
        u128 A = 1;
        for (uint32_t i : aIdx) {
            A *= s.prime[i];
            zeroRoot = zeroRoot || s.root[i] == 0;
        }
        // an A far from the target would make the values large (and past 128 bits)
        logA += std::log(double(s.prime[last]));
        if (zeroRoot || std::abs(logA - logTarget) > 2.5 || std::find(usedA.begin(), usedA.end(), A) != usedA.end())
            continue;
        usedA.push_back(A);
        // B_l = (A/q_l) * (t_l (A/q_l)^-1 mod q_l), so that B = sum of +-B_l has B^2 = kN (mod A)
        std::vector<u128> Bl;
        for (uint32_t i : aIdx) {
            uint32_t q = s.prime[i];
            u128 rest = A / q;
            uint64_t g = mulMod(s.root[i], invMod(uint64_t(rest % q), q), q);
            if (g > q / 2) g = q - g;
            Bl.push_back(rest * g);
        }
        std::vector<uint8_t> inA(fb, 0);
        for (uint32_t i : aIdx) inA[i] = 1;
        for (size_t i = 0; i < fb; i++) ainv[i] = inA[i] || s.prime[i] == 2 ? 0 : invMod(uint64_t(A % s.prime[i]), s.prime[i]);
        for (uint32_t signs = 0; signs < (1u << (count - 1)) && s.relations.size() < wanted; signs++) {
            i128 B = 0;
            engineStopPoint();  // a sieve pass a polynomial
            for (size_t l = 0; l < count; l++) B += (l + 1 < count && (signs >> l & 1)) ? -i128(Bl[l]) : i128(Bl[l]);
            // C = (B^2 - kN)/A
            nat::Nat b2 = fromU128(u128(B < 0 ? -B : B));
            b2 = nat::mul(b2, b2);
            bool negative = nat::compare(b2, s.kn) < 0;
            nat::Nat diff = negative ? nat::sub(s.kn, b2) : nat::sub(b2, s.kn), q, rem;
            nat::divmod(diff, fromU128(A), q, rem);
            if (!nat::is_zero(rem)) continue;
            i128 C = toI128(q, negative);
            // bytes start at 128 - threshold: a byte reaches 128 when its sum reaches the threshold
            std::fill(sieve.begin(), sieve.end(), uint8_t(128 - threshold));
            for (size_t i = 1; i < fb; i++) {
                uint32_t p = s.prime[i];
                if (ainv[i] == 0) continue;
                int64_t bm = int64_t(B % i128(p));
                if (bm < 0) bm += p;
                uint64_t shift = s.halfWidth % p;
                r1[i] = uint32_t((mulMod(ainv[i], (s.root[i] + p - uint64_t(bm)) % p, p) + shift) % p);
                r2[i] = uint32_t((mulMod(ainv[i], (2 * uint64_t(p) - s.root[i] - uint64_t(bm)) % p, p) + shift) % p);
                if (p < kSmallSieveCut) continue;
                uint8_t l = s.logp[i];
                for (size_t j = r1[i]; j < sieve.size(); j += p) sieve[j] += l;
                if (r2[i] != r1[i])
                    for (size_t j = r2[i]; j < sieve.size(); j += p) sieve[j] += l;
            }
            for (size_t w = 0; w < sieve.size(); w += 8) {
                uint64_t word;
                std::memcpy(&word, &sieve[w], 8);
                if (!(word & 0x8080808080808080ull)) continue;
                for (size_t j = w; j < w + 8; j++)
                    if (sieve[j] & 0x80) tryCandidate(s, int64_t(j) - int64_t(s.halfWidth), A, B, C, r1, r2, aIdx, inA);
            }
        }
    }
    if (s.relations.size() < wanted) return {};
    return combine(s);
}

}  // namespace ntheory
