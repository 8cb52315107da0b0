// Exact long multiplication by number-theoretic transforms modulo three primes below 2^30 (the
// road past the floating-point transform's proven range, nat_fft.cpp),
// joined by the Chinese remainder theorem. A convolution term is at most
// n * (10^9-1)^2 < 7.8e25 (the product of the primes) for n up to 2^23 limbs.
#include <cstring>
#include <vector>

#include "nat/nat.h"

namespace nat {
namespace detail {
namespace {

// Montgomery arithmetic modulo an odd prime P < 2^30 with R = 2^32.
template <uint32_t P, uint32_t G> struct Field {
    static constexpr uint32_t inv_neg() {  // -P^-1 mod 2^32 by Newton
        uint32_t x = P;
        for (int i = 0; i < 5; i++) x *= 2 - P * x;
        return uint32_t(0) - x;
    }
    static constexpr uint32_t NEG_INV = inv_neg();

    static inline uint32_t reduce(uint64_t t) {
        uint32_t m = uint32_t(t) * NEG_INV;
        uint32_t u = uint32_t((t + uint64_t(m) * P) >> 32);
        return u >= P ? u - P : u;
    }
    static inline uint32_t mul(uint32_t a, uint32_t b) { return reduce(uint64_t(a) * b); }
    static inline uint32_t add(uint32_t a, uint32_t b) {
        uint32_t s = a + b;
        return s >= P ? s - P : s;
    }
    static inline uint32_t sub(uint32_t a, uint32_t b) { return a >= b ? a - b : a + P - b; }
    static uint32_t r2() {
        static const uint32_t v = uint32_t(((unsigned __int128)1 << 64) % P);
        return v;
    }
    static uint32_t to_mont(uint32_t x) { return mul(x % P, r2()); }
    static uint32_t pow_plain(uint64_t b, uint64_t e) {
        uint64_t r = 1;
        b %= P;
        while (e) {
            if (e & 1) r = r * b % P;
            b = b * b % P;
            e >>= 1;
        }
        return uint32_t(r);
    }

    // roots[len + j] = w_len^j (Montgomery form) for every power of two len < n,
    // w_len a primitive (2*len)-th root of unity (or its inverse).
    static void make_roots(std::vector<uint32_t> &roots, size_t n, bool inverse) {
        roots.assign(n, 0);
        for (size_t len = 1; len < n; len <<= 1) {
            uint32_t w = pow_plain(G, (P - 1) / (2 * len));
            if (inverse) w = pow_plain(w, P - 2);
            uint32_t wm = to_mont(w), cur = to_mont(1);
            for (size_t j = 0; j < len; j++) {
                roots[len + j] = cur;
                cur = mul(cur, wm);
            }
        }
    }

    // Decimation in frequency: natural order in, bit-reversed order out.
    static void forward(uint32_t *a, size_t n, const std::vector<uint32_t> &roots) {
        for (size_t len = n >> 1; len >= 1; len >>= 1) {
            const uint32_t *w = roots.data() + len;
            for (size_t i = 0; i < n; i += 2 * len) {
                uint32_t *x = a + i, *y = a + i + len;
                for (size_t j = 0; j < len; j++) {
                    uint32_t u = x[j], v = y[j];
                    x[j] = add(u, v);
                    y[j] = mul(sub(u, v), w[j]);
                }
            }
        }
    }

    // Decimation in time: bit-reversed order in, natural order out (unscaled).
    static void inverse(uint32_t *a, size_t n, const std::vector<uint32_t> &roots) {
        for (size_t len = 1; len < n; len <<= 1) {
            const uint32_t *w = roots.data() + len;
            for (size_t i = 0; i < n; i += 2 * len) {
                uint32_t *x = a + i, *y = a + i + len;
                for (size_t j = 0; j < len; j++) {
                    uint32_t u = x[j], v = mul(y[j], w[j]);
                    x[j] = add(u, v);
                    y[j] = sub(u, v);
                }
            }
        }
    }

    // Cyclic convolution of a and b (length n, zero padded) modulo P, plain residues out.
    static void convolve(const Limb *a, size_t na, const Limb *b, size_t nb, size_t n,
                         std::vector<uint32_t> &out) {
        std::vector<uint32_t> roots;
        make_roots(roots, n, false);
        const uint32_t rr = r2();
        std::vector<uint32_t> fa(n, 0);
        for (size_t i = 0; i < na; i++) fa[i] = mul(a[i] % P, rr);
        forward(fa.data(), n, roots);
        bool square = a == b && na == nb;
        std::vector<uint32_t> fb;
        if (!square) {
            fb.assign(n, 0);
            for (size_t i = 0; i < nb; i++) fb[i] = mul(b[i] % P, rr);
            forward(fb.data(), n, roots);
        }
        const uint32_t *g = square ? fa.data() : fb.data();
        for (size_t i = 0; i < n; i++) fa[i] = mul(fa[i], g[i]);
        make_roots(roots, n, true);
        inverse(fa.data(), n, roots);
        // Each value is n*c*R; multiplying by the plain n^-1 leaves the plain c.
        uint32_t ninv = pow_plain(n, P - 2);
        for (size_t i = 0; i < n; i++) fa[i] = mul(fa[i], ninv);
        out.swap(fa);
    }
};

constexpr uint32_t P1 = 998244353, P2 = 167772161, P3 = 469762049;  // all with root 3
using F1 = Field<P1, 3>;
using F2 = Field<P2, 3>;
using F3 = Field<P3, 3>;

uint64_t inv_mod(uint64_t a, uint64_t m) {
    // m is prime: a^(m-2)
    uint64_t r = 1, b = a % m, e = m - 2;
    while (e) {
        if (e & 1) r = r * b % m;
        b = b * b % m;
        e >>= 1;
    }
    return r;
}

// x < 2^88: quotient and remainder by 10^9 with 64-bit divisions only.
inline void divmod_base(unsigned __int128 x, unsigned __int128 &q, Limb &r) {
    uint64_t hi = uint64_t(x >> 32);
    uint64_t qh = hi / BASE, rh = hi % BASE;
    uint64_t t = (rh << 32) | uint64_t(x & 0xffffffffu);
    uint64_t ql = t / BASE;
    r = Limb(t % BASE);
    q = ((unsigned __int128)qh << 32) + ql;
}

}  // namespace

void mul_ntt(const Limb *a, size_t na, const Limb *b, size_t nb, Limb *out) {
    size_t need = na + nb - 1, n = 1;
    while (n < need) n <<= 1;
    std::vector<uint32_t> c1, c2, c3;
    F1::convolve(a, na, b, nb, n, c1);
    F2::convolve(a, na, b, nb, n, c2);
    F3::convolve(a, na, b, nb, n, c3);
    const uint64_t inv_p1_p2 = inv_mod(P1 % P2, P2);
    const uint64_t p1p2_mod_p3 = uint64_t(P1) % P3 * P2 % P3;
    const uint64_t inv_p1p2_p3 = inv_mod(p1p2_mod_p3, P3);
    const uint64_t p1p2 = uint64_t(P1) * P2;
    unsigned __int128 carry = 0;
    for (size_t i = 0; i < na + nb; i++) {
        unsigned __int128 x = carry;
        if (i < need) {
            // Garner: x = c1 + P1*k2 + P1*P2*k3
            uint64_t r1 = c1[i], r2 = c2[i], r3 = c3[i];
            uint64_t k2 = (r2 + P2 - r1 % P2) % P2 * inv_p1_p2 % P2;
            uint64_t x12 = r1 + uint64_t(P1) * k2;  // < P1*P2 < 2^60
            uint64_t k3 = (r3 + P3 - x12 % P3) % P3 * inv_p1p2_p3 % P3;
            x += x12 + (unsigned __int128)p1p2 * k3;
        }
        divmod_base(x, carry, out[i]);
    }
}

}  // namespace detail
}  // namespace nat
