// A segmented sieve of Eratosthenes over the odd numbers, for bounds below 2^32: the base
// primes up to 2^16 come from the small-prime table, and each segment stays in the cache.
#pragma once

#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "number_theory/prime_kernels.h"
#include "stop_request.h"

namespace ntheory {

// Calls f(p) for every prime p with lo <= p <= hi, ascending; hi must be below 2^32. A
// callback that returns bool ends the walk by returning false. A stop request ends it with
// EngineStopped.
template <class F> void forEachPrime(uint64_t lo, uint64_t hi, F &&f) {
    auto visit = [&](uint64_t p) {
        if constexpr (std::is_same_v<decltype(f(p)), bool>) return f(p);
        else return f(p), true;
    };
    if (hi < 2 || lo > hi) return;
    if (lo <= 2 && !visit(uint64_t(2))) return;
    constexpr uint64_t kSegment = uint64_t(1) << 18;  // odd numbers a segment, one byte each
    const auto &base = smallPrimes();
    std::vector<uint8_t> segment(kSegment);
    for (uint64_t s = std::max<uint64_t>(lo, 3) | 1; s <= hi; s += 2 * kSegment) {
        engineStopPoint();  // a segment is half a million numbers
        uint64_t e = std::min(hi, s + 2 * kSegment - 1);  // the last number of the segment
        size_t len = size_t((e - s) / 2 + 1);
        std::fill(segment.begin(), segment.begin() + ptrdiff_t(len), uint8_t(1));
        for (size_t i = 1; i < base.size(); i++) {
            uint64_t p = base[i];
            if (p * p > e) break;
            uint64_t m = std::max(p * p, (s + p - 1) / p * p);
            if (m % 2 == 0) m += p;
            for (uint64_t j = (m - s) / 2; j < len; j += p) segment[j] = 0;
        }
        for (size_t j = 0; j < len; j++)
            if (segment[j] && !visit(s + 2 * j)) return;
    }
}

inline uint64_t countPrimes(uint64_t hi) {
    uint64_t count = 0;
    forEachPrime(0, hi, [&](uint64_t) { count++; });
    return count;
}

}  // namespace ntheory
