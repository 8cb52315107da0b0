// Small text helpers shared by the equation solvers.
#pragma once

#include <string>
#include <vector>

#include "engine/engine_internal.h"

namespace solvers {

// The answer of the equations in integers to a coefficient or right side that is no integer.
inline const char *const kNotIntegers = "Error> the coefficients and the right side must be integers.\n";

// Element i of a coefficient list, "0" when the list is shorter.
inline const std::string &coefficientAt(const std::vector<std::string> &list, size_t i) {
    static const std::string zero = "0";
    return i < list.size() ? list[i] : zero;
}

// The text with its sign turned the way the derivations write it: a leading '-' becomes
// '+', a leading '+' becomes '-', any other text gets "-" in front.
inline std::string turnedSign(const std::string &text) {
    if (!text.empty() && text[0] == '-') return "+" + text.substr(1);
    if (!text.empty() && text[0] == '+') return "-" + text.substr(1);
    return "-" + text;
}

// An integer text (engine::isIntegerText) in its plain form: no '+', no leading zeros, and
// "0" for every zero.
inline std::string plainInteger(const std::string &text) {
    std::string_view digits = engine::unsignedPart(text);
    size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos) return "0";
    return (engine::isNegative(text) ? "-" : "") + std::string(digits.substr(first));
}

} // namespace solvers
