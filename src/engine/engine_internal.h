// Small helpers shared by the engine's source files (not part of the public interface).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace engine {

// The exact road of a rational power x^(p/q): a q-th root (q at most this) of a power
// with at most this many digits. Beyond, the answer is the real power or stays symbolic.
constexpr uint64_t kMaxExactRootDegree = 4096;
constexpr double kMaxExactPowerDigits = 20000;
// Digits of numerator and denominator together of a fraction that a power writes out.
constexpr double kMaxExactFractionDigits = 50000;

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

inline bool allDigits(std::string_view t) {
    for (char c : t)
        if (!isDigit(c)) return false;
    return true;
}

inline bool startsWith(std::string_view t, char c) { return !t.empty() && t[0] == c; }
inline bool isNegative(std::string_view t) { return startsWith(t, '-'); }
// A step that answers a message instead of a value ends an evaluation: taken as an operand,
// the message would become a name in ever longer term texts.
inline bool isMessageText(std::string_view t) {
    return t.starts_with("Error") || t.starts_with("Warning>") || t.starts_with("[error") || t.starts_with("\nhint>");
}

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
