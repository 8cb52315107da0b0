// Angle texts: the pi and degree forms, degrees as a reduced fraction of pi, the whole
// turns of an angle in radians, and the double-angle texts of a symbolic angle.
#include <cstring>

#include "BigNumber.h"
#include "elementary/angle_text.h"
#include "elementary/elementary_common.h"
#include "engine/engine_internal.h"
#include "globals.h"
#include "nat/nat.h"

using namespace engine;

namespace angles {
namespace {

// Reads an optional sign and a run of digits from `at`; false when there is no digit.
size_t digitRun(const std::string &t, size_t at) {
    size_t end = at;
    while (end < t.size() && isDigit(t[end])) end++;
    return end - at;
}

std::string signAt(const std::string &t, size_t &at) {
    if (at < t.size() && (t[at] == '+' || t[at] == '-')) return std::string(1, t[at++]);
    return "";
}

bool endsWithAt(const std::string &t, size_t at, const char *tail) { return t.compare(at, std::string::npos, tail) == 0; }

}  // namespace

bool matchPiAngle(const std::string &t, PiAngle &out) {
    size_t at = 0;
    out.sign = signAt(t, at);
    size_t n = digitRun(t, at);
    if (n == 0) return false;
    out.numerator = t.substr(at, n);
    at += n;
    out.denominator.clear();
    if (at < t.size() && (t[at] == '/' || t[at] == '|' || t[at] == '.')) {
        out.form = t[at] == '.' ? PiAngle::Decimal : PiAngle::Fraction;
        size_t m = digitRun(t, ++at);
        if (m == 0) return false;
        out.denominator = t.substr(at, m);
        at += m;
    } else {
        out.form = PiAngle::Whole;
    }
    return endsWithAt(t, at, "pi");
}

bool matchDegreeAngle(const std::string &t, DegreeAngle &out) {
    size_t at = 0;
    out.sign = signAt(t, at);
    size_t n = digitRun(t, at);
    if (n == 0) return false;
    out.whole = t.substr(at, n);
    at += n;
    out.decimals.clear();
    if (at < t.size() && t[at] == '.') {
        size_t m = digitRun(t, ++at);
        out.decimals = t.substr(at, m);
        at += m;
    }
    return endsWithAt(t, at, "d");
}

}  // namespace angles

namespace {

nat::Nat gcdOf(nat::Nat a, nat::Nat b) {
    while (!b.empty()) {
        nat::Nat q, r;
        nat::divmod(a, b, q, r);
        a.swap(b);
        b.swap(r);
    }
    return a;
}

const char *const kPiTooShort = "Error> the angle needs more than the 10120 stored decimals of pi.";

}  // namespace

// Degrees with decimals are reduced exactly as well: 30.5 degrees are 61/360pi. Their
// decimals are limited, since the reduction of two long numbers takes time of the square
// of their length.
std::string BigNumber::deg2radText(const std::string &degrees) {
    const size_t maxDecimals = 1000;
    std::string sign = isNegative(degrees) ? "-" : "";
    elementary::RealText r;
    if (!elementary::splitReal(sign.empty() ? degrees : degrees.substr(1), r) || degrees == "+" || degrees == "-")
        return "Error> " + degrees + " is not a number of degrees.";
    if (elementary::isZero(r)) return "0";
    r.fraction.erase(r.fraction.find_last_not_of('0') + 1);
    if (r.fraction.size() > maxDecimals)
        return "Error> degrees are reduced with at most " + std::to_string(maxDecimals) + " decimals.";
    nat::Nat numerator = nat::from_decimal(r.integer + r.fraction);
    nat::Nat denominator = nat::shift_decimal(nat::from_u64(180), r.fraction.size());
    nat::Nat g = gcdOf(numerator, denominator), n, d, rest;
    nat::divmod(numerator, g, n, rest);
    nat::divmod(denominator, g, d, rest);
    return sign + nat::to_decimal(n) + "/" + nat::to_decimal(d) + "pi";
}

// 2pi is taken with precision + 5 decimals and one more for each integer digit of the
// angle after the first, so that the whole turns it removes cost no digit of the answer;
// the floor of angle / 2pi is exact.
std::string BigNumber::turnOffset(const std::string &angle, std::string &twoPi) {
    twoPi.clear();
    bool negative = isNegative(angle);
    elementary::RealText x;
    if (!elementary::splitReal(negative ? angle.substr(1) : angle, x))
        return "Error> " + angle + " is not an angle in radians.";
    size_t intDigits = x.integer.size();
    size_t decimals;
    precisionDecimals(precision, decimals);  // past the cap, the stored pi is too short anyway
    decimals += 5 + (intDigits > 1 ? intDigits - 1 : 0);
    nat::Nat pi;
    if (!realfn::piAt(decimals, pi)) return kPiTooShort;
    nat::Nat turn = nat::add(pi, pi);
    std::string turnDigits = nat::to_decimal(turn, decimals + 1);
    twoPi = turnDigits.substr(0, turnDigits.size() - decimals) + "." + turnDigits.substr(turnDigits.size() - decimals);
    // floor(a / 10^f / (turn / 10^D)) = floor(a 10^D / (turn 10^f))
    nat::Nat a = nat::shift_decimal(nat::from_decimal(x.integer + x.fraction), decimals);
    nat::Nat q, rest;
    nat::divmod(a, nat::shift_decimal(turn, x.fraction.size()), q, rest);
    if (negative && !rest.empty()) nat::add_small(q, 1);  // the floor of a negative quotient
    if (q.empty()) return "0";
    return (negative ? "" : "-") + nat::to_decimal(q);
}

namespace {

// Half the angle, evaluated twice as the text would be, formatted with both copies; an
// angle or an answer beyond the limits of the buffer is refused with a message.
const char *doubleAngleText(BigNumber &bn, char *buffer, const char *angle, const char *head, const char *middle,
                            const char *tail) {
    const size_t capacity = 1001;
    const char *tooLong = "Error> the angle is too long for a double-angle text.";
    if (angle == nullptr || strnlen(angle, capacity) > 999) return std::strcpy(buffer, tooLong);
    std::string half = bn.multiplication(angle, "0.5");
    std::string once;
    bn.EvalInfixExprNoOutput(half, once, 0);
    bn.EvalInfixExprNoOutput(once, half, 0);
    std::string text = head + half + middle + half + tail;
    if (text.size() > capacity - 1) return std::strcpy(buffer, tooLong);
    return std::strcpy(buffer, text.c_str());
}

}  // namespace

const char *BigNumber::cosDoubleAngleText(const char *angle) {
    return doubleAngleText(*this, textBuffer, angle, "cos^2(", ")-sin^2(", ")\n");
}

const char *BigNumber::sinDoubleAngleText(const char *angle) {
    return doubleAngleText(*this, textBuffer, angle, "2sin(", ")*cos(", ")\n");
}
