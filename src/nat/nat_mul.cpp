// Multiplication of limb naturals: schoolbook for short operands, Karatsuba in the
// middle range, the floating-point transform (nat_fft.cpp) for long ones and the
// number-theoretic transform (nat_ntt.cpp) past the floating-point transform's proven range.
#include <algorithm>
#include <cassert>
#include <cstring>

#include "nat/nat.h"
#include "stop_request.h"

namespace nat {
namespace detail {
namespace {

// A 64-bit column sum takes kRowsPerCarry products below BASE^2, plus a limb and the carry
// of a reduction, before it must be reduced: 16 * (BASE-1)^2 + BASE + 2^64 / BASE < 2^64.
// So the inner loops are plain multiply-adds, which the compiler vectorises.
constexpr size_t kRowsPerCarry = 16;

// acc[from..to) reduced below BASE, the carry added to acc[to].
void reduce_columns(uint64_t *acc, size_t from, size_t to) {
    uint64_t carry = 0;
    for (size_t k = from; k < to; k++) {
        uint64_t v = acc[k] + carry;
        carry = v / BASE;
        acc[k] = v - carry * BASE;
    }
    acc[to] += carry;
}

// Column sums of up to this many limbs live on the stack.
constexpr size_t kStackColumns = 4 * KARATSUBA_THRESHOLD;

struct Columns {
    uint64_t local[kStackColumns];
    std::vector<uint64_t> heap;
    uint64_t *p;
    explicit Columns(size_t n) {
        if (n <= kStackColumns) {
            p = local;
        } else {
            heap.resize(n);
            p = heap.data();
        }
        std::memset(p, 0, n * sizeof(uint64_t));
    }
};

void store_columns(const uint64_t *acc, size_t n, Limb *out) {
    for (size_t k = 0; k < n; k++) out[k] = Limb(acc[k]);
}

void sqr_school(const Limb *a, size_t n, Limb *out) {
    // The products below the diagonal once, doubled, then the squares on the diagonal.
    size_t total = 2 * n;
    Columns c(total + 1);
    uint64_t *acc = c.p;
    size_t done = 0;
    for (size_t i = 0; i < n; i++) {
        uint64_t ai = a[i];
        uint64_t *row = acc + i;
        for (size_t j = i + 1; j < n; j++) row[j] += ai * a[j];
        if ((i + 1) % kRowsPerCarry == 0) {
            reduce_columns(acc, done, i + n);
            done = i + 1;
        }
    }
    reduce_columns(acc, done, total);
    uint64_t carry = 0;
    for (size_t k = 0; k < total; k++) {
        uint64_t v = 2 * acc[k] + carry;  // < 2 BASE + BASE^2: fits
        if (k % 2 == 0) v += uint64_t(a[k / 2]) * a[k / 2];
        carry = v / BASE;
        out[k] = Limb(v - carry * BASE);
    }
}

// Karatsuba scratch for operands whose shorter one has n limbs: a split of the longer one
// (below 2n limbs, or else cut into slices of n limbs and a product area of 2n) keeps four
// half-size areas and a limb a level.
size_t karatsuba_scratch(size_t n) {
    size_t s = 2 * n + 64;
    for (size_t m = 2 * n; m >= KARATSUBA_THRESHOLD;) {
        size_t h = (m + 1) / 2;
        s += 4 * h + 2;
        m = h;
    }
    return s;
}

// out[0..n] += x[0..nx) (n >= nx), the carry running on into out; out must absorb it.
void add_into(Limb *out, const Limb *x, size_t nx) {
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
void sub_into(Limb *out, const Limb *x, size_t nx) {
    Limb borrow = 0;
    size_t k = 0;
    for (; k < nx; k++) {
        Limb s = x[k] + borrow;
        borrow = out[k] < s;
        out[k] = borrow ? out[k] + BASE - s : out[k] - s;
    }
    for (; borrow; k++) {
        borrow = out[k] == 0;
        out[k] = borrow ? BASE - 1 : out[k] - 1;
    }
}

// d[0..h) = |x - y| for x of h limbs and y of ny <= h limbs; true when x < y.
bool abs_diff(const Limb *x, const Limb *y, size_t ny, size_t h, Limb *d) {
    bool less = false;
    for (size_t k = h; k-- > 0;) {
        Limb yk = k < ny ? y[k] : 0;
        if (x[k] != yk) {
            less = x[k] < yk;
            break;
        }
    }
    const Limb *big = less ? y : x, *small = less ? x : y;
    size_t nbig = less ? ny : h, nsmall = less ? h : ny;
    std::memcpy(d, big, nbig * sizeof(Limb));
    std::memset(d + nbig, 0, (h - nbig) * sizeof(Limb));
    sub_into(d, small, std::min(nsmall, nbig));
    return less;
}

void product(const Limb *a, size_t na, const Limb *b, size_t nb, Limb *out, Limb *ws);

// Whether the transform of the whole product (na >= nb >= FFT_THRESHOLD) beats a Karatsuba
// step over transforms: the transform's length goes by powers of two, so just past one a
// split into three products of half the size costs less; likewise slices of an unbalanced one.
bool transform_first(size_t na, size_t nb, bool square) {
    double whole = fft_cost(na, nb, square);
    if (whole == 0) return true;  // past the floating-point range: the other transform decides
    if (2 * nb <= na) return whole <= double((na + nb - 1) / nb) * fft_cost(nb, nb, false);
    size_t h = (na + 1) / 2;
    if (h < FFT_THRESHOLD) return true;
    double split = 3 * fft_cost(h, h, square);
    return split == 0 || whole <= split * 1.1;  // the split's additions and copies
}

// na >= nb > 0, a != b or a square (a == b, na == nb). Writes out[0..na+nb).
void karatsuba(const Limb *a, size_t na, const Limb *b, size_t nb, Limb *out, Limb *ws) {
    bool square = a == b && na == nb;
    if (2 * nb <= na) {
        // Unbalanced: b times slices of a, nb limbs each, added in place.
        std::memset(out, 0, (na + nb) * sizeof(Limb));
        Limb *part = ws;
        for (size_t off = 0; off < na; off += nb) {
            size_t len = std::min(nb, na - off);
            product(a + off, len, b, nb, part, ws + 2 * nb);
            add_into(out + off, part, len + nb);
        }
        return;
    }
    // a = a1 B^h + a0, b = b1 B^h + b0; nb > na/2 leaves b1 at least h-1... limbs long.
    size_t h = (na + 1) / 2, na1 = na - h, nb1 = nb - h;
    const Limb *a0 = a, *a1 = a + h, *b0 = b, *b1 = b + h;
    if (nb1 == 0) {  // nb == h: b fits the low half
        product(a0, h, b, nb, out, ws);
        std::memset(out + 2 * h, 0, (na + nb - 2 * h) * sizeof(Limb));
        product(a1, na1, b, nb, ws, ws + na1 + nb);
        add_into(out + h, ws, na1 + nb);
        return;
    }
    // z0 = a0 b0 in out[0..2h), z2 = a1 b1 in out[2h..), and the middle a0 b1 + a1 b0 =
    // z0 + z2 - (a0 - a1)(b0 - b1) from the product of the differences.
    product(a0, h, b0, h, out, ws);
    product(a1, na1, b1, nb1, out + 2 * h, ws);
    Limb *da = ws, *db = ws + h, *t = ws + 2 * h + 1, *rest = t + 2 * h;
    bool negative;
    if (square) {
        abs_diff(a0, a1, na1, h, da);
        product(da, h, da, h, t, rest);
        negative = false;
    } else {
        negative = abs_diff(a0, a1, na1, h, da) != abs_diff(b0, b1, nb1, h, db);
        product(da, h, db, h, t, rest);
    }
    Limb *mid = ws;  // 2h + 1 limbs over the differences, no longer needed
    std::memcpy(mid, out, 2 * h * sizeof(Limb));
    mid[2 * h] = 0;
    add_into(mid, out + 2 * h, na1 + nb1);
    if (negative) add_into(mid, t, 2 * h);
    else sub_into(mid, t, 2 * h);
    size_t nmid = 2 * h + 1;
    while (nmid > 0 && mid[nmid - 1] == 0) nmid--;
    add_into(out + h, mid, nmid);
}

// Any product of two operands (na, nb > 0) into out[0..na+nb); ws is Karatsuba scratch.
void product(const Limb *a, size_t na, const Limb *b, size_t nb, Limb *out, Limb *ws) {
    if (na < nb) {
        std::swap(a, b);
        std::swap(na, nb);
    }
    if (nb < KARATSUBA_THRESHOLD) {
        if (a == b && na == nb) sqr_school(a, na, out);
        else mul_school(a, na, b, nb, out);
        return;
    }
    if (nb >= FFT_THRESHOLD && transform_first(na, nb, a == b && na == nb) && mul_transform(a, na, b, nb, out))
        return;
    karatsuba(a, na, b, nb, out, ws);
}

}  // namespace

void mul_school(const Limb *a, size_t na, const Limb *b, size_t nb, Limb *out) {
    if (na < nb) {  // rows over the shorter operand, long inner loops
        std::swap(a, b);
        std::swap(na, nb);
    }
    if (nb == 1) {  // one row: the carry at once, no column sums
        uint64_t m = b[0], carry = 0;
        for (size_t j = 0; j < na; j++) {
            uint64_t t = a[j] * m + carry;
            carry = t / BASE;
            out[j] = Limb(t - carry * BASE);
        }
        out[na] = Limb(carry);
        return;
    }
    size_t total = na + nb;
    Columns c(total + 1);
    uint64_t *acc = c.p;
    size_t done = 0;
    for (size_t i = 0; i < nb; i++) {
        uint64_t bi = b[i];
        uint64_t *row = acc + i;
        for (size_t j = 0; j < na; j++) row[j] += bi * a[j];
        if ((i + 1) % kRowsPerCarry == 0) {
            reduce_columns(acc, done, i + na);
            done = i + 1;
        }
    }
    reduce_columns(acc, done, total);
    store_columns(acc, total, out);
}

void mul_karatsuba(const Limb *a, size_t na, const Limb *b, size_t nb, Limb *out) {
    if (na == 0 || nb == 0) {
        std::memset(out, 0, (na + nb) * sizeof(Limb));
        return;
    }
    std::vector<Limb> ws(karatsuba_scratch(std::min(na, nb)));
    if (na < nb) karatsuba(b, nb, a, na, out, ws.data());
    else karatsuba(a, na, b, nb, out, ws.data());
}

// The transforms in order of speed; false when neither covers the length.
bool mul_transform(const Limb *a, size_t na, const Limb *b, size_t nb, Limb *out) {
    if (mul_fft(a, na, b, nb, out)) return true;
    if (na + nb > NTT_MAX_LENGTH) return false;
    mul_ntt(a, na, b, nb, out);
    return true;
}

}  // namespace detail

static Nat mul_dispatch(const Nat &a, const Nat &b) {
    assert(is_normal(a) && is_normal(b));
    if (a.empty() || b.empty()) return Nat{};
    Nat r(a.size() + b.size());
    size_t shorter = std::min(a.size(), b.size());
    // Every long computation is made of long products: a look at a stop request here costs
    // nothing beside them.
    if (shorter >= detail::KARATSUBA_THRESHOLD) engineStopPoint();
    if (shorter < detail::KARATSUBA_THRESHOLD) {
        std::vector<Limb> none;
        detail::product(a.data(), a.size(), b.data(), b.size(), r.data(), none.data());
    } else if (shorter >= detail::FFT_THRESHOLD &&
               detail::mul_transform(a.data(), a.size(), b.data(), b.size(), r.data())) {
    } else {
        std::vector<Limb> ws(detail::karatsuba_scratch(shorter));
        detail::product(a.data(), a.size(), b.data(), b.size(), r.data(), ws.data());
    }
    normalize(r);
    assert(is_normal(r));
    return r;
}

Nat mul(const Nat &a, const Nat &b) { return mul_dispatch(a, b); }
Nat sqr(const Nat &a) { return mul_dispatch(a, a); }

}  // namespace nat
