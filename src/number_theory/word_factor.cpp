#include "number_theory/word_factor.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "number_theory/prime_kernels.h"
#include "stop_request.h"

namespace ntheory {
namespace {

// Odd primes below this bound are tried by division before the search.
constexpr uint64_t kTrialBound = 256;

// An odd prime with its inverse modulo 2^64: p divides x exactly when x * inverse, the
// quotient if it does, is at most (2^64 - 1) / p.
struct TrialPrime {
    uint64_t p, inverse, limit;
};

const std::vector<TrialPrime> &trialPrimes() {
    static const std::vector<TrialPrime> table = [] {
        std::vector<TrialPrime> t;
        for (uint32_t p : smallPrimes()) {
            if (p >= kTrialBound) break;
            if (p == 2) continue;
            uint64_t inv = p;
            for (int i = 0; i < 6; i++) inv *= 2 - p * inv;
            t.push_back({p, inv, UINT64_MAX / p});
        }
        return t;
    }();
    return table;
}

// The strong tests of the odd n > 2 to the bases b[0..count), n - 1 = d 2^s.
bool strongWords(const WordModulus &m, const uint64_t *b, size_t count, uint64_t d, int s) {
    uint64_t n = m.modulus(), minusOne = n - m.one();
    uint64_t base[8], x[8];
    size_t k = 0;
    for (size_t i = 0; i < count; i++)
        if (b[i] % n) base[k++] = m.from(b[i]);  // a base that n divides proves nothing
    if (k == 0) return true;
    m.powMany(base, x, k, d);
    for (size_t i = 0; i < k; i++) {
        uint64_t y = x[i];
        if (y == m.one() || y == minusOne) continue;
        int j = 1;
        for (; j < s; j++) {
            y = m.mul(y, y);
            if (y == minusOne || y == m.one()) break;
        }
        if (j == s || y != minusOne) return false;
    }
    return true;
}

// A proper factor of the odd composite n without factors below kTrialBound, by Brent's
// cycle search on x -> x^2 + c with the differences multiplied in batches between gcds.
uint64_t rhoWord(uint64_t n, SmallRandom &rng) {
    WordModulus m(n);
    constexpr uint64_t kBatch = 128;
    for (;;) {
        uint64_t c = m.from(1 + rng.next() % 1000), y = m.from(2 + rng.next() % 1000), x = y, ys = y, q = m.one();
        auto f = [&](uint64_t v) {
            uint64_t s = m.mul(v, v) + c;  // both below n < 2^64: reduce once, watching the wrap
            return s < c || s >= n ? s - n : s;
        };
        auto diff = [](uint64_t u, uint64_t v) { return u > v ? u - v : v - u; };
        uint64_t g = 1;
        for (uint64_t r = 1; g == 1; r *= 2) {
            x = y;
            for (uint64_t i = 0; i < r; i++) {
                engineStopPoint(i);
                y = f(y);
            }
            for (uint64_t k = 0; k < r && g == 1; k += kBatch) {
                engineStopPoint();
                ys = y;
                for (uint64_t i = 0, steps = std::min(kBatch, r - k); i < steps; i++) {
                    y = f(y);
                    q = m.mul(q, diff(x, y));
                }
                g = std::gcd(q, n);
            }
        }
        if (g == n) {  // the batch overshot: step through it one difference at a time
            g = 1;
            while (g == 1) {
                ys = f(ys);
                g = std::gcd(diff(x, ys), n);
            }
        }
        if (g != n) return g;
    }
}

void split(uint64_t n, std::vector<uint64_t> &out, SmallRandom &rng) {
    if (n == 1) return;
    if (n < kTrialBound * kTrialBound || isPrimeWord(n)) {
        out.push_back(n);
        return;
    }
    uint64_t d = rhoWord(n, rng);
    split(d, out, rng);
    split(n / d, out, rng);
}

// a^e mod m for an even m, by 128-bit products.
uint64_t powEven(uint64_t a, uint64_t e, uint64_t m) {
    using u128 = unsigned __int128;
    uint64_t r = 1 % m;
    for (a %= m; e; e >>= 1) {
        if (e & 1) r = uint64_t(u128(r) * a % m);
        a = uint64_t(u128(a) * a % m);
    }
    return r;
}

}  // namespace

WordModulus::WordModulus(uint64_t odd) : n(odd) {
    // -n^-1 mod 2^64 by Newton's iteration: each step doubles the correct low bits.
    uint64_t inv = n;
    for (int i = 0; i < 6; i++) inv *= 2 - n * inv;
    ninv = ~inv + 1;
    r1 = (0 - n) % n;  // 2^64 mod n
    r2 = uint64_t((unsigned __int128)r1 * r1 % n);
}

void WordModulus::powMany(const uint64_t *base, uint64_t *out, size_t count, uint64_t e) const {
    for (size_t i = 0; i < count; i++) out[i] = base[i];
    for (int bit = 62 - __builtin_clzll(e); bit >= 0; bit--) {
        for (size_t i = 0; i < count; i++) out[i] = mul(out[i], out[i]);
        if (e >> bit & 1)
            for (size_t i = 0; i < count; i++) out[i] = mul(out[i], base[i]);
    }
}

uint64_t WordModulus::pow(uint64_t base, uint64_t e) const {
    if (e == 0) return r1;
    uint64_t r = base;
    for (int bit = 62 - __builtin_clzll(e); bit >= 0; bit--) {
        r = mul(r, r);
        if (e >> bit & 1) r = mul(r, base);
    }
    return r;
}

bool isPrimeWord(uint64_t n) {
    if (n < 2) return false;
    for (uint64_t p : {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47})
        if (n % p == 0) return n == p;
    if (n < 53 * 53) return true;
    // The smallest strong pseudoprimes to the first k prime bases, k = 1..7; below the
    // seventh the first seven primes decide, above it the seven bases found for 2^64.
    static const uint64_t bounds[] = {2047, 1373653, 25326001, 3215031751, 2152302898747, 3474749660383,
                                      341550071728321};
    static const uint64_t primeBases[] = {2, 3, 5, 7, 11, 13, 17};
    static const uint64_t wideBases[] = {2, 325, 9375, 28178, 450775, 9780504, 1795265022};
    WordModulus m(n);
    int s = __builtin_ctzll(n - 1);
    uint64_t d = (n - 1) >> s;
    size_t k = 0;
    while (k < std::size(bounds) && n >= bounds[k]) k++;
    if (k < std::size(bounds)) return strongWords(m, primeBases, k + 1, d, s);
    return strongWords(m, wideBases, std::size(wideBases), d, s);
}

std::vector<uint64_t> wordPrimeFactors(uint64_t n) {
    std::vector<uint64_t> out;
    if (n < 2) return out;
    int twos = __builtin_ctzll(n);
    out.assign(size_t(twos), 2);
    n >>= twos;
    for (const TrialPrime &t : trialPrimes()) {
        if (t.p * t.p > n) break;
        while (n * t.inverse <= t.limit) {
            out.push_back(t.p);
            n *= t.inverse;
        }
    }
    SmallRandom rng{0x4b61766c6f};
    split(n, out, rng);
    std::sort(out.begin(), out.end());
    return out;
}

uint64_t wordOrder(uint64_t a, uint64_t m) {
    std::vector<uint64_t> primes = wordPrimeFactors(m);
    primes.erase(std::unique(primes.begin(), primes.end()), primes.end());
    uint64_t phi = m;
    for (uint64_t p : primes) phi = phi / p * (p - 1);
    // The order is the product over the prime powers p^e of phi of the order of
    // a^(phi / p^e), which is p^j for the first j with (a^(phi / p^e))^(p^j) = 1.
    bool odd = m % 2 == 1;
    WordModulus mod(odd ? m : 3);
    uint64_t base = odd ? mod.from(a) : a % m, one = odd ? mod.one() : 1 % m;
    auto power = [&](uint64_t x, uint64_t e) { return odd ? mod.pow(x, e) : powEven(x, e, m); };
    std::vector<uint64_t> factors = wordPrimeFactors(phi);
    uint64_t order = 1;
    for (size_t i = 0; i < factors.size();) {
        uint64_t p = factors[i], q = 1;
        size_t e = 0;
        for (; i < factors.size() && factors[i] == p; i++, e++) q *= p;
        uint64_t b = power(base, phi / q);
        for (size_t j = 0; b != one;) {
            order *= p;
            if (++j == e) break;  // b^(p^e) is 1
            b = power(b, p);
        }
    }
    return order;
}

}  // namespace ntheory
