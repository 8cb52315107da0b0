// Decimal texts to exact fractions: the digits after the point become a numerator over a
// power of ten, reduced to lowest terms (no detection of repeating decimals).
#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "tools.h"

using namespace engine;

namespace {

struct DecimalFraction {
    std::string I, F, D, N;  // integer part, reduced fraction digits and denominator, numerator
};

}  // namespace

// w: a real-number text with a point, without sign.
static DecimalFraction reduceDecimal(BigNumber &bn, const std::string &w) {
    DecimalFraction r;
    size_t p = w.find('.');
    r.I = w.substr(0, p);
    r.F = w.substr(p + 1);
    r.D = "1" + std::string(r.F.size(), '0');
    r.F = BigNumber::trimZeros(r.F);
    std::string g = bn.gcd(r.F, r.D);
    r.F = bn.int_division(r.F, g);
    r.D = bn.int_division(r.D, g);
    std::string scaledInteger = bn.multiplication(r.I, r.D);
    r.N = bn.addition(scaledInteger, r.F);
    return r;
}

// A text that is not a real number: a fraction with '/' or '|', reduced when both parts
// are digits; anything else comes back as it is.
static std::string otherToFraction(BigNumber &bn, const std::string &w) {
    size_t bar = w.find('/');
    if (bar == 0 || bar + 1 == w.size()) bar = std::string::npos;
    if (bar == std::string::npos) {
        bar = w.find('|');
        if (bar == 0 || bar + 1 == w.size()) bar = std::string::npos;
    }
    if (bar == std::string::npos) return w;
    std::string num = w.substr(0, bar), den = w.substr(bar + 1);
    if (isAllDigits(num) && isAllDigits(den)) {
        num = BigNumber::stripLeadingZeros(num);  // one zero stays: 0|4 is no |4
        den = BigNumber::stripLeadingZeros(den);
        std::string g = bn.gcd(num, den);
        if (isAllDigits(g) && g != "0") {
            num = bn.int_division(num, g);
            den = bn.int_division(den, g);
        }
    }
    return num + "|" + den;
}

std::string BigNumber::decimal_to_fraction(const std::string &x) {
    bool negative = isNegative(x);
    std::string unsignedText = negative ? x.substr(1) : x;
    std::string w = trimZeros(unsignedText);
    std::string sign = negative ? "-" : "";
    // A fraction's parts keep their zeros until they are read one by one: 0|4 is no |4.
    if (!isRealNumber(w)) return sign + otherToFraction(*this, isFraction(unsignedText) ? unsignedText : w);
    if (w.find('.') == std::string::npos) return sign + w + "|1";
    DecimalFraction f = reduceDecimal(*this, w);
    return sign + f.N + "|" + f.D;
}

std::string BigNumber::decimal_to_fraction2(const std::string &x) {
    bool negative = isNegative(x);
    std::string w = trimZeros(negative ? x.substr(1) : x);
    if (!isRealNumber(w) || w.find('.') == std::string::npos) return decimal_to_fraction(x);
    DecimalFraction f = reduceDecimal(*this, w);
    std::string mixed = f.I + "+" + f.F + "|" + f.D, improper = f.N + "|" + f.D;
    if (negative) return "-(" + mixed + ")==-(" + improper + ")";
    return mixed + "==" + improper;
}
