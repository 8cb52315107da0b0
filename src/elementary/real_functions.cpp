// x^(p/q) = e^(t), t = (p/q) ln x, on the fixed-point kernels of the elementary functions.
//
// Error: ln x comes within kKernelError units of its scale sl; t = L p / q then within
// kKernelError (p/q) + 1 units of sl, which the choice of sl below keeps under a hundredth
// of a unit of the answer's scale s after the magnification by e^t <= 10^intDigits; e^t
// adds its own kKernelError units of s.
#include "elementary/real_functions.h"

#include <cmath>

#include "elementary/elementary_common.h"
#include "elementary/real_elementary.h"

namespace realfn {

bool powRational(const std::string &x, const nat::Nat &num, const nat::Nat &den, size_t decimals,
                 double maxDigits, std::string &out) {
    elementary::RealText r;
    if (!elementary::splitReal(x, r) || elementary::isZero(r) || nat::is_zero(den)) return false;
    auto zeroText = [&] { out = decimals == 0 ? "0" : "0." + std::string(decimals, '0'); };
    if (nat::is_zero(num)) {
        out = elementary::oneText(decimals);
        return true;
    }
    if (r.integer == "1" && r.fraction.find_first_not_of('0') == std::string::npos) {
        out = elementary::oneText(decimals);
        return true;
    }
    // log10 |log10 x| and the sign of log10 x, from 17 digits of x; near one a double has too
    // few digits for it, so there the logarithm itself is taken, at a scale past x's last digit.
    nat::Nat probe;
    int64_t exponent;
    elementary::mantissaOf(r, 17, probe, exponent);
    double lx = leadingLog10(probe) - 17 + double(exponent);
    bool below = lx < 0;
    double logAbsLx = std::log10(std::fabs(lx));
    if (std::fabs(lx) < 1e-10) {
        size_t s0 = r.integer.size() + r.fraction.size() + 20;
        nat::Nat m;
        elementary::mantissaOf(r, s0, m, exponent);
        Scaled l0 = lnAt(m, exponent, s0);
        if (l0.magnitude.empty()) {
            out = elementary::oneText(decimals);
            return true;
        }
        below = l0.negative;
        logAbsLx = leadingLog10(l0.magnitude) - double(s0) - std::log10(std::log(10.0));
    }
    double logRatio = leadingLog10(num) - leadingLog10(den);  // log10 (p/q)
    double logDigits = logRatio + logAbsLx;
    if (!std::isfinite(logDigits) || logDigits > 300) {
        if (!below) return false;
        zeroText();
        return true;
    }
    double digits = std::pow(10.0, logDigits) * (below ? -1 : 1);  // log10 of the answer
    if (!(digits <= maxDigits)) return false;
    if (digits < -double(decimals) - 2) {  // below half a unit of the last decimal
        zeroText();
        return true;
    }
    size_t intDigits = digits > 0 ? size_t(digits) + 2 : 0;
    size_t ratioDigits = logRatio > 0 ? size_t(logRatio) + 1 : 0;
    decideWithGuards(decimals, LastDigit::Rounded, [&](size_t guard, Approx &a) {
        size_t s = decimals + guard;
        size_t sl = s + intDigits + ratioDigits + 8;
        nat::Nat mantissa;
        int64_t e;
        elementary::mantissaOf(r, sl, mantissa, e);
        Scaled l = lnAt(mantissa, e, sl);
        Scaled t{nat::mul(l.magnitude, num), sl, l.negative};
        nat::Nat q, rem;
        nat::divmod(t.magnitude, den, q, rem);
        t.magnitude = q;
        if (t.magnitude.empty()) t.negative = false;
        a.value = Scaled{expAt(t, s), s, false};
        a.error = nat::from_u64(kKernelError + 1);
        return true;
    }, out);
    return true;
}

}  // namespace realfn
