// Exact determinants and adjugates of matrices of rational numbers, by residues modulo
// word-sized primes joined by the Chinese remainder theorem. Internal to the matrix code:
// the matrix operations decide when a matrix of cell texts may take this road and turn
// the exact values back into the texts their cell-by-cell arithmetic would write.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "nat/nat.h"

namespace matrix_exact {

// A rational number: sign, numerator and a positive denominator, not necessarily reduced.
struct Rational {
    nat::Nat num;
    nat::Nat den{1};
    bool negative = false;
};

// Reads an optionally signed integer, or in fraction form n|d or n/d with a non-zero
// denominator (only when `fractions`). Anything else, leading '+' included, is refused.
bool parseRational(std::string_view text, bool fractions, Rational &out);

// The reduced text: "0", an integer with '-' when negative, or "p|q" / "-p|q".
std::string rationalText(const Rational &r);
// a / b for a non-zero b (not reduced).
Rational quotient(const Rational &a, const Rational &b);
// a + b and a * b (not reduced).
Rational sum(const Rational &a, const Rational &b);
Rational product(const Rational &a, const Rational &b);
// Reads a text that is already the reduced text of its value ("3", "-1|2"; not "2|4",
// "-0", "+3" or "1/2"), so that writing the value back gives the text itself.
bool parseReduced(std::string_view text, Rational &out);

// Reads a number as a matrix cell holds it: an optionally signed integer or decimal ("-2.5",
// ".5"), or a quotient n|d or n/d of two such numbers with d not zero. The cell is one exact
// value on every road, whichever form the mode writes at the end ("1/2" is never taken apart
// as text).
bool parseCell(std::string_view text, Rational &out);
// Whether a cell is written as a quotient ('|' or '/' in it).
bool hasFractionMark(std::string_view text);
// Whether a cell is a number that the mode's cell arithmetic would take apart as text:
// "a/b" in any mode, "a|b" in decimal mode, a decimal in fraction mode (whose fraction
// products keep the point: "156.2|3").
bool unreadableQuotient(const std::vector<std::string> &cells, bool fractions);
// Every cell typed "a/b" (a number) becomes the reduced fraction text of its value: the
// fraction arithmetic reads "a|b" but would take "a/b" apart as text.
void slashesToFractions(std::vector<std::string> &cells);
// Whether every cell reads as a number; `values` receives them.
bool parseCells(const std::vector<std::string> &cells, std::vector<Rational> &values);
// The value in the mode's form: the reduced fraction text in fraction mode, otherwise the
// quotient in decimals as the engine's division writes it (at the default precision).
std::string modeText(const Rational &r, bool fractions);
Rational negated(Rational r);
// The same value with numerator and denominator in lowest terms.
Rational normalized(const Rational &r);
// The inverse of a non-singular n x n matrix, in row order; false when it is singular.
bool inverse(const std::vector<Rational> &cells, size_t n, std::vector<Rational> &inv);
bool isZero(const Rational &r);

// Determinant of the n x n matrix of rationals in row order.
Rational determinant(const std::vector<Rational> &cells, size_t n);

// Adjugate (the transposed cofactor matrix) of a non-singular n x n matrix, in row order;
// false when the matrix is singular (the adjugate is then not computed).
bool adjugate(const std::vector<Rational> &cells, size_t n, std::vector<Rational> &adj);

}  // namespace matrix_exact
