// The engine's prime table, prime counting, the list of numbers that are not prime, the
// index of a prime and the table of pi(x). One segmented sieve serves them all; bounds of
// 2^32 or more are refused (the sieve's indices are 32-bit).
#include <cmath>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <new>

#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "number_theory/number_theory_internal.h"
#include "number_theory/prime_sieve.h"

using namespace engine;

namespace {

constexpr const char *kNoMemory = "No enough memory.\n";
// list_pi_x writes at most this many lines: a longer table is no use in a terminal and
// would fill the memory.
constexpr uint64_t kMaxPiLines = 1000000;

// An upper bound of the number of primes up to n (Rosser and Schoenfeld).
size_t primeCountBound(uint64_t n) { return size_t(1.25506 * double(n) / std::log(double(n))) + 16; }

bool refused(BigNumber &bn, uint64_t n) {
    if (n < ntheory::kSieveLimit) return false;
    std::string text = ntheory::refusedBoundText(BigNumber::ull2string(n));
    bn.setErrorMessage(text);
    std::cout << text << std::endl;
    return true;
}

// "%7.3lu": at least three digits, right-aligned in seven places.
std::string timeField(unsigned long seconds) {
    std::string t = std::to_string(seconds);
    if (t.size() < 3) t.insert(0, 3 - t.size(), '0');
    if (t.size() < 7) t.insert(0, 7 - t.size(), ' ');
    return t;
}

void printPrimes(const std::vector<uint64_t> &primes, std::clock_t start) {
    std::string buffer;
    for (uint64_t p : primes) {
        buffer += std::to_string(p);
        buffer += ',';
        if (buffer.size() > (1 << 16)) {
            std::cout << buffer;
            buffer.clear();
        }
    }
    std::cout << buffer;
    unsigned long seconds = (unsigned long)((std::clock() - start) / CLOCKS_PER_SEC);
    std::cout << "\n\nTime used: " << timeField(seconds) << "\n" << std::flush;
}

}  // namespace

int64_t BigNumber::Primes(int64_t n, bool print) {
    std::clock_t start = std::clock();
    if (n <= 1) return 0;
    if (refused(*this, uint64_t(n))) return kRefusedBound;
    std::vector<uint64_t> table;
    try {
        table.reserve(primeCountBound(uint64_t(n)));
        ntheory::forEachPrime(2, uint64_t(n), [&](uint64_t p) { table.push_back(p); });
    } catch (const std::bad_alloc &) {
        std::cout << kNoMemory << std::flush;
        return -1;
    }
    primeTable.swap(table);
    if (print) printPrimes(primeTable, start);
    return int64_t(primeTable.size());
}

int64_t BigNumber::primeCount(const std::string &n) {
    std::string digits;
    uint64_t v;
    if (!ntheory::naturalDigits(n, digits)) return kRefusedBound;
    if (!ntheory::toU64(digits, v)) v = ntheory::kSieveLimit;
    if (v <= 1) return 0;
    if (refused(*this, v)) return kRefusedBound;
    return int64_t(ntheory::countPrimes(v));
}

int64_t BigNumber::sieveNonPrimes(int64_t n, std::vector<int64_t> &out) {
    out.clear();
    if (n <= 1) return 0;
    if (refused(*this, uint64_t(n))) return kRefusedBound;
    // The bit array of 32-bit words covers the numbers up to 32W - 1; those above n are
    // cleared in it and so listed too.
    uint64_t top = (uint64_t(n) + 1 + 31) / 32 * 32 - 1;
    uint64_t count = ntheory::countPrimes(uint64_t(n));
    try {
        out.reserve(size_t(top + 1 - count));
        uint64_t next = 0;
        ntheory::forEachPrime(2, uint64_t(n), [&](uint64_t p) {
            for (; next < p; next++) out.push_back(int64_t(next));
            next = p + 1;
        });
        for (; next <= top; next++) out.push_back(int64_t(next));
    } catch (const std::bad_alloc &) {
        out.clear();
        std::cout << kNoMemory << std::flush;
        return -1;
    }
    return int64_t(count);
}

int64_t BigNumber::binarySearchPrime(const std::vector<uint64_t> &v, int64_t x) {
    if (v.empty()) return -2;
    if (x < 0) return -1;
    auto it = std::lower_bound(v.begin(), v.end(), uint64_t(x));
    return it != v.end() && *it == uint64_t(x) ? int64_t(it - v.begin()) : -1;
}

int64_t BigNumber::indexOfPrime(uint32_t x) {
    if (primeTable.empty() || primeTable.back() < x) {
        std::cout << "hint> Please call function Primes(" << x << ") first." << std::endl;
        return primeTable.empty() ? -2 : -3;
    }
    return binarySearchPrime(primeTable, int64_t(x)) + 1;
}

void BigNumber::listPiX(const std::string &a, const std::string &b) {
    wideStream.str(L"");
    wideStream.clear();
    outStream.str("");
    outStream.clear();
    std::string A, B;
    uint64_t x, y;
    if (!ntheory::naturalDigits(a, A) || !ntheory::naturalDigits(b, B)) {
        outStream << ntheory::notNaturalText(ntheory::naturalDigits(a, A) ? b : a) << std::endl;
        return;
    }
    if (!ntheory::toU64(A, x)) x = ntheory::kSieveLimit;
    if (!ntheory::toU64(B, y)) y = ntheory::kSieveLimit;
    uint64_t lo = std::min(x, y), hi = std::max(x, y);
    if (hi >= ntheory::kSieveLimit) {
        outStream << ntheory::refusedBoundText(hi == x ? A : B) << std::endl;
        return;
    }
    if (hi - lo >= kMaxPiLines) {
        outStream << "hint> The range from " << A << " to " << B << " is too long: at most " << kMaxPiLines
                  << " numbers are listed." << std::endl;
        return;
    }
    std::vector<uint8_t> prime(size_t(hi - lo + 1), 0);
    uint64_t inRange = 0;
    ntheory::forEachPrime(lo, hi, [&](uint64_t p) {
        prime[size_t(p - lo)] = 1;
        inRange++;
    });
    uint64_t below = lo >= 2 ? ntheory::countPrimes(lo - 1) : 0;
    outStream << "x\tpi(x)\n----------------" << std::endl;
    if (x <= y) {
        uint64_t pi = below;
        for (uint64_t v = lo; v <= hi; v++) {
            pi += prime[size_t(v - lo)];
            outStream << v << "\t" << pi << std::endl;
        }
    } else {
        uint64_t pi = below + inRange;
        for (uint64_t v = hi + 1; v-- > lo;) {
            outStream << v << "\t" << pi << std::endl;
            pi -= prime[size_t(v - lo)];
        }
    }
    outStream << "----------------\n" << std::endl;
}
