// Multiplication of limb naturals: schoolbook for short operands, Karatsuba in the
// middle range and number-theoretic transforms (nat_ntt.cpp) for long ones.
#include <algorithm>
#include <cstring>

#include "nat/nat.h"

namespace nat {
namespace detail {

void mul_school(const Limb *a, size_t na, const Limb *b, size_t nb, Limb *out) {
    for (size_t i = 0; i < na; i++) {
        uint64_t ai = a[i];
        if (ai == 0) continue;
        uint64_t carry = 0;
        Limb *o = out + i;
        for (size_t j = 0; j < nb; j++) {
            uint64_t t = o[j] + ai * b[j] + carry;  // < BASE + BASE^2 + BASE: fits
            carry = t / BASE;
            o[j] = Limb(t - carry * BASE);
        }
        o[nb] = Limb(carry);
    }
}

// out[0..n) += x[0..nx), carrying onwards; out must be long enough to absorb the carry.
static void add_into(Limb *out, const Limb *x, size_t nx) {
    Limb carry = 0;
    size_t k = 0;
    for (; k < nx; k++) {
        Limb s = out[k] + x[k] + carry;
        carry = s >= BASE;
        out[k] = carry ? s - BASE : s;
    }
    for (; carry; k++) {
        Limb s = out[k] + 1;
        carry = s >= BASE;
        out[k] = carry ? 0 : s;
    }
}

// out[0..n) -= x[0..nx); the result must stay non-negative.
static void sub_into(Limb *out, const Limb *x, size_t nx) {
    Limb borrow = 0;
    size_t k = 0;
    for (; k < nx; k++) {
        int64_t d = int64_t(out[k]) - x[k] - borrow;
        borrow = d < 0;
        out[k] = Limb(borrow ? d + BASE : d);
    }
    for (; borrow; k++) {
        if (out[k]) {
            out[k]--;
            borrow = 0;
        } else {
            out[k] = BASE - 1;
        }
    }
}

// s[0..n+1) = x[0..nx) + y[0..ny), nx, ny <= n
static void add_parts(const Limb *x, size_t nx, const Limb *y, size_t ny, Limb *s, size_t n) {
    std::memset(s, 0, (n + 1) * sizeof(Limb));
    std::memcpy(s, x, nx * sizeof(Limb));
    add_into(s, y, ny);
}

static size_t trimmed(const Limb *x, size_t n) {
    while (n && x[n - 1] == 0) n--;
    return n;
}

void mul_karatsuba(const Limb *a, size_t na, const Limb *b, size_t nb, Limb *out) {
    if (na < nb) {
        std::swap(a, b);
        std::swap(na, nb);
    }
    if (nb < KARATSUBA_THRESHOLD) {
        mul_school(a, na, b, nb, out);
        return;
    }
    if (nb >= NTT_THRESHOLD && na + nb <= NTT_MAX_LENGTH) {
        mul_ntt(a, na, b, nb, out);
        return;
    }
    if (na >= 2 * nb) {
        // Unbalanced: multiply b by nb-limb slices of a and add them in place.
        std::vector<Limb> part(2 * nb);
        for (size_t off = 0; off < na; off += nb) {
            size_t len = std::min(nb, na - off);
            std::fill(part.begin(), part.begin() + len + nb, 0);
            mul_karatsuba(a + off, len, b, nb, part.data());
            add_into(out + off, part.data(), trimmed(part.data(), len + nb));
        }
        return;
    }
    // a = a1*B^h + a0, b = b1*B^h + b0 with h limbs in the low halves.
    size_t h = (na + 1) / 2;
    const Limb *a0 = a, *a1 = a + h, *b0 = b, *b1 = b + h;
    size_t na0 = trimmed(a0, h), nb0 = trimmed(b0, std::min(h, nb));
    size_t na1 = na - h, nb1 = nb > h ? nb - h : 0;
    if (nb1 == 0) {
        std::vector<Limb> part(na1 + nb + 1, 0);
        mul_karatsuba(a0, h, b, nb, out);
        mul_karatsuba(a1, na1, b, nb, part.data());
        add_into(out + h, part.data(), trimmed(part.data(), na1 + nb));
        return;
    }
    // z0 = a0*b0 goes to out[0..2h), z2 = a1*b1 to out[2h..); z1 from the sums.
    if (na0 && nb0) mul_karatsuba(a0, na0, b0, nb0, out);
    mul_karatsuba(a1, na1, b1, nb1, out + 2 * h);
    std::vector<Limb> sa(h + 1), sb(h + 1);
    add_parts(a0, na0, a1, na1, sa.data(), h);
    add_parts(b0, nb0, b1, nb1, sb.data(), h);
    size_t nsa = trimmed(sa.data(), h + 1), nsb = trimmed(sb.data(), h + 1);
    std::vector<Limb> z1(nsa + nsb + 1, 0);
    if (nsa && nsb) mul_karatsuba(sa.data(), nsa, sb.data(), nsb, z1.data());
    sub_into(z1.data(), out, trimmed(out, 2 * h));
    sub_into(z1.data(), out + 2 * h, trimmed(out + 2 * h, na1 + nb1));
    add_into(out + h, z1.data(), trimmed(z1.data(), z1.size()));
}

}  // namespace detail

static Nat mul_dispatch(const Nat &a, const Nat &b) {
    if (a.empty() || b.empty()) return Nat{};
    size_t shorter = std::min(a.size(), b.size());
    Nat r(a.size() + b.size(), 0);
    if (shorter < detail::KARATSUBA_THRESHOLD)
        detail::mul_school(a.data(), a.size(), b.data(), b.size(), r.data());
    else if (shorter < detail::NTT_THRESHOLD || a.size() + b.size() > detail::NTT_MAX_LENGTH)
        detail::mul_karatsuba(a.data(), a.size(), b.data(), b.size(), r.data());
    else
        detail::mul_ntt(a.data(), a.size(), b.data(), b.size(), r.data());
    normalize(r);
    return r;
}

Nat mul(const Nat &a, const Nat &b) { return mul_dispatch(a, b); }
Nat sqr(const Nat &a) { return mul_dispatch(a, a); }

}  // namespace nat
