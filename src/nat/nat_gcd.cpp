// Greatest common divisor by Lehmer's method: the quotients of Euclid's algorithm are
// found on the leading two limbs of both numbers, collected in a 2x2 matrix, and applied
// to the full numbers at once, so each pass over the limbs replaces many division steps.
#include <utility>

#include "nat/nat.h"

namespace nat {
namespace {

using i128 = __int128;

// x*u - y*v for non-negative u, v with x*u >= y*v
Nat combine(const Nat &x, uint64_t u, const Nat &y, uint64_t v) {
    return sub(mul(x, from_u64(u)), mul(y, from_u64(v)));
}

// Leading two limbs of x, aligned to the top of the longer number with `n` limbs.
uint64_t leading(const Nat &x, size_t n) {
    uint64_t hi = n >= 1 && n - 1 < x.size() ? x[n - 1] : 0;
    uint64_t lo = n >= 2 && n - 2 < x.size() ? x[n - 2] : 0;
    return hi * BASE + lo;
}

}  // namespace

Nat gcd(Nat a, Nat b) {
    if (compare(a, b) < 0) a.swap(b);
    while (!is_zero(b)) {
        if (a.size() <= 2 || a.size() - b.size() > 1) {
            Nat q, r;
            divmod(a, b, q, r);
            a.swap(b);
            b.swap(r);
            continue;
        }
        // Knuth's algorithm L on the leading parts, with the cofactor test that keeps
        // every collected quotient a true quotient of the full numbers.
        size_t n = a.size();
        i128 ah = i128(leading(a, n)), bh = i128(leading(b, n));
        i128 A = 1, B = 0, C = 0, D = 1;
        for (;;) {
            if (bh + C == 0 || bh + D == 0) break;
            i128 q = (ah + A) / (bh + C);
            if (q != (ah + B) / (bh + D)) break;
            i128 t = A - q * C;
            A = C;
            C = t;
            t = B - q * D;
            B = D;
            D = t;
            t = ah - q * bh;
            ah = bh;
            bh = t;
        }
        if (B == 0) {
            Nat q, r;
            divmod(a, b, q, r);
            a.swap(b);
            b.swap(r);
            continue;
        }
        // (a, b) = (A a + B b, C a + D b); in each pair exactly one cofactor is negative.
        Nat na = B <= 0 ? combine(a, uint64_t(A), b, uint64_t(-B)) : combine(b, uint64_t(B), a, uint64_t(-A));
        Nat nb = D <= 0 ? combine(a, uint64_t(C), b, uint64_t(-D)) : combine(b, uint64_t(D), a, uint64_t(-C));
        a.swap(na);
        b.swap(nb);
        if (compare(a, b) < 0) a.swap(b);
    }
    return a;
}

}  // namespace nat
