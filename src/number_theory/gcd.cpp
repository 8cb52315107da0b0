// Greatest common divisor with and without Euclid's steps, least common multiple, and the
// integer logarithm.
#include <cmath>

#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "nat/nat.h"
#include "number_theory/routines_internal.h"

using namespace engine;
using routines::integerText;
using routines::readInteger;

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

namespace {

// Euclid takes about 2.4 steps a digit, each line as long as the numbers: the text grows
// with the square of their length.
constexpr size_t kMaxStepDigits = 2000;

}  // namespace

// Every division of Euclid's algorithm as a line x==q*y+r, then the list of the numbers
// met and the gcd. The quotient is the one that makes the line true with the non-negative
// remainder, so negative operands give true lines too. The walk stops at a remainder of
// 1. A zero divisor has no step: the gcd of a and 0 is a, as for gcd.
std::string &BigNumber::gcd_with_steps(const std::string &a, const std::string &b) {
    nat::Nat x, y;
    bool xNegative, yNegative;
    if (!readInteger(a, x, xNegative) || !readInteger(b, y, yNegative)) return result = "NaN";
    if (nat::decimal_digits(x) > kMaxStepDigits || nat::decimal_digits(y) > kMaxStepDigits)
        return result = "Error: Euclid's steps are written for numbers of at most " +
                        std::to_string(kMaxStepDigits) + " digits.";
    std::string list = "(" + a + "," + b;
    std::string answer = b;
    if (nat::is_zero(y)) {
        answer = nat::is_zero(x) ? "Inf" : a;
    } else {
        std::string xText = a, yText = b;
        for (;;) {
            nat::Nat q, r;
            nat::divmod(x, y, q, r);
            bool qNegative = xNegative != yNegative;
            if (xNegative && !nat::is_zero(r)) {  // floor: one more, and the remainder from above
                nat::add_small(q, 1);
                r = nat::sub(y, r);
            }
            std::string rText = integerText(r, false);
            outStream << xText << "==" << integerText(q, qNegative) << "*" << yText << "+" << rText << "\n";
            list += "," + rText;
            answer = yText;
            if (nat::is_zero(r)) break;
            if (r == nat::Nat{1}) {
                answer = "1";
                break;
            }
            x.swap(y);
            xNegative = yNegative;
            y.swap(r);
            yNegative = false;
            xText = yText;
            yText = rText;
        }
    }
    outStream << list << ")\n" << "gcd = " << answer << "\n\n";
    return result = answer;
}

// a*b / gcd(a, b); the least common multiple of two zeros is 0.
std::string &BigNumber::lcm(const std::string &a, const std::string &b) {
    if (!isIntegerText(a) || !isIntegerText(b)) return result = "NaN";
    if (isZeroInteger(a) || isZeroInteger(b)) return result = "0";
    std::string g = gcd(a, b);
    std::string product = int_multiplication(a, b);
    return int_division(product, g);
}

// The largest k with a^k <= n (-1 for n < 1): estimated from the digits, then settled
// exactly on the integer part. A base below 2 has no such k: the answer is -1 with a
// message, since repeated products of 0 or 1 never pass n.
int64_t BigNumber::floor_log(const std::string &n, int64_t a) {
    if (a < 2) {
        outStream << "Error: the base of the logarithm should be at least 2." << std::endl;
        return -1;
    }
    if (!isRealNumber(n) || isNegative(n)) return -1;
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
