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
// |x|, |y| <= sqrt(2N) B the euclidean norms of the inputs (pieces at most B = 10^d/2 in both
// parts); the weights add a multiplication at each end. Each product takes the largest d
// whose bound stays below kMaxError; rounding to the nearest integer then gives every
// coefficient exactly. A coefficient found farther than that from an integer, which the bound
// excludes, sends the product to the number-theoretic transform all the same.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "nat/nat.h"

namespace nat {
namespace detail {
namespace {

constexpr double kMaxError = 0.375;
constexpr double kPi = 3.14159265358979323846264338327950288;
constexpr double kUnit = 1.0 / 9007199254740992.0;  // 2^-53
// A stored root is the correctly rounded one within a fraction of an ulp (see Tables); four
// units leave room for a library whose long double sine and cosine are no better than double.
constexpr double kRootError = 4 * kUnit;
constexpr int kMinDigits = 3, kMaxDigits = 5;
constexpr size_t kMaxLogLength = 26;

constexpr uint32_t kPow10[10] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

double error_bound(size_t logN, int digits) {
    double n = double(logN), B = double(kPow10[digits]) / 2;
    const double s5 = std::sqrt(5.0);
    // ln of the bracket's product, with ln(1+x) <= x; the weights' two multiplications too
    double lnGrowth = (3 * n * (1 + s5) + s5) * kUnit + 3 * n * kRootError + 2 * (s5 * kUnit + kRootError);
    double norms = 2 * std::ldexp(1.0, int(logN)) * B * B;
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
    std::vector<int64_t> coefficients;
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
// cache are finished before the next one starts.
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

void forward_last(double *re, double *im, size_t n) {  // len 1: the root is 1
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
    for (size_t len = n / 2; len >= 2; len >>= 1) forward_stage(re, im, n, len, wr, wi);
    if (n >= 2) forward_last(re, im, n);
}

// Decimation in time with the conjugate roots: bit-reversed order in, natural order out, n
// times the inverse transform.
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

void inverse(double *re, double *im, size_t n, const double *wr, const double *wi) {
    if (n > kBlock) {
        inverse(re, im, n / 2, wr, wi);
        inverse(re + n / 2, im + n / 2, n / 2, wr, wi);
        inverse_stage(re, im, n, n / 2, wr, wi);
        return;
    }
    if (n >= 2) forward_last(re, im, n);  // len 1 is the same butterfly both ways
    for (size_t len = 2; len < n; len <<= 1) inverse_stage(re, im, n, len, wr, wi);
}

// Pieces of `digits` digits of a, balanced, into out (zeros after them up to 2n); the count.
template <int digits> size_t cut_pieces(const Limb *a, size_t na, double *out) {
    constexpr uint64_t P = kPow10[digits];
    const int64_t half = int64_t(P / 2);
    uint64_t acc = 0;
    int have = 0;
    int64_t carry = 0;
    size_t count = 0;
    auto emit = [&](uint64_t piece) {
        int64_t v = int64_t(piece) + carry;
        carry = v >= half;
        out[count++] = double(carry ? v - int64_t(P) : v);
    };
    for (size_t k = 0; k < na; k++) {
        acc += uint64_t(a[k]) * kPow10[have];  // below 10^(have + 9) <= 10^13
        have += LIMB_DIGITS;
        while (have >= digits) {
            uint64_t q = acc / P;
            emit(acc - q * P);
            acc = q;
            have -= digits;
        }
    }
    if (have > 0) emit(acc);
    if (carry) out[count++] = 1;
    return count;
}

// Pieces that cut_pieces makes at most: every limb as nine digits, and a carry.
size_t piece_count(size_t limbs, int digits) { return (limbs * LIMB_DIGITS + size_t(digits) - 1) / size_t(digits) + 1; }

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

// Undoes the weights and the factor n, rounds, and leaves coefficient j in c[j] for j < count;
// false when one lies too far from an integer.
bool unweigh(double *x, size_t n, const double *__restrict cr, const double *__restrict ci, size_t count,
             int64_t *c) {
    double *__restrict re = x, *__restrict im = x + n;
    const double scale = 1.0 / double(n);
    for (size_t j = 0; j < n; j++) {  // times w^-j: the low half real, the high half imaginary
        double a = re[j] * scale, b = im[j] * scale;
        re[j] = a * cr[j] - b * ci[j];
        im[j] = b * cr[j] + a * ci[j];
    }
    // adding and taking off 1.5 * 2^52 rounds to the nearest integer (|v| < 2^51)
    constexpr double kRound = 6755399441055744.0;
    double worst = 0;
    for (size_t j = 0; j < count; j++) {
        double v = x[j], r = (v + kRound) - kRound;
        worst = std::max(worst, std::fabs(v - r));
        c[j] = int64_t(r);
    }
    return worst < kMaxError;
}

// Carries the signed coefficients in base 10^digits and packs them into limbs out[0..nout).
template <int digits> void join_pieces(const int64_t *c, size_t count, Limb *out, size_t nout) {
    constexpr int64_t P = int64_t(kPow10[digits]);
    int64_t carry = 0;
    uint64_t acc = 0;
    int have = 0;
    size_t k = 0;
    auto put = [&](uint64_t piece) {
        acc += piece * kPow10[have];
        have += digits;
        if (have >= LIMB_DIGITS) {
            uint64_t q = acc / BASE;
            if (k < nout) out[k++] = Limb(acc - q * BASE);
            acc = q;
            have -= LIMB_DIGITS;
        }
    };
    for (size_t j = 0; j < count; j++) {
        int64_t v = c[j] + carry;
        int64_t r = v % P;
        if (r < 0) r += P;
        carry = (v - r) / P;
        put(uint64_t(r));
    }
    while (carry > 0) {  // the sum is the product, so the last carry is not negative
        put(uint64_t(carry % P));
        carry /= P;
    }
    for (; k < nout; k++) {  // the digits left over, then zeros
        out[k] = Limb(acc % BASE);
        acc /= BASE;
    }
}

}  // namespace

namespace {

// The largest piece that the bound allows at the length it needs; false past every length.
bool plan(size_t na, size_t nb, int &digits, size_t &n, size_t &logN) {
    for (int d = kMaxDigits; d >= kMinDigits; d--) {
        size_t pieces = piece_count(na, d) + piece_count(nb, d);
        n = 1;
        logN = 0;
        for (; 2 * n < pieces; n <<= 1) logN++;
        if (logN <= kMaxLogLength && error_bound(logN, d) < kMaxError) {
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
    Tables &t = tables();
    t.grow(4 * n);  // roots below n for the transform, level 2n for the weights
    const double *rr = t.re.data(), *ri = t.im.data();
    const double *wr = t.re.data() + 2 * n, *wi = t.im.data() + 2 * n;  // conjugated where used
    Scratch &s = scratch();
    auto transformed = [&](std::vector<double> &buffer, const Limb *v, size_t nv, size_t &count) {
        if (buffer.size() < 2 * n) buffer.resize(2 * n);
        double *x = buffer.data();
        count = digits == 5 ? cut_pieces<5>(v, nv, x) : digits == 4 ? cut_pieces<4>(v, nv, x) : cut_pieces<3>(v, nv, x);
        std::memset(x + count, 0, (2 * n - count) * sizeof(double));
        weigh(x, n, wr, wi);
        forward(x, x + n, n, rr, ri);
        return x;
    };
    size_t ca, cb;
    double *x = transformed(s.x, a, na, ca);
    double *y = x;
    if (a == b && na == nb) cb = ca;
    else y = transformed(s.y, b, nb, cb);
    for (size_t j = 0; j < n; j++) {
        double ar = x[j], ai = x[n + j], br = y[j], bi = y[n + j];
        x[j] = ar * br - ai * bi;
        x[n + j] = ar * bi + ai * br;
    }
    inverse(x, x + n, n, rr, ri);
    size_t count = ca + cb - 1;
    if (s.coefficients.size() < count) s.coefficients.resize(count);
    if (!unweigh(x, n, wr, wi, count, s.coefficients.data())) return false;
    const int64_t *c = s.coefficients.data();
    if (digits == 5) join_pieces<5>(c, count, out, na + nb);
    else if (digits == 4) join_pieces<4>(c, count, out, na + nb);
    else join_pieces<3>(c, count, out, na + nb);
    return true;
}

}  // namespace detail
}  // namespace nat
