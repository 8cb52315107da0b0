// Reading arguments and writing constants for the elementary functions.
#include "elementary/elementary_common.h"

#include "engine/engine_internal.h"

namespace elementary {

bool splitReal(const std::string &text, RealText &out) {
    size_t start = engine::startsWith(text, '+') ? 1 : 0;
    size_t point = text.find('.', start);
    std::string integer = text.substr(start, point == std::string::npos ? std::string::npos : point - start);
    std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    if (!engine::allDigits(integer) || !engine::allDigits(fraction)) return false;
    size_t lead = integer.find_first_not_of('0');
    out.integer = lead == std::string::npos ? "" : integer.substr(lead);
    out.fraction = fraction;
    return true;
}

bool isZero(const RealText &x) {
    return x.integer.empty() && x.fraction.find_first_not_of('0') == std::string::npos;
}

realfn::Scaled toScaled(const RealText &x, size_t scale, bool negative) {
    std::string digits = x.integer + x.fraction.substr(0, scale);
    if (x.fraction.size() < scale) digits.append(scale - x.fraction.size(), '0');
    realfn::Scaled s{nat::from_decimal(digits), scale, negative};
    if (s.magnitude.empty()) s.negative = false;
    return s;
}

void mantissaOf(const RealText &x, size_t scale, nat::Nat &mantissa, int64_t &exponent) {
    std::string digits;
    if (!x.integer.empty()) {
        exponent = int64_t(x.integer.size()) - 1;
        digits = x.integer.substr(0, scale + 1);
        if (digits.size() < scale + 1) digits += x.fraction.substr(0, scale + 1 - digits.size());
    } else {
        size_t lead = x.fraction.find_first_not_of('0');
        exponent = -int64_t(lead) - 1;
        digits = x.fraction.substr(lead, scale + 1);
    }
    digits.append(scale + 1 - digits.size(), '0');
    mantissa = nat::from_decimal(digits);
}

std::string cutConstant(const std::string &constant, size_t decimals) {
    if (decimals == 0) return constant.substr(0, constant.find('.'));
    return constant.substr(0, constant.find('.') + 1 + decimals);
}

std::string oneText(size_t decimals) { return decimals == 0 ? "1" : "1." + std::string(decimals, '0'); }

}  // namespace elementary
