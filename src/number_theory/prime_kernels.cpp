// Primality of machine words and limb numbers: trial division by small primes, strong
// probable-prime tests in Montgomery arithmetic, and the strong Lucas test of Baillie-PSW.
#include "number_theory/prime_kernels.h"

#include <cstdlib>

#include "number_theory/word_factor.h"

namespace ntheory {

// ---- words ----

Words toWords(const nat::Nat &a) {
    Words w;
    for (size_t i = a.size(); i-- > 0;) {  // w = w * 10^9 + limb, from the top limb down
        if (w.size() >= 256) engineStopPoint();  // quadratic: seconds for a million digits
        u64 carry = a[i];
        for (auto &x : w) {
            u128 s = u128(x) * nat::BASE + carry;
            x = u64(s);
            carry = u64(s >> 64);
        }
        if (carry) w.push_back(carry);
    }
    return w;
}

nat::Nat fromWords(const Words &w) {
    nat::Nat a;
    for (size_t i = w.size(); i-- > 0;)
        for (int part = 3; part >= 0; part--) {  // four 16-bit pieces a word
            nat::mul_small(a, 1u << 16);
            nat::add_small(a, nat::Limb(w[i] >> (16 * part) & 0xffff));
        }
    return a;
}

size_t bitLength(const Words &w) {
    if (w.empty()) return 0;
    return 64 * (w.size() - 1) + 64 - size_t(__builtin_clzll(w.back()));
}

Words shiftRight(const Words &w, size_t bits) {
    size_t words = bits / 64, s = bits % 64;
    Words r;
    for (size_t i = words; i < w.size(); i++) {
        u64 lo = w[i] >> s;
        u64 hi = s && i + 1 < w.size() ? w[i + 1] << (64 - s) : 0;
        r.push_back(lo | hi);
    }
    while (!r.empty() && r.back() == 0) r.pop_back();
    return r;
}

Words addOne(Words w) {
    for (auto &x : w)
        if (++x != 0) return w;
    w.push_back(1);
    return w;
}

// ---- small primes ----

const std::vector<uint32_t> &smallPrimes() {
    static const std::vector<uint32_t> table = [] {
        std::vector<bool> composite(kSmallPrimeBound, false);
        std::vector<uint32_t> p;
        for (uint32_t i = 2; i < kSmallPrimeBound; i++) {
            if (composite[i]) continue;
            p.push_back(i);
            for (uint64_t j = uint64_t(i) * i; j < kSmallPrimeBound; j += i) composite[j] = true;
        }
        return p;
    }();
    return table;
}

void modSmallMany(const nat::Nat &a, const uint32_t *d, size_t count, uint32_t *out) {
    // r * BASE + limb stays below 2^53, exact in a double: the quotient from the reciprocal
    // is off by at most one, which the signed rest corrects. The moduli's chains are
    // independent, so their latencies overlap.
    double inverse[kModSmallMany];
    int64_t r[kModSmallMany];
    for (size_t j = 0; j < count; j++) inverse[j] = 1.0 / double(d[j]), r[j] = 0;
    for (size_t i = a.size(); i-- > 0;)
        for (size_t j = 0; j < count; j++) {
            int64_t x = r[j] * int64_t(nat::BASE) + int64_t(a[i]), m = int64_t(d[j]);
            int64_t rest = x - int64_t(double(x) * inverse[j]) * m;
            rest += rest < 0 ? m : 0;
            rest -= rest >= m ? m : 0;
            r[j] = rest;
        }
    for (size_t j = 0; j < count; j++) out[j] = uint32_t(r[j]);
}

uint32_t modSmall(const nat::Nat &a, uint32_t d) {
    if (d < kModSmallManyBound) {
        uint32_t r;
        modSmallMany(a, &d, 1, &r);
        return r;
    }
    u64 r = 0;
    for (size_t i = a.size(); i-- > 0;) r = (r * nat::BASE + a[i]) % d;
    return uint32_t(r);
}

nat::Nat natMod(const nat::Nat &a, const nat::Nat &n) {
    if (nat::compare(a, n) < 0) return a;
    nat::Nat q, r;
    nat::divmod(a, n, q, r);
    return r;
}

uint32_t smallFactor(const nat::Nat &n, uint32_t bound) {
    // One pass over the limbs for up to kModSmallMany groups of primes, each group's product
    // below the bound of the fast remainders.
    const auto &primes = smallPrimes();
    size_t i = 0;
    while (i < primes.size() && primes[i] < bound) {
        uint32_t product[kModSmallMany], rest[kModSmallMany];
        size_t end[kModSmallMany], groups = 0, j = i;
        for (; groups < kModSmallMany && j < primes.size() && primes[j] < bound; groups++) {
            u64 p = 1;
            while (j < primes.size() && primes[j] < bound && p * primes[j] < kModSmallManyBound) p *= primes[j++];
            product[groups] = uint32_t(p);
            end[groups] = j;
        }
        modSmallMany(n, product, groups, rest);
        for (size_t g = 0; g < groups; g++)
            for (; i < end[g]; i++)
                if (rest[g] % primes[i] == 0 && !(n.size() == 1 && n[0] == primes[i])) return primes[i];
    }
    return 0;
}

// The binary algorithm: no division after the first, only shifts and subtractions.
int jacobi(u64 a, u64 m) {
    a %= m;
    int t = 1;
    bool twoIsMinus = m % 8 == 3 || m % 8 == 5;
    while (a != 0) {
        int zeros = __builtin_ctzll(a);
        a >>= zeros;
        if (zeros % 2 && twoIsMinus) t = -t;
        if (a < m) {  // reciprocity for the odd a and m
            std::swap(a, m);
            if (a % 4 == 3 && m % 4 == 3) t = -t;
            twoIsMinus = m % 8 == 3 || m % 8 == 5;
        }
        a -= m;
    }
    return m == 1 ? t : 0;
}

bool isPerfectSquare(const nat::Nat &n) {
    nat::Nat r = nat::root(n, 2);
    return nat::sqr(r) == n;
}

// ---- strong tests in Montgomery arithmetic ----

namespace {

// The strong probable-prime test to base a (a Montgomery residue) of the odd n.
template <class M> bool strongTest(const M &m, const typename M::Res &a, const Words &n) {
    size_t s = 1;
    while (!testBit(n, s)) s++;
    Words d = shiftRight(n, s);  // n - 1 = d 2^s (n is odd: bit 0 is the only one cleared)
    auto minusOne = m.sub(m.zero(), m.one());
    auto x = m.pow(a, d);
    if (M::equal(x, m.one()) || M::equal(x, minusOne)) return true;
    for (size_t i = 1; i < s; i++) {
        x = m.sqr(x);
        if (M::equal(x, minusOne)) return true;
        if (M::equal(x, m.one())) return false;
    }
    return false;
}

template <class M> typename M::Res smallSigned(const M &m, int64_t v) {
    auto r = m.from(u64(v < 0 ? -v : v));
    return v < 0 ? m.sub(m.zero(), r) : r;
}

// The strong Lucas test with Selfridge's parameters: D the first of 5, -7, 9, -11, ...
// with (D/n) = -1, P = 1, Q = (1 - D)/4. n is odd, not a square, without small factors.
template <class M> bool strongLucasTest(const M &m, const nat::Nat &nNat, const Words &n) {
    int64_t D = 5;
    for (;; D = D > 0 ? -(D + 2) : -D + 2) {
        u64 a = u64(D < 0 ? -D : D);
        // (|D|/n) by reciprocity from n mod |D|; (-1/n) for a negative D
        int j = jacobi(modSmall(nNat, uint32_t(a)), a);
        if ((a % 4 == 3) && (n[0] % 4 == 3)) j = -j;
        if (D < 0 && n[0] % 4 == 3) j = -j;
        if (j == -1) break;
        if (j == 0) return false;  // |D| shares a factor with n, which is larger than |D|
    }
    int64_t Q = (1 - D) / 4;
    auto q = smallSigned(m, Q), d = smallSigned(m, D);
    Words np1 = addOne(n);
    size_t s = 0;
    while (!testBit(np1, s)) s++;
    Words k = shiftRight(np1, s);
    auto U = m.one(), V = m.one(), Qk = q;  // U_1, V_1 and Q^1 for P = 1
    for (size_t i = bitLength(k) - 1; i-- > 0;) {
        U = m.mul(U, V);
        V = m.sub(m.sqr(V), m.add(Qk, Qk));
        Qk = m.sqr(Qk);
        if (testBit(k, i)) {
            auto u = m.half(m.add(U, V));
            V = m.half(m.add(m.mul(d, U), V));
            U = u;
            Qk = m.mul(Qk, q);
        }
    }
    if (m.isZero(U) || m.isZero(V)) return true;
    for (size_t r = 1; r < s; r++) {
        V = m.sub(m.sqr(V), m.add(Qk, Qk));
        if (m.isZero(V)) return true;
        Qk = m.sqr(Qk);
    }
    return false;
}

}  // namespace

bool isPrimeU64(u64 n) { return isPrimeWord(n); }

bool isProbablePrime(const nat::Nat &n) {
    uint64_t small;
    if (nat::to_u64(n, small)) return isPrimeU64(small);
    if (smallFactor(n, 1000)) return false;
    static const nat::Nat provenBound = nat::from_decimal(kProvenMillerRabinBound);
    Words w = toWords(n);
    bool proven = nat::compare(n, provenBound) < 0;
    return withMontgomery(w, [&](const auto &m) {
        if (proven) {
            for (u64 b : {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41})
                if (!strongTest(m, m.from(b), w)) return false;
            return true;
        }
        if (!strongTest(m, m.from(2), w)) return false;
        if (isPerfectSquare(n)) return false;
        return strongLucasTest(m, n, w);
    });
}

bool strongProbablePrime(const nat::Nat &n, const nat::Nat &a) {
    Words w = toWords(n);
    return withMontgomery(w, [&](const auto &m) { return strongTest(m, m.from(toWords(natMod(a, n))), w); });
}

// ---- the power with the square-root witness ----

nat::Nat powmodWitness(const nat::Nat &a, const nat::Nat &e, const nat::Nat &n) {
    Words ew = toWords(e);
    size_t bits = bitLength(ew);
    if (!n.empty() && (n[0] & 1) && !(n.size() == 1 && n[0] == 1)) {
        Words nw = toWords(n);
        return withMontgomery(nw, [&](const auto &m) {
            using M = std::remove_cvref_t<decltype(m)>;
            auto c = m.one(), x = m.from(toWords(natMod(a, n)));
            auto minusOne = m.sub(m.zero(), m.one());
            for (size_t i = 0; i < bits; i++) {
                if (testBit(ew, i)) c = m.mul(c, x);
                auto y = x;
                x = m.sqr(y);
                if (M::equal(x, m.one()) && !M::equal(y, m.one()) && !M::equal(y, minusOne)) return n;
            }
            return fromWords(m.value(c));
        });
    }
    // even moduli and 1: plain products and divisions
    nat::Nat c{1}, x = natMod(a, n), nm1 = nat::sub(n, nat::Nat{1}), one{1};
    for (size_t i = 0; i < bits; i++) {
        if (testBit(ew, i)) c = natMod(nat::mul(c, x), n);
        nat::Nat y = x;
        x = natMod(nat::sqr(y), n);
        if (x == one && y != one && y != nm1) return n;
    }
    return c;
}

}  // namespace ntheory
