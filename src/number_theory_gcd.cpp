// Greatest common divisor of integer texts.
#include "BigNumber.h"
#include "engine_internal.h"
#include "nat/nat.h"

using namespace engine;

namespace {

nat::Nat gcdNat(nat::Nat a, nat::Nat b) {
    while (!nat::is_zero(b)) {
        nat::Nat q, r;
        nat::divmod(a, b, q, r);
        a.swap(b);
        b.swap(r);
    }
    return a;
}

}  // namespace

// Euclid with non-negative remainders: when the first remainder is zero the divisor comes
// back as written (its sign and zeros included); otherwise the answer is the positive gcd.
std::string &BigNumber::gcd(const std::string &a, const std::string &b) {
    bool za = isEqualTo(a, "0"), zb = isEqualTo(b, "0");
    if (za && zb) return result = "Inf";
    if (za) return result = b;
    if (zb) return result = a;
    if (!isIntegerText(a) || !isIntegerText(b)) return result = "NaN";
    nat::Nat A = nat::from_decimal(unsignedPart(a)), B = nat::from_decimal(unsignedPart(b));
    nat::Nat q, r;
    nat::divmod(A, B, q, r);
    if (nat::is_zero(r)) return result = b;
    result.clear();
    nat::append_decimal(gcdNat(B, r), result);
    return result;
}
