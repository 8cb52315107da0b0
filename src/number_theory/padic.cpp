// The p-adic order of integers and fractions and the p-adic norm. A p below 2 has no
// order (1 divides every number forever): the order answers 0 and the norm the refusal.
#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "number_routines.h"

using namespace engine;

std::string padic_prime_error(int64_t p) {
    if (p >= 2) return "";
    return "Error: p should be at least 2, not " + std::to_string(p) + ".";
}

int ord_p_integer(const std::string &x, int32_t p) {
    if (p < 2) return 0;
    BigNumber bn;
    return bn.count_exact_divisions(x, p);
}

namespace {

// The numerator and denominator of x, split at the first "/" or else the first "|".
void splitRational(const std::string &x, std::string &numerator, std::string &denominator) {
    size_t bar = x.find('/');
    if (bar == std::string::npos) bar = x.find('|');
    numerator = x.substr(0, bar);
    denominator = bar == std::string::npos ? "1" : x.substr(bar + 1);
}

}  // namespace

int ord_p_rational(const std::string &x, int32_t p) {
    std::string numerator, denominator;
    splitRational(x, numerator, denominator);
    return ord_p_integer(numerator, p) - ord_p_integer(denominator, p);
}

std::string norm_p_rational(const std::string &x, int32_t p) {
    if (p < 2) return padic_prime_error(p);
    std::string numerator, denominator;
    splitRational(x, numerator, denominator);
    if (!isIntegerText(numerator) || !isIntegerText(denominator) || isZeroInteger(denominator))
        return "Error: Invalid number input.";
    if (isZeroInteger(numerator)) return "0";
    int k = ord_p_rational(x, p);
    if (k == 0) return "1";
    BigNumber bn;
    std::string power = bn.int_power(BigNumber::ull2string(uint64_t(p)), k < 0 ? -int64_t(k) : k);
    return k < 0 ? power : "1|" + power;
}
