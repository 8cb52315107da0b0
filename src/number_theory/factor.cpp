// Prime factorisation of integer texts into a map prime -> exponent, with the factors in
// ascending order. Trial division by small primes, a probable-prime test, then Pollard's
// rho (Brent's variant) for what is left; on machine words below 2^64, on limbs above.
// A cofactor that resists a generous search is kept whole (only what the factors are
// used for, radical simplification, sees it, and a kept cofactor only leaves a radical
// less simplified, never wrong).
#include <algorithm>
#include <random>

#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "nat/nat.h"

using namespace engine;

namespace {

using u64 = uint64_t;

constexpr size_t kMaxSearchDigits = 80;
using u128 = unsigned __int128;

u64 mulmod64(u64 a, u64 b, u64 m) { return u64(u128(a) * b % m); }

u64 powmod64(u64 a, u64 e, u64 m) {
    u64 r = 1 % m;
    a %= m;
    while (e) {
        if (e & 1) r = mulmod64(r, a, m);
        a = mulmod64(a, a, m);
        e >>= 1;
    }
    return r;
}

// Deterministic for every 64-bit value with these bases.
bool isPrime64(u64 n) {
    if (n < 2) return false;
    for (u64 p : {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37})
        if (n % p == 0) return n == p;
    u64 d = n - 1;
    int s = 0;
    while (d % 2 == 0) {
        d /= 2;
        s++;
    }
    for (u64 a : {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37}) {
        u64 x = powmod64(a, d, n);
        if (x == 1 || x == n - 1) continue;
        bool composite = true;
        for (int i = 1; i < s && composite; i++) {
            x = mulmod64(x, x, n);
            if (x == n - 1) composite = false;
        }
        if (composite) return false;
    }
    return true;
}

u64 gcd64(u64 a, u64 b) {
    while (b) {
        u64 t = a % b;
        a = b;
        b = t;
    }
    return a;
}

// A non-trivial factor of the odd composite n.
u64 rho64(u64 n) {
    for (u64 c = 1;; c++) {
        u64 y = 2, x = 2, g = 1, q = 1, ys = 2;
        auto f = [&](u64 v) { return (mulmod64(v, v, n) + c) % n; };
        for (u64 r = 1; g == 1; r *= 2) {
            x = y;
            for (u64 i = 0; i < r; i++) y = f(y);
            for (u64 k = 0; k < r && g == 1; k += 128) {
                ys = y;
                for (u64 i = 0; i < std::min<u64>(128, r - k); i++) {
                    y = f(y);
                    q = mulmod64(q, x > y ? x - y : y - x, n);
                }
                g = gcd64(q, n);
            }
        }
        if (g == n) {
            do {
                ys = f(ys);
                g = gcd64(x > ys ? x - ys : ys - x, n);
            } while (g == 1);
        }
        if (g != n) return g;
    }
}

void factor64(u64 n, std::vector<nat::Nat> &out) {
    for (u64 p = 2; p < 1000 && p * p <= n; p += (p == 2 ? 1 : 2))
        while (n % p == 0) {
            out.push_back(nat::from_u64(p));
            n /= p;
        }
    if (n == 1) return;
    if (isPrime64(n)) {
        out.push_back(nat::from_u64(n));
        return;
    }
    u64 d = rho64(n);
    factor64(d, out);
    factor64(n / d, out);
}

// ---- limbs above 64 bits ----

nat::Nat modN(const nat::Nat &a, const nat::Nat &n) {
    nat::Nat q, r;
    nat::divmod(a, n, q, r);
    return r;
}

nat::Nat powmodN(nat::Nat a, nat::Nat e, const nat::Nat &n) {
    nat::Nat r{1};
    a = modN(a, n);
    while (!nat::is_zero(e)) {
        nat::Nat q;
        if (nat::divmod_small(e, 2, q)) r = modN(nat::mul(r, a), n);
        a = modN(nat::sqr(a), n);
        e.swap(q);
    }
    return r;
}

bool isProbablePrimeN(const nat::Nat &n) {
    nat::Nat one{1}, nm1 = nat::sub(n, one), d = nm1;
    int s = 0;
    for (nat::Nat q; nat::divmod_small(d, 2, q) == 0; s++) d.swap(q);
    std::mt19937_64 rng(12345);
    for (int round = 0; round < 24; round++) {
        nat::Nat a = nat::from_u64(2 + rng() % 1000000007);
        nat::Nat x = powmodN(a, d, n);
        if (x == one || x == nm1) continue;
        bool composite = true;
        for (int i = 1; i < s && composite; i++) {
            x = modN(nat::sqr(x), n);
            if (x == nm1) composite = false;
        }
        if (composite) return false;
    }
    return true;
}

nat::Nat gcdN(nat::Nat a, nat::Nat b) {
    while (!nat::is_zero(b)) {
        nat::Nat r = modN(a, b);
        a.swap(b);
        b.swap(r);
    }
    return a;
}

nat::Nat absDiff(const nat::Nat &a, const nat::Nat &b) {
    return nat::compare(a, b) >= 0 ? nat::sub(a, b) : nat::sub(b, a);
}

// Brent's rho with a budget of iterations; an empty answer when it gives up.
nat::Nat rhoN(const nat::Nat &n, long budget) {
    for (uint32_t c = 1; budget > 0; c++) {
        nat::Nat y{2}, x, g{1}, q{1}, ys;
        auto f = [&](const nat::Nat &v) {
            nat::Nat w = nat::sqr(v);
            nat::add_small(w, c);
            return modN(w, n);
        };
        for (long r = 1; g == nat::Nat{1} && budget > 0; r *= 2) {
            x = y;
            for (long i = 0; i < r; i++) y = f(y);
            for (long k = 0; k < r && g == nat::Nat{1}; k += 64) {
                ys = y;
                for (long i = 0; i < std::min<long>(64, r - k); i++) {
                    y = f(y);
                    q = modN(nat::mul(q, absDiff(x, y)), n);
                }
                budget -= 64;
                g = gcdN(q, n);
            }
        }
        if (g == n) {
            do {
                ys = f(ys);
                g = gcdN(absDiff(x, ys), n);
            } while (g == nat::Nat{1});
        }
        if (g != n && g != nat::Nat{1}) return g;
    }
    return nat::Nat{};
}

void factorN(const nat::Nat &n0, std::vector<nat::Nat> &out, long &budget) {
    uint64_t small;
    if (nat::to_u64(n0, small)) {
        factor64(small, out);
        return;
    }
    nat::Nat n = n0;
    for (nat::Limb p = 2; p < 20000; p += (p == 2 ? 1 : 2)) {
        nat::Nat q;
        while (nat::divmod_small(n, p, q) == 0) {
            out.push_back(nat::Nat{p});
            n.swap(q);
        }
    }
    if (nat::to_u64(n, small)) {
        if (small > 1) factor64(small, out);
        return;
    }
    // The probable-prime test and the rho search cost powers of n; far beyond the size of
    // numbers they can split, the cofactor is kept whole.
    if (nat::decimal_digits(n) > kMaxSearchDigits) {
        out.push_back(n);
        return;
    }
    if (isProbablePrimeN(n)) {
        out.push_back(n);
        return;
    }
    nat::Nat d = rhoN(n, budget);
    if (nat::is_zero(d)) {
        out.push_back(n);  // resisted the search: kept whole
        return;
    }
    budget /= 2;
    nat::Nat q, r;
    nat::divmod(n, d, q, r);
    factorN(d, out, budget);
    factorN(q, out, budget);
}

}  // namespace

std::string &BigNumber::factorisePowerText(const std::string &n, std::map<std::string, int32_t> &table, int,
                                           bool print) {
    table.clear();
    std::string digits = stripLeadingZeros(n);
    if (digits == "1" || digits == "0" || !allDigits(digits) || digits.empty()) {
        table[digits] = 1;
        result = digits == "1" ? "1" : digits + "^1";
    } else {
        std::vector<nat::Nat> factors;
        long budget = 300000;  // enough for factors up to about 10^10
        factorN(nat::from_decimal(digits), factors, budget);
        std::sort(factors.begin(), factors.end(),
                  [](const nat::Nat &a, const nat::Nat &b) { return nat::compare(a, b) < 0; });
        result.clear();
        for (size_t i = 0; i < factors.size();) {
            size_t j = i;
            while (j < factors.size() && factors[j] == factors[i]) j++;
            std::string p = nat::to_decimal(factors[i]);
            table[p] = int32_t(j - i);
            if (!result.empty()) result += "*";
            result += p + "^" + std::to_string(j - i);
            i = j;
        }
    }
    if (print) outStream << result << std::endl;
    return result;
}
