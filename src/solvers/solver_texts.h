// Small text helpers shared by the equation solvers.
#pragma once

#include <string>
#include <vector>

namespace solvers {

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

}  // namespace solvers
