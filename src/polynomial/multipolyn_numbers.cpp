// Coefficient and exponent texts of polynomials in several variables: their products and
// sums as the engine's fraction arithmetic writes them, small integers computed directly.
#include <algorithm>
#include <charconv>

#include "BigNumber.h"
#include "text_helpers.h"
#include "globals.h"
#include "polynomial/multipolyn_internal.h"

namespace multipolyn {

namespace {

// A signed integer whose magnitude is written without a leading zero and has at most 18
// digits; the signed zeros "+0" and "-0" are left to the engine, which keeps them as written.
bool smallInteger(std::string_view text, int64_t &value) {
    std::string_view digits = text;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 18 || (digits[0] == '0' && text.size() > 1)) return false;
    uint64_t magnitude = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (error != std::errc() || end != digits.data() + digits.size()) return false;
    value = text[0] == '-' ? -int64_t(magnitude) : int64_t(magnitude);
    return true;
}

NumberText smallNumber(int64_t value) {
    NumberText n;
    n.small = true;
    n.value = value;
    return n;
}

constexpr uint64_t kLargestSmall = 999999999999999999ULL;  // 18 digits

// An integer as the arithmetic writes it: digits, after '-' when negative, without '+'.
bool isPlainInteger(const NumberText &n) { return n.big || (n.small && !n.plus); }

polyn::exact::Int limbsOf(const NumberText &n) {
    if (n.big) return n.integer;
    polyn::exact::Int r;
    r.magnitude = nat::from_u64(n.value < 0 ? 0 - uint64_t(n.value) : uint64_t(n.value));
    r.negative = n.value < 0;
    return r;
}

NumberText integerNumber(polyn::exact::Int x) {
    uint64_t magnitude = 0;
    if (nat::to_u64(x.magnitude, magnitude) && magnitude <= kLargestSmall)
        return smallNumber(x.negative ? -int64_t(magnitude) : int64_t(magnitude));
    NumberText n;
    n.big = true;
    n.integer = std::move(x);
    return n;
}

// The forms the engine takes for a zero factor and for a factor one.
bool isZeroFactor(const NumberText &n) {
    if (n.big) return false;
    return n.small ? n.value == 0 : n.text == "0|1" || n.text == "0/1" || n.text.empty();
}
bool isOneFactor(const NumberText &n) { return n.small ? n.value == 1 && !n.plus : n.text == "1|1"; }
bool isZero(const NumberText &n) { return n.small && n.value == 0; }

}  // namespace

bool isCanonicalInteger(std::string_view text) {
    std::string_view digits = !text.empty() && text[0] == '-' ? text.substr(1) : text;
    if (digits.empty() || (digits[0] == '0' && text.size() > 1)) return false;
    return engine::allDigits(digits);
}

NumberText NumberText::of(const std::string &text) {
    NumberText n;
    n.small = smallInteger(text, n.value);
    if (n.small) {
        n.plus = text[0] == '+';
    } else if (isCanonicalInteger(text)) {
        n.big = true;
        n.integer.negative = text[0] == '-';
        n.integer.magnitude = nat::from_decimal(std::string_view(text).substr(n.integer.negative ? 1 : 0));
    } else {
        n.text = text;
    }
    return n;
}

void NumberText::appendTo(std::string &out) const {
    if (big) {
        if (integer.negative) out += '-';
        nat::append_decimal(integer.magnitude, out);
        return;
    }
    if (!small) {
        out += text;
        return;
    }
    if (plus) out += '+';
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

std::string NumberText::written() const {
    std::string out;
    appendTo(out);
    return out;
}

bool isNumberLike(std::string_view t) {
    return std::all_of(t.begin(), t.end(), [](char c) { return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '|' || c == '.'; });
}

bool combinesTooLong(const NumberText &a, const NumberText &b, size_t limit) {
    if (a.text.size() + b.text.size() <= limit) return false;  // integers keep no text
    return !(isNumberLike(a.text) && isNumberLike(b.text));
}

// The engine answers "0" for a zero factor, then passes the other operand through unchanged
// when one is "1"; other small integers give their product in plain digits.
NumberText product(const NumberText &a, const NumberText &b) {
    if (isZeroFactor(a) || isZeroFactor(b)) return smallNumber(0);
    if (isOneFactor(a)) return b;
    if (isOneFactor(b)) return a;
    int64_t p = 0;
    if (a.small && b.small && !__builtin_mul_overflow(a.value, b.value, &p)) return smallNumber(p);
    if (isPlainInteger(a) && isPlainInteger(b)) return integerNumber(polyn::exact::mul(limbsOf(a), limbsOf(b)));
    return NumberText::of(bignumber_global.fr_multiplication(a.written(), b.written()));
}

// The engine passes the other operand through when one is "0".
NumberText sum(const NumberText &a, const NumberText &b) {
    if (isZero(a)) return b;
    if (isZero(b)) return a;
    int64_t s = 0;
    if (a.small && b.small && !__builtin_add_overflow(a.value, b.value, &s)) return smallNumber(s);
    if (isPlainInteger(a) && isPlainInteger(b)) return integerNumber(polyn::exact::add(limbsOf(a), limbsOf(b)));
    return NumberText::of(bignumber_global.fr_addition(a.written(), b.written()));
}

std::string productText(const std::string &a, const std::string &b) {
    return product(NumberText::of(a), NumberText::of(b)).written();
}

std::string sumText(const std::string &a, const std::string &b) { return sum(NumberText::of(a), NumberText::of(b)).written(); }

}  // namespace multipolyn
