// Powers: exact integer powers of integer and decimal texts, powers of fractions, and the
// general power behind '^' (decimal, fraction, negative and symbolic exponents).
#include <algorithm>
#include <cmath>

#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "complex_terms.h"
#include "nat/nat.h"
#include "elementary/real_functions.h"
#include "tools.h"

using namespace engine;

namespace {

const char *const kTooBig = "Warning> n is too big.";
constexpr int64_t kMaxExponent = (int64_t(1) << 62) - 1;
// Larger answers are refused like a too large exponent: two million digits take seconds
// to compute and would fill any terminal.
constexpr double kMaxPowerDigits = 2e6;
// A real power (a fractional exponent past the exact road) is a logarithm and an
// exponential to every digit of the answer, whose cost grows much faster than the digits:
// twenty thousand digits take a tenth of a second, a hundred thousand take seconds.
constexpr double kMaxRealPowerDigits = 20000;
constexpr size_t kMaxSymbolicPowerText = 20000;
// The exact road's root of degree d at p decimals works on a number of d(p + 1) digits, and
// its cost grows faster than d times that of the real power (one logarithm, one exponential
// at the precision): measured, the two cost the same near d = 12 from a hundred decimals up,
// and near d(p + 1) = 2000 below. Past both the real power is the cheaper road.
constexpr uint64_t kCheapRootDegree = 12;
constexpr double kCheapRootDigits = 2000;

bool exactRoadIsCheap(uint64_t degree, size_t decimals) {
    return degree <= kCheapRootDegree || double(degree) * double(decimals + 1) <= kCheapRootDigits;
}

// An integer base whose power by n is a perfect power of degree d with at most d digits: the
// exact road answers its root as a bare integer (8^(1/3) is 2), at no cost worth naming.
bool isSmallPerfectPower(const std::string &magnitude, uint64_t n, uint64_t d) {
    if (!engine::allDigits(magnitude) || magnitude.empty()) return false;
    size_t digits = magnitude.size() - std::min(magnitude.find_first_not_of('0'), magnitude.size());
    if (digits == 0 || double(n) * double(digits - 1) >= double(d)) return false;  // at least d + 1 digits
    nat::Nat f = nat::pow(nat::from_decimal(magnitude), n);
    if (nat::decimal_digits(f) > d) return false;
    return nat::pow(nat::root(f, d), d) == f;
}

bool isZeroValue(const std::string &magnitude) {
    return !magnitude.empty() && magnitude.find_first_not_of("0.") == std::string::npos;
}

// A digit text as the schoolbook products write it: a value and a width (the value
// zero-padded on the left), with a sign.
struct DigitText {
    nat::Nat value;
    size_t width;
    bool negative;
    bool exactZero;  // the text "0" itself, which the products answer at once
};

size_t topDigit(const DigitText &t) {
    size_t digits = nat::decimal_digits(t.value);
    if (digits < t.width || digits == 0) return 0;
    std::string s = nat::to_decimal(t.value);
    return size_t(s[0] - '0');
}

// The product of two digit texts with the width of the schoolbook total.
DigitText multiplyTexts(const DigitText &x, const DigitText &y) {
    if (x.exactZero || y.exactZero) return {nat::Nat{}, 1, false, true};
    DigitText r;
    r.negative = x.negative != y.negative;
    r.exactZero = false;
    r.value = &x == &y ? nat::sqr(x.value) : nat::mul(x.value, y.value);
    size_t rows = x.width + y.width > 0 ? x.width + y.width - 1 : 0;
    nat::Nat top = x.value;
    nat::mul_small(top, nat::Limb(topDigit(y)));
    if (nat::decimal_digits(top) > x.width) rows++;
    r.width = std::max({size_t(1), rows, nat::decimal_digits(r.value)});
    return r;
}

// Exponent text of digits (the empty text reads as 0): its value, or false when it does not
// fit below 2^62.
bool exponentValue(const std::string &digits, int64_t &n) {
    n = 0;
    return digits.empty() || checkedInt64(digits, 0, kMaxExponent, n);
}

}  // namespace

std::string &BigNumber::int_power(const std::string &x, int64_t n) {
    if (x == "1") return result = "1";
    if (x == "-1") return result = n % 2 ? "-1" : "1";
    if (x == "0") return result = n == 0 ? "0^0 is undefined." : "0";
    if (n == 0) return result = "1";
    if (n > kMaxExponent || n < 0) return result = kTooBig;
    std::string b = trimZeros(x);
    if (b.empty()) return result = "[empty]^" + longlong2string(n) + " is not allowed.";
    size_t f = 0;
    if (isDecimal(b)) {
        size_t p = b.find('.');
        f = b.size() - p - 1;
        b.erase(p, 1);
    }
    bool negative = isNegative(b);
    std::string digits = negative ? b.substr(1) : b;
    if (!allDigits(digits)) {
        // Not a number: the digit products have no value to work on. Multiply as text.
        std::string r = b;
        for (int64_t k = 1; k < n && k < 64; k++) r = int_multiplication(r, b);
        return result = r;
    }
    if (digits.empty()) return result = "0";  // "." or "-.": no digit, the value zero
    if (double(digits.size()) * double(n) > kMaxPowerDigits) return result = kTooBig;
    DigitText base{nat::from_decimal(digits), digits.size(), negative, b == "0"};
    DigitText r = base;
    int top = 62;
    while (!((n >> top) & 1)) top--;
    for (int bit = top - 1; bit >= 0; bit--) {
        r = multiplyTexts(r, r);
        if ((n >> bit) & 1) r = multiplyTexts(r, base);
    }
    std::string text = r.negative ? "-" : "";
    nat::append_decimal(r.value, text, r.width);
    if (f > 0) {
        size_t decimals = size_t(uint64_t(f) * uint64_t(n));
        if (text.size() > decimals) text.insert(text.size() - decimals, 1, '.');
    }
    return result = text;
}

std::string &BigNumber::fr_power(const std::string &x, int64_t n) {
    std::string a, b;
    if (!splitFraction(x, a, b)) return result = x + " is NOT a fraction.";
    std::string g = gcd(a, b);
    if (g != "1") {
        a = int_division(a, g);
        b = int_division(b, g);
    }
    a = int_power(a, n);
    b = int_power(b, n);
    return result = a + "|" + b;
}

// The rational power base^(num/den) of a real base; signs as they arrived.
std::string &BigNumber::rationalPower(const std::string &base, int64_t num, int64_t den, bool baseNegative,
                                      bool exponentNegative) {
    std::string F = int_power(base, num);
    if (!isRealNumber(F)) return result = F;  // a message of the power
    if (den == 1) {
        // A whole exponent written as a decimal (2.0): the power to the precision's decimals,
        // one form for every base (the root of degree one would give a lone digit back bare).
        std::string magnitude(unsignedPart(F));
        if (!isDecimal(magnitude)) magnitude += ".0";
        std::string r = nthRootNumeric(magnitude, 1);
        if (!isRealNumber(r)) return result = r;  // the precision's message
        if (isNegative(F)) r = "-" + r;
        return exponentNegative ? real_division("1", r) : result = r;
    }
    if (!baseNegative) {
        std::string root = nthRootNumeric(F, den);
        if (!exponentNegative) return result = root;
        return real_division("1", root);
    }
    std::string E = complexRootsText(F, den, false);
    if (!exponentNegative) return result = E;
    if (isNegative(F)) return result = complexReciprocal(E);
    return real_division("1", E);
}

std::string &BigNumber::power(const std::string &base, const std::string &exponent) {
    bool baseNegative = isNegative(base), exponentNegative = isNegative(exponent);
    std::string num, den;
    if (isAllDigits(exponent)) {
        int64_t n;
        if (!exponentValue(exponent, n)) return result = kTooBig;
        if (isRealNumber(base)) return int_power(base, n);
        if (isValidIdentifier(base)) return result = base + "^" + exponent;
        if (isInfixValid(base)) {
            std::string v;
            EvalInfixExprNoOutput(base, v, 0);
            return int_power(v, n);
        }
        if (n > 64) return result = kTooBig;  // a symbolic product of that many factors
        // Like terms are not collected, so (a+b)^n can reach 2^n terms: past a modest
        // length the power stays written.
        std::string r = "1";
        for (int64_t k = 0; k < n; k++) {
            r = multiplication(r, base);
            if (r.size() > kMaxSymbolicPowerText) return result = "(" + base + ")^" + exponent;
        }
        return result = r;
    }
    bool realExponent = isRealNumber(exponent);
    if (realExponent || splitFraction(exponent, num, den)) {
        if (isRealNumber(base)) {
            if (realExponent) splitFraction(decimal_to_fraction(std::string(unsignedPart(exponent))), num, den);
            else if (isNegative(num)) num.erase(0, 1);
            return powerByFraction(base, num, den, baseNegative, exponentNegative);
        }
        // A numerical expression as the base is evaluated first; an evaluation that
        // gives the text back leaves the power symbolic.
        std::string v;
        if (isInfixValid(base)) EvalInfixExprNoOutput(base, v, 0);
        if (!v.empty() && v != base) return power(v, exponent);
        return result = "(" + base + ")^(" + exponent + ")";
    }
    if (isInfixValid(exponent)) {
        std::string v;
        EvalInfixExprNoOutput(exponent, v, 0);
        if (v == exponent) return result = base + "^(" + exponent + ")";
        return power(base, v);
    }
    if (isValidIdentifier(exponent)) return result = base + "^" + exponent;
    return result = base + "^(" + exponent + ")";
}

// base^(num/den) for a real base: the exact path through the integer power and its root
// where both stay of modest size and the root is cheap, otherwise the real power to the
// precision through the logarithm and the exponential, whose digits are the same (a decimal
// exponent such as 0.33333333 is 33333333/10^8, whose exact path would take a power with
// millions of digits and a 10^8-th root; 2.30176 is 7193/3125, a root of degree 3125).
std::string &BigNumber::powerByFraction(const std::string &base, const std::string &numText,
                                        const std::string &denText, bool baseNegative, bool exponentNegative) {
    if (!isIntegerText(numText) || !isIntegerText(denText)) return result = "(" + base + ")^(" + numText + "|" + denText + ")";
    nat::Nat num = nat::from_decimal(unsignedPart(numText)), den = nat::from_decimal(unsignedPart(denText));
    if (nat::is_zero(den)) return result = "Error> a root of degree 0 is not defined.";
    uint64_t n = 0, d = 0;
    std::string magnitude(unsignedPart(base));
    size_t baseDigits = magnitude.size();
    // A whole exponent written as a decimal (65536.0) needs no root: only the power's size bounds it.
    bool whole = den == nat::Nat{1};
    bool small = nat::to_u64(num, n) && nat::to_u64(den, d) && d <= kMaxExactRootDegree &&
                 double(n) * double(baseDigits) <= (whole ? kMaxPowerDigits : kMaxExactPowerDigits);
    size_t decimals;
    if (!precisionDecimals(precision, decimals)) decimals = kMaxPrecision;  // the roads answer the cap
    if (small && (whole || exactRoadIsCheap(d, decimals) || isSmallPerfectPower(magnitude, n, d)))
        return rationalPower(base, int64_t(n), int64_t(d), baseNegative, exponentNegative);
    if (isZeroValue(magnitude)) {  // 0 to any positive power is 0, whatever the root
        int64_t n1 = nat::is_zero(num) ? 0 : 1, d1 = nat::to_u64(den, d) && d <= kMaxExactRootDegree ? int64_t(d) : 1;
        return rationalPower(base, n1, d1, baseNegative, exponentNegative);
    }
    std::string r;
    size_t p;
    if (!precisionDecimals(precision, p)) return result = precisionMessage("power");
    if (!realfn::powRational(magnitude, num, den, p, kMaxRealPowerDigits, r))
        return result = kTooBig;
    bool oddNumerator = !nat::is_zero(num) && (num[0] % 2 == 1);
    bool oddDenominator = den[0] % 2 == 1;
    if (!baseNegative || !oddNumerator) {  // a positive radicand
        if (!exponentNegative) return result = r;
        return real_division("1", r);
    }
    if (oddDenominator) {  // an odd root of a negative number is negative
        std::string neg = "-" + r;
        if (!exponentNegative) return result = neg;
        return real_division("1", neg);
    }
    std::string q = nat::to_decimal(den);
    outStream << "it is equal to Sqrtn(" << magnitude << "^" << nat::to_decimal(num) << ", " << q
              << ")*(cos(pi/" << q << ")+i*sin(pi/" << q << "))" << std::endl << std::endl;
    if (!exponentNegative) return result = r + "*(cos(pi/" + q + ")+i*sin(pi/" + q + "))";
    std::string inverse = real_division("1", r);
    return result = inverse + "*(cos(pi/" + q + ")-i*sin(pi/" + q + "))";
}

std::string BigNumber::complexReciprocal(const std::string &z) {
    complex_term *one = complex_parse("1"), *w = complex_parse(z.c_str());
    complex_term *q = complex_divide(one, w);
    std::string text = complex_to_string(q);
    complex_free(one);
    complex_free(w);
    complex_free(q);
    return text;
}
