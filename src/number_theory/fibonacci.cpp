// Fibonacci numbers for any signed index: F(0) = 0, F(1) = 1, F(-n) = (-1)^(n+1) F(n).
// Both routines give the same values; the value comes from the doubling formulas, and the
// list of all values up to the index by additions.
#include <cstdlib>

#include "BigNumber.h"
#include "nat/nat.h"
#include "number_routines.h"
#include "number_theory/routines_internal.h"
#include "stop_request.h"

namespace {

// F(20000000) has about 4.2 million digits; the list of all values up to an index holds
// about 0.1 index^2 digits.
constexpr int64_t kMaxIndex = 20000000;
constexpr int64_t kMaxListIndex = 20000;

// (F(m), F(m+1)) by F(2j) = F(j) (2 F(j+1) - F(j)) and F(2j+1) = F(j)^2 + F(j+1)^2.
void fibonacciPair(uint64_t m, nat::Nat &f, nat::Nat &g) {
    f.clear();
    g = nat::Nat{1};
    for (int bit = 63; bit >= 0; bit--) {
        nat::Nat twiceG = nat::add(g, g);
        nat::Nat even = nat::mul(f, nat::sub(twiceG, f));
        nat::Nat odd = nat::add(nat::sqr(f), nat::sqr(g));
        if ((m >> bit) & 1) {
            g = nat::add(even, odd);
            f.swap(odd);
        } else {
            f.swap(even);
            g.swap(odd);
        }
    }
}

// F(k) for an index within the limit.
std::string fibonacciValue(int64_t k) {
    uint64_t m = uint64_t(std::llabs(k));
    nat::Nat f, g;
    fibonacciPair(m, f, g);
    return routines::integerText(f, k < 0 && m % 2 == 0);
}

std::string indexError() {
    return "Error: the index of a Fibonacci number is limited to " + std::to_string(kMaxIndex) + ".";
}

}  // namespace

std::string fibonacci_recursive(int32_t index, BigNumber &) {
    if (std::llabs(int64_t(index)) > kMaxIndex) return indexError();
    return fibonacciValue(index);
}

std::string fibonacci_iterative(int32_t index, BigNumber &engine, std::vector<std::string> &list, bool collect) {
    int64_t k = index;
    if (std::llabs(k) > kMaxIndex) return indexError();
    if (!collect) return fibonacciValue(k);
    if (std::llabs(k) > kMaxListIndex)
        return "Error: the list of Fibonacci numbers is limited to the index " + std::to_string(kMaxListIndex) + ".";
    list.clear();
    if (k >= 0) {
        std::string x = "0", y = "1";
        list.push_back(x);
        if (k >= 1) list.push_back(y);
        for (int64_t i = 2; i <= k; i++) {
            engineStopPoint(uint64_t(i));
            std::string z = engine.int_addition(x, y);
            list.push_back(z);
            x.swap(y);
            y.swap(z);
        }
        return list.back();
    }
    // from F(k) upwards: F(i) = F(i+2) - F(i+1) read the other way, F(i+2) = F(i) + F(i+1)
    std::string x = fibonacciValue(k), y = fibonacciValue(k + 1);
    list.push_back(x);
    list.push_back(y);
    for (int64_t i = k + 2; i <= 0; i++) {
        engineStopPoint(uint64_t(i));
        std::string z = engine.addition(x, y);
        list.push_back(z);
        x.swap(y);
        y.swap(z);
    }
    return list.front();
}
