// Integer k-th roots: floor(N^(1/k)) by Newton's iteration from the root of the upper
// half of the digits, so each level needs only one or two full-size steps.
#include <cmath>

#include "nat/nat.h"

namespace nat {
namespace {

// log10 of N, roughly, from its leading digits.
double approxLog10(const Nat &n) {
    std::string t = to_decimal(n);
    size_t lead = std::min(t.size(), size_t(17));
    return std::log10(std::stod(t.substr(0, lead))) + double(t.size() - lead);
}

// Newton from an overestimate y >= floor root: y' = ((k-1) y + N / y^(k-1)) / k decreases
// until it stops, and the last y is the floor root.
Nat newtonFromAbove(const Nat &n, uint64_t k, Nat y) {
    Nat kk = from_u64(k), km1 = from_u64(k - 1);
    for (;;) {
        Nat q, r;
        divmod(n, pow(y, k - 1), q, r);
        Nat next, rem;
        divmod(add(mul(y, km1), q), kk, next, rem);
        if (compare(next, y) >= 0) return y;
        y.swap(next);
    }
}

}  // namespace

Nat root(const Nat &n, uint64_t k) {
    if (is_zero(n) || k == 1) return n;
    size_t digits = decimal_digits(n);
    // N < 10^digits < 2^(3.33 digits): from that degree on the root is 1, and a Newton start
    // of 2 or more would raise it to a power of millions of digits.
    if (k / 10 >= digits / 3 + 1) return Nat{1};
    if (digits <= 30) {
        // From a double estimate, raised until it is above the root.
        double est = std::pow(10.0, approxLog10(n) / double(k));
        Nat y = from_u64(uint64_t(est * (1 + 1e-9)) + 2);
        return newtonFromAbove(n, k, y);
    }
    size_t s = digits / (2 * k);  // digits of the root taken off below
    if (s == 0) {
        double est = std::pow(10.0, approxLog10(n) / double(k));
        std::string t = std::to_string(uint64_t(est));
        Nat y = from_decimal(t);
        add_small(y, 2);
        // est may be far from exact for huge k; make sure y^k > n before Newton.
        while (compare(pow(y, k), n) <= 0) y = add(y, y);
        return newtonFromAbove(n, k, y);
    }
    Nat top, rest;
    divmod(n, pow10(k * s), top, rest);
    Nat r = root(top, k);
    add_small(r, 1);
    return newtonFromAbove(n, k, shift_decimal(r, s));
}

}  // namespace nat

namespace nat {

// Balanced product tree: equal-sized halves keep the multiplications in their fast range.
Nat product_range(uint64_t lo, uint64_t hi) {
    if (lo > hi) return Nat{1};
    if (hi - lo < 24) {
        Nat r{1};
        uint64_t chunk = 1;
        for (uint64_t k = lo; k <= hi; k++) {
            if (k != 0 && chunk > (UINT64_MAX / BASE) / k) {  // flush before the word overflows
                r = mul(r, from_u64(chunk));
                chunk = 1;
            }
            chunk *= k;
            if (k == hi) break;
        }
        return mul(r, from_u64(chunk));
    }
    uint64_t mid = lo + (hi - lo) / 2;
    return mul(product_range(lo, mid), product_range(mid + 1, hi));
}

}  // namespace nat
