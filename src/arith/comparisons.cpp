// Comparisons of number texts by computing with them: an order test looks at the sign of
// a sum or difference, an equality test at whether a difference is zero. Plain real-number
// texts take a direct comparison of their digits that gives the same answers, signed
// zeros included (-0 < 0, as -0 + -0 is -0).
#include <algorithm>

#include "BigNumber.h"
#include "engine/engine_internal.h"

using namespace engine;

namespace {

std::string withoutPlus(const std::string &t) { return startsWith(t, '+') ? t.substr(1) : t; }

// A difference that reads as zero: only '0' and at most one point, after at most one '-'.
bool isZeroDifference(const std::string &d) {
    std::string_view u = d;
    if (startsWith(u, '-')) u.remove_prefix(1);
    if (u.empty() || u.find_first_not_of("0.") != std::string_view::npos) return false;
    return std::count(u.begin(), u.end(), '.') <= 1 && u != ".";
}

}  // namespace

bool BigNumber::isLessThan(const std::string &a0, const std::string &b0) {
    std::string a = withoutPlus(a0), b = withoutPlus(b0);
    if (isRealNumber(a) && isRealNumber(b)) {
        bool na = isNegative(a), nb = isNegative(b);
        std::string_view A = unsignedPart(a), B = unsignedPart(b);
        if (!na && nb) return false;
        if (na && !nb) return true;  // also -0 < 0: the sum of two negatives stays negative
        return na ? compareMagnitude(B, A) < 0 : compareMagnitude(A, B) < 0;
    }
    std::string negated = isNegative(b) ? b.substr(1) : "-" + b;
    return startsWith(addition(a0, negated), '-');
}

bool BigNumber::isGreaterThan(const std::string &a, const std::string &b) { return isLessThan(b, a); }

bool BigNumber::isLessOrEqual(const std::string &a, const std::string &b) {
    return isLessThan(a, b) || isEqualTo(a, b);
}

bool BigNumber::isEqualTo(const std::string &a, const std::string &b) {
    std::string x = trimZeros(a), y = trimZeros(b);
    if (x == "-0" || x == "+0") x = "0";
    if (y == "-0" || y == "+0") y = "0";
    if (x == y) return true;
    if (isNegative(x) != isNegative(y)) return false;
    if (isNegative(x)) {
        x.erase(0, 1);
        y.erase(0, 1);
    }
    if (isRealNumber(x) && isRealNumber(y) && !startsWith(x, '+') && !startsWith(y, '+'))
        return compareMagnitude(x, y) == 0;
    return isZeroDifference(real_subtraction(x, y));
}

std::string BigNumber::equalToText(const std::string &a, const std::string &b) {
    std::string x = trimZeros(a), y = trimZeros(b);
    if (startsWith(x, '.')) x = "0" + x;
    if (startsWith(y, '.')) y = "0" + y;
    if (x == y) return "1";
    if (isNegative(x) != isNegative(y)) return "0";
    if (isNegative(x)) {
        x.erase(0, 1);
        y.erase(0, 1);
    }
    std::string d = real_subtraction(x, y);
    if (d == "0" || d == "0.0") return "1";
    std::string t = trimZeros(d);
    return t == "0" || t == "0.0" ? "1" : "0";
}

std::string BigNumber::lessThanText(const std::string &a, const std::string &b) {
    return startsWith(real_subtraction(a, b), '-') ? "1" : "0";
}

std::string BigNumber::greaterThanText(const std::string &a, const std::string &b) {
    return startsWith(real_subtraction(b, a), '-') ? "1" : "0";
}

bool BigNumber::isLessBelowOne(const std::string &a, const std::string &b) {
    if (a.empty() || b.empty() || a == b || a.size() < 3 || b.size() < 3) return false;
    if (a[0] != '0' || a[1] != '.' || b[0] != '0' || b[1] != '.') return false;
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 2; i < n; i++)
        if (a[i] != b[i]) return a[i] < b[i];
    if (a.size() >= b.size()) return false;
    for (size_t i = n; i < b.size(); i++)
        if (b[i] > '0') return true;
    return false;
}
