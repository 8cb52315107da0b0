// The self-initialising quadratic sieve: a factor of an odd composite of up to
// kSiqsMaxDigits digits with no small factors, not a perfect power.
#pragma once

#include <cstddef>

#include "nat/nat.h"

namespace ntheory {

constexpr size_t kSiqsMaxDigits = 59;

// A proper factor of n, or zero when the sieve found none.
nat::Nat siqs(const nat::Nat &n);

}  // namespace ntheory
