// Floor, ceiling and rounding of real-number texts, on the text alone: cut at the point
// and at most add one to the integer digits, so any length is exact.
#include "BigNumber.h"
#include "engine/engine_internal.h"

using namespace engine;

namespace {

struct Split {
    char sign;             // '-', '+' or 0
    std::string integer;   // between the sign and the point
    std::string fraction;  // after the point
};

Split split(const std::string &x) {
    Split s{0, "", ""};
    size_t i = 0;
    if (startsWith(x, '-') || startsWith(x, '+')) s.sign = x[i++];
    size_t p = x.find('.', i);
    s.integer = x.substr(i, p - i);
    s.fraction = x.substr(p + 1);
    // ".5" has no integer digit; it stands for 0.5.
    if (s.integer.empty()) s.integer = "0";
    return s;
}

bool anyNonZero(const std::string &f) { return f.find_first_not_of('0') != std::string::npos; }

}  // namespace

std::string &BigNumber::floor_real(const std::string &x) {
    if (!isRealNumber(x)) return result = x + " should be a valid real number.";
    if (x.find('.') == std::string::npos) return result = x;
    Split s = split(x);
    if (s.sign == '-') {
        std::string i = anyNonZero(s.fraction) ? int_addition(s.integer, "1") : s.integer;
        return result = "-" + i;
    }
    return result = (s.sign == '+' ? "+" : "") + s.integer;
}

std::string &BigNumber::ceil_real(const std::string &x) {
    if (!isRealNumber(x)) return result = x + " should be a valid real number.";
    if (x.find('.') == std::string::npos) return result = x;
    Split s = split(x);
    if (s.sign == '-') return result = "-" + s.integer;
    std::string i = anyNonZero(s.fraction) ? int_addition(s.integer, "1") : s.integer;
    return result = i;
}

std::string &BigNumber::round_real(const std::string &x) {
    if (!isRealNumber(x)) return result = x + " should be a valid real number.";
    if (x.find('.') == std::string::npos) return result = x;
    Split s = split(x);
    bool up = !s.fraction.empty() && s.fraction[0] >= '5';
    std::string i = up ? int_addition(s.integer, "1") : s.integer;
    return result = (s.sign == '-' ? "-" : "") + i;
}
