// The constant pi to the precision, and the count of primes for a bound.
#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "globals.h"

using namespace engine;

std::string &BigNumber::piFunction(const std::string &x) {
    if (x.empty()) {
        uint32_t p = uint32_t(precision);  // compared as unsigned: a negative precision takes all
        size_t decimals = std::min<uint64_t>(p, 10120);
        return result = __pi__.substr(0, decimals + 2);
    }
    if (isNegative(x)) return result = x + " is NOT a positive number.";
    return result = "pi(" + x + "): counting primes is not available yet";
}
