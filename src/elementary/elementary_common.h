// Number texts in and out of the fixed-point elementary functions: their limits, the
// reading of an argument text and the texts of the stored constants.
#pragma once

#include <cstdint>
#include <string>

#include "nat/nat.h"
#include "elementary/real_elementary.h"

namespace elementary {

// Digits that an answer of exp may have in all (before and after the point).
constexpr size_t kMaxAnswerDigits = 120000;

// An unsigned real-number text cut at its point, with the leading zeros of the integer
// part removed (".5" has the integer part "").
struct RealText {
    std::string integer;
    std::string fraction;
};

// Reads a real-number text that may start with '+' (not '-'); false for anything else.
bool splitReal(const std::string &text, RealText &out);
bool isZero(const RealText &x);
// The value cut to `scale` decimals.
realfn::Scaled toScaled(const RealText &x, size_t scale, bool negative);
// x = m * 10^e with m in [1, 10), m cut to `scale` decimals; x must not be zero.
void mantissaOf(const RealText &x, size_t scale, nat::Nat &mantissa, int64_t &exponent);

// A stored constant ("2." and its digits) cut to `decimals`; no point for none.
std::string cutConstant(const std::string &constant, size_t decimals);
// "1", "1.0", "1.00", ... with `decimals` zeros.
std::string oneText(size_t decimals);

}  // namespace elementary
