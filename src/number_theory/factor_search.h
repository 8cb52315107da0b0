// Complete factorisation of limb numbers: trial division by the small primes, Pollard-Brent
// rho on machine words, perfect powers, the quadratic sieve for composites of up to 57
// digits, and the elliptic-curve method with growing bounds.
#pragma once

#include <cstdint>
#include <vector>

#include "nat/nat.h"

namespace ntheory {

// How hard the search tries before it leaves a composite unsplit.
struct SearchEffort {
    // Rows of the elliptic-curve schedule that are run (bounds of 200, 600, 2000, 11000,
    // 50000, 250000: factors of about 8, 10, 15, 20, 25 and 30 digits).
    int ecmLevels;
    uint64_t rhoIterations;  // per composite, before the curves
    size_t maxDigits;        // longer composites are left unsplit after trial division
    double ecmWork;          // word products the curves may cost per composite
    size_t sieveDigits;      // composites up to this length go to the quadratic sieve
};

// The answers of the factorisation commands: factors of up to about 25 digits are found in
// numbers of up to about 100 digits; a composite that resists gives up after a minute at most.
constexpr SearchEffort kFullEffort{5, 1u << 12, 100000, 4e10, 57};
// Radical simplification inside expressions: only what a brief search finds.
constexpr SearchEffort kBriefEffort{0, 1u << 18, 80, 0, 0};

struct Factorisation {
    std::vector<nat::Nat> primes;   // ascending, with repetition
    std::vector<nat::Nat> unsplit;  // composites that resisted the search
    bool complete() const { return unsplit.empty(); }
};

// n >= 2 gives its prime factors; 0 and 1 give none.
Factorisation factorise(const nat::Nat &n, const SearchEffort &effort = kFullEffort);

// The smallest prime factor of n >= 2 without the whole factorisation when it is small
// (trial division finds it); zero when it lies beyond the search.
nat::Nat smallestPrimeFactor(const nat::Nat &n, const SearchEffort &effort = kFullEffort);

}  // namespace ntheory
