// Falling products x(x-1)...y (the two-operand '!': n! is n!1), in numerical and fraction
// mode, and binomial coefficients. Integer products are formed by product trees on fast
// multiplication; the answers are those of the factor-by-factor walk.
#include <cmath>

#include "BigNumber.h"
#include "engine/engine_internal.h"
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

namespace {

// A signed rational with limb parts; the denominator is positive.
struct Rational {
    bool negative = false;
    nat::Nat num, den{1};
};

bool parseRational(const std::string &t, Rational &r) {
    std::string n, d;
    if (!BigNumber::splitFraction(t, n, d)) return false;
    r.negative = isNegative(n);
    std::string digits(unsignedPart(n));
    if (digits.empty() || d.empty() || !allDigits(digits) || !allDigits(d)) return false;
    r.num = nat::from_decimal(digits);
    r.den = nat::from_decimal(d);
    if (nat::is_zero(r.num)) r.negative = false;
    return !nat::is_zero(r.den);
}

// Signed difference of two signed naturals.
void signedSub(bool an, const nat::Nat &a, bool bn, const nat::Nat &b, bool &rn, nat::Nat &r) {
    if (an != bn) {
        r = nat::add(a, b);
        rn = an;
    } else if (nat::compare(a, b) >= 0) {
        r = nat::sub(a, b);
        rn = an;
    } else {
        r = nat::sub(b, a);
        rn = !an;
    }
    if (nat::is_zero(r)) rn = false;
}

nat::Nat productTree(std::vector<nat::Nat> &v, size_t lo, size_t hi) {
    if (hi - lo == 1) return v[lo];
    size_t mid = lo + (hi - lo) / 2;
    return nat::mul(productTree(v, lo, mid), productTree(v, mid, hi));
}

}  // namespace

// A decimal text as a signed natural scaled by 10^decimals.
struct Scaled {
    bool negative;
    nat::Nat value;
    size_t decimals;
};

Scaled scaledOf(const std::string &t) {
    std::string u(unsignedPart(t));
    size_t p = u.find('.');
    size_t decimals = p == std::string::npos ? 0 : u.size() - p - 1;
    if (p != std::string::npos) u.erase(p, 1);
    Scaled s{isNegative(t), nat::from_decimal(u), decimals};
    if (nat::is_zero(s.value)) s.negative = false;
    return s;
}

// sign, integer digits without leading zeros, a point and exactly `decimals` digits; a
// difference writes zero unsigned, a product keeps the sign its factors give it
std::string decimalText(bool negative, const nat::Nat &v, size_t decimals, bool signedZero = false) {
    std::string digits = nat::to_decimal(v, decimals + 1);
    std::string t = digits.substr(0, digits.size() - decimals) + "." + digits.substr(digits.size() - decimals);
    return negative && (signedZero || !nat::is_zero(v)) ? "-" + t : t;
}

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
    if (!isRealNumber(x) || !isRealNumber(y)) return result = x + " and " + y + " should be real numbers.";
    return decimalFallingProduct(x, y);
}

// x, x-1, x-2, ... while above y, and y itself when the walk lands on its text, for
// decimals and signed values. Each step keeps x's decimals, each product adds its
// factors' decimals, so the answer is the exact product written with all of them; it is
// computed at once by a product tree on the scaled factors.
std::string &BigNumber::decimalFallingProduct(const std::string &x, const std::string &y) {
    Scaled X = scaledOf(x), Y = scaledOf(y);
    size_t f = X.decimals;
    if (f == 0) return result = multiplication("1", x);  // "5." or a signed integer: one walk step
    size_t S = std::max(f, Y.decimals);
    nat::Nat xs = nat::shift_decimal(X.value, S - f), ys = nat::shift_decimal(Y.value, S - Y.decimals), d;
    bool dn;
    signedSub(X.negative, xs, Y.negative, ys, dn, d);
    uint64_t m = 0;
    if (!dn && !nat::is_zero(d)) {
        nat::sub_small(d, 1);
        nat::Nat q = nat::shift_decimal_down(d, S);
        if (!nat::to_u64(q, m) || m >= 1000000) return result = kTooBig;
        m++;
    }
    if (m == 0) return result = x == y ? multiplication("1", x) : "1";
    nat::Nat step = nat::pow10(f), last;
    bool lastNeg;
    nat::Nat km = nat::mul(step, nat::from_u64(m));
    signedSub(X.negative, X.value, false, km, lastNeg, last);
    bool lands = decimalText(lastNeg, last, f) == y;
    double digits = double(m) * double(nat::decimal_digits(X.value) + 1);
    if (digits > kMaxProductDigits) return result = kTooBig;
    std::vector<nat::Nat> factors;
    bool negative = false;
    for (uint64_t k = 0; k < m; k++) {
        nat::Nat kf = step, v;
        if (k < nat::BASE) nat::mul_small(kf, nat::Limb(k));
        else kf = nat::mul(kf, nat::from_u64(k));
        bool vn;
        signedSub(X.negative, X.value, false, kf, vn, v);
        negative ^= vn;
        factors.push_back(v);
    }
    size_t t = size_t(m) * f;
    if (lands) {
        factors.push_back(Y.value);
        negative ^= Y.negative;
        t += Y.decimals;
    }
    nat::Nat P = productTree(factors, 0, factors.size());
    return result = decimalText(negative, P, t, true);
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
        // n|0 is no number: the walk from it would never come down to y.
        if (isZeroInteger(d)) return result = "NaN";
    }
    if (startsWith(fr_subtraction(xf, yf), '-')) {
        errorMessage = orderMessage(x, y);
        return errorMessage;
    }
    return fr_falling_factorial(xf, yf);
}


// The walk x, x-1, ... while above y, and y itself when the walk lands on it, multiplied
// as fractions. On fractions of digits it is computed at once: the number of factors from
// x - y, the numerators (x_n - k x_d) by a product tree over x_d^m, reduced once at the end;
// the answer is the reduced fraction the step-by-step products would give.
std::string &BigNumber::fr_falling_factorial(const std::string &x, const std::string &y) {
    Rational X, Y;
    if (!parseRational(x, X) || !parseRational(y, Y)) return fractionWalk(x, y);
    // d = x - y = (xn yd - yn xd) / (xd yd)
    bool dn;
    nat::Nat dnum, dden = nat::mul(X.den, Y.den);
    signedSub(X.negative, nat::mul(X.num, Y.den), Y.negative, nat::mul(Y.num, X.den), dn, dnum);
    uint64_t m = 0;
    bool lands = nat::is_zero(dnum);
    if (!dn && !lands) {
        nat::Nat q, r;
        nat::divmod(dnum, dden, q, r);
        lands = nat::is_zero(r);
        if (!nat::to_u64(q, m) || m >= kMaxTextWalk) return result = kTooBig;
        if (!lands) m++;
    }
    if (m == 0) return lands ? fr_multiplication("1", x) : (result = "1");
    if (m == 1 && !lands) return result = x;  // the first product keeps the text of x
    double digits = double(m) * double(nat::decimal_digits(X.num) + nat::decimal_digits(X.den) + 1);
    if (digits > kMaxProductDigits) return result = kTooBig;
    std::vector<nat::Nat> nums;
    bool negative = false;
    for (uint64_t k = 0; k < m; k++) {
        nat::Nat kd = X.den, f;
        nat::mul_small(kd, nat::Limb(k));
        bool fn;
        signedSub(X.negative, X.num, false, kd, fn, f);
        negative ^= fn;
        nums.push_back(f);
    }
    if (lands) {
        nums.push_back(Y.num);
        negative ^= Y.negative;
    }
    nat::Nat N = productTree(nums, 0, nums.size());
    if (nat::is_zero(N)) return result = "0";
    nat::Nat D = nat::pow(X.den, m);
    if (lands) D = nat::mul(D, Y.den);
    nat::Nat g = nat::gcd(N, D), p, q, r;
    nat::divmod(N, g, p, r);
    nat::divmod(D, g, q, r);
    result = negative ? "-" : "";
    nat::append_decimal(p, result, 1);
    if (!(q == nat::Nat{1})) result += "|" + nat::to_decimal(q);
    return result;
}

// The walk itself, for operands that are not fractions of digits.
std::string &BigNumber::fractionWalk(const std::string &x, const std::string &y) {
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
    if (mode == kFractionBit) d = reduce_fraction(d);
    return "(" + n + ")!/((" + k + ")!*(" + d + ")!)";
}
