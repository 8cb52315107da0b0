// Coefficient texts: plain numbers, negation, and evaluation as normalisation does it.
#include "polynomial/coefficients.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "BigNumber.h"
#include "globals.h"
#include "nat/nat.h"
#include "tools.h"

namespace polyn {

namespace {

// Digits without a leading zero; "0" itself only where zero is allowed.
bool isDigitRun(std::string_view t, bool zeroAllowed) {
    if (t.empty()) return false;
    for (char c : t)
        if (c < '0' || c > '9') return false;
    return t[0] != '0' || (zeroAllowed && t.size() == 1);
}

}  // namespace

bool isPlainNumber(std::string_view text) {
    std::string_view t = !text.empty() && text[0] == '-' ? text.substr(1) : text;
    size_t bar = t.find('|');
    if (bar == std::string_view::npos) return isDigitRun(t, text.size() == t.size());
    std::string_view n = t.substr(0, bar), d = t.substr(bar + 1);
    if (!isDigitRun(n, false) || !isDigitRun(d, false) || d == "1") return false;
    nat::Nat g = nat::gcd(nat::from_decimal(n), nat::from_decimal(d));
    return g.size() == 1 && g[0] == 1;
}

bool isSymbolic(std::string_view c) {
    for (char ch : c)
        if (!(ch >= '0' && ch <= '9') && !std::strchr("+-*/|.()^%@!<>~", ch)) return true;
    return false;
}

std::string negated(const std::string &c) {
    if (!c.empty() && c[0] == '-') return c.substr(1);
    if (!c.empty() && c[0] == '+') return "-" + c.substr(1);
    return "-" + c;
}

std::string evaluatedCoefficient(const std::string &c) {
    if (isPlainNumber(c) || !bignumber_global.checkInfixSyntax(c)) return c;
    std::string value;
    bignumber_global.EvalInfixExprNoOutput(c, value, 1);
    return reduce_fraction(value);
}

poly *sortedWithMergesEvaluated(const poly *list) {
    std::vector<int64_t> exponents;
    for (const poly *t = list; t; t = walk_next(list, t)) exponents.push_back(t->exponent);
    std::sort(exponents.begin(), exponents.end());
    poly *sorted = polyn_sort_desc(list);
    if (std::adjacent_find(exponents.begin(), exponents.end()) == exponents.end()) return sorted;
    for (poly *t = sorted; t; t = t->prev) {
        auto [first, last] = std::equal_range(exponents.begin(), exponents.end(), t->exponent);
        if (last - first > 1) t->coefficient = evaluatedCoefficient(t->coefficient);
    }
    return sorted;
}

}  // namespace polyn
