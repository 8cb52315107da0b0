// Square roots and roots of higher degree: decimal roots to the precision, simplified
// radicals (m*sqrt(n), a*sqrtn(b, n)) and the roots of negative numbers.
//
// The decimal roots are those of the long-hand method, one digit per group of n digits:
// p + 1 decimals of the root of the argument's first n(p + 1) decimals, the extra digit
// rounding half up. That is floor(N^(1/n)) with N = trunc(x * 10^(n(p+1))), found here by
// Newton's iteration on machine words (the same digits, far fewer steps).
#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "nat/nat.h"
#include "number_theory/factor_search.h"
#include "elementary/real_functions.h"
#include "tools.h"

using namespace engine;

namespace {

const char *const kDegreeError = "Error> the degree of a root must be at least 1.";
// Above this degree the root comes from the logarithm: the digit method raises its
// estimates to powers of n (p + 1) digits, which costs seconds where the logarithm takes
// milliseconds. The digits are the same while the argument has fewer than n (p + 1)
// decimals: none is cut off, and no root of it lies halfway between two answers (such a
// root ends in 5 at decimal p + 1, so its n-th power has exactly n (p + 1) decimals).
constexpr int64_t kMaxDigitMethodDegree = 32;

bool digitMethodFor(const std::string &x, int64_t n, size_t p) {
    size_t point = x.find('.');
    size_t decimals = point == std::string::npos ? 0 : x.size() - point - 1;
    return n <= kMaxDigitMethodDegree || decimals / (p + 1) >= uint64_t(n);
}

// An unsigned real-number text with at least one digit; a '+' is dropped.
bool radicand(const std::string &x, std::string &out) {
    out = startsWith(x, '+') ? x.substr(1) : x;
    return BigNumber::isRealNumber(out) && !isNegative(out) && out.find_first_of("0123456789") != std::string::npos;
}

bool isZeroText(const std::string &t) { return t.find_first_not_of("0.") == std::string::npos; }

// The root digits with p decimals, rounded half up on the (p+1)-th.
std::string digitRoot(const std::string &x, uint64_t n, size_t p) {
    size_t point = x.find('.');
    std::string I = x.substr(0, point), F = point == std::string::npos ? "" : x.substr(point + 1);
    size_t want = size_t(n) * (p + 1);
    F.resize(want, '0');  // cut or pad to the digits the method brings down
    nat::Nat R = nat::root(nat::from_decimal(I + F), n);
    nat::Nat q;
    nat::Limb last = nat::divmod_small(R, 10, q);
    if (last >= 5) nat::add_small(q, 1);
    std::string digits = nat::to_decimal(q, p + 1);
    if (p == 0) return digits;
    return digits.substr(0, digits.size() - p) + "." + digits.substr(digits.size() - p);
}

std::string zeroWithDecimals(size_t p) { return p > 0 ? "0." + std::string(p, '0') : "0"; }

}  // namespace

std::string &BigNumber::sqrtDigitPairs(const std::string &x) {
    std::string r;
    if (!radicand(x, r)) return result = "NaN";
    size_t p;
    if (!precisionDecimals(precision, p)) return result = precisionMessage("sqrt");
    return result = digitRoot(r, 2, p);
}

std::string &BigNumber::nthRootNumeric(const std::string &x, int64_t n) {
    if (n < 1) return result = kDegreeError;
    std::string r;
    if (!radicand(x, r)) return result = "NaN";
    // An exact power written as one group of digits comes back as an integer.
    if (r.find('.') == std::string::npos && r.size() <= uint64_t(n) && !isZeroText(r)) {
        nat::Nat v = nat::from_decimal(r), c = nat::root(v, uint64_t(n));
        if (nat::pow(c, uint64_t(n)) == v) return result = nat::to_decimal(c);
    }
    size_t p;
    if (!precisionDecimals(precision, p)) return result = precisionMessage("sqrtn");
    if (isZeroText(r)) return result = zeroWithDecimals(p);
    if (digitMethodFor(r, n, p)) return result = digitRoot(r, uint64_t(n), p);
    std::string out;
    realfn::powRational(r, nat::Nat{1}, nat::from_u64(uint64_t(n)), p, 1e9, out);
    return result = out;
}

// m*sqrt(n) (degree 2) or a*sqrtn(b, n) of an integer text, from its factorisation.
std::string BigNumber::simplifyIntegerRoot(const std::string &m, int64_t n) {
    std::string digits = stripLeadingZeros(m);
    if (digits.empty() || isZeroText(digits)) return "0";
    // A brief search: a cofactor it cannot split stays whole under the root, which leaves
    // the radical less simplified, never wrong.
    ntheory::Factorisation f = ntheory::factorise(nat::from_decimal(digits), ntheory::kBriefEffort);
    std::map<std::string, int32_t> table;
    for (const auto &p : f.primes) table[nat::to_decimal(p)]++;
    for (const auto &c : f.unsplit) table[nat::to_decimal(c)]++;
    nat::Nat outside{1}, inside{1};
    bool insideIsOne = true;  // the inside text stays "1" without any factor left in
    for (auto &[prime, k] : table) {
        nat::Nat p = nat::from_decimal(prime);
        outside = nat::mul(outside, nat::pow(p, uint64_t(k / n)));
        if (k % n) {
            inside = nat::mul(inside, nat::pow(p, uint64_t(k % n)));
            insideIsOne = false;
        }
    }
    std::string a = nat::to_decimal(outside, 1);
    if (insideIsOne) return a;
    std::string b = nat::to_decimal(inside, 1);
    std::string radical = n == 2 ? "sqrt(" + b + ")" : "sqrtn(" + b + ", " + longlong2string(n) + ")";
    if (a == "1" && b == "1") return "1";
    if (a == "1") return radical;
    if (b == "1") return a;
    return a + "*" + radical;
}

static std::string joinRootFraction(const std::string &N, const std::string &D) {
    if (D == "1") return N;
    if (D.find('*') == std::string::npos) return N + "|" + D;
    return N + "|(" + D + ")";
}

std::string &BigNumber::simplifySqrt(const std::string &x) {
    bool negative = isNegative(x);
    std::string y = startsWith(x, '-') || startsWith(x, '+') ? x.substr(1) : x;
    if (x == "0") return result = "0";
    std::string num, den;
    if (isAllDigits(y)) {
        std::string r = simplifyIntegerRoot(y, 2);
        return result = negative && r != "0" ? r + "i" : r;
    }
    if (isRealNumber(y)) {
        std::string f = decimal_to_fraction(y);
        splitFraction(f, num, den);
    } else if (!splitFraction(y, num, den) || num.empty() || den.empty()) {
        std::string s = y.size() >= 2 && y.front() == '(' && y.back() == ')' ? "sqrt" + y : "sqrt(" + y + ")";
        return result = negative ? s + "i" : s;
    }
    std::string N = simplifyIntegerRoot(std::string(unsignedPart(num)), 2);
    if (N == "0") return result = "0";  // a zero numerator: the root is zero
    std::string D = simplifyIntegerRoot(den, 2);
    return result = joinRootFraction(N, D);
}

std::string &BigNumber::sqrt_signed(const std::string &x, bool exact) {
    bool negative = isNegative(x);
    std::string y = negative ? x.substr(1) : x;
    std::string root = (mode & kFractionBit) || exact ? simplifySqrt(y) : sqrtDigitPairs(y);
    return result = negative ? root + "*i" : root;
}

std::string &BigNumber::simplifySqrtn(const std::string &x0, int64_t n) {
    if (n < 1) return result = kDegreeError;
    if (x0 == "0") return result = "0";
    // A decimal is written as its fraction first: there is nothing to factorise in 2.5.
    std::string x = isDecimal(x0) && !isNegative(x0) ? decimal_to_fraction(x0) : x0;
    size_t bar = x.find('|');
    if (bar == std::string::npos || bar + 1 >= x.size()) bar = x.find('/');
    if (bar != std::string::npos && bar + 1 >= x.size()) bar = std::string::npos;
    std::string num = bar == std::string::npos ? x : x.substr(0, bar);
    std::string den = bar == std::string::npos ? "1" : x.substr(bar + 1);
    if (!isAllDigits(num) || !isAllDigits(den) || num.empty() || den.empty())
        return result = "sqrtn(" + x0 + ", " + longlong2string(n) + ")";
    if (bar == std::string::npos) return result = simplifyIntegerRoot(num, n);
    std::string g = gcd(num, den);
    if (isAllDigits(g) && !isZeroText(g)) {
        num = int_quotient(num, g);
        den = int_quotient(den, g);
    }
    std::string N = simplifyIntegerRoot(num, n);
    if (N == "0") return result = "0";
    return result = joinRootFraction(N, simplifyIntegerRoot(den, n));
}

std::string &BigNumber::complexRootsText(const std::string &x, int64_t n, bool exact) {
    if (n < 1) return result = kDegreeError;
    bool simplified = (mode & kFractionBit) || exact;
    auto rootOf = [&](const std::string &y) -> std::string {
        return simplified ? simplifySqrtn(y, n) : nthRootNumeric(y, n);
    };
    if (isNegative(x)) {
        std::string y = x.substr(1);
        if (n % 2 == 1) return result = "-" + rootOf(y);
        std::string ns = longlong2string(n);
        outStream << "it is equal to Sqrtn(" << y << ", " << ns << ")*(cos(pi/" << ns << ")+i*sin(pi/" << ns
                  << "))" << std::endl
                  << std::endl;
        std::string r = rootOf(y);
        if (n == 2) return result = r == "1" ? "i" : r + "i";
        return result = r + "*(cos(pi/" + ns + ")+i*sin(pi/" + ns + "))";
    }
    return result = rootOf(startsWith(x, '+') ? x.substr(1) : x);
}
