// Modular powers and the multiplicative order.
#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "nat/nat.h"
#include "number_theory/routines_internal.h"

using namespace engine;
using routines::integerText;
using routines::readInteger;

namespace {

nat::Nat remainderOf(const nat::Nat &a, const nat::Nat &m) {
    nat::Nat q, r;
    nat::divmod(a, m, q, r);
    return r;
}

// b^e mod m for m > 0, right to left over the bits of e.
nat::Nat powerModulo(nat::Nat b, nat::Nat e, const nat::Nat &m) {
    nat::Nat r = remainderOf(nat::Nat{1}, m);
    b = remainderOf(b, m);
    while (!nat::is_zero(e)) {
        nat::Nat half;
        if (nat::divmod_small(e, 2, half)) r = remainderOf(nat::mul(r, b), m);
        e.swap(half);
        if (!nat::is_zero(e)) b = remainderOf(nat::sqr(b), m);
    }
    return r;
}

}  // namespace

// base^power mod N with the remainder of the engine (non-negative, the sign of N not
// looked at). The power 0 answers 1 whatever N is; N zero has no remainder ("Inf"). A
// negative power is refused: stepping its digits would silently take its absolute value.
std::string &BigNumber::int_expmod(const std::string &base, const std::string &power, const std::string &N) {
    nat::Nat b, e, m;
    bool bNegative, eNegative, mNegative;
    if (!readInteger(base, b, bNegative) || !readInteger(power, e, eNegative) || !readInteger(N, m, mNegative))
        return result = "NaN";
    if (eNegative) return result = "Error: the exponent of a modular power should not be negative.";
    if (nat::is_zero(e)) return result = "1";
    if (nat::is_zero(m)) return result = "Inf";
    nat::Nat r = powerModulo(b, e, m);
    // (-b)^e is -(b^e) for odd e; the remainder of a negative value is taken from above
    if (bNegative && (e[0] & 1) && !nat::is_zero(r)) r = nat::sub(m, r);
    return result = integerText(r, false);
}
