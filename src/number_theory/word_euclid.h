// Euclid's algorithm on binary words for the values that follow its quotients: the Jacobi
// symbol (which needs only the low bits of each remainder) and continued fractions (which
// need every quotient). Long operands go by Lehmer's method: the quotients are found on the
// leading 62 bits of both numbers, collected in a 2x2 matrix and applied to the full numbers
// at once; the low word of every remainder is carried along in the single-word loop, so the
// symbol is followed without the remainders themselves.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "number_theory/montgomery.h"

namespace ntheory {

// Operands of at least this many words go by Lehmer's passes; shorter ones by a plain loop
// on machine words.
constexpr size_t kLehmerWords = 2;

// (a|n) for an odd n > 0 and 0 <= a < n.
int jacobiWords(const Words &a, const Words &n);

// The quotients of Euclid's algorithm on a >= 0 and b > 0: a = q0 b + r1, b = q1 r1 + r2, ...
// until a remainder is 0. Each quotient goes to `sink` as decimal text.
void euclidQuotients(const Words &a, const Words &b, const std::function<void(std::string_view)> &sink);

// q = a / b and r = a mod b for a non-zero b.
void divmodWords(const Words &a, const Words &b, Words &q, Words &r);

}  // namespace ntheory
