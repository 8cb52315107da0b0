// Coefficient texts of one-variable polynomials: the tests and rewrites that the
// polynomial files share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "polyn_terms.h"

namespace polyn {

// Upper bounds of the work an operation may do; beyond them it answers kPolynTooBig.
// Digits of the coefficients of one result (the engine refuses numbers beyond two million
// digits; a polynomial may hold ten such).
constexpr double kMaxResultDigits = 2e7;
constexpr double kMaxCoefficientDigits = 2e6;
// Terms of a quotient computed on exact coefficients.
constexpr int64_t kMaxQuotientTerms = 100000;
// Products of limbs (schoolbook count) that one exact division or gcd may spend: about a
// second of arithmetic.
constexpr double kMaxExactWork = 2e8;
// Coefficient texts with letters are combined as text by the engine, whose evaluation of
// such a text takes time that grows with the square of its length: their length is bounded
// for each coefficient and for all that one product makes, and a power on that road is
// refused when its coefficients would outgrow the bound. The pairs of a product on the text
// road are bounded too.
constexpr int64_t kMaxTextPairs = 100000;
constexpr size_t kMaxSymbolicCoefficient = 2000;
constexpr size_t kMaxSymbolicChars = 50000;
constexpr int64_t kMaxTextDivisionSteps = 10000;
constexpr int64_t kMaxGcdSteps = 100000;

// A text that holds more than digits, signs and the operator characters: a name.
bool isSymbolic(std::string_view c);

inline bool isZeroCoefficient(std::string_view c) { return c == "0" || c == "-0" || c == "+0"; }

// A plain rational number as the arithmetic writes it: an integer without leading zeros
// ("0" included), or a fraction n|d in lowest terms with d of at least 2, either with an
// optional '-'. Lists of such coefficients are the exact kernel's.
bool isPlainNumber(std::string_view text);

// The coefficient as the normalisation of a list leaves it: reduced, and evaluated when it
// is an expression that passes the infix syntax check. A fraction in the plain form costs
// one gcd.
std::string normalisedCoefficient(const std::string &c);

// The coefficient with its sign turned as subtraction writes it: a leading '-' removed,
// a leading '+' turned into '-', otherwise '-' put in front.
std::string negated(const std::string &c);

// The value that normalisation gives a coefficient: a plain number as it is, any other
// text that passes the infix syntax check evaluated in fractions and reduced.
std::string evaluatedCoefficient(const std::string &c);

// The descending read-out of a list of either form. A coefficient that the tree made from
// several terms of the list is a sum text; it is evaluated as normalisation would, so that
// no product takes such a sum apart as if it were one fraction.
poly *sortedWithMergesEvaluated(const poly *list);

// a + b for exponents; false when the sum leaves the 64-bit range.
inline bool addExponents(int64_t a, int64_t b, int64_t &sum) { return !__builtin_add_overflow(a, b, &sum); }

// Past the ')' that closes the '(' at `p` (nested brackets counted), or at the end of the
// text when none closes it; `closed` tells which.
inline const char *pastClosingBracket(const char *p, bool &closed) {
    int64_t depth = 0;
    do {
        if (*p == '(') depth++;
        else if (*p == ')') depth--;
        p++;
    } while (depth > 0 && *p != '\0');
    closed = depth == 0;
    return p;
}

}  // namespace polyn
