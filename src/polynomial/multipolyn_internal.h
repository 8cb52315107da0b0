// What the files of the multi-variable polynomial code share: the bounds of their work and
// the arithmetic of coefficient and exponent texts with its fast road for small integers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "polynomial/exact_kernel.h"

namespace multipolyn {

// Pairs of terms that one product may form (a tenth of a second on small coefficients).
constexpr double kMaxProductPairs = 1e6;
// Characters of the coefficient and exponent texts of one product term; a product whose
// terms could grow beyond it is refused (numbers grow by their digits, texts with letters
// by being written out again).
constexpr double kMaxTermChars = 2e6;
constexpr double kMaxSymbolicTermChars = 4000;
// Characters of all the coefficients of one product.
constexpr double kMaxProductChars = 4e7;
// Characters of a coefficient or exponent that is no number (a name, a bracket) built by
// adding or multiplying such texts: the engine writes their sum or product out in full and
// reads each operand whole, so building one piece by piece costs the square of its length.
constexpr size_t kMaxExpressionChars = 20000;

// "0", or digits without a leading zero after an optional '-': the texts the arithmetic
// writes for integers.
bool isCanonicalInteger(std::string_view text);

// A coefficient or exponent text: a small integer kept as its value and the form it is
// written in ("+5" stays "+5"), a longer integer kept in limbs, or any other text. The
// arithmetic below gives the texts that fr_multiplication and fr_addition of the polynomial
// engine write, without the engine for integers: the coefficients of a power grow long, and
// reading and writing their digits at every product would cost more than the products.
struct NumberText {
    bool small = false;
    bool plus = false;  // a small value written with a leading '+'
    int64_t value = 0;
    bool big = false;  // an integer of more than 18 digits, written as the arithmetic writes it
    polyn::exact::Int integer;
    std::string text;  // when neither small nor big

    static NumberText of(const std::string &text);
    std::string written() const;
    void appendTo(std::string &out) const;
};

// Digits with signs, fraction bars and points: a text the engine computes as a number, whose
// sums and products do not grow by being written out.
bool isNumberLike(std::string_view text);
// True when a and b together are an expression text (not a number) longer than `limit`: the
// length of their sum.
bool combinesTooLong(const NumberText &a, const NumberText &b, size_t limit = kMaxExpressionChars);

// The index written after "x_" at `p`: blanks, an optional sign and digits, as strtoll reads
// them; no digits read nothing and give 0. `p` moves past the digits and `used` holds what
// was read. False for a negative index or one past 64 bits (index left 0).
bool readVariableIndex(const char *&p, int64_t &index, std::string_view &used);
// The answer to an index that readVariableIndex refused.
std::string indexRangeMessage(std::string_view used);

NumberText product(const NumberText &a, const NumberText &b);
NumberText sum(const NumberText &a, const NumberText &b);
std::string productText(const std::string &a, const std::string &b);
std::string sumText(const std::string &a, const std::string &b);

}  // namespace multipolyn
