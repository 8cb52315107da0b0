// Fixed-point logarithm and exponential on limb naturals.
//
//   ln x  = k ln 2 + 2 atanh((y - 1)/(y + 1)),  x = 2^k y with y in [0.7, 1.4]
//   ln 2  = 2 atanh(1/3)
//   e^y   = (e^(r / 2^s))^(2^s) * 2^k,  y = k ln 2 + r, |r| <= ln 2 / 2
// The series stop when their terms fall below one unit of the working scale; the working
// scale carries guard digits for the rounding of every term and the squarings.
#include "real_functions.h"

#include <cmath>
#include <map>

namespace realfn {
namespace {

using nat::Nat;

Nat mulFixed(const Nat &a, const Nat &b, size_t scale) {
    Nat p = nat::mul(a, b), q, r;
    nat::divmod(p, nat::pow10(scale), q, r);
    return q;
}

Nat divFixed(const Nat &a, const Nat &b, size_t scale) {
    Nat q, r;
    nat::divmod(nat::shift_decimal(a, scale), b, q, r);
    return q;
}

Nat divSmall(const Nat &a, uint64_t d) {
    Nat q, r;
    nat::divmod(a, nat::from_u64(d), q, r);
    return q;
}

// 2 atanh(z) for 0 <= z < 1 given as z = num/den, at the scale: 2 (z + z^3/3 + z^5/5 ...)
Nat atanhTwice(const Nat &z, size_t scale) {
    Nat z2 = mulFixed(z, z, scale), power = z, sum;
    for (uint64_t k = 1; !nat::is_zero(power); k += 2) {
        sum = nat::add(sum, divSmall(power, k));
        power = mulFixed(power, z2, scale);
    }
    return nat::add(sum, sum);
}

// ln 2 at a scale, kept for reuse: every logarithm and exponential needs it.
const Nat &ln2At(size_t scale) {
    static std::map<size_t, Nat> cache;
    auto it = cache.find(scale);
    if (it != cache.end()) return it->second;
    if (cache.size() > 16) cache.clear();
    Nat third = divSmall(nat::pow10(scale), 3);
    return cache[scale] = atanhTwice(third, scale);
}

size_t guardFor(size_t decimals) { return 12 + size_t(std::log10(double(decimals) + 10.0) * 2); }

// x * 10^(to - from) for a rescale.
Nat rescale(const Nat &x, size_t from, size_t to) {
    if (to >= from) return nat::shift_decimal(x, to - from);
    Nat q, r;
    nat::divmod(x, nat::pow10(from - to), q, r);
    return q;
}

}  // namespace

bool parseFixed(const std::string &text, Fixed &out) {
    size_t p = text.find('.');
    std::string digits = p == std::string::npos ? text : text.substr(0, p) + text.substr(p + 1);
    if (digits.empty()) return false;
    for (char c : digits)
        if (c < '0' || c > '9') return false;
    if (p != std::string::npos && text.find('.', p + 1) != std::string::npos) return false;
    out.value = nat::from_decimal(digits);
    out.scale = p == std::string::npos ? 0 : text.size() - p - 1;
    return true;
}

double approxLog10(const std::string &t) {
    size_t p = t.find('.');
    std::string ip = t.substr(0, p);
    size_t i = ip.find_first_not_of('0');
    if (i != std::string::npos) {
        size_t n = ip.size() - i;
        double lead = std::stod(ip.substr(i, 15));
        return std::log10(lead) + double(n - std::min(n, size_t(15)));
    }
    std::string f = p == std::string::npos ? "" : t.substr(p + 1);
    size_t z = f.find_first_not_of('0');
    if (z == std::string::npos) return -1e18;  // zero
    double lead = std::stod("0." + f.substr(z, 15));
    return std::log10(lead) - double(z);
}

Fixed lnFixed(const Fixed &x, size_t decimals, bool &negative) {
    size_t S = decimals + guardFor(decimals);
    Nat v = rescale(x.value, x.scale, S), one = nat::pow10(S);
    // x = 2^k y with y near 1: k from the size of x in bits.
    double l2 = 0;
    {
        std::string t = nat::to_decimal(v);
        double lg = t.empty() ? 0 : std::log10(std::stod(t.substr(0, 15))) + double(t.size() - std::min(t.size(), size_t(15)));
        l2 = (lg - double(S)) / std::log10(2.0);
    }
    long k = std::lround(l2);
    Nat y = v;
    if (k > 0) y = divFixed(y, nat::pow(Nat{2}, uint64_t(k)), 0);
    else if (k < 0) y = nat::mul(y, nat::pow(Nat{2}, uint64_t(-k)));
    // z = (y - 1)/(y + 1), with its sign
    bool below = nat::compare(y, one) < 0;
    Nat diff = below ? nat::sub(one, y) : nat::sub(y, one);
    Nat z = divFixed(diff, nat::add(y, one), S);
    Nat lny = atanhTwice(z, S);  // ln y up to its sign
    Nat kln2 = nat::mul(ln2At(S), nat::from_u64(uint64_t(std::labs(k))));
    bool kNeg = k < 0;
    // ln x = (+-) k ln2 (+-) ln y
    Nat total;
    if (kNeg == below) {
        total = nat::add(kln2, lny);
        negative = kNeg;
    } else if (nat::compare(kln2, lny) >= 0) {
        total = nat::sub(kln2, lny);
        negative = kNeg;
    } else {
        total = nat::sub(lny, kln2);
        negative = below;
    }
    if (nat::is_zero(total)) negative = false;
    return {total, S};
}

// A rough double of a fixed-point value (for sizes only; may be infinite).
double approxValue(const Fixed &x) {
    std::string t = nat::to_decimal(x.value);
    if (t.empty()) return 0;
    size_t lead = std::min(t.size(), size_t(17));
    return std::stod(t.substr(0, lead)) * std::pow(10.0, double(t.size() - lead) - double(x.scale));
}

Fixed expFixed(const Fixed &y, bool negative, size_t decimals) {
    // Digits before the point of e^y: the scale must cover them as well as the decimals.
    double yd = approxValue(y);
    if (!std::isfinite(yd)) yd = 0;  // callers bound the size of e^y before they ask
    size_t intDigits = negative ? 0 : size_t(yd * 0.4342944819032518) + 2;
    size_t S = decimals + guardFor(decimals) + intDigits;
    Nat ys = rescale(y.value, y.scale, S);
    const Nat &ln2 = ln2At(S);
    Nat k, r;
    nat::divmod(ys, ln2, k, r);
    uint64_t kk = 0;
    nat::to_u64(k, kk);
    // r in [0, ln2): move to (-ln2/2, ln2/2] to keep the series short
    bool rNeg = false;
    if (nat::compare(r, divSmall(ln2, 2)) > 0) {
        r = nat::sub(ln2, r);
        rNeg = true;
        kk++;
    }
    // halve s times, sum the series, square back; each squaring doubles the error
    size_t s = size_t(std::sqrt(double(S))) / 2 + 4;
    size_t W = S + s / 3 + 8;
    Nat t = divFixed(rescale(r, S, W), nat::pow(Nat{2}, s), 0);
    Nat one = nat::pow10(W), term = one, sum = one;
    for (uint64_t j = 1;; j++) {
        term = divSmall(mulFixed(term, t, W), j);
        if (nat::is_zero(term)) break;
        if (rNeg && j % 2 == 1) sum = nat::sub(sum, term);
        else sum = nat::add(sum, term);
    }
    for (size_t i = 0; i < s; i++) sum = mulFixed(sum, sum, W);
    Nat value = nat::mul(sum, nat::pow(Nat{2}, kk));
    if (negative) value = divFixed(one, value, W);
    return {value, W};
}

std::string roundedText(const Fixed &x, size_t decimals) {
    Nat v = x.value;
    if (x.scale > decimals) {
        Nat q, r, tenth = nat::pow10(x.scale - decimals);
        nat::divmod(v, tenth, q, r);
        // half up: compare 2r with the unit
        if (nat::compare(nat::add(r, r), tenth) >= 0) nat::add_small(q, 1);
        v = q;
    } else {
        v = nat::shift_decimal(v, decimals - x.scale);
    }
    std::string digits = nat::to_decimal(v, decimals + 1);
    if (decimals == 0) return digits;
    return digits.substr(0, digits.size() - decimals) + "." + digits.substr(digits.size() - decimals);
}

bool powRational(const std::string &x, const Nat &num, const Nat &den, size_t decimals, double maxDigits,
                 std::string &out) {
    Fixed fx;
    if (!parseFixed(x, fx) || nat::is_zero(fx.value) || nat::is_zero(den)) return false;
    // log10 of the answer is (num/den) log10 x; work with its logarithm so that numerators
    // and denominators of any length stay in range.
    double lx = approxLog10(x);
    if (lx == 0) {  // x = 1
        out = roundedText({nat::pow10(decimals), decimals}, decimals);
        return true;
    }
    double logRatio = approxLog10(nat::to_decimal(num)) - approxLog10(nat::to_decimal(den));
    double logDigits = logRatio + std::log10(std::fabs(lx));
    if (!std::isfinite(logDigits) || logDigits > 300) {
        if (lx > 0) return false;
        out = roundedText({Nat{}, 0}, decimals);
        return true;
    }
    double digits = std::pow(10.0, logDigits) * (lx > 0 ? 1 : -1);  // log10 of the answer
    if (!(digits <= maxDigits)) return false;
    if (digits < -double(decimals) - 2) {  // below half a unit of the last decimal
        out = roundedText({Nat{}, 0}, decimals);
        return true;
    }
    size_t intDigits = digits > 0 ? size_t(digits) + 2 : 0;
    bool negative;
    Fixed l = lnFixed(fx, decimals + intDigits + 8, negative);
    Fixed t{divFixed(nat::mul(l.value, num), den, 0), l.scale};
    out = roundedText(expFixed(t, negative, decimals), decimals);
    return true;
}

}  // namespace realfn
