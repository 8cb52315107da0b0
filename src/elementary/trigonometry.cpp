// Cosine, sine, tangent and cotangent of an angle text: exact texts at rational multiples
// of pi with denominators up to 6 (and the degrees that reduce to them), values to the
// precision for numbers in radians, and symbolic answers for everything else.
//
// In radians the value is computed with guard digits and rounded half up to the
// precision: the angle is reduced by whole turns with as many stored digits of pi as its
// size needs, folded into the first eighth of a turn, and summed by binary splitting.
#include <numeric>

#include "BigNumber.h"
#include "elementary/angle_text.h"
#include "elementary/elementary_common.h"
#include "engine/engine_internal.h"
#include "globals.h"
#include "nat/nat.h"
#include "tools.h"

using namespace engine;
using nat::Nat;

namespace {

enum class Trig { Cos, Sin };

struct ExactRow {
    unsigned denominator;
    unsigned residue;  // numerator modulo 2 * denominator
    const char *cosine;
    const char *sine;
};

constexpr ExactRow kExactTable[] = {
    {1, 0, "1", "0"},
    {1, 1, "-1", "0"},
    {2, 1, "0", "1"},
    {2, 3, "0", "-1"},
    {3, 1, "1/2", "sqrt(3)/2"},
    {3, 2, "-1/2", "sqrt(3)/2"},
    {3, 4, "-1/2", "-sqrt(3)/2"},
    {3, 5, "1/2", "-sqrt(3)/2"},
    {4, 1, "sqrt(2)/2", "sqrt(2)/2"},
    {4, 3, "-sqrt(2)/2", "sqrt(2)/2"},
    {4, 5, "-sqrt(2)/2", "-sqrt(2)/2"},
    {4, 7, "sqrt(2)/2", "-sqrt(2)/2"},
    {5, 1, "(sqrt(5)+1)/4", "1/2*sqrt((5-sqrt(5))/2)"},
    {5, 2, "(sqrt(5)-1)/4", "1/2*sqrt((5+sqrt(5))/2)"},
    {5, 3, "(1-sqrt(5))/4", "1/2*sqrt((5+sqrt(5))/2)"},
    {5, 4, "-(sqrt(5)+1)/4", "1/2*sqrt((5-sqrt(5))/2)"},
    {5, 6, "-(sqrt(5)+1)/4", "-1/2*sqrt((5-sqrt(5))/2)"},
    {5, 7, "(1-sqrt(5))/4", "-1/2*sqrt((5+sqrt(5))/2)"},
    {5, 8, "(sqrt(5)-1)/4", "-1/2*sqrt((5+sqrt(5))/2)"},
    {5, 9, "(sqrt(5)+1)/4", "-1/2*sqrt((5-sqrt(5))/2)"},
    {6, 1, "sqrt(3)/2", "(1/2)"},
    {6, 5, "-sqrt(3)/2", "(1/2)"},
    {6, 7, "-sqrt(3)/2", "(-1/2)"},
    {6, 11, "sqrt(3)/2", "(-1/2)"},
};

struct Shortcut {
    const char *angle;
    const char *answer;
};

constexpr Shortcut kCosineShortcuts[] = {
    {"0.5pi", "0"}, {"1/2pi", "0"}, {"1|2pi", "0"}, {"90d", "0"}, {"270d", "0"}, {"0", "1"},
    {"0pi", "1"},   {"2pi", "1"},   {"0d", "1"},    {"pi", "-1"}, {"1pi", "-1"}, {"180d", "-1"},
};

constexpr Shortcut kSineShortcuts[] = {{"0", "0"}, {"pi", "0"}, {"-pi", "0"}, {"-0", "0"}, {"+0", "0"}};

const char *const kTodo = "TODO...";
const char *const kZeroOverZero = "Error> 0/0 is NOT allowed.";
const char *const kUndetermined = "undetermined";
const char *const kPiTooShort = "Error> the angle needs more than the 10120 stored decimals of pi.";

template <size_t N> const char *shortcut(const Shortcut (&table)[N], const std::string &x) {
    for (const Shortcut &s : table)
        if (x == s.angle) return s.answer;
    return nullptr;
}

// The exact text of a/b pi (zero tested by value, so leading zeros do not matter). The
// fraction reduces to a denominator of at most 6 exactly when m = 60a/b is a whole number;
// then a/b = m/60, and m modulo 120 picks the row. One product and one division: no
// greatest common divisor of long numbers is needed.
std::string piFraction(const Nat &a, const Nat &b, Trig f) {
    if (a.empty()) return b.empty() ? kZeroOverZero : (f == Trig::Cos ? "1" : "0");
    if (b.empty()) return kUndetermined;
    Nat a60 = a, m, rest, ignored;
    nat::mul_small(a60, 60);
    nat::divmod(a60, b, m, rest);
    if (!rest.empty()) return kTodo;
    unsigned m120 = nat::divmod_small(m, 120, ignored);
    unsigned g = std::gcd(m120 % 60, 60u);  // gcd(m, 60)
    unsigned denominator = 60 / g, residue = m120 / g;
    for (const ExactRow &row : kExactTable)
        if (row.denominator == denominator && row.residue == residue) return f == Trig::Cos ? row.cosine : row.sine;
    return kTodo;  // denominators 10, 12, 15, 20, 30 and 60
}

// ---- radians ----

struct SinCos {
    realfn::Scaled sine, cosine;
};

// sin and cos of m quarter turns + sigma t, for m = 0..3, from sin t and cos t; sigma is
// -1 in the odd eighths of the turn (the angle is then measured back from the next eighth).
struct Quadrant {
    bool sineFromSine, sineNegative;
    bool cosineFromSine, cosineNegative;
};

constexpr Quadrant kQuadrants[] = {
    {true, false, false, false},  // sin t, cos t
    {false, false, true, true},   // cos t, -sin t
    {true, true, false, true},    // -sin t, -cos t
    {false, true, true, false},   // -cos t, sin t
};

// X (at scale s) reduced by whole turns and folded into [0, pi/4]: X = 2k pi + j pi/4 + t
// for an even eighth j, (j + 1) pi/4 - t for an odd one. Pi is taken with as many more
// decimals as X has integer digits; false when the stored pi is too short for that.
bool foldAngle(const Nat &X, size_t s, size_t integerDigits, uint64_t &eighth, Nat &t) {
    size_t D = s + integerDigits + 2;
    Nat pi;
    if (!realfn::piAt(D, pi)) return false;
    Nat turns, r, j, rest, t4;
    nat::divmod(nat::shift_decimal(X, D - s), nat::add(pi, pi), turns, r);
    nat::mul_small(r, 4);
    nat::divmod(r, pi, j, rest);  // 4r = j pi + rest
    nat::to_u64(j, eighth);
    t4 = eighth % 2 == 1 ? nat::sub(pi, rest) : rest;
    nat::divmod_small(t4, 4, t);
    t = realfn::shiftDown(t, D - s);
    return true;
}

// sin and cos of the unsigned angle x at the scale; false when the stored pi is too
// short to reduce it. Angles up to 1.5 (below pi/2) need no pi at all.
bool sinCosOf(const elementary::RealText &x, size_t scale, SinCos &out) {
    size_t s = scale + 2;
    Nat X = elementary::toScaled(x, s, false).magnitude, sn, cs;
    Quadrant q = kQuadrants[0];
    bool odd = false;
    if (nat::compare(X, nat::shift_decimal(nat::from_u64(15), s - 1)) <= 0) {
        realfn::sinCosAt(X, s, sn, cs);
    } else {
        uint64_t eighth = 0;
        Nat t;
        if (!foldAngle(X, s, x.integer.size(), eighth, t)) return false;
        realfn::sinCosAt(t, s, sn, cs);
        odd = eighth % 2 == 1;
        q = kQuadrants[((eighth + (odd ? 1 : 0)) / 2) % 4];
    }
    auto pick = [&](bool fromSine, bool negative) {
        Nat m = realfn::shiftDown(fromSine ? sn : cs, 2);
        bool neg = (negative != (fromSine && odd)) && !m.empty();  // sin(-t) = -sin t
        return realfn::Scaled{m, scale, neg};
    };
    out.sine = pick(q.sineFromSine, q.sineNegative);
    out.cosine = pick(q.cosineFromSine, q.cosineNegative);
    return true;
}

std::string radians(const std::string &x, Trig f, size_t decimals) {
    elementary::RealText r;
    elementary::splitReal(x, r);
    if (decimals > kMaxPrecision) return precisionMessage(f == Trig::Cos ? "cos" : "sin");
    std::string out;
    auto compute = [&](size_t guard, realfn::Approx &a) {
        SinCos sc;
        if (!sinCosOf(r, decimals + guard, sc)) return false;
        a.value = f == Trig::Cos ? sc.cosine : sc.sine;
        a.error = nat::from_u64(realfn::kKernelError);
        return true;
    };
    if (!realfn::decideWithGuards(decimals, realfn::LastDigit::Rounded, compute, out)) return kPiTooShort;
    return out;
}

// ---- the text road ----

std::string trig(BigNumber &bn, const std::string &x, Trig f);

// The sine of a negative angle is the negated sine of the positive one, negated as text.
std::string negateText(const std::string &s) {
    if (s == "0" || s == "+0" || s == "-0" || isMessageText(s)) return s;  // a message is passed on
    if (s == "-" || s == "+") return "err";
    if (startsWith(s, '-')) return s.substr(1);
    return "-" + s;
}

std::string piTrig(const angles::PiAngle &a, Trig f) {
    switch (a.form) {
    case angles::PiAngle::Whole:
        if (f == Trig::Sin) return "0";
        return (a.numerator.back() - '0') % 2 == 0 ? "1" : "-1";
    case angles::PiAngle::Decimal: {
        Nat numerator = nat::from_decimal(a.numerator + a.denominator);
        return piFraction(numerator, nat::pow10(a.denominator.size()), f);
    }
    case angles::PiAngle::Fraction:
        break;
    }
    return piFraction(nat::from_decimal(a.numerator), nat::from_decimal(a.denominator), f);
}

std::string symbolic(BigNumber &bn, const std::string &x, Trig f) {
    const char *key = f == Trig::Cos ? "cos(2x)" : "sin(2x)";
    const char *identity = f == Trig::Cos ? "cos^2(x)-sin^2(x)" : "2sin(x)*cos(x)";
    const std::string *claimed = claimed_right_side(key);
    if (claimed && *claimed == identity)
        return f == Trig::Cos ? bn.cosDoubleAngleText(x.c_str()) : bn.sinDoubleAngleText(x.c_str());
    return (f == Trig::Cos ? "cos(" : "sin(") + x + ")";
}

// A negative angle: its leading '-' characters come off a number, a pi or degree text or a
// single term (each one flips the sign of a sine); a sum of terms is multiplied by -1 so
// that every term changes its sign. A product that still begins with '-' is not taken
// further: the angle stays symbolic.
std::string negativeAngle(BigNumber &bn, const std::string &x, Trig f) {
    size_t signs = x.find_first_not_of('-');
    std::string rest = x.substr(signs == std::string::npos ? x.size() : signs);
    angles::PiAngle pi;
    angles::DegreeAngle degrees;
    if (BigNumber::isRealNumber(rest) || angles::matchPiAngle(rest, pi) || angles::matchDegreeAngle(rest, degrees) ||
        splitTerms(rest).size() == 1) {
        std::string positive = trig(bn, rest, f);
        return f == Trig::Sin && (x.size() - rest.size()) % 2 == 1 ? negateText(positive) : positive;
    }
    std::string product = bn.multiplication(x, "-1");
    if (product.empty() || isNegative(product)) return symbolic(bn, x, f);
    std::string positive = trig(bn, product, f);
    return f == Trig::Cos ? positive : negateText(positive);
}

std::string trig(BigNumber &bn, const std::string &x, Trig f) {
    if (const char *s = f == Trig::Cos ? shortcut(kCosineShortcuts, x) : shortcut(kSineShortcuts, x)) return s;
    if (isNegative(x)) return negativeAngle(bn, x, f);
    angles::PiAngle pi;
    if (angles::matchPiAngle(x, pi)) return piTrig(pi, f);
    angles::DegreeAngle degrees;
    if (angles::matchDegreeAngle(x, degrees)) {  // d degrees are d/180 pi
        Nat numerator = nat::from_decimal(degrees.whole + degrees.decimals);
        return piFraction(numerator, nat::shift_decimal(nat::from_u64(180), degrees.decimals.size()), f);
    }
    if (BigNumber::isRealNumber(x)) {
        size_t decimals;
        precisionDecimals(bn.getPrecision(), decimals);  // radians() answers the cap
        return radians(x, f, decimals);
    }
    return symbolic(bn, x, f);
}

// tan (or cot) of a number in radians: the quotient of sine and cosine carried with as
// many more digits as the divisor has leading zeros, so that the quotient keeps the
// precision near the poles too. `tooClose` tells a divisor too small to resolve within
// the digit limit from a pi too short.
bool quotientApprox(const elementary::RealText &x, bool negative, size_t scale, bool cot, realfn::Approx &out,
                    bool &tooClose) {
    size_t s = scale;
    for (;;) {
        SinCos sc;
        if (!sinCosOf(x, s, sc)) return false;
        const realfn::Scaled &num = cot ? sc.cosine : sc.sine, &den = cot ? sc.sine : sc.cosine;
        size_t digits = nat::decimal_digits(den.magnitude);
        size_t zeros = s - std::min(s, digits);
        size_t needed = scale + 2 * zeros + 8;
        if (digits < 8 || s < needed) {
            s = std::max(needed, 2 * s);
            if (s > elementary::kMaxAnswerDigits) {
                tooClose = true;
                return false;
            }
            continue;
        }
        // d(n/d) = (dn + q dd) / d: with both errors E units, E (1 + q) / d units of q
        Nat q = realfn::divScaled(num.magnitude, den.magnitude, s), e, rest;
        Nat spread = nat::mul(nat::from_u64(realfn::kKernelError), nat::add(nat::pow10(s), q));
        nat::divmod(spread, den.magnitude, e, rest);
        nat::add_small(e, 2);
        bool neg = (num.negative != den.negative) != negative;
        out.value = realfn::Scaled{q, s, neg && !q.empty()};
        out.error = e;
        return true;
    }
}

std::string quotient(BigNumber &bn, const std::string &x, bool cot) {
    bool negative = isNegative(x);
    std::string magnitude = negative ? x.substr(1) : x;
    elementary::RealText r;
    // Numbers in radians: the quotient of the values, not of their rounded texts. Zero
    // keeps the division of the texts, whose zero divisor answers for itself.
    if (elementary::splitReal(magnitude, r) && !(negative && startsWith(magnitude, '+')) && !elementary::isZero(r)) {
        size_t decimals;
        if (!precisionDecimals(bn.getPrecision(), decimals)) return precisionMessage(cot ? "cot" : "tan");
        std::string out;
        bool tooClose = false;
        auto compute = [&](size_t guard, realfn::Approx &a) {
            return quotientApprox(r, negative, decimals + guard, cot, a, tooClose);
        };
        if (!realfn::decideWithGuards(decimals, realfn::LastDigit::Rounded, compute, out))
            return tooClose ? "Error> " + x + " is too close to a pole of " + (cot ? "cot" : "tan") + "." : kPiTooShort;
        if (bn.getMode() == kNumericalMode) return out;
        return bn.decimal_to_fraction(out);
    }
    std::string s = trig(bn, x, Trig::Sin);
    std::string c = trig(bn, x, Trig::Cos);
    if (isMessageText(s)) return s;
    if (isMessageText(c)) return c;
    const std::string &dividend = cot ? c : s, &divisor = cot ? s : c;
    if (bn.getMode() == kNumericalMode) return bn.real_division(dividend, divisor);
    std::string a = bn.decimal_to_fraction(dividend);
    std::string b = bn.decimal_to_fraction(divisor);
    return bn.fr_division(a, b);
}

}  // namespace

std::string &BigNumber::cosine(const std::string &x) {
    std::string answer = trig(*this, x, Trig::Cos);
    return result = answer;
}

std::string &BigNumber::sine(const std::string &x) {
    std::string answer = trig(*this, x, Trig::Sin);
    return result = answer;
}

std::string &BigNumber::tangent(const std::string &x) {
    std::string answer = quotient(*this, x, false);
    return result = answer;
}

std::string &BigNumber::cotangent(const std::string &x) {
    std::string answer = quotient(*this, x, true);
    return result = answer;
}
