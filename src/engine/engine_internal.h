// Small helpers shared by the engine's source files (not part of the public interface).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text_helpers.h"

namespace engine {

// The exact road of a rational power x^(p/q): a q-th root (q at most this) of a power
// with at most this many digits. Beyond, the answer is the real power or stays symbolic.
constexpr uint64_t kMaxExactRootDegree = 4096;
constexpr double kMaxExactPowerDigits = 20000;
// Digits of numerator and denominator together of a fraction that a power writes out.
constexpr double kMaxExactFractionDigits = 50000;

inline bool startsWith(std::string_view t, char c) { return !t.empty() && t[0] == c; }
inline bool isNegative(std::string_view t) { return startsWith(t, '-'); }

// Decimals that any member computes at most, whatever the precision asks: beyond, the digit
// counts alone take gigabytes. One cap, one message, for every member.
constexpr size_t kMaxPrecision = 100000;
// The precision as a count of decimals (none for a negative one); false past kMaxPrecision.
bool precisionDecimals(int32_t precision, size_t &decimals);
// The answer of `member` (its name as the user knows it) asked for more than kMaxPrecision decimals.
std::string precisionMessage(const std::string &member);

// The text without one leading '+' or '-'.
inline std::string_view unsignedPart(std::string_view t) {
    return !t.empty() && (t[0] == '+' || t[0] == '-') ? t.substr(1) : t;
}

// A signed or unsigned text of digits only, at least one of them.
inline bool isIntegerText(std::string_view t) {
    std::string_view u = unsignedPart(t);
    return !u.empty() && allDigits(u);
}

// An integer text whose value is zero ("0", "-00", "+0").
inline bool isZeroInteger(std::string_view t) {
    std::string_view u = unsignedPart(t);
    return !u.empty() && u.find_first_not_of('0') == std::string_view::npos;
}

// A number text of value zero, written as an integer, a decimal or a fraction ("0", "-0",
// "0.00", "0|3"); a fraction needs digits on both sides of its bar and a denominator that is
// not zero. Other texts are not zero.
bool isZeroValue(std::string_view t);

// Special words of the number text: Inf, NaN and the infinity sign, with or without a
// sign, and "undefined".
bool isSpecialWord(std::string_view t);

// Compares two unsigned real-number texts (digits with at most one point) by value.
int compareMagnitude(std::string_view a, std::string_view b);

// The text cut into terms at every '+' and '-' after its first character that stands
// outside parentheses; a "+" is put in front when the text has no sign. Every term keeps
// its sign character.
std::vector<std::string> splitTerms(const std::string &text);

// Digits of an unsigned real text without its point (the number of decimals it had goes
// to `decimals`), leading zeros removed but one.
std::string scaledDigits(const std::string &unsignedReal, size_t &decimals);

// Keeps the characters up to and including the point and `places` more.
std::string cutDecimals(const std::string &text, size_t places);

}  // namespace engine
