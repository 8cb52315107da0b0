// Real powers with fractional exponents: the engine's fallback where the exact road (an
// integer power and its root) would take a power with millions of digits or a root of
// huge degree.
#pragma once

#include <string>

#include "nat/nat.h"

namespace realfn {

// x^(num/den) for a positive real text x, with `decimals` decimals rounded half up (each
// printed digit the true one). Returns false when the answer would have more than
// maxDigits integer digits.
bool powRational(const std::string &x, const nat::Nat &num, const nat::Nat &den, size_t decimals,
                 double maxDigits, std::string &out);

}  // namespace realfn
