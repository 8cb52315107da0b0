// Exact arithmetic on one-variable polynomials whose coefficients are all plain numbers
// (integers, and fractions in lowest terms): the fast road of products, powers, division
// and the gcd. Its answers are the texts that the term-by-term text arithmetic gives for
// the same lists; it only avoids the text: coefficients are read once into limb naturals,
// products are one long multiplication (Kronecker substitution), and the gcd follows the
// Euclidean remainders up to scalars (subresultant remainders with their scalars kept),
// found from their images modulo word-sized primes (modular_remainders.h) where the
// exponents are dense enough.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "nat/nat.h"
#include "polyn_terms.h"

namespace polyn::exact {

struct Int {
    nat::Nat magnitude;
    bool negative = false;  // never set for zero
};

struct Term {
    int64_t exponent = 0;
    Int value;
};

// Numerators over one common positive denominator, terms in descending exponent order,
// no zero term; no terms at all is the zero polynomial.
struct QPoly {
    std::vector<Term> terms;
    nat::Nat denominator;
};

enum class Status { ok, tooBig, exponentRange };

Int mul(const Int &a, const Int &b);
Int add(const Int &a, const Int &b);
// "0", or the digits with "-" in front of a negative value.
std::string intText(const Int &x);

// Reads a backward list in strictly descending exponent order whose coefficients are all
// non-zero plain numbers; false for any other list (the text road takes those).
bool fromList(const poly *list, QPoly &out);
// The normalised backward list; the zero polynomial is the term "0" at exponent 0.
poly *toList(const QPoly &p);

Status multiply(const QPoly &a, const QPoly &b, QPoly &product);
// n of at least 2, by the squarings and products of the binary digits of n.
Status power(const QPoly &a, int32_t n, QPoly &result);
// a and b non-zero. Both answers are normalised lists.
Status divide(const QPoly &a, const QPoly &b, poly *&quotient, poly *&remainder);
// The last non-zero Euclidean remainder of a and b (non-zero), or 1 when a remainder is 1.
Status gcd(const QPoly &a, const QPoly &b, poly *&result);

}  // namespace polyn::exact
