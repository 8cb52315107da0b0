// The subresultant remainder sequence of two integer polynomials, found from its images
// modulo many word-sized primes: the degree and the leading coefficient of every member and
// the whole last member, exact. The coefficients of every member are determinants of the
// Sylvester matrix's minors, so their size is known beforehand (Hadamard's bound), while
// the members computed over the integers grow step by step at a cost that rises with the
// fourth power of the degree.
#pragma once

#include <cstdint>
#include <vector>

#include "polynomial/exact_kernel.h"

namespace polyn::exact {

struct SubresultantSequence {
    std::vector<int64_t> degrees;  // of every non-zero member, the two operands first
    std::vector<Int> leading;      // the leading coefficient of each
    std::vector<Term> last;        // the last non-zero member, descending, no zero term
};

// The sequence S(1) = a, S(2) = b, S(k+1) = prem(S(k-1), S(k)) / (g h^delta) with g and h
// carried as Collins and Brown carry them, up to the first zero member. a and b descending,
// no zero term, every exponent at least 0, deg a >= deg b >= 1. tooBig, before any large
// work, when the images would cost more than the bound of one operation; the caller then
// has another road.
Status subresultantSequence(const std::vector<Term> &a, const std::vector<Term> &b, SubresultantSequence &out);

}  // namespace polyn::exact
