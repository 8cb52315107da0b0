// The exponential e^x in its two forms: `exponential` (the command) and `exponentialValue`
// (the script's twin, which drops one more digit for a whole-number argument).
//
// Each form keeps its answer's shape: e^1 is the stored e cut to the precision; a whole
// number gives the precision's decimals rounded half up (the twin: one decimal fewer, cut);
// a decimal gives one decimal fewer than the precision, cut; a negative argument gives the
// reciprocal of e^|x|, rounded half up. The digits themselves are computed with guard
// digits, so each one is the true digit of e^x in that shape. An answer whose integer part
// alone would be too long to write is refused with a message.
#include <cmath>

#include "BigNumber.h"
#include "elementary/elementary_common.h"
#include "engine/engine_internal.h"
#include "globals.h"
#include "tools.h"

using namespace engine;
using namespace elementary;

namespace {

enum class Twin { Command, Value };

bool isZeroLiteral(const std::string &x) { return x.empty() || x == "0" || x == "+0" || x == "-0"; }

// The value of an argument that the series accept (digits, a decimal with a point, the
// literals above, any of them behind '-'); false for other texts.
bool readArgument(const std::string &x, RealText &value, bool &negative) {
    if (isNegative(x)) {
        if (!readArgument(x.substr(1), value, negative)) return false;
        negative = !negative && !isZero(value);
        return true;
    }
    negative = false;
    if (isZeroLiteral(x)) return splitReal("0", value);
    if (!isAllDigits(x) && !BigNumber::isDecimal(x)) return false;
    return splitReal(x, value);
}

// log10 of the value, roughly (it only decides sizes); huge for long integer parts.
double approxLog10OfExp(const RealText &x) {
    if (x.integer.size() > 15) return 1e300;
    std::string lead = (x.integer.empty() ? "0" : x.integer) + "." + x.fraction.substr(0, 17) + "0";
    return std::stod(lead) * 0.4342944819032518;
}

std::string expDigits(const std::string &x, const RealText &r, bool negative, size_t decimals, realfn::LastDigit mode) {
    if (decimals > kMaxPrecision) return precisionMessage("exp");
    if (isZero(r)) return oneText(decimals);
    double digits = approxLog10OfExp(r);
    if (negative && digits > double(decimals) + 1100) return decimals == 0 ? "0" : "0." + std::string(decimals, '0');
    auto tooLong = [&] {
        return "Error> exp(" + x + ") would have more than " + std::to_string(kMaxAnswerDigits) + " digits.";
    };
    // Compared as a double before it becomes a count: a long argument's size is 1e300.
    if (!negative && digits > double(kMaxAnswerDigits)) return tooLong();
    size_t intDigits = negative ? 0 : size_t(digits) + 1;
    if (!negative && double(intDigits + decimals) > double(kMaxAnswerDigits)) return tooLong();
    bool one = !negative && r.integer == "1" && r.fraction.find_first_not_of('0') == std::string::npos;
    std::string out;
    realfn::decideWithGuards(decimals, mode, [&](size_t guard, realfn::Approx &a) {
        size_t s = decimals + guard;
        if (one) {  // e itself: no reduction by ln 2, no pieces
            a.value = realfn::Scaled{realfn::eAt(s), s, false};
        } else {
            realfn::Scaled arg = toScaled(r, s + intDigits + 2, negative);
            a.value = realfn::Scaled{realfn::expAt(arg, s), s, false};
        }
        a.error = nat::from_u64(realfn::kKernelError);
        return true;
    }, out);
    return out;
}

std::string expText(const BigNumber &bn, const std::string &x, Twin twin) {
    size_t p;
    precisionDecimals(bn.getPrecision(), p);  // past the cap expDigits answers the message
    size_t fewer = p > 0 ? p - 1 : 0;
    if (x == "1" && bn.getPrecision() < 10000) return cutConstant(__e__, p);
    if (isZeroLiteral(x)) return "1";
    RealText r;
    bool negative;
    if (!readArgument(x, r, negative)) return "Error";
    if (isNegative(x)) {
        if (isZero(r)) return "1";  // 1 divided by e^0 ends at once
        return expDigits(x, r, negative, p, realfn::LastDigit::Rounded);
    }
    if (isAllDigits(x)) {
        if (twin == Twin::Command) return expDigits(x, r, false, p, realfn::LastDigit::Rounded);
        return expDigits(x, r, false, fewer, realfn::LastDigit::Cut);
    }
    return expDigits(x, r, false, fewer, realfn::LastDigit::Cut);
}

}  // namespace

std::string &BigNumber::exponential(const std::string &x) {
    std::string answer = expText(*this, x, Twin::Command);
    return result = answer;
}

std::string &BigNumber::exponentialValue(std::string x) {
    std::string answer = expText(*this, x, Twin::Value);
    return result = answer;
}
