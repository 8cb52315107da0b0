// Integer k-th roots: floor(N^(1/k)). Square roots of long numbers come from the inverse
// square root by Newton's iteration at doubling precision, which needs no division: a few
// products in all. Other roots take Newton's iteration on the root itself, from the root of
// the upper half of the digits, so each level needs only one or two full-size steps.
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

constexpr size_t kInverseRootBaseCase = 6;  // limbs t of the inverse square root's base case
constexpr size_t kSqrtThreshold = 16;       // limbs of N from which the inverse root pays

Nat root_by_newton(const Nat &n, uint64_t k);

// Y close to BASE^(2t) / sqrt(X), a few units at most, for X of 2t-1 or 2t limbs.
//
// From Y_h for the upper 2h limbs of X (Y_h BASE^(t-h) is then good to about h limbs), one
// step of y' = y + y (1 - x y^2) / 2:
//   Y = Y_h BASE^(t-h) + Y_h E / (2 BASE^(t+3h)),   E = BASE^(2t+2h) - X Y_h^2,
// where E has its upper 2h limbs cancelled. Only the limbs of X and of E that reach one unit
// of Y enter the products.
Nat inverse_sqrt(const Nat &X, size_t t) {
    if (t <= kInverseRootBaseCase) {  // floor(sqrt(BASE^(4t) / X)) is within a unit
        Nat q, r;
        divmod(power_of_base(4 * t), X, q, r);
        return root_by_newton(q, 2);
    }
    size_t h = (t + 1) / 2 + 2;  // the error of Y_h, squared, stays below a unit of Y
    Nat yh = inverse_sqrt(drop_limbs(X, 2 * (t - h)), h);
    size_t j = t - 3;  // X's limbs below BASE^j move E by less than BASE^(2h+2)
    Nat p = mul(drop_limbs(X, j), sqr(yh));
    Nat one = power_of_base(2 * t + 2 * h - j);
    bool negative = compare(p, one) > 0;
    Nat e = negative ? sub(p, one) : sub(one, p);
    Nat correction = drop_limbs(mul(yh, drop_limbs(e, 2 * h + 2)), h + 1);
    divmod_small(correction, 2, correction);
    Nat y = shift_limbs(yh, t - h);
    if (!negative) return add(y, correction);
    add_small(correction, 1);
    return compare(correction, y) < 0 ? sub(y, correction) : Nat{1};
}

// floor(sqrt(N)) for N of 2t-1 or 2t limbs. With the inverse square root y to about half the
// limbs (h), S0 = N y is the root to h limbs, and one step of Heron's rule with y in place of
// the division,
//   S = S0 B^(t-h) + (N - S0^2 B^(2(t-h))) y / (2 B^(t+h)),
// doubles that; the remainder N - S^2 then corrects the last unit or two exactly.
Nat sqrt_floor(const Nat &n) {
    size_t t = (n.size() + 1) / 2, h = t / 2 + 2, low = 2 * (t - h);
    Nat y = inverse_sqrt(drop_limbs(n, low), h);  // near B^(t+h) / sqrt(N)
    // S0 = N y / B^(2t), from N's upper h+3 limbs (the rest moves it by less than a unit)
    Nat s0 = drop_limbs(mul(drop_limbs(n, 2 * t - h - 3), y), h + 3);
    // N - S0^2 B^low from N's limbs above B^low: the ones below move S by far less than a unit
    Nat upper = drop_limbs(n, low), s0sq = sqr(s0);
    bool below = compare(upper, s0sq) < 0;
    Nat r = below ? sub(s0sq, upper) : sub(upper, s0sq);
    Nat delta = drop_limbs(mul(r, y), 3 * h - t);
    divmod_small(delta, 2, delta);
    Nat s = shift_limbs(s0, t - h);
    s = below ? (compare(delta, s) < 0 ? sub(s, delta) : Nat{}) : add(s, delta);
    // exactly: S^2 <= N < (S+1)^2, stepping by (S -+ 1)^2 = S^2 -+ 2S + 1
    Nat sq = sqr(s);
    int steps = 0;
    while (compare(sq, n) > 0 && steps++ < 32) {
        sq = sub(sq, add(s, s));
        add_small(sq, 1);
        sub_small(s, 1);
    }
    for (;;) {
        Nat next = add(add(sq, s), s);
        add_small(next, 1);
        if (compare(next, n) > 0 || steps++ >= 32) break;
        add_small(s, 1);
        sq = next;
    }
    if (compare(sq, n) > 0 || compare(add(add(sq, s), add(s, Nat{1})), n) <= 0) return root_by_newton(n, 2);
    return s;
}

}  // namespace

Nat root(const Nat &n, uint64_t k) {
    if (k == 2 && n.size() >= kSqrtThreshold) return sqrt_floor(n);
    return root_by_newton(n, k);
}

namespace {

Nat root_by_newton(const Nat &n, uint64_t k) {
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

}  // namespace

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
