// Coefficient texts: plain numbers, negation, and evaluation as normalisation does it.
#include "polynomial/coefficients.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "BigNumber.h"
#include "text_helpers.h"
#include "globals.h"
#include "nat/nat.h"
#include "tools.h"

namespace polyn {

namespace {

// Digits without a leading zero; "0" itself only where zero is allowed.
bool isDigitRun(std::string_view t, bool zeroAllowed) {
    if (t.empty() || !engine::allDigits(t)) return false;
    return t[0] != '0' || (zeroAllowed && t.size() == 1);
}

}  // namespace

// The parts of a text shaped like a plain number: an optional '-', digits without a
// leading zero ("0" alone allowed without a sign), and an optional bar with a denominator of
// at least 2 (empty when there is none). Lowest terms are not checked.
bool plainShape(std::string_view text, std::string_view &numerator, std::string_view &denominator) {
    std::string_view t = !text.empty() && text[0] == '-' ? text.substr(1) : text;
    size_t bar = t.find('|');
    if (bar == std::string_view::npos) {
        numerator = t;
        denominator = {};
        return isDigitRun(t, text.size() == t.size());
    }
    numerator = t.substr(0, bar);
    denominator = t.substr(bar + 1);
    return isDigitRun(numerator, false) && isDigitRun(denominator, false) && denominator != "1";
}

bool isPlainNumber(std::string_view text) {
    std::string_view n, d;
    if (!plainShape(text, n, d)) return false;
    if (d.empty()) return true;
    nat::Nat g = nat::gcd(nat::from_decimal(n), nat::from_decimal(d));
    return g.size() == 1 && g[0] == 1;
}

std::string normalisedCoefficient(const std::string &c) {
    std::string_view n, d;
    if (plainShape(c, n, d)) {
        if (d.empty()) return c;
        // A fraction in lowest terms stays; any other is reduced, as the reduction and the
        // evaluation of the arithmetic would write it.
        nat::Nat num = nat::from_decimal(n), den = nat::from_decimal(d), g = nat::gcd(num, den);
        if (g.size() == 1 && g[0] == 1) return c;
        nat::Nat q, r;
        nat::divmod(num, g, q, r);
        num.swap(q);
        nat::divmod(den, g, q, r);
        std::string text = (c[0] == '-' ? "-" : "") + nat::to_decimal(num);
        return q.size() == 1 && q[0] == 1 ? text : text + "|" + nat::to_decimal(q);
    }
    std::string reduced = reduce_fraction(c);
    return isZeroCoefficient(reduced) ? reduced : evaluatedCoefficient(reduced);
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
    TermsFreedOnUnwind unfinished(sorted);
    if (std::adjacent_find(exponents.begin(), exponents.end()) == exponents.end()) return sorted;
    for (poly *t = sorted; t; t = t->prev) {
        auto [first, last] = std::equal_range(exponents.begin(), exponents.end(), t->exponent);
        if (last - first > 1) t->coefficient = evaluatedCoefficient(t->coefficient);
    }
    return sorted;
}

}  // namespace polyn
