// Deterministic operands shared by the benchmarks and bench/compare-bc, so that both
// time the very same numbers.
#pragma once

#include <random>
#include <string>

inline std::string randomDigits(size_t n, unsigned seed) {
    std::mt19937_64 rng(seed);
    std::string s(n, '0');
    for (auto &c : s) c = char('0' + rng() % 10);
    if (n) s[0] = '7';
    return s;
}
