// Division of integer texts: the integer quotient (truncated toward zero), the
// non-negative remainder, and the quotient to `precision` decimals rounded half up.
//
// The answers are those of long division by hand, digit by digit: which zero and one
// divisors are caught, where a sign survives on a zero, when decimals stop early. The
// digits themselves come from one division on machine words:
//   a / b to k decimals = floor(a * 10^k / b), and the long division stops after the
//   first decimal where the remainder becomes zero, i.e. at the smallest k >= 1 with
//   b | a * 10^k, which shows as trailing zero decimals of the quotient at k = p + 1.
// A divisor whose value is zero is answered like the divisor "0", whatever its text.
#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "nat/nat.h"

using namespace engine;

namespace {

struct Operand {
    bool negative;
    std::string digits;  // without sign
};

// A '+' is read as a sign too, rather than as a digit of no value.
Operand takeSign(const std::string &t) {
    if (isNegative(t)) return {true, t.substr(1)};
    if (startsWith(t, '+')) return {false, t.substr(1)};
    return {false, t};
}

// The value of a digit text; texts with other characters have none.
bool toNat(const std::string &d, nat::Nat &out) {
    if (!allDigits(d)) return false;
    out = nat::from_decimal(d);
    return true;
}

}  // namespace

std::string &BigNumber::int_quotient(const std::string &a, const std::string &b) {
    if (b == "1" || a == "0") return result = a;
    Operand x = takeSign(a), y = takeSign(b);
    bool negative = x.negative != y.negative;
    nat::Nat A, B;
    if (!toNat(x.digits, A) || !toNat(y.digits, B)) return result = "NaN";
    if (nat::is_zero(B)) {  // no quotient exists; answer as the '%' operator does
        if (nat::is_zero(A)) return result = "NaN";
        return result = x.negative ? "-\xE2\x88\x9E" : "+\xE2\x88\x9E";
    }
    size_t la = nat::decimal_digits(A), lb = nat::decimal_digits(B);
    if (la < lb) return result = "0";  // unsigned: the divisor is longer than the dividend
    nat::Nat Q, R;
    nat::divmod(A, B, Q, R);
    result = negative ? "-" : "";
    nat::append_decimal(Q, result, 1);
    return result;
}

std::string &BigNumber::int_remainder(const std::string &a, const std::string &b) {
    Operand x = takeSign(a), y = takeSign(b);
    nat::Nat A, B;
    bool numeric = toNat(x.digits, A) && toNat(y.digits, B);
    if (b == "0" || (numeric && nat::is_zero(B)) || y.digits.empty()) return result = "Inf";
    if (b == "1" || a == "0") return result = "0";
    if (!numeric) return result = "NaN";
    nat::Nat Q, R;
    nat::divmod(A, B, Q, R);
    if (nat::is_zero(R)) return result = "0";
    result.clear();
    nat::append_decimal(x.negative ? nat::sub(B, R) : R, result);
    return result;
}

std::string &BigNumber::int_division(const std::string &a, const std::string &b) {
    Operand x = takeSign(a), y = takeSign(b);
    nat::Nat A, B;
    bool numeric = toNat(x.digits, A) && toNat(y.digits, B);
    if (b == "0" || (numeric && nat::is_zero(B)) || y.digits.empty())
        return result = isNegative(a) ? "-\xE2\x88\x9E" : "\xE2\x88\x9E";
    if (b == "1" || a == "0") return result = a;
    if (!numeric) return result = "NaN";
    bool negative = x.negative != y.negative;
    // Past the cap, only a quotient that ends within the cap's decimals can be written: it
    // ends at the same digit whatever the precision.
    size_t p;
    bool capped = !precisionDecimals(precision, p);
    if (capped) p = kMaxPrecision;
    std::string q;
    if (nat::is_zero(A)) {
        // A dividend of zeros never leaves a remainder "0": the decimals run out in full.
        if (capped) return result = precisionMessage("division");
        q = "0";
        if (p > 0) q += "." + std::string(p, '0');
        return result = negative ? "-" + q : q;
    }
    // p + 1 decimals, then half up on the last one.
    nat::Nat S, T;
    nat::divmod(nat::shift_decimal(A, p + 1), B, S, T);
    nat::Limb last = nat::divmod_small(S, 10, S);  // S: the integer part and p decimals
    bool stoppedEarly = nat::is_zero(T) && last == 0;
    if (capped && !stoppedEarly) return result = precisionMessage("division");
    if (!stoppedEarly && last >= 5) nat::add_small(S, 1);
    std::string digits;
    nat::append_decimal(S, digits, p + 1);
    q = digits.substr(0, digits.size() - p);
    std::string decimals = digits.substr(digits.size() - p);
    // Exact within p decimals (or an integer quotient): the long division ended at the
    // first digit that left no remainder, so no trailing zeros follow it.
    if (stoppedEarly) decimals.erase(decimals.find_last_not_of('0') + 1);
    if (!decimals.empty()) q += "." + decimals;
    return result = negative ? "-" + q : q;
}
