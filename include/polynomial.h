// Polynomials in the main variable and quotients of them: text readers and writers,
// arithmetic on term lists, division, gcd and factor tests, one operator on polynomial or
// quotient texts, and the polynomial mode of the expression evaluator.
//
// Lists are those of polyn_terms.h. Coefficients are number texts and all coefficient
// arithmetic runs on the engine `bignumber_global`; lists whose coefficients are all plain
// integers or fractions in lowest terms are multiplied, raised, divided and reduced by an
// exact kernel that gives the same texts faster. Every routine leaves its inputs unchanged
// unless it says otherwise, and frees whatever it made and does not return.
//
// Failures are answers, not exceptions: a routine that cannot produce a polynomial returns
// a message list, one term of exponent 0 whose coefficient is one of the texts below, so
// that writing the list writes the message (polyn_message tells such a list apart).
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "polyn_terms.h"

// ---- messages ----
inline constexpr const char *kPolynTooBig = "Error> The polynomial is too big.";
inline constexpr const char *kPolynExponentRange = "Error> An exponent is out of range.";
inline constexpr const char *kPolynDivisionStalls =
    "Error> The leading term of the divisor does not cancel: the division stops.";
// The message list holding `text`.
poly *polyn_message_list(const std::string &text);
// The message of a message list, or null for any other list.
const std::string *polyn_message(const poly *list);

// ---- text (polynomial/polyn_text.cpp) ----
// The variable that the writers write: the first internal name of the registry, or the
// main-variable letter while the registry is empty.
std::string polyn_variable_text();
// Reads text typed by the user into a forward list in text order; `ok` is false (and the
// result null) when the text is refused. The empty text is accepted with no list.
poly *polyn_parse(const std::string &text, bool &ok);
// Reads text in the forms the writers produce; stops at a character those forms never hold.
poly *polyn_parse_internal(const std::string &text);
// Engine form of a backward list: x^2-1x^1+1|2; the empty text for no list.
std::string polyn_to_string(const poly *list);
// Form of a forward list: x^2-x+1|2 (exponent 1 written without "^1").
std::string polyn_forward_to_string(const poly *list);
// Display forms (x^2-x+1|2) of a forward or a backward list; no list writes nothing.
void polyn_print_forward(const poly *list, std::ostream &out);
void polyn_print_backward(const poly *list, std::ostream &out);
// Highest exponent of the text's terms (zero terms count); -2 for the empty text, -1 when
// the text is refused.
int64_t polyn_deg(const std::string &text);
// Appends the terms of a list of either form to `items` as one-term lists (their links
// emptied); the terms move into the vector. Returns the vector's size.
size_t polyn_split_items(poly *list, std::vector<poly *> &items);
std::string int64_to_text(int64_t value);

// ---- arithmetic (polynomial/polyn_arithmetic.cpp) ----
// Merges two descending backward lists into a descending forward list; equal exponents
// are added (and evaluated), zero sums kept.
poly *poly_addition_DES(const poly *a, const poly *b);
// a - b of two descending backward lists, normalised.
poly *poly_subtraction_DES(const poly *a, const poly *b);
// One term per pair of terms of two backward lists, as a forward list; not merged.
poly *poly_multiplication_DES(const poly *a, const poly *b);
poly *polyn_multiply_normalized(const poly *a, const poly *b);
poly *polyn_subtract_normalized(const poly *a, const poly *b);
// The normalised n-th power; n = 0 gives 1; n = 1 and negative n return `list` itself.
poly *polyn_power(poly *list, int32_t n);
// The normalised polynomial of a list of either form.
poly *polyn_normalize(const poly *list);
// Removes the zero terms of a backward list and evaluates the other coefficients, in place;
// returns the new handle (a list of zero terms leaves its last term).
poly *polyn_drop_zero_terms(poly *list);
// The same for a forward list: coefficients reduced, terms "0" removed, nothing evaluated.
poly *polyn_drop_zero_terms_forward(poly *list);
poly *polyn_derivative(const poly *list);
poly *polyn_integrate(const poly *list);  // without a constant
// A descending backward list divided by its leading coefficient; zero terms stay.
poly *polyn_make_monic(const poly *list);
bool polyn_is_one(const poly *list);
bool polyn_is_zero(const poly *list);
bool polyn_equal(const poly *a, const poly *b);
// Highest exponent (zero terms count) and the descending read-out in `out`; -2 for no list.
int64_t polyn_degree(const poly *list, poly *&out);
int64_t polyn_last_exponent(const poly *list);
bool polyn_has_integer_coefficients(const poly *list);
// The value at the point `x` in `out`, and the normalised list as the result (null and
// the empty text for no list). An integer or decimal point computes in decimals, a
// fraction point (or a fraction coefficient) in fractions; any other point gives "0".
poly *polyn_eval_at(const poly *list, const std::string &x, std::string &out);

// ---- division, gcd and factor tests (polynomial/polyn_division.cpp) ----
struct PolynDivision {
    poly *quotient = nullptr;
    poly *remainder = nullptr;
};
poly *term_divide(const poly *dividend, const poly *divisor);
// Quotient and remainder of two descending backward lists; the caller owns both lists.
// A division whose leading terms do not cancel stops with kPolynDivisionStalls in both.
PolynDivision polyn_divide(const poly *a, const poly *b);
// The gcd by Euclid's algorithm, not made monic; lists of either form.
poly *polyn_gcd_list(const poly *a, const poly *b);
// The gcd with every step and the Bezout identity written to `out`.
poly *polyn_gcd_steps(const poly *f, const poly *g, std::ostream &out);
bool isPrimitivePolyn(const poly *list);
// Eisenstein's criterion on a descending backward list with integer coefficients: true with
// the smallest prime that fits in `prime` (emptied otherwise). A zero constant term, or a
// coefficient gcd too large to split into primes, is noted in `note`.
bool eisenstein_criterion(const poly *list, std::string &prime, std::ostream &note);

// ---- quotients of polynomials (polynomial/rational_functions.cpp) ----
// One operator on two polynomial or quotient texts: slots[0] the operator, slots[1] the
// right operand, slots[2] the left operand.
std::string polyn_rational_op(const std::array<std::string, 3> &slots);

// ---- the evaluator's polynomial mode (polynomial/polyn_postfix.cpp) ----
// The value of a comma-separated postfix text in the main variable.
std::string polyn_eval_postfix(const std::string &postfix, bool oneVariable);

// ---- interpolation (polynomial/lagrange.cpp) ----
// Writes the points, every Lagrange basis polynomial (as the product it is built from, then
// as the evaluator computes it) and the interpolating polynomial in the main variable to
// `out`. Leaves `bignumber_global` in fraction mode. Returns 0. More than 60 points are
// refused with a message.
int lagrange_interpolate(const std::vector<std::pair<std::string, std::string>> &points, std::ostream &out);
