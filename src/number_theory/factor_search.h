// Complete factorisation of limb numbers: trial division by the small primes, Pollard-Brent
// rho on machine words, perfect powers, then the elliptic-curve method with growing bounds.
#pragma once

#include <cstdint>
#include <vector>

#include "nat/nat.h"

namespace ntheory {

// How hard the search tries before it leaves a composite unsplit.
struct SearchEffort {
    // Levels of the elliptic-curve search; level L makes factors of about 10 + 5L digits
    // likely to be found.
    int ecmLevels;
    uint64_t rhoIterations;  // per composite, before the curves
    size_t maxDigits;        // longer composites are left unsplit after trial division
};

// The answers of the factorisation commands: factors of up to about 25 digits are found
// (a minute of work on a 100-digit number with no smaller factor).
constexpr SearchEffort kFullEffort{3, 1u << 17, 100000};
// Radical simplification inside expressions: only what a brief search finds.
constexpr SearchEffort kBriefEffort{0, 1u << 18, 80};

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
