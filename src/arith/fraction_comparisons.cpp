// Comparisons of fraction texts by the sign of their difference.
#include "BigNumber.h"
#include "engine/engine_internal.h"

using namespace engine;

bool BigNumber::isFractionLess(const std::string &a, const std::string &b) {
    return startsWith(fr_subtraction(a, b), '-');
}

bool BigNumber::isFractionGreater(const std::string &a, const std::string &b) {
    return startsWith(fr_subtraction(b, a), '-');
}

namespace {

// trimZeros, except that a numerator of zeros keeps one 0 (00|5 is 0|5) and a text that
// then begins with a point gets a 0 in front.
std::string trimFraction(const std::string &t) {
    size_t bar = t.find_first_of("|/");
    std::string r;
    if (bar != std::string::npos) {
        std::string num = t.substr(0, bar);
        std::string trimmed = BigNumber::trimZeros(num);
        r = (num.empty() ? "" : trimmed) + t.substr(bar);
    } else {
        r = BigNumber::trimZeros(t);
    }
    if (startsWith(r, '.')) r = "0" + r;
    return r;
}

}  // namespace

bool BigNumber::isFractionEqual(const std::string &a, const std::string &b) {
    std::string x = trimFraction(a), y = trimFraction(b);
    if (x == y) return true;
    if (isNegative(x) != isNegative(y)) return false;
    if (isNegative(x)) {
        x.erase(0, 1);
        y.erase(0, 1);
    }
    std::string d = fr_subtraction(x, y);
    if (d == "0|1" || d == "0") return true;
    std::string t = trimZeros(d);
    return t == "0|1" || t == "0";
}
