// Elementary functions in fixed point on limb naturals, each with a known bound on its
// error, and the choice of the last printed digit from that bound.
//
// A value is magnitude / 10^scale with a sign. The kernels answer within kKernelError
// units of the scale they are asked for; the text functions retry with more guard digits
// whenever that error leaves the last printed digit open, so the printed digits are the
// true ones (rounded half up or cut, as the caller asks).
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "nat/nat.h"

namespace realfn {

struct Scaled {
    nat::Nat magnitude;
    size_t scale = 0;
    bool negative = false;
};

constexpr uint64_t kKernelError = 1000;

// ---- sums of series by binary splitting (binary_splitting.cpp) ----
// e^(a / 10^d) for 0 <= a / 10^d <= 1, at the scale (d <= scale); e itself is one sum of 1/k!.
nat::Nat expOfRatio(const nat::Nat &a, size_t d, size_t scale);
// sin and cos of a / 10^d for 0 <= a / 10^d <= 1.5, at the scale (d <= scale).
void sinCosOfRatio(const nat::Nat &a, size_t d, size_t scale, nat::Nat &sine, nat::Nat &cosine);
// atanh(1/q) for an integer q from 2 to 10^4, at the scale.
nat::Nat atanhOfInverse(uint64_t q, size_t scale);
// The sum of weight * atanh(1/q) over the terms (q from 2 to 10^4, weights below 10^4 in
// magnitude) at the scale; zero where the sum is not positive.
struct AtanhTerm {
    int64_t weight;
    uint64_t q;
};
nat::Nat atanhSum(std::initializer_list<AtanhTerm> terms, size_t scale);

// ---- fixed-point helpers (real_elementary.cpp) ----
nat::Nat shiftDown(const nat::Nat &x, size_t digits);  // floor(x / 10^digits)
nat::Nat mulScaled(const nat::Nat &a, const nat::Nat &b, size_t scale);
nat::Nat divScaled(const nat::Nat &a, const nat::Nat &b, size_t scale);
Scaled addSigned(const Scaled &a, const Scaled &b);  // same scale
double leadingLog10(const nat::Nat &x);               // log10 of the value, roughly; -inf for zero

// ---- constants ----
nat::Nat ln2At(size_t scale);
// ln 2 from its own series, at the scale, nothing kept.
nat::Nat ln2Series(size_t scale);
nat::Nat ln10At(size_t scale);
nat::Nat ln5over4At(size_t scale);
// pi from the stored decimals (cut); false when more decimals are asked for than stored.
bool piAt(size_t scale, nat::Nat &pi);
size_t storedPiDecimals();
// Drops the values kept for later calls, so that the next call computes them afresh (the
// benchmarks time a first call this way).
void forgetKeptConstants();

// ---- functions ----
// e at the scale.
nat::Nat eAt(size_t scale);
// e^x at the scale; the caller makes the scale large enough for the integer digits.
nat::Nat expAt(const Scaled &x, size_t scale);
// ln(m * 10^e) for a mantissa m in [1, 10) given at the scale.
Scaled lnAt(const nat::Nat &mantissa, int64_t exponent, size_t scale);
// sin and cos of t for 0 <= t <= 1.5 (t at the scale).
void sinCosAt(const nat::Nat &t, size_t scale, nat::Nat &sine, nat::Nat &cosine);

// ---- the printed text ----
enum class LastDigit { Rounded, Cut };

// An approximation and the bound of its error in units of its scale.
struct Approx {
    Scaled value;
    nat::Nat error;
};

// The text with exactly `decimals` decimals (none and no point for 0), when every value
// within the error gives the same text; a zero is written without a sign.
bool decideText(const Approx &x, size_t decimals, LastDigit mode, std::string &out);

// Asks `compute` for approximations with 16, 32, 64 ... guard digits until the text is
// decided. `compute` returns false when it cannot go further (pi too short); then the
// best approximation so far is printed. False when not even the first one was possible.
bool decideWithGuards(size_t decimals, LastDigit mode, const std::function<bool(size_t, Approx &)> &compute,
                      std::string &out);

}  // namespace realfn
