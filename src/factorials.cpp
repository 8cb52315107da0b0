// Falling products x(x-1)...y (the two-operand '!': n! is n!1), in numerical and fraction
// mode, and binomial coefficients. Integer products are formed by product trees on fast
// multiplication; the answers are those of the factor-by-factor walk.
#include <cmath>

#include "BigNumber.h"
#include "engine_internal.h"
#include "nat/nat.h"
#include "tools.h"

using namespace engine;

namespace {

const char *const kTooBig = "Warning> n is too big.";
// Products with more digits than this are refused (100000! has 456574).
constexpr double kMaxProductDigits = 5e5;
constexpr uint64_t kMaxTextWalk = 10000;  // factors of a walk on decimal or signed texts

std::string syntaxMessage(const std::string &operand) {
    return "\nhint> ===*=== syntax error ===*===\n    > the operand `" + operand + "` is not a valid infix.";
}

std::string orderMessage(const std::string &x, const std::string &y) {
    return "\nhint> ===*=== error ===*===\n    > `" + x + "` should be greater than `" + y + "`.";
}

// log10 of hi!/lo!, for the size guard.
double productDigits(double lo, double hi) { return (std::lgamma(hi + 1) - std::lgamma(lo + 1)) / std::log(10.0); }

}  // namespace

std::string &BigNumber::falling_factorial(const std::string &x, const std::string &y) {
    if (isLessThan(x, y)) return result = x + " is less than " + y;
    if (isAllDigits(x) && isAllDigits(y)) {
        nat::Nat X = nat::from_decimal(x), Y = nat::from_decimal(y);
        uint64_t hi, lo;
        if (!nat::to_u64(X, hi) || !nat::to_u64(Y, lo)) return result = kTooBig;
        if (hi > lo && productDigits(double(lo), double(hi)) > kMaxProductDigits) return result = kTooBig;
        if (hi == lo) {
            // No factor above y: the walk stops at x itself, the last factor only when the
            // texts are the same.
            return result = x == y ? int_multiplication("1", x) : "1";
        }
        // The walk ends on y as the subtraction writes it (without leading zeros).
        bool lastFactor = y == stripLeadingZeros(y) && !y.empty();
        nat::Nat p = nat::product_range(lo + 1, hi);
        if (lastFactor) p = nat::mul(p, Y);
        result.clear();
        nat::append_decimal(p, result, 1);
        return result;
    }
    // Decimals and signed values: factor by factor, subtracting 1.
    if (!isRealNumber(x) || !isRealNumber(y)) return result = x + " and " + y + " should be real numbers.";
    std::string limit = addition(y, std::to_string(kMaxTextWalk));
    if (isLessThan(limit, x)) return result = kTooBig;
    std::string p = "1", r = x;
    for (uint64_t steps = 0; isGreaterThan(r, y); steps++) {
        if (steps == kMaxTextWalk) return result = kTooBig;  // texts whose order never settles
        p = multiplication(p, r);
        r = real_subtraction(r, "1");
    }
    if (r == y) p = multiplication(p, r);
    return result = p;
}

std::string &BigNumber::factorial_operator(const std::string &x0, const std::string &y0) {
    if (x0 == "0" && y0 == "1") return result = "1";
    std::string x = x0, y = y0;
    for (std::string *operand : {&x, &y}) {
        if (isRealNumber(*operand)) continue;
        if (!isInfixValid(*operand)) {
            errorMessage = syntaxMessage(*operand);
            return errorMessage;
        }
        std::string v;
        EvalInfixExprNoOutput(*operand, v, 0);
        *operand = v;
    }
    if (startsWith(real_subtraction(x, y), '-')) {
        errorMessage = orderMessage(x, y);
        return errorMessage;
    }
    return falling_factorial(x, y);
}

std::string &BigNumber::fr_factorial_operator(const std::string &x, const std::string &y) {
    if (x == "0" && y == "1") return result = "1";
    auto asFraction = [&](const std::string &t) {
        return t.find('|') != std::string::npos && t.find('.') == std::string::npos ? t : decimal_to_fraction(t);
    };
    std::string xf = asFraction(x), yf = asFraction(y);
    // Only numbers have a falling product; a name would make the walk endless.
    for (const std::string *operand : {&x, &y}) {
        std::string n, d, f = asFraction(*operand);
        if (!splitFraction(f, n, d) || !isRealNumber(n) || n.empty() || d.empty()) {
            errorMessage = syntaxMessage(*operand);
            return errorMessage;
        }
    }
    if (startsWith(fr_subtraction(xf, yf), '-')) {
        errorMessage = orderMessage(x, y);
        return errorMessage;
    }
    return fr_falling_factorial(xf, yf);
}

std::string &BigNumber::fr_falling_factorial(const std::string &x, const std::string &y) {
    // Whole numbers n|1: the same product as on integers once a second factor has been
    // multiplied in (the first product keeps the text of x).
    std::string xn, xd, yn, yd;
    if (splitFraction(x, xn, xd) && splitFraction(y, yn, yd) && xd == "1" && yd == "1" && isAllDigits(xn) &&
        isAllDigits(yn) && !xn.empty() && !yn.empty()) {
        nat::Nat X = nat::from_decimal(xn), Y = nat::from_decimal(yn);
        if (nat::compare(X, Y) > 0) {
            std::string p = falling_factorial(stripLeadingZeros(xn), stripLeadingZeros(yn));
            return result = p;
        }
        if (nat::compare(X, Y) == 0) return fr_multiplication("1", x);
        return result = "1";
    }
    std::string limit = fr_addition(y, std::to_string(kMaxTextWalk));
    if (isFractionLess(limit, x)) return result = kTooBig;
    std::string p = "1", r = x;
    for (uint64_t steps = 0; isFractionGreater(r, y); steps++) {
        if (steps == kMaxTextWalk) return result = kTooBig;  // texts whose order never settles
        p = fr_multiplication(p, r);
        r = fr_subtraction(r, "1|1");
    }
    if (isFractionEqual(r, y)) p = fr_multiplication(p, r);
    return result = p;
}

std::string &BigNumber::binom_value(const std::string &n, const std::string &k) {
    if (n == k) return result = "1";
    if (!isAllDigits(n) || !isAllDigits(k)) return result = "NaN";
    nat::Nat N = nat::from_decimal(n), K = nat::from_decimal(k);
    if (nat::compare(K, N) > 0) return result = "0";  // no way to choose more than there are
    nat::Nat rest = nat::sub(N, K);
    if (nat::compare(rest, K) < 0) K.swap(rest);  // C(n, k) = C(n, n - k): the shorter product
    uint64_t n64, k64;
    if (!nat::to_u64(N, n64) || !nat::to_u64(K, k64)) return result = kTooBig;
    if (k64 == 0) return result = "1";
    double digits = (std::lgamma(double(n64) + 1) - std::lgamma(double(k64) + 1) -
                     std::lgamma(double(n64 - k64) + 1)) / std::log(10.0);
    if (digits > kMaxProductDigits) return result = kTooBig;
    nat::Nat q, r;
    nat::divmod(nat::product_range(n64 - k64 + 1, n64), nat::product_range(1, k64), q, r);
    result.clear();
    nat::append_decimal(q, result, 1);
    return result;
}

std::string BigNumber::expand_factorial_expr(const std::string &n, const std::string &k) {
    std::string d;
    EvalInfixExprNoOutput("(" + n + ")-(" + k + ")", d, mode);
    if (mode == 1) d = reduce_fraction(d);
    return "(" + n + ")!/((" + k + ")!*(" + d + ")!)";
}
