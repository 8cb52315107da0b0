// Small helpers shared by the number-theory members: checked reading of integer texts and
// the texts of refusals.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "nat/nat.h"

namespace ntheory {

// The sieves index their bit arrays with 32-bit values.
constexpr uint64_t kSieveLimit = uint64_t(1) << 32;

// Digits of a non-negative integer text without leading zeros ("0" for zero); false for
// the empty text and for any character that is not a digit.
bool naturalDigits(const std::string &text, std::string &digits);
// The value of a digit text when it is below 2^64.
bool toU64(const std::string &digits, uint64_t &value);

// The answer when a number cannot be split by the factor search.
std::string gaveUpText(const nat::Nat &composite);
// The answer for an argument that is no non-negative integer.
std::string notNaturalText(const std::string &text);
// The hint for a sieve bound of 2^32 or more.
std::string refusedBoundText(const std::string &bound);

// Prime factors of a digit text, ascending with repetition ("0" and "1" give none); false
// with `message` set when a composite resisted the search.
bool primeFactors(const std::string &digits, std::vector<nat::Nat> &primes, std::string &message);
// The same for any text: `digits` gets the text without leading zeros; false with the
// refusal in `message` for a text that is no non-negative integer.
bool naturalFactors(const std::string &text, std::string &digits, std::vector<nat::Nat> &primes,
                    std::string &message);

// Runs of equal neighbours, such as the primes of an ascending factor list: each value with
// the length of its run.
template <class T> std::vector<std::pair<T, int32_t>> runsOf(const std::vector<T> &items) {
    std::vector<std::pair<T, int32_t>> runs;
    for (const auto &item : items) {
        if (!runs.empty() && runs.back().first == item) runs.back().second++;
        else runs.emplace_back(item, 1);
    }
    return runs;
}

}  // namespace ntheory
