// The constant pi to the precision, and the count of primes up to a bound.
#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "globals.h"
#include "number_theory/number_theory_internal.h"

using namespace engine;

std::string &BigNumber::piFunction(const std::string &x) {
    if (x.empty()) {
        uint32_t p = uint32_t(precision);  // compared as unsigned: a negative precision takes all
        size_t decimals = std::min<uint64_t>(p, 10120);
        return result = __pi__.substr(0, decimals + 2);
    }
    if (isNegative(x)) return result = x + " is NOT a positive number.";
    std::string whole = x.substr(0, x.find('.')), digits;
    if (whole.empty() && x[0] == '.') whole = "0";
    if (!ntheory::naturalDigits(whole, digits)) return result = ntheory::notNaturalText(x);
    int64_t count = primeCount(digits);
    if (count == kRefusedBound) return result = ntheory::refusedBoundText(digits);
    if (count < 0) return result = "No enough memory.";
    return result = longlong2string(count);
}
