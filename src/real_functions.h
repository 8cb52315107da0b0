// Correctly rounded real functions in fixed point on limb naturals: the engine's fallback
// where the text algorithms would not finish or not converge (powers with fractional
// exponents of large denominators, logarithms and exponentials of any size).
#pragma once

#include <cstdint>
#include <string>

#include "nat/nat.h"

namespace realfn {

// A non-negative real number value / 10^scale.
struct Fixed {
    nat::Nat value;
    size_t scale = 0;
};

// Parses an unsigned real-number text ("12.5", ".5", "3."); false for anything else.
bool parseFixed(const std::string &text, Fixed &out);

// ln x for x > 0, to `decimals` correct decimals (plus guard digits handled inside);
// the result is signed: *negative tells whether ln x < 0.
Fixed lnFixed(const Fixed &x, size_t decimals, bool &negative);

// e^y for a signed y, to `decimals` decimals of the result.
Fixed expFixed(const Fixed &y, bool negative, size_t decimals);

// The text with exactly `decimals` decimals, rounded half up (the value is scaled by
// more digits than that).
std::string roundedText(const Fixed &x, size_t decimals);

// log10 of a positive real text, roughly (for size estimates).
double approxLog10(const std::string &unsignedReal);

// x^(num/den) for a positive real text x, with `decimals` decimals rounded half up.
// Returns false when the answer would have more than maxDigits integer digits.
bool powRational(const std::string &x, const nat::Nat &num, const nat::Nat &den, size_t decimals,
                 double maxDigits, std::string &out);

}  // namespace realfn
