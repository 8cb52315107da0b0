// Division of limb naturals: Knuth's algorithm D (schoolbook on limbs) for short
// quotients or divisors, Newton reciprocal for long ones.
#include <algorithm>
#include <cstring>

#include "nat.h"

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

}  // namespace

void divmod(const Nat &a, const Nat &b, Nat &q, Nat &r) {
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
    divmod_knuth(a, b, q, r);
}

}  // namespace nat
