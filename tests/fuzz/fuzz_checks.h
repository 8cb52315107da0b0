// Shared pieces of the property-checking fuzz targets: the failure report, and a slow
// digit-by-digit reference arithmetic on decimal texts, written as plainly as possible so
// that it can be trusted where the limb arithmetic is fast.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// Ends the run with a report that libFuzzer keeps with the input.
[[noreturn]] inline void fail(const std::string &what) {
    std::fprintf(stderr, "property failed: %s\n", what.c_str());
    std::abort();
}

inline void require(bool holds, const std::string &what) {
    if (!holds) fail(what);
}

// ---- the reference: unsigned decimal texts without leading zeros ("0" for zero) ----

inline std::string canonical(std::string_view digits) {
    size_t i = digits.find_first_not_of('0');
    return i == std::string_view::npos ? "0" : std::string(digits.substr(i));
}

inline int compare(const std::string &a, const std::string &b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

inline std::string add(const std::string &a, const std::string &b) {
    std::string r;
    int carry = 0;
    for (size_t i = 0; i < std::max(a.size(), b.size()) || carry; i++) {
        int s = carry + (i < a.size() ? a[a.size() - 1 - i] - '0' : 0) + (i < b.size() ? b[b.size() - 1 - i] - '0' : 0);
        r += char('0' + s % 10);
        carry = s / 10;
    }
    std::reverse(r.begin(), r.end());
    return canonical(r);
}

// a - b for a >= b.
inline std::string sub(const std::string &a, const std::string &b) {
    std::string r;
    int borrow = 0;
    for (size_t i = 0; i < a.size(); i++) {
        int d = (a[a.size() - 1 - i] - '0') - borrow - (i < b.size() ? b[b.size() - 1 - i] - '0' : 0);
        borrow = d < 0;
        r += char('0' + (d + 10) % 10);
    }
    std::reverse(r.begin(), r.end());
    return canonical(r);
}

inline std::string mul(const std::string &a, const std::string &b) {
    std::vector<int> cells(a.size() + b.size(), 0);
    for (size_t i = 0; i < a.size(); i++)
        for (size_t j = 0; j < b.size(); j++) cells[i + j + 1] += (a[i] - '0') * (b[j] - '0');
    for (size_t k = cells.size(); k-- > 1;) {
        cells[k - 1] += cells[k] / 10;
        cells[k] %= 10;
    }
    std::string r;
    for (int c : cells) r += char('0' + c);
    return canonical(r);
}

// Long division by hand: q = a / b, the remainder in r; b must not be "0".
inline void divmod(const std::string &a, const std::string &b, std::string &q, std::string &r) {
    q.clear();
    r = "0";
    for (char d : a) {
        r = canonical(r + d);
        char digit = '0';
        while (compare(r, b) >= 0) {
            r = sub(r, b);
            digit++;
        }
        q += digit;
    }
    q = canonical(q);
}

// ---- exact rationals on the reference arithmetic, for checking answers by value ----

struct Rational {
    bool negative = false;
    std::string num = "0", den = "1";  // den not "0"
};

// "[+-]digits[.digits]" or "[+-]digits|digits" (or "/"); false for any other text.
inline bool parseRational(std::string_view t, Rational &out) {
    out = Rational{};
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
        out.negative = t[0] == '-';
        t.remove_prefix(1);
    }
    auto digits = [](std::string_view s) {
        return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    size_t bar = t.find_first_of("|/");
    if (bar != std::string_view::npos) {
        if (!digits(t.substr(0, bar)) || !digits(t.substr(bar + 1))) return false;
        out.num = canonical(t.substr(0, bar));
        out.den = canonical(t.substr(bar + 1));
        return out.den != "0";
    }
    size_t point = t.find('.');
    std::string_view whole = t.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : t.substr(point + 1);
    if (!digits(whole) || (point != std::string_view::npos && !digits(fraction))) return false;
    out.num = canonical(std::string(whole) + std::string(fraction));
    out.den = "1" + std::string(fraction.size(), '0');
    return true;
}

// Equal values (a zero equals a zero whatever its sign).
inline bool sameValue(const Rational &a, const Rational &b) {
    bool zero = a.num == "0";
    if (zero || b.num == "0") return zero && b.num == "0";
    return a.negative == b.negative && mul(a.num, b.den) == mul(b.num, a.den);
}

// a < b by value.
inline bool lessThan(const Rational &a, const Rational &b) {
    bool aZero = a.num == "0", bZero = b.num == "0";
    bool aNeg = a.negative && !aZero, bNeg = b.negative && !bZero;
    if (aNeg != bNeg) return aNeg;
    int c = compare(mul(a.num, b.den), mul(b.num, a.den));
    return aNeg ? c > 0 : c < 0;
}

}  // namespace fuzz
