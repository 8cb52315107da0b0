// The self-initialising quadratic sieve for composites of up to 59 digits: relations
// (Ax + B)^2 - kN = A (A x^2 + 2 B x + C) whose right side splits over a factor base are
// collected by sieving, combined into squares by elimination over GF(2), and each square
// congruence X^2 = Y^2 (mod N) offers gcd(X - Y, N).
#include "number_theory/siqs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <set>
#include <tuple>
#include <unordered_map>

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
constexpr SiqsSize kSiqsSizes[] = {{22, 60, 8192},     {27, 100, 8192},   {33, 150, 8192},
                                   {37, 300, 16384},   {42, 600, 32768},  {45, 700, 49152},
                                   {50, 1100, 65536},  {55, 1600, 65536}, {kSiqsMaxDigits + 1, 2200, 65536}};
constexpr uint32_t kSmallSieveCut = 40;  // primes below are left out of the sieve
constexpr size_t kExtraRelations = 24;
constexpr double kAPrimeSize = 2000;
// a value whose rest after the factor base is a prime below this many times its largest
// prime is kept until a second one with the same prime turns up
constexpr uint64_t kLargePrimeFactor = 64;

// The moduli here are factor-base primes (below 2^16), so products fit a word.
uint64_t mulMod(uint64_t a, uint64_t b, uint64_t m) { return a * b % m; }

uint64_t powMod(uint64_t a, uint64_t e, uint64_t m) {
    uint64_t r = 1 % m;
    for (a %= m; e; e >>= 1, a = mulMod(a, a, m))
        if (e & 1) r = mulMod(r, a, m);
    return r;
}

// v mod p by three 64-bit remainders (a 128-bit remainder is a slow library call).
uint32_t mod128(u128 v, uint32_t p) {
    uint64_t r = uint64_t(v >> 64) % p;
    r = (r << 32 | (uint64_t(v) >> 32)) % p;
    return uint32_t((r << 32 | (uint64_t(v) & 0xffffffff)) % p);
}

uint32_t modSigned(i128 v, uint32_t p) {
    uint32_t r = mod128(v < 0 ? u128(-v) : u128(v), p);
    return v < 0 && r ? p - r : r;
}

// a^-1 mod p by the extended Euclidean algorithm; a is prime to p.
uint32_t invMod(uint64_t a, uint32_t p) {
    int64_t r0 = int64_t(p), r1 = int64_t(a % p), t0 = 0, t1 = 1;
    while (r1 != 0) {
        int64_t q = r0 / r1;
        std::tie(r0, r1) = std::pair(r1, r0 - q * r1);
        std::tie(t0, t1) = std::pair(t1, t0 - q * t1);
    }
    return uint32_t(t0 < 0 ? t0 + int64_t(p) : t0);
}

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

// A signed value that fits 128 bits, from a Nat and a sign.
i128 toI128(const nat::Nat &a, bool negative) {
    Words w = toWords(a);
    u128 v = 0;
    for (size_t i = w.size(); i-- > 0;) v = v << 64 | w[i];
    return negative ? -i128(v) : i128(v);
}

// Knuth and Schroeppel's choice of a small multiplier k that makes kN rich in small
// quadratic residues. (kN/p) = (k/p)(N/p): N mod p is taken once per prime, and (k/p) comes
// from (p mod k / k) by reciprocity, both odd.
uint32_t chooseMultiplier(const nat::Nat &n) {
    static constexpr uint32_t candidates[] = {1,  3,  5,  7,  11, 13, 15, 17, 19, 21,
                                              23, 29, 31, 33, 35, 37, 39, 41, 43};
    constexpr size_t kCount = std::size(candidates);
    // symbol[c][r] = (r / candidates[c]) for r < candidates[c]
    static const auto symbol = [] {
        std::array<std::array<int8_t, 43>, kCount> t{};
        for (size_t c = 0; c < kCount; c++)
            for (uint32_t r = 0; r < candidates[c]; r++) t[c][r] = int8_t(jacobi(r, candidates[c]));
        return t;
    }();
    std::array<double, kCount> score;
    uint32_t n8 = modSmall(n, 8);
    for (size_t c = 0; c < kCount; c++) {
        uint32_t kn8 = (candidates[c] * n8) % 8;
        score[c] = -0.5 * std::log(double(candidates[c])) +
                   (kn8 == 1 ? 2 * std::log(2.0) : kn8 == 5 ? std::log(2.0) : 0.5 * std::log(2.0));
    }
    for (uint32_t p : smallPrimes()) {
        if (p == 2) continue;
        if (p > 2000) break;
        double lp = std::log(double(p));
        int np = jacobi(modSmall(n, p), p);
        for (size_t c = 0; c < kCount; c++) {
            uint32_t k = candidates[c];
            if (k % p == 0) {
                score[c] += lp / p;
                continue;
            }
            int kp = symbol[c][p % k] * (k % 4 == 3 && p % 4 == 3 ? -1 : 1);
            if (kp * np == 1) score[c] += 2 * lp / (p - 1);
        }
    }
    return candidates[std::max_element(score.begin(), score.end()) - score.begin()];
}

struct Relation {
    std::vector<i128> z;            // A x + B, one or (a pair that shares a large prime) two
    bool negative;                  // the sign of the product of the values v
    std::vector<uint32_t> factors;  // factor-base indices of the product of the A v, with repetition
    uint64_t large = 1;             // a pair's shared prime beyond the factor base (squared there)
};

struct Sieve {
    nat::Nat n, kn;
    std::vector<uint32_t> prime, root;  // factor base: p and a square root of kN mod p
    std::vector<uint8_t> logp;
    std::vector<uint64_t> reciprocal;  // ceil(2^40 / p): j / p = j * this >> 40 for j < 2^17
    uint32_t halfWidth = 0;
    uint64_t largeBound = 0;  // a cofactor below this is a prime beyond the factor base
    std::vector<Relation> relations;
    std::unordered_map<uint64_t, Relation> partials;  // by large prime, waiting for a partner
    std::set<u128> seen;                              // |z| of the relations and partials
};

// The polynomial A x^2 + 2 B x + C of the current sieve pass and its roots modulo each
// factor-base prime (offsets into the sieve, which starts at x = -M).
struct Polynomial {
    u128 A;
    i128 B, C;
    const std::vector<uint32_t> *r1, *r2, *aFactors;
    const std::vector<uint8_t> *inA;
};

// Removes every factor p from u, recording its index.
void divideOut(u128 &u, uint32_t p, uint32_t index, std::vector<uint32_t> &factors) {
    while (u >> 64) {
        if (mod128(u, p)) return;
        u /= p;
        factors.push_back(index);
    }
    uint64_t w = uint64_t(u);
    while (w % p == 0) w /= p, factors.push_back(index);
    u = w;
}

// Trial division of the sieve candidate at offset x of the polynomial: a full relation, or a
// partial one whose cofactor is a prime below the large-prime bound.
void tryCandidate(Sieve &s, int64_t x, const Polynomial &poly) {
    i128 v = i128(poly.A) * x * x + 2 * poly.B * x + poly.C;
    Relation rel{{i128(poly.A) * x + poly.B}, v < 0, {}};
    rel.factors.reserve(24);
    u128 u = v < 0 ? u128(-v) : u128(v);
    if (u == 0) return;
    while ((u & 1) == 0) u >>= 1, rel.factors.push_back(0);
    uint32_t j = uint32_t(x + s.halfWidth);
    const auto &r1 = *poly.r1, &r2 = *poly.r2;
    const auto &inA = *poly.inA;
    for (size_t i = 1; i < s.prime.size(); i++) {
        uint32_t p = s.prime[i];
        if (!inA[i] && p >= kSmallSieveCut) {
            uint32_t jp = j - p * uint32_t(uint64_t(j) * s.reciprocal[i] >> 40);
            if (jp != r1[i] && jp != r2[i]) continue;
        }
        divideOut(u, p, uint32_t(i), rel.factors);
    }
    if (u >= s.largeBound) return;
    // different polynomials can meet the same z, which would only repeat a relation
    i128 z = rel.z[0];
    if (!s.seen.insert(z < 0 ? u128(-z) : u128(z)).second) return;
    for (uint32_t i : *poly.aFactors) rel.factors.push_back(i);
    if (u == 1) {
        s.relations.push_back(std::move(rel));
        return;
    }
    auto [it, fresh] = s.partials.try_emplace(uint64_t(u), std::move(rel));
    if (fresh) return;
    // two values with the same large prime: their product has it squared
    Relation pair = it->second;
    s.partials.erase(it);
    pair.z.push_back(z);
    pair.negative = pair.negative != (v < 0);
    pair.factors.insert(pair.factors.end(), rel.factors.begin(), rel.factors.end());
    pair.large = uint64_t(u);
    s.relations.push_back(std::move(pair));
}

// Dependencies among the relations' exponent vectors modulo 2 (column 0 is the sign). A
// relation alone in a column is in no dependency: such relations go first, again and again,
// and the rest is eliminated on packed rows that carry, beside the exponents, the set of
// relations each row is the sum of.
std::vector<std::vector<size_t>> dependencies(const Sieve &s) {
    size_t total = s.relations.size(), allCols = s.prime.size() + 1;
    std::vector<std::vector<uint32_t>> odd(total);  // the columns of odd exponent
    std::vector<uint32_t> weight(allCols, 0);
    for (size_t r = 0; r < total; r++) {
        std::vector<uint32_t> c;
        if (s.relations[r].negative) c.push_back(0);
        for (uint32_t i : s.relations[r].factors) c.push_back(i + 1);
        std::sort(c.begin(), c.end());
        for (size_t a = 0; a < c.size();) {
            size_t b = a;
            while (b < c.size() && c[b] == c[a]) b++;
            if ((b - a) % 2) odd[r].push_back(c[a]);
            a = b;
        }
        for (uint32_t col : odd[r]) weight[col]++;
    }
    std::vector<bool> alive(total, true);
    for (bool changed = true; changed;) {
        changed = false;
        for (size_t r = 0; r < total; r++)
            if (alive[r] && std::any_of(odd[r].begin(), odd[r].end(), [&](uint32_t c) { return weight[c] == 1; })) {
                alive[r] = false;
                changed = true;
                for (uint32_t c : odd[r]) weight[c]--;
            }
    }
    std::vector<size_t> keep;  // the relations left, by their index
    for (size_t r = 0; r < total; r++)
        if (alive[r]) keep.push_back(r);
    std::vector<uint32_t> column(allCols, 0);
    size_t cols = 0;
    for (size_t c = 0; c < allCols; c++)
        if (weight[c]) column[c] = uint32_t(cols++);
    size_t rows = keep.size(), cw = (cols + 63) / 64, hw = (rows + 63) / 64, width = cw + hw;
    std::vector<uint64_t> m(rows * width, 0);
    auto row = [&](size_t r) { return m.data() + r * width; };
    for (size_t r = 0; r < rows; r++) {
        uint64_t *w = row(r);
        for (uint32_t c : odd[keep[r]]) w[column[c] / 64] ^= uint64_t(1) << (column[c] % 64);
        w[cw + r / 64] |= uint64_t(1) << (r % 64);
    }
    // Each row in turn is reduced by the pivot rows before it, lowest column first (a pivot
    // row has no column below its own); a row that vanishes is a dependency.
    std::vector<std::vector<size_t>> out;
    std::vector<size_t> pivotOf(cols, rows);
    for (size_t r = 0; r < rows; r++) {
        uint64_t *w = row(r);
        for (size_t word = 0;;) {
            while (word < cw && w[word] == 0) word++;
            if (word == cw) {
                std::vector<size_t> set;
                for (size_t q = 0; q < rows; q++)
                    if (w[cw + q / 64] >> (q % 64) & 1) set.push_back(keep[q]);
                out.push_back(std::move(set));
                break;
            }
            size_t c = 64 * word + size_t(__builtin_ctzll(w[word]));
            if (pivotOf[c] == rows) {
                pivotOf[c] = r;
                break;
            }
            const uint64_t *p = row(pivotOf[c]);
            for (size_t k = word; k < width; k++) w[k] ^= p[k];
        }
    }
    return out;
}

nat::Nat fromU128(u128 v) { return fromWords(Words{uint64_t(v), uint64_t(v >> 64)}); }

// gcd(X - Y, N) for each dependency: X the product of the z, Y the root of the product of
// the A v, from their factors; both modulo N on words.
nat::Nat combine(const Sieve &s) {
    auto deps = dependencies(s);
    return withMontgomery(toWords(s.n), [&](const auto &m) -> nat::Nat {
        for (const auto &set : deps) {
            auto x = m.one(), y = m.one();
            std::vector<uint32_t> exponent(s.prime.size(), 0);
            for (size_t r : set) {
                const Relation &rel = s.relations[r];
                for (i128 z : rel.z) {
                    u128 a = z < 0 ? u128(-z) : u128(z);
                    x = m.mul(x, m.from(Words{uint64_t(a), uint64_t(a >> 64)}));
                }
                if (rel.large != 1) y = m.mul(y, m.from(rel.large));
                for (uint32_t i : rel.factors) exponent[i]++;
            }
            // primes below 2^16 gathered into words
            uint64_t group = 1;
            for (size_t i = 0; i < exponent.size(); i++)
                for (uint32_t e = 0; e < exponent[i] / 2; e++) {
                    if (group >> 48) y = m.mul(y, m.from(group)), group = 1;
                    group *= s.prime[i];
                }
            y = m.mul(y, m.from(group));
            nat::Nat X = fromWords(m.value(x)), Y = fromWords(m.value(y));
            nat::Nat d = nat::compare(X, Y) >= 0 ? nat::sub(X, Y) : nat::sub(Y, X);
            nat::Nat g = nat::gcd(d, s.n);
            if (!nat::is_zero(g) && !(g.size() == 1 && g[0] == 1) && g != s.n) return g;
        }
        return {};
    });
}

// C = (B^2 - kN)/A, on words when kN (given as knSmall) is below 2^126; false when it does
// not fit 128 bits.
bool quotientC(const nat::Nat &kn, const u128 *knSmall, u128 A, i128 B, i128 &C) {
    u128 b = u128(B < 0 ? -B : B);
    if (knSmall && b >> 63 == 0) {
        u128 b2 = b * b;
        C = b2 >= *knSmall ? i128((b2 - *knSmall) / A) : -i128((*knSmall - b2) / A);
        return true;
    }
    nat::Nat b2 = fromU128(b);
    b2 = nat::mul(b2, b2);
    bool negative = nat::compare(b2, kn) < 0;
    nat::Nat diff = negative ? nat::sub(kn, b2) : nat::sub(b2, kn), q, rem;
    nat::divmod(diff, fromU128(A), q, rem);
    if (nat::decimal_digits(q) > 38) return false;
    C = toI128(q, negative);
    return true;
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
    for (uint32_t p : s.prime) s.reciprocal.push_back(((uint64_t(1) << 40) + p - 1) / p);
    if (fb < 20 || s.prime.back() < 200) return {};

    // A near sqrt(2 kN)/M as a product of primes from the upper part of the factor base
    double logTarget = 0.5 * (std::log(2.0) + double(digits - 1) * std::log(10.0) +
                              std::log(std::stod(nat::to_decimal(s.kn).substr(0, 15)) / 1e14)) -
                       std::log(double(s.halfWidth));
    // count primes of about the count-th root of the target: at least three, so that
    // many distinct A (and 2^(count-1) polynomials each) exist, and primes of about
    // kAPrimeSize at most, so that each A serves many polynomials
    size_t count = size_t(std::max(3.0, std::round(logTarget / std::log(std::min(kAPrimeSize, double(s.prime.back()) / 2)))));
    if (count > 12) return {};
    double rootSize = std::exp(logTarget / double(count));
    size_t lo = 1, hi = fb;
    while (lo < fb && s.prime[lo] < rootSize / 2) lo++;
    while (hi > lo && s.prime[hi - 1] > rootSize * 2) hi--;
    // a small factor base may hold too few primes of that size: take neighbours
    while (hi < lo + count + 4 && (lo > 1 || hi < fb)) {
        if (lo > 1) lo--;
        if (hi < fb) hi++;
    }
    if (hi < lo + count + 4) return {};
    double sqrtKn = logTarget + std::log(double(s.halfWidth));  // log sqrt(2 kN)
    // a value passes when its sieved logarithms reach that of the largest values less
    // about two logarithms of the largest factor-base prime (the primes left out of the
    // sieve and the prime powers make up the rest)
    constexpr double fudge = 1.9;
    uint8_t threshold =
        uint8_t(std::clamp((sqrtKn + std::log(double(s.halfWidth))) / std::log(2.0) - 1 -
                               fudge * std::log2(double(s.prime.back())), 1.0, 120.0));

    s.largeBound = uint64_t(s.prime.back()) * kLargePrimeFactor;
    Words knWords = toWords(s.kn);
    u128 knValue = knWords.size() == 1 ? knWords[0] : knWords.size() == 2 ? u128(knWords[1]) << 64 | knWords[0] : 0;
    const u128 *knSmall = bitLength(knWords) <= 126 ? &knValue : nullptr;

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
            uint64_t g = mulMod(s.root[i], invMod(mod128(rest, q), q), q);
            if (g > q / 2) g = q - g;
            Bl.push_back(rest * g);
        }
        std::vector<uint8_t> inA(fb, 0);
        for (uint32_t i : aIdx) inA[i] = 1;
        // The first polynomial takes every B_l positive; each next one changes the sign of
        // one B_l (a Gray code), which moves every root by 2 B_l / A modulo p.
        std::vector<std::vector<uint32_t>> step(count - 1, std::vector<uint32_t>(fb, 0));
        i128 B = 0;
        for (u128 b : Bl) B += i128(b);
        for (size_t i = 1; i < fb; i++) {
            uint32_t p = s.prime[i];
            if (inA[i]) continue;
            ainv[i] = invMod(mod128(A, p), p);
            for (size_t l = 0; l + 1 < count; l++) step[l][i] = uint32_t(mulMod(2 * uint64_t(mod128(Bl[l], p)), ainv[i], p));
            uint64_t bm = modSigned(B, p), shift = s.halfWidth % p;
            r1[i] = uint32_t((mulMod(ainv[i], (s.root[i] + p - bm) % p, p) + shift) % p);
            r2[i] = uint32_t((mulMod(ainv[i], (2 * uint64_t(p) - s.root[i] - bm) % p, p) + shift) % p);
        }
        std::vector<bool> minus(count, false);
        for (uint32_t index = 0; index < (1u << (count - 1)) && s.relations.size() < wanted; index++) {
            engineStopPoint();  // a sieve pass a polynomial
            if (index > 0) {
                size_t l = size_t(__builtin_ctz(index));
                minus[l] = !minus[l];
                B += minus[l] ? -2 * i128(Bl[l]) : 2 * i128(Bl[l]);
                for (size_t i = 1; i < fb; i++) {
                    if (inA[i]) continue;
                    uint32_t p = s.prime[i], d = minus[l] ? step[l][i] : p - step[l][i];
                    // B grew by -d/ainv: the roots grow by d
                    r1[i] = r1[i] + d >= p ? r1[i] + d - p : r1[i] + d;
                    r2[i] = r2[i] + d >= p ? r2[i] + d - p : r2[i] + d;
                }
            }
            i128 C;
            if (!quotientC(s.kn, knSmall, A, B, C)) continue;
            // bytes start at 128 - threshold: a byte reaches 128 when its sum reaches the threshold
            std::fill(sieve.begin(), sieve.end(), uint8_t(128 - threshold));
            for (size_t i = 1; i < fb; i++) {
                uint32_t p = s.prime[i];
                if (inA[i] || p < kSmallSieveCut) continue;
                uint8_t l = s.logp[i], *at = sieve.data();
                size_t a = std::min(r1[i], r2[i]), b = std::max(r1[i], r2[i]), len = sieve.size();
                if (a == b) {
                    for (; a < len; a += p) at[a] += l;
                    continue;
                }
                for (; b < len; a += p, b += p) at[a] += l, at[b] += l;
                if (a < len) at[a] += l;
            }
            Polynomial poly{A, B, C, &r1, &r2, &aIdx, &inA};
            for (size_t w = 0; w < sieve.size(); w += 8) {
                uint64_t word;
                std::memcpy(&word, &sieve[w], 8);
                if (!(word & 0x8080808080808080ull)) continue;
                for (size_t j = w; j < w + 8; j++)
                    if (sieve[j] & 0x80) tryCandidate(s, int64_t(j) - int64_t(s.halfWidth), poly);
            }
        }
    }
    if (s.relations.size() < wanted) return {};
    return combine(s);
}

}  // namespace ntheory
