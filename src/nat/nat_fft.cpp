// Exact long multiplication by a complex floating-point transform.
//
// The operands are cut into pieces of d decimal digits, balanced to [-10^d/2, 10^d/2). The
// real product of length 2N is one weighted cyclic convolution of complex length N: with
// w^N = i, a(x) mod (x^N - i) = a_low(x) + i a_high(x) becomes a cyclic convolution after
// x = w y, and as the product has real coefficients and degree below 2N, its low half comes
// back in the real parts and its high half in the imaginary parts.
//
// Error: by Percival's bound for radix-2 transforms, every computed coefficient lies within
//   |x| |y| ((1+u)^(3n) (1+u sqrt5)^(3n+1) (1+beta)^(3n) - 1)
// of the true one, with n = log2 N, u = 2^-53, beta the error of a stored root of unity and
// |x|, |y| the euclidean norms of the inputs: at most sqrt(c) B for c pieces of magnitude at
// most B = 10^d/2 (the zeros that fill the length add nothing); the weights add a
// multiplication at each end. Each product takes the largest d
// whose bound stays below kMaxError; rounding to the nearest integer then gives every
// coefficient exactly. A coefficient found farther than that from an integer, which the bound
// excludes, sends the product to the number-theoretic transform all the same.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "nat/nat.h"
#include "stop_request.h"

namespace nat {
namespace detail {
namespace {

constexpr double kMaxError = 0.375;
constexpr double kUnit = 1.0 / 9007199254740992.0;  // 2^-53
// A stored root is the correctly rounded one within a fraction of an ulp (see Tables); four
// units leave room for a library whose long double sine and cosine are no better than double.
constexpr double kRootError = 4 * kUnit;
constexpr int kMinDigits = 3, kMaxDigits = 5;
constexpr size_t kMaxLogLength = 26;

constexpr uint32_t kPow10[10] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

// For operands of pa and pb pieces of magnitude at most B at length N = 2^logN.
double error_bound(size_t logN, double B, size_t pa, size_t pb) {
    double n = double(logN);
    const double s5 = std::sqrt(5.0);
    // ln of the bracket's product, with ln(1+x) <= x; the weights' two multiplications too
    double lnGrowth = (3 * n * (1 + s5) + s5) * kUnit + 3 * n * kRootError + 2 * (s5 * kUnit + kRootError);
    double norms = std::sqrt(double(pa) * double(pb)) * B * B;
    return norms * std::expm1(lnGrowth);
}

// roots[len + j] = e^(-i pi j / len) for every power of two len < size. No entry depends on
// the size, so the table is kept for the largest size so far. The weights of length n are
// the conjugates of roots[2n + j], j < n.
//
// A new top level is computed in extended precision: blocks of kRun roots, each started from
// the sine and cosine of its first angle and continued by rotations, so that each stored root
// is the correctly rounded one up to far less than an ulp. The levels below are its subsamples.
constexpr size_t kRun = 64;

struct Tables {
    std::vector<double> re{0, 1}, im{0, 0};
    size_t size = 2;

    void grow(size_t n) {
        if (n <= size) return;
        re.resize(n);
        im.resize(n);
        size_t top = n / 2;
        const long double pi = 3.141592653589793238462643383279502884L;
        long double stepC = std::cos(pi / (long double)top), stepS = std::sin(pi / (long double)top);
        for (size_t start = 0; start < top; start += kRun) {
            long double angle = pi * (long double)start / (long double)top;
            long double c = std::cos(angle), s = std::sin(angle);
            for (size_t j = start; j < start + kRun && j < top; j++) {
                re[top + j] = double(c);
                im[top + j] = -double(s);
                long double nc = c * stepC - s * stepS;
                s = s * stepC + c * stepS;
                c = nc;
            }
        }
        for (size_t len = size; len < top; len <<= 1)
            for (size_t j = 0; j < len; j++) {
                re[len + j] = re[top + j * (top / len)];
                im[len + j] = im[top + j * (top / len)];
            }
        size = n;
    }
};

// Work arrays reused from product to product (no clearing, no fresh pages).
struct Scratch {
    std::vector<double> x, y;
};

Tables &tables() {
    thread_local Tables t;
    return t;
}

Scratch &scratch() {
    thread_local Scratch s;
    return s;
}

// Decimation in frequency: natural order in, bit-reversed order out. Halves that fit the
// cache are finished before the next one starts; the last two levels, whose roots are 1 and
// -i, need no multiplication. (Two levels fused in one pass ran slower: too few registers.)
constexpr size_t kBlock = 1 << 11;

// One row of butterflies: (x, y) -> (x + y, (x - y) w).
void dif_row(double *__restrict xr, double *__restrict xi, double *__restrict yr, double *__restrict yi,
             const double *__restrict cr, const double *__restrict ci, size_t len) {
    for (size_t j = 0; j < len; j++) {
        double ur = xr[j], ui = xi[j], vr = yr[j], vi = yi[j];
        xr[j] = ur + vr;
        xi[j] = ui + vi;
        double dr = ur - vr, di = ui - vi;
        yr[j] = dr * cr[j] - di * ci[j];
        yi[j] = dr * ci[j] + di * cr[j];
    }
}

void forward_stage(double *re, double *im, size_t n, size_t len, const double *wr, const double *wi) {
    for (size_t i = 0; i < n; i += 2 * len)
        dif_row(re + i, im + i, re + i + len, im + i + len, wr + len, wi + len, len);
}

// Levels 2 and 1 of every block of four: the roots are 1 and -i.
void dif_leaves(double *__restrict re, double *__restrict im, size_t n) {
    for (size_t i = 0; i < n; i += 4) {
        double ar = re[i] + re[i + 2], ai = im[i] + im[i + 2], cr = re[i] - re[i + 2], ci = im[i] - im[i + 2];
        double br = re[i + 1] + re[i + 3], bi = im[i + 1] + im[i + 3];
        double dr = im[i + 1] - im[i + 3], di = re[i + 3] - re[i + 1];  // (x1 - x3) (-i)
        re[i] = ar + br;
        im[i] = ai + bi;
        re[i + 1] = ar - br;
        im[i + 1] = ai - bi;
        re[i + 2] = cr + dr;
        im[i + 2] = ci + di;
        re[i + 3] = cr - dr;
        im[i + 3] = ci - di;
    }
}

void forward_last(double *re, double *im, size_t n) {  // level 1 alone, for n = 2
    for (size_t i = 0; i < n; i += 2) {
        double ur = re[i], ui = im[i], vr = re[i + 1], vi = im[i + 1];
        re[i] = ur + vr;
        im[i] = ui + vi;
        re[i + 1] = ur - vr;
        im[i + 1] = ui - vi;
    }
}

void forward(double *re, double *im, size_t n, const double *wr, const double *wi) {
    if (n > kBlock) {
        forward_stage(re, im, n, n / 2, wr, wi);
        forward(re, im, n / 2, wr, wi);
        forward(re + n / 2, im + n / 2, n / 2, wr, wi);
        return;
    }
    if (n == 2) {
        forward_last(re, im, n);
        return;
    }
    for (size_t len = n / 2; len >= 4; len >>= 1) forward_stage(re, im, n, len, wr, wi);
    if (n >= 4) dif_leaves(re, im, n);
}

// Decimation in time with the conjugate roots: bit-reversed order in, natural order out, n
// times the inverse transform. The same passes as the forward transform, backwards.
// One row of butterflies: (x, y) -> (x + y conj(w), x - y conj(w)).
void dit_row(double *__restrict xr, double *__restrict xi, double *__restrict yr, double *__restrict yi,
             const double *__restrict cr, const double *__restrict ci, size_t len) {
    for (size_t j = 0; j < len; j++) {
        double ur = xr[j], ui = xi[j];
        double vr = yr[j] * cr[j] + yi[j] * ci[j];
        double vi = yi[j] * cr[j] - yr[j] * ci[j];
        xr[j] = ur + vr;
        xi[j] = ui + vi;
        yr[j] = ur - vr;
        yi[j] = ui - vi;
    }
}

void inverse_stage(double *re, double *im, size_t n, size_t len, const double *wr, const double *wi) {
    for (size_t i = 0; i < n; i += 2 * len)
        dit_row(re + i, im + i, re + i + len, im + i + len, wr + len, wi + len, len);
}

// Levels 1 and 2 of every block of four: the conjugate roots are 1 and i.
void dit_leaves(double *__restrict re, double *__restrict im, size_t n) {
    for (size_t i = 0; i < n; i += 4) {
        double ar = re[i] + re[i + 1], ai = im[i] + im[i + 1], br = re[i] - re[i + 1], bi = im[i] - im[i + 1];
        double cr = re[i + 2] + re[i + 3], ci = im[i + 2] + im[i + 3];
        double dr = im[i + 3] - im[i + 2], di = re[i + 2] - re[i + 3];  // (x2 - x3) i
        re[i] = ar + cr;
        im[i] = ai + ci;
        re[i + 2] = ar - cr;
        im[i + 2] = ai - ci;
        re[i + 1] = br + dr;
        im[i + 1] = bi + di;
        re[i + 3] = br - dr;
        im[i + 3] = bi - di;
    }
}

void inverse(double *re, double *im, size_t n, const double *wr, const double *wi) {
    if (n > kBlock) {
        inverse(re, im, n / 2, wr, wi);
        inverse(re + n / 2, im + n / 2, n / 2, wr, wi);
        inverse_stage(re, im, n, n / 2, wr, wi);
        return;
    }
    if (n == 2) {
        forward_last(re, im, n);  // level 1 is the same butterfly both ways
        return;
    }
    if (n >= 4) dit_leaves(re, im, n);
    for (size_t len = 4; len < n; len <<= 1) inverse_stage(re, im, n, len, wr, wi);
}

// D limbs are 9D digits, exactly nine pieces of D digits. Where each piece lies in its
// limbs is known when compiling, so every division below is by a constant.
constexpr int kGroupPieces = LIMB_DIGITS;

// Piece K (D digits) of the group of D limbs at g.
template <int D, int K> inline uint64_t piece_of(const Limb *g) {
    constexpr int start = K * D, limb = start / LIMB_DIGITS, offset = start % LIMB_DIGITS;
    if constexpr (offset + D <= LIMB_DIGITS) {
        return (g[limb] / kPow10[offset]) % kPow10[D];
    } else {
        return g[limb] / kPow10[offset] +
               uint64_t(g[limb + 1] % kPow10[offset + D - LIMB_DIGITS]) * kPow10[LIMB_DIGITS - offset];
    }
}

template <int D, size_t... K> inline void cut_group(const Limb *g, uint64_t *p, std::index_sequence<K...>) {
    ((p[K] = piece_of<D, int(K)>(g)), ...);
}

// The digits of piece K that fall into limb I of a group, in their place in the limb.
template <int D, int I, int K> inline uint64_t limb_part(const uint64_t *p) {
    constexpr int pieceLo = K * D, limbLo = I * LIMB_DIGITS;
    constexpr int lo = pieceLo > limbLo ? pieceLo : limbLo;
    constexpr int hi = pieceLo + D < limbLo + LIMB_DIGITS ? pieceLo + D : limbLo + LIMB_DIGITS;
    if constexpr (lo >= hi) {
        return 0;
    } else {
        return (p[K] / kPow10[lo - pieceLo]) % kPow10[hi - lo] * kPow10[lo - limbLo];
    }
}

template <int D, int I, size_t... K> inline Limb limb_of(const uint64_t *p, std::index_sequence<K...>) {
    return Limb((limb_part<D, I, int(K)>(p) + ...));
}

template <int D, size_t... I> inline void join_group(const uint64_t *p, Limb *g, std::index_sequence<I...>) {
    ((g[I] = limb_of<D, int(I)>(p, std::make_index_sequence<kGroupPieces>{})), ...);
}

// Pieces that a value of `limbs` limbs has at most: every limb as nine digits, and a carry.
size_t piece_count(size_t limbs, int digits) {
    return (limbs * LIMB_DIGITS + size_t(digits) - 1) / size_t(digits) + 1;
}

// The values cut_pieces writes, zeros on top included.
size_t piece_space(size_t limbs, int digits) {
    return size_t(kGroupPieces) * ((limbs + size_t(digits) - 1) / size_t(digits)) + 1;
}

// Pieces of D digits of a, balanced to [-P/2, P/2), into out[0..piece_space); their count
// without the zeros on top.
template <int D> size_t cut_pieces(const Limb *a, size_t na, double *out) {
    constexpr int64_t P = kPow10[D], half = P / 2;
    int64_t carry = 0;
    size_t count = 0;
    uint64_t p[kGroupPieces];
    for (size_t k = 0; k < na; k += D) {
        Limb tail[D] = {};
        const Limb *g = a + k;
        if (k + D > na) {
            std::copy(a + k, a + na, tail);
            g = tail;
        }
        cut_group<D>(g, p, std::make_index_sequence<kGroupPieces>{});
        for (int i = 0; i < kGroupPieces; i++) {
            int64_t v = int64_t(p[i]) + carry;
            carry = v >= half;
            out[count++] = double(v - carry * P);
        }
    }
    if (carry) out[count++] = 1;
    while (count > 0 && out[count - 1] == 0) count--;
    return count;
}

// (x_j + i x_(j+n)) w^j in place: the real parts in x[0..n), the imaginary ones in x[n..2n).
// (cr, ci) holds the conjugates of w^j.
void weigh(double *x, size_t n, const double *__restrict cr, const double *__restrict ci) {
    double *__restrict re = x, *__restrict im = x + n;
    for (size_t j = 0; j < n; j++) {
        double a = re[j], b = im[j];
        re[j] = a * cr[j] + b * ci[j];
        im[j] = b * cr[j] - a * ci[j];
    }
}

// Undoes the weights and the factor n in place: coefficient j then lies in x[j], j < 2n.
void unweigh(double *x, size_t n, const double *__restrict cr, const double *__restrict ci) {
    double *__restrict re = x, *__restrict im = x + n;
    const double scale = 1.0 / double(n);
    for (size_t j = 0; j < n; j++) {  // times w^-j: the low half real, the high half imaginary
        double a = re[j] * scale, b = im[j] * scale;
        re[j] = a * cr[j] - b * ci[j];
        im[j] = b * cr[j] + a * ci[j];
    }
}

// Rounds the coefficients x[0..count) to integers, carries them in base 10^D and packs the
// digits into out[0..nout); false when a coefficient lies too far from an integer.
template <int D> bool join_pieces(const double *x, size_t count, Limb *out, size_t nout) {
    constexpr int64_t P = kPow10[D];
    // adding and taking off 1.5 * 2^52 rounds to the nearest integer (|v| < 2^51)
    constexpr double kRound = 6755399441055744.0;
    constexpr int64_t kBias = P << 42;  // above any coefficient with its carry (below 2^51)
    double worst = 0;
    int64_t carry = 0;
    uint64_t p[kGroupPieces];
    size_t k = 0;
    auto put = [&] {
        Limb g[D];
        join_group<D>(p, g, std::make_index_sequence<D>{});
        for (int i = 0; i < D && k < nout; i++) out[k++] = g[i];
    };
    for (size_t j = 0; j < count; j += kGroupPieces) {
        for (int i = 0; i < kGroupPieces; i++) {
            double v = j + size_t(i) < count ? x[j + size_t(i)] : 0, r = (v + kRound) - kRound;
            worst = std::max(worst, std::fabs(v - r));
            // the coefficient with its carry, made positive by a multiple of P: an unsigned
            // division by a constant, no branch
            uint64_t c = uint64_t(int64_t(r) + carry + kBias), q = c / P;
            p[i] = c - q * P;
            carry = int64_t(q) - kBias / P;
        }
        put();
    }
    while (carry > 0 && k < nout) {  // the sum is the product: the last carry is not negative
        for (int i = 0; i < kGroupPieces; i++) {
            p[i] = uint64_t(carry % P);
            carry /= P;
        }
        put();
    }
    std::fill(out + k, out + nout, Limb(0));
    return worst < kMaxError;
}

// Decimal limbs as pieces of D digits.
template <int D> struct DecimalPieces {
    static size_t space(size_t limbs) { return piece_space(limbs, D); }
    static size_t cut(const Limb *a, size_t na, double *out) { return cut_pieces<D>(a, na, out); }
    static bool join(const double *x, size_t count, Limb *out, size_t nout) {
        return join_pieces<D>(x, count, out, nout);
    }
};

// Binary limbs (base 2^32) as a stream of pieces of `bits` bits, balanced like the decimal ones.
struct BinaryPieces {
    int bits;

    size_t space(size_t limbs) const { return (32 * limbs + size_t(bits) - 1) / size_t(bits) + 1; }

    size_t cut(const Limb *a, size_t na, double *out) const {
        const int64_t P = int64_t(1) << bits, half = P / 2;
        uint64_t acc = 0, mask = uint64_t(P - 1);
        int have = 0;
        int64_t carry = 0;
        size_t count = 0;
        auto put = [&](int64_t piece) {
            int64_t v = piece + carry;
            carry = v >= half;
            out[count++] = double(v - carry * P);
        };
        for (size_t k = 0; k < na; k++) {
            acc |= uint64_t(a[k]) << have;
            have += 32;
            for (; have >= bits; have -= bits, acc >>= bits) put(int64_t(acc & mask));
        }
        if (have > 0) put(int64_t(acc & mask));
        if (carry) out[count++] = 1;
        while (count > 0 && out[count - 1] == 0) count--;
        return count;
    }

    // Rounds, carries in base 2^bits and packs the bits into out[0..nout).
    bool join(const double *x, size_t count, Limb *out, size_t nout) const {
        constexpr double kRound = 6755399441055744.0;  // as in join_pieces
        const int64_t mask = (int64_t(1) << bits) - 1;
        double worst = 0;
        int64_t carry = 0;
        uint64_t acc = 0;
        int have = 0;
        size_t k = 0;
        auto put = [&](uint64_t piece) {
            acc |= piece << have;
            have += bits;
            if (have >= 32) {
                if (k < nout) out[k++] = Limb(acc);
                acc >>= 32;
                have -= 32;
            }
        };
        for (size_t j = 0; j < count; j++) {
            double v = x[j], r = (v + kRound) - kRound;
            worst = std::max(worst, std::fabs(v - r));
            int64_t c = int64_t(r) + carry;
            put(uint64_t(c & mask));
            carry = c >> bits;  // floor: the carry may be negative until the end
        }
        while (carry > 0 && k < nout) {
            put(uint64_t(carry & mask));
            carry >>= bits;
        }
        if (have > 0 && k < nout) out[k++] = Limb(acc);
        std::fill(out + k, out + nout, Limb(0));
        return worst < kMaxError;
    }
};

template <typename Pieces>
bool product(const Pieces &pieces, const Limb *a, size_t na, const Limb *b, size_t nb, size_t n, Limb *out) {
    Tables &t = tables();
    t.grow(4 * n);  // roots below n for the transform, level 2n for the weights
    const double *rr = t.re.data(), *ri = t.im.data();
    const double *wr = t.re.data() + 2 * n, *wi = t.im.data() + 2 * n;  // conjugated where used
    Scratch &s = scratch();
    auto transformed = [&](std::vector<double> &buffer, const Limb *v, size_t nv, size_t &count) {
        buffer.resize(std::max({buffer.size(), 2 * n, pieces.space(nv)}));
        double *x = buffer.data();
        count = pieces.cut(v, nv, x);
        std::memset(x + count, 0, (2 * n - count) * sizeof(double));
        weigh(x, n, wr, wi);
        forward(x, x + n, n, rr, ri);
        return x;
    };
    // A product of millions of limbs takes long between the looks of its caller: each pass
    // looks at a stop request.
    size_t ca, cb;
    double *x = transformed(s.x, a, na, ca);
    engineStopPoint();
    double *y = x;
    if (a == b && na == nb) cb = ca;
    else y = transformed(s.y, b, nb, cb);
    engineStopPoint();
    if (ca == 0 || cb == 0) {  // a zero operand (all its limbs zero)
        std::fill(out, out + na + nb, Limb(0));
        return true;
    }
    for (size_t j = 0; j < n; j++) {
        double ar = x[j], ai = x[n + j], br = y[j], bi = y[n + j];
        x[j] = ar * br - ai * bi;
        x[n + j] = ar * bi + ai * br;
    }
    inverse(x, x + n, n, rr, ri);
    engineStopPoint();
    unweigh(x, n, wr, wi);
    return pieces.join(x, ca + cb - 1, out, na + nb);
}

// The largest piece that the bound allows at the length it needs; false past every length.
bool plan(size_t na, size_t nb, int &digits, size_t &n, size_t &logN) {
    for (int d = kMaxDigits; d >= kMinDigits; d--) {
        size_t pa = piece_count(na, d), pb = piece_count(nb, d), pieces = pa + pb;
        n = 1;
        logN = 0;
        for (; 2 * n < pieces; n <<= 1) logN++;
        if (logN <= kMaxLogLength && error_bound(logN, double(kPow10[d]) / 2, pa, pb) < kMaxError) {
            digits = d;
            return true;
        }
    }
    return false;
}

}  // namespace

double fft_cost(size_t na, size_t nb, bool square) {
    int digits;
    size_t n, logN;
    if (!plan(na, nb, digits, n, logN)) return 0;
    // the transforms, plus the linear passes (cutting, weighing, joining) as a few levels
    return double(n) * (double(logN) + 6) * (square ? 2 : 3);
}

bool mul_fft(const Limb *a, size_t na, const Limb *b, size_t nb, Limb *out) {
    int digits;
    size_t n, logN;
    if (!plan(na, nb, digits, n, logN)) return false;
    if (digits == 5) return product(DecimalPieces<5>{}, a, na, b, nb, n, out);
    if (digits == 4) return product(DecimalPieces<4>{}, a, na, b, nb, n, out);
    return product(DecimalPieces<3>{}, a, na, b, nb, n, out);
}

bool mul_fft_binary(const Limb *a, size_t na, const Limb *b, size_t nb, Limb *out) {
    for (int bits = 16; bits >= 10; bits--) {
        BinaryPieces pieces{bits};
        size_t pa = pieces.space(na), pb = pieces.space(nb), n = 1, logN = 0;
        for (; 2 * n < pa + pb; n <<= 1) logN++;
        if (logN <= kMaxLogLength && error_bound(logN, std::ldexp(1.0, bits - 1), pa, pb) < kMaxError)
            return product(pieces, a, na, b, nb, n, out);
    }
    return false;
}

}  // namespace detail
}  // namespace nat
