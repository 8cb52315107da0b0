// Natural logarithms: ln 2 and ln 10 cut to the precision, and ln x rounded half up.
//
// ln 2 comes from its stored digits up to 1000 decimals. The constant ln 10 is ln(5/4) +
// 3 ln 2 with ln 2 already cut to the precision, so it may end a unit or two below the true
// digits, as it always has. ln x of every argument but the text "2" (10 included: one number,
// one answer, whether written 10 or 10.0) is computed with guard digits (reduced to a mantissa
// near 1, then by binary splitting) so that all printed digits are correct.
#include "BigNumber.h"
#include "elementary/elementary_common.h"
#include "engine/engine_internal.h"
#include "globals.h"

using namespace engine;
using namespace elementary;

namespace {

const char *const kMinusInfinity = "-\xE2\x88\x9E";

// The answers for the special words of the number text.
const char *specialLog(const std::string &x) {
    std::string_view u = unsignedPart(x);
    if (u == "NaN" || x == "undefined") return "NaN";
    if (isNegative(x)) return nullptr;  // a negative infinity is less than zero
    if (u == "Inf") return "Inf";
    if (u == "\xE2\x88\x9E") return "\xE2\x88\x9E";
    return nullptr;
}

}  // namespace

std::string &BigNumber::ln2() {
    size_t p;
    if (!precisionDecimals(precision, p)) return result = precisionMessage("ln");
    if (p <= 1000) return result = cutConstant(__ln2__, p);
    std::string out;
    realfn::decideWithGuards(p, realfn::LastDigit::Cut, [&](size_t guard, realfn::Approx &a) {
        size_t s = p + guard;
        a.value = realfn::Scaled{realfn::ln2At(s), s, false};
        a.error = nat::from_u64(realfn::kKernelError);
        return true;
    }, out);
    return result = out;
}

// ln 10 = ln(5/4) + 3 ln 2 with ln 2 cut to the precision: its last digit may lie a unit or
// two below the true one. Where the cut ln 2 loses more than that (with fewer than two
// decimals it carries almost nothing), the true digits are given.
std::string &BigNumber::ln10() {
    size_t p;
    if (!precisionDecimals(precision, p)) return result = precisionMessage("ln");
    RealText cutLn2;
    auto cutText = [&](bool trueValue) {
        std::string out;
        realfn::decideWithGuards(p, realfn::LastDigit::Cut, [&](size_t guard, realfn::Approx &a) {
            size_t s = p + guard;
            nat::Nat threeLn2 = toScaled(cutLn2, s, false).magnitude;
            nat::mul_small(threeLn2, 3);
            nat::Nat value = trueValue ? realfn::ln10At(s) : nat::add(realfn::ln5over4At(s), threeLn2);
            a.value = realfn::Scaled{value, s, false};
            a.error = nat::from_u64(realfn::kKernelError);
            return true;
        }, out);
        return out;
    };
    // the true value first: the series kept for it give ln 2 as well
    std::string exact = cutText(true);
    splitReal(ln2(), cutLn2);
    std::string kept = cutText(false);
    RealText k, e;
    splitReal(kept, k);
    splitReal(exact, e);
    nat::Nat deficit = nat::sub(toScaled(e, p, false).magnitude, toScaled(k, p, false).magnitude);
    return result = nat::compare(deficit, nat::from_u64(2)) <= 0 && p > 0 ? kept : exact;
}

// In fraction mode the answer is the fraction of the decimal answer: a logarithm has no
// exact fraction, and this one is correct to the precision.
std::string &BigNumber::naturalLog(const std::string &x) {
    if (x == "1" || x == "+1") return result = "0";
    if (x == "0") return result = kMinusInfinity;
    if (const char *special = specialLog(x)) return result = special;
    if (isNegative(x)) return result = "Error: " + x + " is less than zero.";
    if (x == "2") return ln2();
    RealText r;
    if (!splitReal(x, r) || x == "+") return result = "Error: " + x + " is not a real number.";
    if (isZero(r)) return result = kMinusInfinity;
    size_t p;
    if (!precisionDecimals(precision, p)) return result = precisionMessage("ln");
    std::string out;
    realfn::decideWithGuards(p, realfn::LastDigit::Rounded, [&](size_t guard, realfn::Approx &a) {
        size_t s = p + guard;
        nat::Nat mantissa;
        int64_t exponent;
        mantissaOf(r, s, mantissa, exponent);
        a.value = realfn::lnAt(mantissa, exponent, s);
        a.error = nat::from_u64(realfn::kKernelError);
        return true;
    }, out);
    if (mode & kFractionBit) return result = decimal_to_fraction(out);
    return result = out;
}
