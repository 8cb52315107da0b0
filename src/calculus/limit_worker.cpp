// The worker of the commands lim and limit: limits of a polynomial, or of a quotient of two
// polynomials, at a point or at infinity. The three forms of the text are recognised by one
// linear scan each, so a text of any length costs no recursion.
#include <algorithm>
#include <iostream>
#include <string_view>

#include "BigNumber.h"
#include "calculus.h"
#include "engine/engine_internal.h"
#include "polynomial.h"
#include "tools.h"

namespace {

constexpr int32_t kPolynomialMode = 2;  // the evaluation flag of polynomial expansion

enum class LimitForm { Quotient, Bracketed, Bare, None };

// The characters a polynomial of the forms may hold: letters, digits, "_", "+", "*", ",",
// "-", ".", "/", "^", and in the quotient form also brackets.
bool isFormChar(char c, bool brackets) {
    return engine::isDigit(c) || engine::isLetter(c) || engine::inSet("_+*,-./^", c) ||
           (brackets && (c == '(' || c == ')'));
}

bool allFormChars(std::string_view t, bool brackets) {
    for (char c : t)
        if (!isFormChar(c, brackets)) return false;
    return true;
}

// "(" numerator ")" then "/" or "|" then "(" denominator ")". Where several splits fit, the
// numerator is the longest: the last ")/(" (a "|" can only be the separator itself).
bool quotientForm(const std::string &e, std::string &numerator, std::string &denominator) {
    const size_t n = e.size();
    if (n < 5 || e.front() != '(' || e.back() != ')') return false;
    size_t k = std::string::npos;
    for (size_t i = 1; i + 1 < n; i++) {
        if (isFormChar(e[i], true)) continue;
        if (e[i] != '|' || k != std::string::npos) return false;
        k = i;
    }
    auto fits = [&](size_t at) { return at >= 2 && at + 3 <= n && e[at - 1] == ')' && e[at + 1] == '('; };
    if (k == std::string::npos) {
        for (size_t i = n - 3; i >= 2 && k == std::string::npos; i--)
            if (e[i] == '/' && fits(i)) k = i;
    }
    if (k == std::string::npos || !fits(k)) return false;
    numerator = e.substr(1, k - 2);
    denominator = e.substr(k + 2, n - 3 - k);
    return true;
}

LimitForm limitForm(const std::string &e, std::string &first, std::string &second) {
    if (quotientForm(e, first, second)) return LimitForm::Quotient;
    if (e.size() >= 2 && e.front() == '(' && e.back() == ')' &&
        allFormChars(std::string_view(e).substr(1, e.size() - 2), false)) {
        first = e.substr(1, e.size() - 2);
        return LimitForm::Bracketed;
    }
    if (allFormChars(e, false)) {
        first = e;
        return LimitForm::Bare;
    }
    return LimitForm::None;
}

bool isInfinityWord(const std::string &p) { return p == "Inf" || p == "inf" || p == "Infinity" || p == "infinity"; }

bool hasDigit(std::string_view t) { return t.find_first_of("0123456789") != std::string_view::npos; }

// An integer, a decimal or a fraction, with digits on each side of a fraction bar.
bool isNumberPoint(const std::string &p) {
    if (!BigNumber::isRealNumber(p) && !BigNumber::isFraction(p)) return false;
    size_t bar = p.find_first_of("|/");
    if (bar == std::string::npos) return hasDigit(p);
    return hasDigit(std::string_view(p).substr(0, bar)) && hasDigit(std::string_view(p).substr(bar + 1));
}

// Descending, merged, without zero terms (a zero polynomial keeps one term "0").
TermList normalised(const poly *list) {
    TermList sorted(polyn_sort_desc(list));
    return TermList(polyn_drop_zero_terms(sorted.release()));
}

// At infinity the leading terms decide; a zero polynomial has no degree to compare. A
// higher numerator grows towards the side that the signs of the two leading terms give.
std::string limitAtInfinity(const poly *num, const poly *den) {
    BigNumber bn;
    if (polyn_is_zero(num) || polyn_is_zero(den) || num->exponent == den->exponent)
        return bn.fr_division(num->coefficient, den->coefficient);
    if (num->exponent < den->exponent) return "0";
    return engine::isNegative(num->coefficient) != engine::isNegative(den->coefficient) ? "-Inf" : "Inf";
}

// The value of a list at the point (the sorted copy that the evaluation makes is freed).
std::string valueAt(const poly *list, const std::string &point) {
    std::string value;
    TermList sorted(polyn_eval_at(list, point, value));
    return value;
}

int64_t lowestExponent(const poly *list) {
    while (list->prev) list = list->prev;
    return list->exponent;
}

// At the point 0 every round of differentiation only takes the lowest power of x off both
// sides; the common power is divided off at once, so x^1000000000 costs no billion rounds.
// (The k-th derivatives there are k! times the coefficients of x^k, and k! cancels.)
void divideCommonPower(poly *num, poly *den) {
    int64_t m = INT64_MAX;
    for (const poly *l : {num, den})
        if (!polyn_is_zero(l)) m = std::min(m, lowestExponent(l));
    if (m <= 0 || m == INT64_MAX) return;
    for (poly *l : {num, den})
        if (!polyn_is_zero(l))
            for (poly *t = l; t; t = t->prev) t->exponent -= m;
}

// Rounds that can be needed: a nonzero polynomial vanishes at a point other than 0 to an
// order below its number of terms, so the exponent span bounds it.
int64_t roundBound(const poly *num, const poly *den) {
    int64_t span = 0;
    for (const poly *l : {num, den}) {
        int64_t s = 0;
        if (__builtin_sub_overflow(l->exponent, lowestExponent(l), &s)) s = INT64_MAX - 1;
        span = std::max(span, s);
    }
    return span < INT64_MAX ? span + 1 : span;
}

// L'Hospital's rule: while both values are zero, both polynomials are differentiated.
std::string limitAtPoint(TermList num, TermList den, const std::string &point) {
    std::string a = valueAt(num.get(), point), b = valueAt(den.get(), point);
    if (engine::isZeroValue(a) && engine::isZeroValue(b) && engine::isZeroValue(point)) {
        divideCommonPower(num.get(), den.get());
        a = valueAt(num.get(), point);
        b = valueAt(den.get(), point);
    }
    const int64_t bound = roundBound(num.get(), den.get());
    for (int64_t round = 0; engine::isZeroValue(a) && engine::isZeroValue(b); round++) {
        if (round == bound) return kLimitDoesNotExist;  // both sides are the zero polynomial
        num.reset(polyn_derivative(num.get()));
        den.reset(polyn_derivative(den.get()));
        for (const poly *l : {num.get(), den.get()})
            if (const std::string *message = polyn_message(l)) return *message;
        a = valueAt(num.get(), point);
        b = valueAt(den.get(), point);
    }
    if (isMessageText(a)) return a;
    if (isMessageText(b)) return b;
    if (engine::isZeroValue(b)) return "Inf";
    if (engine::isZeroValue(a)) return "0";
    BigNumber bn;
    return bn.fr_division(a, b);
}

std::string quotientLimit(const std::string &numerator, const std::string &denominator, const std::string &point) {
    BigNumber bn;
    std::string p, q;
    bn.EvalInfixExprNoOutput(numerator, p, kPolynomialMode);
    bn.EvalInfixExprNoOutput(denominator, q, kPolynomialMode);
    if (isMessageText(p)) return p;
    if (isMessageText(q)) return q;
    bool okP = false, okQ = false;
    TermList typedP(polyn_parse(p, okP)), typedQ(polyn_parse(q, okQ));
    if (!okP || !okQ || !typedP || !typedQ) return kLimitNotPolynomial;  // "()" is no polynomial here
    TermList num = normalised(typedP.get()), den = normalised(typedQ.get());
    if (isInfinityWord(point)) return limitAtInfinity(num.get(), den.get());
    if (!isNumberPoint(point)) return kLimitPointNotNumber;
    return limitAtPoint(std::move(num), std::move(den), point);
}

std::string polynomialLimit(const std::string &text, const std::string &point, bool bracketed) {
    bool ok = false;
    TermList list(polyn_parse(text, ok));
    if (!ok) {
        if (bracketed) std::cout << text << " is NOT a polyn.\n";
        return "";
    }
    if (!list) return "";
    if (isInfinityWord(point)) {
        TermList one(new_term("1", 0));
        return limitAtInfinity(normalised(list.get()).get(), one.get());
    }
    if (!isNumberPoint(point)) return kLimitPointNotNumber;
    return valueAt(list.get(), point);
}

}  // namespace

std::string Limit(const std::string &expression, const std::string &variable, const std::string &point) {
    std::string first, second;
    switch (limitForm(expression, first, second)) {
    case LimitForm::Quotient: return quotientLimit(first, second, point);
    case LimitForm::Bracketed: return polynomialLimit(first, point, true);
    case LimitForm::Bare: return polynomialLimit(first, point, false);
    case LimitForm::None: break;
    }
    if (expression == "(0-1)^n" && variable == "n" && point == "Inf") return kLimitDoesNotExist;
    return "";
}
