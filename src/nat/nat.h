// Natural numbers on machine words: the fast core under the digit-text arithmetic.
// A Nat holds base-10^9 limbs, least significant first, with no zero limb at the top;
// zero is the empty vector. Decimal text converts in linear time (nine digits a limb).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nat {

using Limb = uint32_t;
using Nat = std::vector<Limb>;

constexpr Limb BASE = 1000000000u;
constexpr int LIMB_DIGITS = 9;

// Invariant of every Nat handed out: normalized (top limb non-zero, or empty for zero).
void normalize(Nat &a);
// The normal form, asserted in Debug builds where a Nat enters and leaves the operations
// (comparison by length and every carry rest on it): every limb below BASE and no zero limb
// at the top. has_normal_top is the part that costs nothing, for the short in-place steps.
bool is_normal(const Nat &a);
inline bool has_normal_top(const Nat &a) { return a.empty() || a.back() != 0; }

// Decimal text <-> Nat. `digits` must hold only '0'..'9' (leading zeros are fine).
Nat from_decimal(std::string_view digits);
// Appends the value to `out`, zero-padded on the left to at least `width` digits.
// Zero with width 0 appends nothing.
void append_decimal(const Nat &a, std::string &out, size_t width = 0);
std::string to_decimal(const Nat &a, size_t width = 0);
size_t decimal_digits(const Nat &a);  // 0 for zero
Nat from_u64(uint64_t v);
// Value when it fits in 64 bits; returns false otherwise.
bool to_u64(const Nat &a, uint64_t &v);

int compare(const Nat &a, const Nat &b);
inline bool is_zero(const Nat &a) { return a.empty(); }

Nat add(const Nat &a, const Nat &b);
Nat sub(const Nat &a, const Nat &b);  // requires a >= b
void add_small(Nat &a, Limb v);       // in place, v < BASE
void sub_small(Nat &a, Limb v);       // in place, requires a >= v

Nat mul(const Nat &a, const Nat &b);
Nat sqr(const Nat &a);
void mul_small(Nat &a, Limb m);  // in place, m < BASE
// Whole limbs: floor(a / BASE^k), a * BASE^k and BASE^k.
Nat drop_limbs(const Nat &a, size_t k);
Nat shift_limbs(const Nat &a, size_t k);
Nat power_of_base(size_t k);
// a * 10^k
Nat shift_decimal(const Nat &a, size_t k);
// floor(a / 10^k): whole limbs dropped, then one short division
Nat shift_decimal_down(const Nat &a, size_t k);
Nat pow10(size_t k);

// A divisor with its reciprocal, made once for many divisions by the same number.
struct Divisor {
    Nat value;
    Nat inverse;  // near BASE^(2k) / value for value of k limbs; empty for short divisors
};
Divisor make_divisor(const Nat &d);  // d non-zero

// q = a / d, returns a mod d; d in 1..BASE-1
Limb divmod_small(const Nat &a, Limb d, Nat &q);
// q = a / b, r = a mod b; b must be non-zero.
void divmod(const Nat &a, const Nat &b, Nat &q, Nat &r);
void divmod(const Nat &a, const Divisor &d, Nat &q, Nat &r);

Nat pow(const Nat &base, uint64_t e);
Nat gcd(Nat a, Nat b);
// lo * (lo+1) * ... * hi (1 when lo > hi), by a product tree
Nat product_range(uint64_t lo, uint64_t hi);
// n written in a base from 2 to 36 (digits 0-9a-z), no leading zeros
std::string to_base(const Nat &n, Limb base);
// The same for a base 2^bits, bits from 1 to 5, through the binary value; false (out
// untouched) when n is too long for the binary products.
bool to_power_of_two_base(const Nat &n, int bits, std::string &out);
// The value of digit values (most significant first) in any base
Nat from_digit_values(const std::vector<uint32_t> &values, const Nat &base);
// floor(n^(1/k)), k >= 1
Nat root(const Nat &n, uint64_t k);

// Internals shared between the multiplication files. Each product writes out[0..na+nb),
// which must not overlap the operands.
namespace detail {
void mul_school(const Limb *a, size_t na, const Limb *b, size_t nb, Limb *out);
void mul_karatsuba(const Limb *a, size_t na, const Limb *b, size_t nb, Limb *out);
// Product through a complex floating-point transform; false (out untouched or garbage) when
// the operands are too long for its proven error bound.
bool mul_fft(const Limb *a, size_t na, const Limb *b, size_t nb, Limb *out);
// The work of mul_fft in butterflies, roughly (for choosing between roads); 0 when the
// operands are too long for it.
double fft_cost(size_t na, size_t nb, bool square);
// Product through three-prime number-theoretic transforms, na + nb <= NTT_MAX_LENGTH.
void mul_ntt(const Limb *a, size_t na, const Limb *b, size_t nb, Limb *out);
// The same transform on limbs of base 2^32 (binary naturals, the conversion to power-of-two
// bases); false when the operands are too long for it.
bool mul_fft_binary(const Limb *a, size_t na, const Limb *b, size_t nb, Limb *out);
// The fastest transform that covers the length; false when none does.
bool mul_transform(const Limb *a, size_t na, const Limb *b, size_t nb, Limb *out);
constexpr size_t KARATSUBA_THRESHOLD = 80;   // limbs of the shorter operand
constexpr size_t FFT_THRESHOLD = 180;        // limbs of the shorter operand
constexpr size_t NTT_MAX_LENGTH = size_t(1) << 23;
}  // namespace detail

}  // namespace nat
