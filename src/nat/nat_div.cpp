// Division of limb naturals: Knuth's algorithm D (schoolbook on limbs) for short
// quotients or divisors; for long ones a reciprocal by Newton's iteration at doubling
// precision, a quotient estimate from two products and an exact correction of a few units.
// A Divisor keeps the reciprocal for many divisions by the same number.
#include <algorithm>
#include <cassert>
#include <cstring>

#include "nat/nat.h"
#include "stop_request.h"

namespace nat {
namespace {

// Knuth D. u has m+n limbs, v has n >= 2 limbs with v[n-1] != 0.
void divmod_knuth(const Nat &u0, const Nat &v0, Nat &q, Nat &r) {
    size_t n = v0.size(), m = u0.size() - n;
    Limb d = Limb(BASE / (uint64_t(v0.back()) + 1));
    Nat u = u0, v = v0;
    u.push_back(0);
    if (d != 1) {
        // Scale both so that the divisor's top limb is at least BASE/2.
        uint64_t carry = 0;
        for (Limb &x : u) {
            uint64_t t = uint64_t(x) * d + carry;
            x = Limb(t % BASE);
            carry = t / BASE;
        }
        carry = 0;
        for (Limb &x : v) {
            uint64_t t = uint64_t(x) * d + carry;
            x = Limb(t % BASE);
            carry = t / BASE;
        }
    }
    q.assign(m + 1, 0);
    const uint64_t vt = v[n - 1], vs = v[n - 2];
    for (size_t j = m + 1; j-- > 0;) {
        uint64_t num = uint64_t(u[j + n]) * BASE + u[j + n - 1];
        uint64_t qhat = num / vt, rhat = num % vt;
        while (qhat >= BASE || qhat * vs > rhat * BASE + u[j + n - 2]) {
            qhat--;
            rhat += vt;
            if (rhat >= BASE) break;
        }
        // u[j..j+n] -= qhat * v
        int64_t borrow = 0;
        uint64_t carry = 0;
        for (size_t i = 0; i < n; i++) {
            uint64_t p = qhat * v[i] + carry;
            carry = p / BASE;
            int64_t t = int64_t(u[i + j]) - int64_t(p % BASE) - borrow;
            borrow = t < 0;
            u[i + j] = Limb(borrow ? t + BASE : t);
        }
        int64_t t = int64_t(u[j + n]) - int64_t(carry) - borrow;
        borrow = t < 0;
        u[j + n] = Limb(borrow ? t + BASE : t);
        if (borrow) {  // qhat was one too large: add v back
            qhat--;
            Limb c = 0;
            for (size_t i = 0; i < n; i++) {
                Limb s = u[i + j] + v[i] + c;
                c = s >= BASE;
                u[i + j] = c ? s - BASE : s;
            }
            u[j + n] = Limb((uint64_t(u[j + n]) + c) % BASE);
        }
        q[j] = Limb(qhat);
    }
    normalize(q);
    u.resize(n);
    normalize(u);
    if (d != 1) divmod_small(u, d, r);
    else r = u;
}

constexpr size_t NEWTON_THRESHOLD = 40;    // limbs of divisor and of quotient
constexpr size_t RECIP_BASE_CASE = 60;     // reciprocals this short by Knuth D
// Steps of the final correction before the sure way takes over: an estimate from a sound
// reciprocal is off by a few units at most, so more means a fault.
constexpr int kMaxCorrections = 32;

// A signed natural: the error terms of Newton's step change sign.
struct Signed {
    Nat m;
    bool negative = false;
};

// BASE^k - x for x near BASE^k
Signed from_power(size_t k, const Nat &x) {
    Nat one = power_of_base(k);
    if (compare(x, one) <= 0) return {sub(one, x), false};
    return {sub(x, one), true};
}

// Newton's iteration for 1/d at doubling precision. The reciprocal x_h of d's upper h
// limbs, scaled up, is good to about h limbs; one step
//   x = x_h B^(k-h) + x_h (B^(k+h) - d x_h) / B^(2h)
// squares its relative error. The error term B^(k+h) - d x_h has its upper h limbs
// cancelled, and of it only the limbs that reach one unit of x are used, so the step costs a
// product of k by h limbs and one of h by about k-h limbs.
Nat reciprocal(const Nat &d) {
    size_t k = d.size();
    if (k <= RECIP_BASE_CASE) {  // by Knuth D itself: divmod would come back here
        Nat x, rem;
        if (k == 1) divmod_small(power_of_base(2), d[0], x);
        else divmod_knuth(power_of_base(2 * k), d, x, rem);
        return x;
    }
    size_t h = (k + 1) / 2 + 2;  // x_h's error, squared, stays below one unit of x
    Nat xh = reciprocal(drop_limbs(d, k - h));
    Signed e = from_power(k + h, mul(d, xh));
    // e is below BASE^(k+1) or so; limbs under BASE^(h-1) move the correction by less than
    // one unit
    Nat correction = drop_limbs(mul(xh, drop_limbs(e.m, h - 1)), h + 1);
    Nat x = shift_limbs(xh, k - h);
    if (!e.negative) return add(x, correction);
    add_small(correction, 1);  // stay below the true value rather than above
    return compare(correction, x) < 0 ? sub(x, correction) : Nat{1};
}

// q = a / d, r = a mod d from the reciprocal x of d (k limbs) for a < d BASE^k: the estimate
// from a's upper k+1 limbs times x is at most a few units off, then corrected exactly.
void divide_by_reciprocal(const Nat &a, const Nat &d, const Nat &x, Nat &q, Nat &r) {
    size_t k = d.size();
    if (compare(a, d) < 0) {
        q.clear();
        r = a;
        return;
    }
    q = drop_limbs(mul(drop_limbs(a, k - 1), x), k + 1);
    Nat p = mul(q, d);
    int steps = 0;
    while (compare(p, a) > 0 && steps++ < kMaxCorrections) {
        sub_small(q, 1);
        p = sub(p, d);
    }
    if (compare(p, a) > 0) {
        divmod_knuth(a, d, q, r);
        return;
    }
    r = sub(a, p);
    while (compare(r, d) >= 0 && steps++ < kMaxCorrections) {
        add_small(q, 1);
        r = sub(r, d);
    }
    if (compare(r, d) >= 0) divmod_knuth(a, d, q, r);
}

// Long quotients (more limbs than the divisor) in blocks of the divisor's length, all with one
// reciprocal: each block divides the remainder so far, with the next limbs of a, by d.
void divide_in_blocks(const Nat &a, const Nat &d, const Nat &x, Nat &q, Nat &r) {
    size_t k = d.size();
    size_t blocks = a.size() / k;  // leaves fewer than k limbs above them, below d
    q.assign(blocks * k, 0);
    r = drop_limbs(a, blocks * k);
    for (size_t b = blocks; b-- > 0;) {
        Nat part(a.begin() + long(b * k), a.begin() + long(std::min(a.size(), (b + 1) * k)));
        part.resize(k, 0);
        part.insert(part.end(), r.begin(), r.end());
        normalize(part);
        Nat qb;
        divide_by_reciprocal(part, d, x, qb, r);
        std::copy(qb.begin(), qb.end(), q.begin() + long(b * k));
    }
    normalize(q);
}

void divmod_newton(const Nat &a, const Nat &b, Nat &q, Nat &r) {
    size_t n = b.size(), m = a.size() - n;
    if (m + 2 >= n) {  // no limbs of b to leave out
        divide_in_blocks(a, b, reciprocal(b), q, r);
        return;
    }
    // A quotient shorter than the divisor depends on the upper limbs only: the estimate
    // from a and b cut to k = m + 2 limbs of b is within a few units.
    size_t k = m + 2, cut = n - k;
    Nat bt = drop_limbs(b, cut);
    Nat qt, rt;
    divide_by_reciprocal(drop_limbs(a, cut), bt, reciprocal(bt), qt, rt);
    q = qt;
    Nat p = mul(q, b);
    int steps = 0;
    while (compare(p, a) > 0 && steps++ < kMaxCorrections) {
        sub_small(q, 1);
        p = sub(p, b);
    }
    if (compare(p, a) > 0) {
        divmod_knuth(a, b, q, r);
        return;
    }
    r = sub(a, p);
    while (compare(r, b) >= 0 && steps++ < kMaxCorrections) {
        add_small(q, 1);
        r = sub(r, b);
    }
    if (compare(r, b) >= 0) divmod_knuth(a, b, q, r);
}

// q and r of normal a and non-zero b, by the road their lengths choose.
void divide(const Nat &a, const Nat &b, Nat &q, Nat &r) {
    if (compare(a, b) < 0) {
        q.clear();
        r = a;
        return;
    }
    if (b.size() == 1) {
        Limb rem = divmod_small(a, b[0], q);
        r.clear();
        if (rem) r.push_back(rem);
        return;
    }
    if (b.size() >= NEWTON_THRESHOLD) engineStopPoint();  // a long division: see mul
    if (b.size() >= NEWTON_THRESHOLD && a.size() - b.size() >= NEWTON_THRESHOLD) divmod_newton(a, b, q, r);
    else divmod_knuth(a, b, q, r);
}

}  // namespace

Divisor make_divisor(const Nat &d) {
    Divisor v{d, d.size() >= NEWTON_THRESHOLD ? reciprocal(d) : Nat{}};
    return v;
}

void divmod(const Nat &a, const Divisor &d, Nat &q, Nat &r) {
    if (d.inverse.empty() || a.size() < d.value.size() + NEWTON_THRESHOLD) {
        divmod(a, d.value, q, r);
        return;
    }
    if (&q == &a || &r == &a) {
        Nat a2 = a;
        divmod(a2, d, q, r);
        return;
    }
    divide_in_blocks(a, d.value, d.inverse, q, r);
}

void divmod(const Nat &a, const Nat &b, Nat &q, Nat &r) {
    if (&q == &a || &q == &b || &r == &a || &r == &b) {  // outputs that alias inputs
        Nat a2 = a, b2 = b;
        divmod(a2, b2, q, r);
        return;
    }
    assert(is_normal(a) && is_normal(b) && !b.empty());
    divide(a, b, q, r);
    assert(is_normal(q) && is_normal(r) && compare(r, b) < 0);
}

}  // namespace nat
