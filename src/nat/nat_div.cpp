// Division of limb naturals: Knuth's algorithm D (schoolbook on limbs) for short
// quotients or divisors, Newton reciprocal for long ones.
#include <algorithm>
#include <cstring>

#include "nat/nat.h"

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

constexpr size_t NEWTON_THRESHOLD = 150;   // limbs of divisor and of quotient
constexpr size_t RECIP_BASE_CASE = 60;     // reciprocals this short by Knuth D

// a * BASE^k, or floor(a / BASE^-k) for negative k
Nat shift_limbs(const Nat &a, long k) {
    if (a.empty()) return a;
    if (k >= 0) {
        Nat r(size_t(k), 0);
        r.insert(r.end(), a.begin(), a.end());
        return r;
    }
    if (size_t(-k) >= a.size()) return Nat{};
    return Nat(a.begin() + (-k), a.end());
}

Nat power_of_base(size_t k) {
    Nat r(k, 0);
    r.push_back(1);
    return r;
}

// X close to BASE^(2k) / d for d of exactly k limbs; Newton's iteration
// X' = X + X (BASE^2k - d X) / BASE^2k doubles the correct limbs, starting from the
// reciprocal of d's upper half. Only the speed depends on how close X is: the caller
// corrects its quotient exactly.
Nat reciprocal(const Nat &d, size_t k) {
    if (k <= RECIP_BASE_CASE) {
        Nat x, rem;
        divmod_knuth(power_of_base(2 * k), d, x, rem);
        return x;
    }
    size_t h = k / 2 + 1;
    Nat dh(d.end() - long(h), d.end());
    Nat x = shift_limbs(reciprocal(dh, h), long(k - h));
    Nat one = power_of_base(2 * k);
    Nat p = mul(d, x);
    if (compare(p, one) <= 0) {
        Nat e = sub(one, p);
        x = add(x, shift_limbs(mul(x, e), -long(2 * k)));
    } else {
        Nat e = sub(p, one);
        Nat c = shift_limbs(mul(x, e), -long(2 * k));
        add_small(c, 1);
        x = compare(c, x) < 0 ? sub(x, c) : Nat{};
    }
    return x;
}

void divmod_newton(const Nat &a, const Nat &b, Nat &q, Nat &r) {
    size_t n = b.size(), m = a.size() - n, k = m + 2;
    // Scale to a divisor of exactly k limbs: truncation (or an exact shift) leaves the
    // quotient within a few units.
    long shift = long(k) - long(n);
    Nat bt = shift_limbs(b, shift), at = shift_limbs(a, shift);
    Nat x = reciprocal(bt, k);
    q = shift_limbs(mul(at, x), -long(2 * k));
    Nat p = mul(q, b);
    int steps = 0;
    while (compare(p, a) > 0 && steps++ < 16) {
        sub_small(q, 1);
        p = sub(p, b);
    }
    if (compare(p, a) > 0) {  // an estimate this far off means a fault: take the sure way
        divmod_knuth(a, b, q, r);
        return;
    }
    r = sub(a, p);
    while (compare(r, b) >= 0 && steps++ < 32) {
        add_small(q, 1);
        r = sub(r, b);
    }
    if (compare(r, b) >= 0) divmod_knuth(a, b, q, r);
}

}  // namespace

void divmod(const Nat &a, const Nat &b, Nat &q, Nat &r) {
    if (&q == &a || &q == &b || &r == &a || &r == &b) {  // outputs that alias inputs
        Nat a2 = a, b2 = b;
        divmod(a2, b2, q, r);
        return;
    }
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
    if (b.size() >= NEWTON_THRESHOLD && a.size() - b.size() >= NEWTON_THRESHOLD) divmod_newton(a, b, q, r);
    else divmod_knuth(a, b, q, r);
}

}  // namespace nat
