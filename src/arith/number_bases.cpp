// Number bases: decimal to and from any base 2..36 (with the "0x" and "0" prefixes of
// bases 16 and 8), binary with fraction digits, and Gray code.
#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "nat/nat.h"
#include "tools.h"

using namespace engine;

namespace {

const char *const kBaseRange = "Error> the base must be an integer from 2 to 36.";

// Value of a digit character in bases up to 36 (both cases), or -1.
int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return -1;
}

int hexValue(char c) {
    if ((c >= 'g' && c <= 'z') || (c >= 'G' && c <= 'Z')) return -1;
    return digitValue(c);
}

std::string prefixFor(const std::string &p) { return p == "16" ? "0x" : p == "8" ? "0" : ""; }

}  // namespace

std::string &BigNumber::decimal_to_base(const std::string &x, const std::string &p) {
    if (x == "0") return result = "0";
    bool negative = isNegative(x);
    std::string m = negative ? x.substr(1) : x;
    if (m == "0") return result = "0";
    int64_t base;
    if (!isAllDigits(p) || !checkedInt64(p, 2, 36, base)) return result = kBaseRange;
    if (!isAllDigits(m) || m.empty()) return result = x + " is NOT a valid decimal integer.";
    std::string digits = nat::to_base(nat::from_decimal(m), nat::Limb(base));
    return result = (negative ? "-" : "") + prefixFor(p) + digits;
}

std::string &BigNumber::decimal_to_hex(const std::string &x) { return decimal_to_base(x, "16"); }

std::string &BigNumber::decimal_to_octal(const std::string &x) { return decimal_to_base(x, "8"); }

int BigNumber::digits_to_decimal(const std::string &p, const std::vector<std::string> &digits, std::string &out) {
    if (digits.empty()) return -1;
    bool simple = isAllDigits(p) && !p.empty();
    std::vector<uint32_t> values;
    for (const std::string &d : digits) {
        int64_t v;
        if (!isAllDigits(d) || !checkedInt64(d, 0, 999999999, v)) simple = false;
        if (simple) values.push_back(uint32_t(v));
    }
    if (simple) {
        out = nat::to_decimal(nat::from_digit_values(values, nat::from_decimal(p)), 1);
        return 0;
    }
    // Texts that are not plain digits: Horner's rule on the texts themselves.
    out = "0";
    for (const std::string &d : digits) {
        std::string product = int_multiplication(p, out);
        out = addition(product, d);
    }
    return 0;
}

// Reads x in base p; a leading "0x" or "0" selects hexadecimal or octal whatever p says.
std::string &BigNumber::base_to_decimal(const std::string &x, const std::string &p) {
    bool negative = false;
    std::string digits = x;
    if (x.size() >= 2 && x[0] == '-' && x[1] == '0') {
        return x.size() >= 3 && x[2] == 'x' ? hex_to_decimal(x) : octal_to_decimal(x);
    } else if (startsWith(x, '-')) {
        negative = true;
        digits = x.substr(1);
    } else if (x.rfind("0x", 0) == 0) {
        return hex_to_decimal(x);
    } else if (startsWith(x, '0') && (x.size() < 2 || x[1] != '-')) {
        return octal_to_decimal(x);
    } else if (x.rfind("0-", 0) == 0) {
        std::string r = x.substr(2);
        if (startsWith(r, '0')) {
            std::string v = r.size() >= 2 && r[1] == 'x' ? hex_to_decimal(r) : octal_to_decimal(r);
            return result = isNegative(v) || !isAllDigits(v) ? v : "-" + v;
        }
        negative = true;
        digits = r;
    }
    // A digit must be below the base: "12" is no binary number.
    int64_t base = 36;
    if (!checkedInt64(p, 2, 36, base)) base = 36;
    std::vector<std::string> values;
    for (char c : digits) {
        int v = digitValue(c);
        if (v < 0 || v >= base) return result = x + " is NOT a valid p-base number, where p <=36.";
        values.push_back(std::to_string(v));
    }
    std::string out = "0";
    if (!values.empty()) digits_to_decimal(p, values, out);
    return result = negative && out != "0" ? "-" + out : out;
}

std::string &BigNumber::hex_to_decimal(const std::string &x) {
    bool negative = isNegative(x);
    std::string a = negative ? x.substr(1) : x;
    if (a == "0" || a == "0x0") return result = "0";  // a lone 0 is zero too
    if (a.size() < 3) return result = x + " is NOT a valid hexadecimal number.";
    if (a.rfind("0x", 0) != 0) return result = "The first two characters of " + a + " should be `0x`.";
    std::vector<std::string> values;
    for (size_t i = 2; i < a.size(); i++) {
        int v = hexValue(a[i]);
        if (v < 0) return result = x + " is NOT a valid hexadecimal number.";
        values.push_back(std::to_string(v));
    }
    std::string out;
    digits_to_decimal("16", values, out);
    return result = negative && out != "0" ? "-" + out : out;
}

std::string &BigNumber::octal_to_decimal(const std::string &x) {
    bool negative = isNegative(x);
    std::string a = negative ? x.substr(1) : x;
    if (a == "0" || a == "00") return result = "0";  // a lone 0 is zero too
    if (a.size() < 2) return result = x + " is NOT a valid octal number.";
    if (a[0] != '0') return result = "The first character of " + a + " should be `0`.";
    std::vector<std::string> values;
    for (size_t i = 1; i < a.size(); i++) {
        if (a[i] < '0' || a[i] > '7') return result = x + " is NOT a valid octal number.";
        values.push_back(std::string(1, a[i]));
    }
    std::string out;
    digits_to_decimal("8", values, out);
    return result = negative && out != "0" ? "-" + out : out;
}

std::string BigNumber::integer_to_binary(const std::string &x) {
    if (x == "0") return result = "0";
    bool negative = isNegative(x);
    std::string m = negative || startsWith(x, '+') ? x.substr(1) : x;
    if (m == "0") return result = "0";
    if (!isAllDigits(m) || m.empty()) return result = x + " is NOT a valid decimal integer.";
    std::string bits = nat::to_base(nat::from_decimal(m), 2);
    return result = (negative && bits != "0" ? "-" : "") + bits;
}

// The first `precision` binary digits of a fraction 0.ddd, cut (the greedy halving walk
// gives exactly these): floor(f * 2^p) written with p digits.
std::string BigNumber::fraction_to_binary(const std::string &f) {
    if (f.empty()) return "";
    std::string digits = f.substr(f.find('.') + 1);
    size_t p;
    if (!precisionDecimals(precision, p)) return precisionMessage("binary");
    if (!isAllDigits(digits)) return "." + std::string(p, '0');
    nat::Nat scaled = nat::mul(nat::from_decimal(digits), nat::pow(nat::Nat{2}, p));
    nat::Nat q = nat::shift_decimal_down(scaled, digits.size());
    std::string bits = nat::is_zero(q) ? "" : nat::to_base(q, 2);
    return "." + std::string(p - std::min(p, bits.size()), '0') + bits;
}

std::string BigNumber::decimal_to_binary(const std::string &x) {
    size_t point = x.find('.');
    if (point == std::string::npos) return integer_to_binary(x);
    std::string integer = x.substr(0, point);
    if (integer.empty()) integer = "0";
    if (integer == "-" || integer == "+") integer += "0";  // -.5: no digit before the point
    std::string fraction = point + 1 < x.size() ? x.substr(point) : "";
    std::string whole = integer_to_binary(integer);
    std::string fractionBits = fraction_to_binary(fraction);
    if (isMessageText(fractionBits)) return fractionBits;
    std::string bits = whole + fractionBits;
    if (isNegative(x) && !isNegative(whole)) bits = "-" + bits;
    return bits;
}

std::string &BigNumber::binary_to_decimal(const std::string &x) {
    bool negative = isNegative(x);
    std::string t = negative || startsWith(x, '+') ? x.substr(1) : x;
    size_t point = t.find('.');
    std::string ibits = t.substr(0, point);
    std::string fbits = point == std::string::npos || point + 1 >= t.size() ? "" : t.substr(point + 1);
    std::string integer = "0";
    if (!ibits.empty()) {
        std::string clean;
        for (char c : ibits) clean += c == '0' ? '0' : '1';  // any other character counts as a 1
        std::vector<std::string> values(clean.size());
        for (size_t i = 0; i < clean.size(); i++) values[i] = std::string(1, clean[i]);
        digits_to_decimal("2", values, integer);
    }
    // Fraction: halvings to the precision, added where the bit is 1.
    size_t p;
    if (!fbits.empty() && !precisionDecimals(precision, p)) return result = precisionMessage("binary");
    std::string u = "0", w = "1";
    for (char c : fbits) {
        std::string half = real_division(w, "2");
        w = half;
        if (c == '1') u = real_addition(w, u);
    }
    std::string text = integer;
    if (!fbits.empty()) text += u.substr(1);
    return result = negative ? "-" + text : text;
}

std::string &BigNumber::binary_xor(const std::string &a0, const std::string &b0) {
    size_t n = std::max(a0.size(), b0.size());
    std::string a = std::string(n - a0.size(), '0') + a0, b = std::string(n - b0.size(), '0') + b0;
    std::string r(n, '0');
    for (size_t i = 0; i < n; i++) r[i] = a[i] != '1' ? b[i] : (b[i] == '0' ? '1' : '0');
    return result = r;
}

std::string &BigNumber::binary_to_gray(const std::string &b) {
    std::string x = binary_xor(b, b + "0");
    return result = x.substr(0, b.size());
}

std::string &BigNumber::gray_to_binary(const std::string &g) {
    std::string r = g.substr(0, std::min<size_t>(1, g.size()));
    for (size_t i = 1; i < g.size(); i++) r += r[i - 1] == '1' ? (g[i] == '1' ? '0' : '1') : g[i];
    return result = r;
}
