// Greatest common divisor of integer texts.
#include <cmath>

#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "nat/nat.h"

using namespace engine;

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
    nat::append_decimal(nat::gcd(B, r), result);
    return result;
}

// The largest k with a^k <= n (-1 for n < 1): estimated from the digits, then settled
// exactly on the integer part. A base below 2 has no such k; the answer is -1.
int64_t BigNumber::floor_log(const std::string &n, int64_t a) {
    if (a < 2 || !isRealNumber(n) || isNegative(n)) return -1;
    std::string ip = std::string(unsignedPart(n));
    ip = ip.substr(0, ip.find('.'));
    nat::Nat N = nat::from_decimal(ip.empty() ? "0" : ip);
    if (nat::is_zero(N)) return -1;
    nat::Nat A = nat::from_u64(uint64_t(a));
    double digits = double(nat::decimal_digits(N));
    int64_t k = int64_t(std::floor((digits - 1) / std::log10(double(a))));
    if (k < 0) k = 0;
    nat::Nat pk = nat::pow(A, uint64_t(k));
    while (k > 0 && nat::compare(pk, N) > 0) {
        k--;
        pk = nat::pow(A, uint64_t(k));
    }
    for (nat::Nat next = nat::mul(pk, A); nat::compare(next, N) <= 0; next = nat::mul(next, A)) k++;
    return k;
}
