// The lowest layer of the arithmetic: addition, subtraction and multiplication of digit
// texts, plus sign tools. The answer texts follow the schoolbook algorithms exactly (the
// width of a sum or product, its kept leading zeros); the values are computed on machine
// words (nat/), with a plain per-character path only for texts that hold non-digits.
#include <algorithm>
#include <cmath>

#include "BigNumber.h"
#include "text_helpers.h"
#include "nat/nat.h"

using engine::allDigits;

namespace {

// Values of up to 19 digits fit a 64-bit word.
inline uint64_t smallValue(const std::string &t) {
    uint64_t v = 0;
    for (char c : t) v = v * 10 + uint64_t(c - '0');
    return v;
}

// Writes v zero-padded to at least `width` digits.
void writeSmall(uint64_t v, size_t width, std::string &out) { out = engine::decimalText(v, width); }

// Per-character schoolbook sum of texts that may hold non-digits: each byte counts as its
// code minus 48, as the digit layer defines; the answer is meaningless but well defined.
std::string rawAddition(const std::string &a, const std::string &b) {
    const std::string &L = a.size() >= b.size() ? a : b;
    const std::string &S = a.size() >= b.size() ? b : a;
    std::string sum(L.size(), '0');
    int carry = 0;
    size_t i = L.size(), j = S.size();
    while (i > 0) {
        i--;
        int s = carry + (L[i] - 48) + (j > 0 ? S[--j] - 48 : 0);
        sum[i] = char('0' + s % 10);
        carry = s / 10;
    }
    if (carry) sum.insert(0, 1, char('0' + carry));
    return sum;
}

std::string rawSubtraction(const std::string &a, const std::string &b) {
    bool aLarger = a.size() > b.size() || (a.size() == b.size() && a > b);
    if (a == b) return "0";
    const std::string &big = aLarger ? a : b, &small = aLarger ? b : a;
    std::string digits;
    int borrow = 0;
    size_t nb = big.size(), ns = small.size();
    for (size_t k = 0; k < ns; k++) {
        int d = (big[nb - 1 - k] - 48) - borrow, s = small[ns - 1 - k] - 48;
        if (d < s) {
            digits += char('0' + d + 10 - s);
            borrow = 1;
        } else {
            digits += char('0' + d - s);
            borrow = 0;
        }
    }
    for (size_t k = ns; k < nb; k++) {
        char c = big[nb - 1 - k];
        if (borrow) {
            if (c == '0') {
                digits += '9';
            } else {
                digits += char(c - 1);
                borrow = 0;
            }
        } else {
            digits += c;
        }
    }
    std::reverse(digits.begin(), digits.end());
    size_t first = digits.find_first_not_of('0');
    std::string mag = first == std::string::npos ? "" : digits.substr(first);
    return aLarger ? mag : "-" + mag;
}

std::string rawMultiplication(const std::string &a, const std::string &b) {
    std::string total = "0";
    for (size_t j = 0; j < b.size(); j++) {
        int bj = b[b.size() - 1 - j] - 48;
        std::string row;
        int carry = 0;
        for (size_t i = a.size(); i-- > 0;) {
            int p = (a[i] - 48) * bj + carry;
            row += char('0' + p % 10);
            carry = p / 10;
        }
        if (carry) row += char('0' + carry);
        std::reverse(row.begin(), row.end());
        row.append(j, '0');
        total = rawAddition(total, row);
    }
    return total;
}

}  // namespace

std::string &BigNumber::int_addition(const std::string &a, const std::string &b) {
    if (!allDigits(a) || !allDigits(b)) {
        result = rawAddition(a, b);
        return result;
    }
    // The sum has the width of the longer operand, one more when the top carries.
    size_t width = std::max(a.size(), b.size());
    if (width <= 18) {
        if (width == 0) result.clear();
        else writeSmall(smallValue(a) + smallValue(b), width, result);
        return result;
    }
    nat::Nat s = nat::add(nat::from_decimal(a), nat::from_decimal(b));
    result.clear();
    nat::append_decimal(s, result, width);
    return result;
}

std::string &BigNumber::int_subtraction(const std::string &a, const std::string &b) {
    if (!allDigits(a) || !allDigits(b)) {
        result = rawSubtraction(a, b);
        return result;
    }
    // Compared by value: leading zeros do not make an operand the larger (007 - 8 is -1).
    size_t ia = std::min(a.find_first_not_of('0'), a.size());
    size_t ib = std::min(b.find_first_not_of('0'), b.size());
    size_t la = a.size() - ia, lb = b.size() - ib;
    if (la <= 19 && lb <= 19) {
        uint64_t x = smallValue(a.substr(ia)), y = smallValue(b.substr(ib));
        if (x >= y) writeSmall(x - y, 1, result);
        else {
            writeSmall(y - x, 1, result);
            result.insert(0, 1, '-');
        }
        return result;
    }
    nat::Nat x = nat::from_decimal(a), y = nat::from_decimal(b);
    int c = nat::compare(x, y);
    result.clear();
    if (c == 0) result = "0";
    else if (c > 0) nat::append_decimal(nat::sub(x, y), result);
    else {
        result = "-";
        nat::append_decimal(nat::sub(y, x), result);
    }
    return result;
}

std::string &BigNumber::int_multiplication(const std::string &a, const std::string &b) {
    if (a == "0" || b == "0") {
        result = "0";
        return result;
    }
    size_t sa = !a.empty() && a[0] == '-', sb = !b.empty() && b[0] == '-';
    bool negative = (sa + sb) == 1;
    std::string x = a.substr(sa), y = b.substr(sb);
    if (!allDigits(x) || !allDigits(y)) {
        result = (negative ? "-" : "") + rawMultiplication(x, y);
        return result;
    }
    // Width of the schoolbook total: the last row holds len(x) + len(y) - 1 digits, one
    // more when x times the top digit of y carries out; leading zeros of the factors stay.
    size_t width = 1;
    if (!y.empty()) {
        size_t rows = x.size() + y.size() - 1;
        nat::Nat top = nat::from_decimal(x);
        nat::mul_small(top, nat::Limb(y[0] - '0'));
        if (nat::decimal_digits(top) > x.size()) rows++;
        width = std::max(width, rows);
    }
    result.clear();
    if (negative) result = "-";
    if (x.size() + y.size() <= 19) {
        std::string digits;
        writeSmall(smallValue(x) * smallValue(y), width, digits);
        result += digits;
        return result;
    }
    nat::append_decimal(nat::mul(nat::from_decimal(x), nat::from_decimal(y)), result, width);
    return result;
}

std::string &BigNumber::negate(const std::string &x) {
    if (!x.empty() && x[0] == '-') result = x.substr(1);
    else if (!x.empty() && x[0] == '+') result = "-" + x.substr(1);
    else result = "-" + x;
    return result;
}

std::string &BigNumber::absolute(const std::string &x) {
    result = !x.empty() && (x[0] == '-' || x[0] == '+') ? x.substr(1) : x;
    return result;
}

std::string &BigNumber::reverse_string(std::string &text) {
    std::reverse(text.begin(), text.end());
    return text;
}

double BigNumber::pow10_double(int n) {
    // Past these bounds the repeated product is already infinite or zero.
    if (n > 400) return HUGE_VAL;
    if (n < -400) return 0.0;
    double r = 1.0;
    if (n >= 0)
        for (int i = 0; i < n; i++) r *= 10.0;
    else
        for (int i = 0; i < -n; i++) r *= 0.1;
    return r;
}

// Square root to eight places, one decimal digit at a time from the place 10^8 down.
// From 10^18 on the root has more than nine integer digits; there the integer root is
// computed exactly instead of counting the units place up one by one.
double BigNumber::sqrt_by_digits(double x) {
    if (!(x > 0)) return 0.0;
    if (x >= 1e18) {
        if (x >= 1.7e38) return std::floor(std::sqrt(x));
        unsigned __int128 n = (unsigned __int128)x;
        unsigned __int128 r = (unsigned __int128)std::sqrt(x);
        while (r * r > n) r--;
        while ((r + 1) * (r + 1) <= n) r++;
        return double(r);
    }
    double root = 0, rest = x;
    for (int k = 8; k >= -8; k--) {
        double place = pow10_double(k);
        auto trial = [&](double d) { return (2 * root + d * place) * (d * place); };
        if (trial(1) > rest) continue;
        double d = 1;
        while ((k <= 0 || d < 9) && trial(d + 1) <= rest) d++;
        rest -= trial(d);
        root += d * place;
    }
    return root;
}
