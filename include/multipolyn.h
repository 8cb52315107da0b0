// Polynomials in several variables: factor lists, their text, normal form and arithmetic,
// the registry of polynomial variables, and the evaluator's multi-variable mode.
//
// A factor `poly_pt` is one variable power with a coefficient; a term is a chain of factors
// along `next`/`prev`; a polynomial is a chain of terms, linked from the last factor of a
// term (`next_term`) to the first factor of the next one, and back from that first factor
// (`prev_term`) to the last factor of the previous term. The handle of a polynomial is the
// first factor of its first term; a null handle is the empty polynomial.
//
// Inside the engine variable k is written x_k, the main variable (index 0) with the main
// letter; the registry maps the names the user typed to these internal names and back.
//
// A normalised term has one factor per index in ascending index (a constant factor, index
// -1, first), its coefficient in the first factor and "1" in the others. Its key is the
// concatenation of "x_", the index as an unsigned 64-bit number, "^" and the exponent text
// over its factors; a normalised polynomial has no two terms of one key and keeps its terms
// in the order of their first appearance. Zero terms stay until multipolyn_drop_zero_terms.
//
// Whoever holds a handle owns the list (MultiPolyn holds one for a scope). An operation
// that cannot give a polynomial (too big, a bad exponent) returns a message list, one
// constant factor whose coefficient is the message; multipolyn_message tells it apart.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "polyn_terms.h"

struct poly_pt {
    int64_t index = 0;  // k for x_k, 0 for the main variable, -1 for a constant factor
    uint32_t fraction_flag = 0;
    uint32_t starts_term = 1;  // the reader opens a new term at a factor whose text began with a sign
    uint32_t spare = 0;
    poly_pt *next_term = nullptr;  // on the last factor of a term: the first factor of the next term
    poly_pt *prev_term = nullptr;  // on the first factor of a term: the last factor of the previous term
    poly_pt *next = nullptr;       // the next factor of the same term
    poly_pt *prev = nullptr;       // the previous factor of the same term
    std::string coefficient = "1";
    std::string exponent = "0";
};

inline constexpr int64_t kConstantIndex = -1;

// A factor with the given values and no links; null (with a line on standard output) when
// memory runs out. The last argument is not read.
poly_pt *new_term_pt(std::string coefficient, std::string exponent, int32_t index, int32_t unused = 0);
// Releases a whole polynomial from its handle on.
void multipolyn_free(poly_pt *list);

struct MultiPolynDeleter {
    void operator()(poly_pt *list) const { multipolyn_free(list); }
};
using MultiPolyn = std::unique_ptr<poly_pt, MultiPolynDeleter>;
// Frees a polynomial built through a plain handle when a stop request unwinds its scope.
using FactorsFreedOnUnwind = FreedOnUnwind<poly_pt, multipolyn_free>;

// ---- terms (polynomial/multipolyn_terms.cpp) ----
// The walks take any factor and hand back factors of the same polynomial.
poly_pt *multipolyn_term_first(const poly_pt *factor);
poly_pt *multipolyn_term_last(const poly_pt *factor);
// The first factor of the next term, from any factor of a term; null after the last term.
poly_pt *multipolyn_next_term(const poly_pt *factor);
// The last (respectively first) factor of the previous term; null before the first term.
poly_pt *multipolyn_prev_term_last(const poly_pt *factor);
poly_pt *multipolyn_prev_term_first(const poly_pt *factor);
// A copy of the factors from `factor` to the end of its term, without term links.
poly_pt *multipolyn_copy_term(const poly_pt *factor);
// Unlinks the term of `factor` from its polynomial (its neighbours joined) and frees it.
// Returns the first factor of the next term, else the last factor of the previous term,
// else null.
poly_pt *multipolyn_free_term(poly_pt *factor);
// Appends each term as a one-term list (its term links cut); the terms move into `items`.
// Returns the number of terms: 0 for the empty polynomial.
size_t multipolyn_split_items(poly_pt *list, std::vector<poly_pt *> &items);
size_t multipolyn_term_count(const poly_pt *list);

// ---- messages ----
poly_pt *multipolyn_message_list(const std::string &text);
const std::string *multipolyn_message(const poly_pt *list);

// ---- text (polynomial/multipolyn_text.cpp) ----
// Reads typed text; every character that is no variable, sign, exponent or separator joins
// a coefficient. A negative variable index or one past 64 bits gives the message list of a
// range error. `ok`
// is 0 only when memory runs out (no list then).
poly_pt *multipolyn_parse(const std::string &text, uint8_t &ok);
// Reads text in which every factor is a term of its own (linear texts such as 3x_1-2x_2+5).
poly_pt *multipolyn_parse_internal(const std::string &text);
// The text of a polynomial with the user's names (respectively the internal names). The
// conversion gathers each term's coefficient into its first factor.
std::string multipolyn_to_string(poly_pt *list);
std::string multipolyn_to_internal_string(poly_pt *list);
// The text of the term whose first factor is given.
std::string multipolyn_terms_to_text(poly_pt *first);
std::string multipolyn_terms_to_internal_text(poly_pt *first);

// ---- normal form and arithmetic (polynomial/multipolyn_arithmetic.cpp) ----
// Normalises every term and merges like terms, in place; the ordering flag does not change
// the result. Returns the new handle, or the message list "too big" (the list freed) when a
// coefficient or exponent that is no number would be written out beyond 20000 characters.
poly_pt *multipolyn_normalize(poly_pt *list, int ordering);
// Normalises the term of `factor` in place inside its polynomial (a term too long to
// normalise stays as it is); returns its first factor.
poly_pt *multipolyn_normalize_term(poly_pt *factor);
// Frees the terms whose coefficient is exactly "0" (all zero: the last stays).
poly_pt *multipolyn_drop_zero_terms(poly_pt *list);
// Sum and difference take both operands over; product and power leave them intact.
poly_pt *multipolyn_add(poly_pt *a, poly_pt *b);
poly_pt *multipolyn_subtract(poly_pt *minuend, poly_pt *subtrahend);
poly_pt *multipolyn_multiply(const poly_pt *a, const poly_pt *b);
// n >= 0; n = 1 returns `list` itself, n = 0 the constant 1.
poly_pt *multipolyn_power(poly_pt *list, int32_t n);

// ---- the registry of polynomial variables (polynomial/multipolyn_registry.cpp) ----
// Enters a new user name with the next index (the main variable's record is made first
// when the registry has none). Returns the index, or -1 when the name is registered.
int64_t poly_registry_add(const std::string &name);
// The name of variable `index` with the user's names or the internal names.
std::string poly_variable_name(int64_t index, bool internal);
// Registers every new name x_k (k > 0) of the text, writing "Add var ..." lines on
// standard output; returns how many were added.
int multipolyn_add_var(const std::string &text);
// The text with every registered user name replaced by its internal name; returns the
// number of registered names. The empty text returns 0 and leaves `out` unchanged.
int multipolyn_substitute(const std::string &text, std::string &out);

// ---- the evaluator's multi-variable mode (polynomial/multipolyn_postfix.cpp) ----
// One operator on two operand texts: slots[0] the operator, slots[1] the right operand,
// slots[2] the left operand. "+", "-", "*" and "^" with a digit exponent compute; any other
// operator gives the empty polynomial. A trace goes to `diagnostics`.
poly_pt *multipolyn_apply_op(const std::array<std::string, 3> &slots, std::ostream &diagnostics);
// The value of a comma-separated postfix text in internal names. A malformed text (an
// operator short of operands, operands left over) gives no list and `wellFormed` false.
poly_pt *multipolyn_eval_postfix(const std::string &postfix, int flag, bool *wellFormed = nullptr);
// The same as text with the user's names; "error" for a malformed postfix text.
std::string multipolyn_eval_postfix_text(const std::string &postfix);
// multipolyn_apply_op as text with the user's names.
std::string multipolyn_apply_op_text(const std::array<std::string, 3> &slots);
