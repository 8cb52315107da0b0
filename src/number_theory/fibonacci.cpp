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

// F(m) by doubling on the pair (F(k), F(k-1)), two squarings a step:
//   F(2k-1) = F(k)^2 + F(k-1)^2,  F(2k+1) = 4 F(k)^2 - F(k-1)^2 + 2 (-1)^k,
//   F(2k) = F(2k+1) - F(2k-1);
// the last step makes F(m) alone with one product: F(2k) = F(k) (F(k) + 2 F(k-1)),
// F(2k+1) = (2 F(k) + F(k-1)) (2 F(k) - F(k-1)) + 2 (-1)^k.
nat::Nat fibonacciOf(uint64_t m) {
    if (m == 0) return {};
    nat::Nat f{1}, p;  // k = 1
    uint64_t k = 1;
    for (int bit = 62 - __builtin_clzll(m); bit >= 0; bit--) {
        bool up = (m >> bit) & 1, kOdd = k & 1;
        if (bit == 0) {
            if (!up) return nat::mul(f, nat::add(f, nat::add(p, p)));
            nat::Nat twiceF = nat::add(f, f);
            nat::Nat r = nat::mul(nat::add(twiceF, p), nat::sub(twiceF, p));
            if (kOdd) nat::sub_small(r, 2);
            else nat::add_small(r, 2);
            return r;
        }
        nat::Nat f2 = nat::sqr(f), p2 = nat::sqr(p);
        nat::Nat before = nat::add(f2, p2);  // F(2k-1)
        nat::Nat twiceF2 = nat::add(f2, f2);
        nat::Nat after = nat::sub(nat::add(twiceF2, twiceF2), p2);  // F(2k+1), at least 4 before the 2
        if (kOdd) nat::sub_small(after, 2);
        else nat::add_small(after, 2);
        nat::Nat middle = nat::sub(after, before);  // F(2k)
        if (up) {
            f.swap(after);
            p.swap(middle);
            k = 2 * k + 1;
        } else {
            f.swap(middle);
            p.swap(before);
            k = 2 * k;
        }
    }
    return f;  // m = 1
}

// F(k) for an index within the limit.
std::string fibonacciValue(int64_t k) {
    uint64_t m = uint64_t(std::llabs(k));
    return routines::integerText(fibonacciOf(m), k < 0 && m % 2 == 0);
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
