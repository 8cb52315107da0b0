#include "bridge/integer_road.h"

#include <charconv>
#include <cstring>
#include <string_view>

namespace {

constexpr int64_t SHORT_INTEGER_LIMIT = 1000000000000000000; // 10^18: one digit more than short
// A long text is multiplied digit by digit only by a factor of at most this many digits (the
// running product of a digit and the factor, plus the carry, stays far inside 64 bits).
constexpr size_t LONG_FACTOR_DIGITS = 9;

int64_t magnitude(int64_t v) {
    return v < 0 ? -v : v;
}

int decimal_digits(int64_t v) {
    int digits = 1;
    for (; v >= 10; v /= 10) digits++;
    return digits;
}

// ---- short texts, in machine words ----

struct ShortAnswer {
    bool known; // false: the engine has to answer
    int64_t value;
    bool negativeZero; // written "-0", as the engine's quotient writes some zeros
};

// Truncated quotient. The engine answers "0" at once for a divisor of more digits than the
// dividend; otherwise it writes the sign of the operands even when the quotient is zero.
ShortAnswer short_quotient(int64_t a, int64_t b) {
    if (b == 0) return {false, 0, false};
    if (a == 0 || decimal_digits(magnitude(a)) < decimal_digits(magnitude(b))) return {true, 0, false};
    int64_t q = magnitude(a) / magnitude(b);
    bool negative = (a < 0) != (b < 0);
    return {true, negative ? -q : q, negative && q == 0};
}

// Non-negative remainder by the magnitude of the divisor.
ShortAnswer short_remainder(int64_t a, int64_t b) {
    if (b == 0) return {false, 0, false};
    int64_t m = magnitude(b);
    int64_t r = magnitude(a) % m;
    if (a < 0 && r != 0) r = m - r;
    return {true, r, false};
}

ShortAnswer short_answer(IntegerOp op, int64_t a, int64_t b) {
    int64_t r = 0;
    switch (op) {
    case INTEGER_ADD:
        return {true, a + b, false}; // both below 10^18: no overflow
    case INTEGER_SUBTRACT:
        return {true, a - b, false};
    case INTEGER_MULTIPLY:
        if (__builtin_mul_overflow(a, b, &r)) return {false, 0, false};
        return {true, r, false};
    case INTEGER_QUOTIENT:
        return short_quotient(a, b);
    case INTEGER_REMAINDER:
        return short_remainder(a, b);
    case INTEGER_NONE:
        break;
    }
    return {false, 0, false};
}

bool write_short(const ShortAnswer &answer, std::string &out, IntegerForm *form, int64_t *value) {
    if (!answer.known) return false;
    if (answer.negativeZero) {
        out = "-0";
        *form = INTEGER_FORM_NONE;
        return true;
    }
    char digits[24];
    auto [end, error] = std::to_chars(digits, digits + sizeof digits, answer.value);
    if (error != std::errc()) return false;
    out.assign(digits, end);
    *form = magnitude(answer.value) < SHORT_INTEGER_LIMIT ? INTEGER_FORM_SHORT : INTEGER_FORM_LONG;
    *value = answer.value;
    return true;
}

// ---- long texts, digit by digit on their magnitudes ----

struct Signed {
    bool negative;
    std::string_view digits; // the magnitude, no leading zero
};

Signed split(const IntegerText &t) {
    std::string_view text(t.chars, static_cast<size_t>(t.length));
    if (!text.empty() && text[0] == '-') return {true, text.substr(1)};
    return {false, text};
}

int compare_magnitudes(std::string_view x, std::string_view y) {
    if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
    int c = std::memcmp(x.data(), y.data(), x.size());
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

// Digits are written from the last one backwards into the end of out, which holds the sign
// place and room for a carry; the unused front is erased afterwards. Where the shorter operand
// has ended and nothing is carried, the rest of the longer one is copied as it stands.
void add_magnitudes(std::string_view x, std::string_view y, bool negative, std::string &out) {
    if (x.size() < y.size()) std::swap(x, y);
    out.assign(x.size() + 2, '0');
    size_t w = out.size();
    size_t i = 0; // digits done, from the end
    int carry = 0;
    for (; i < x.size() && (i < y.size() || carry != 0); ++i) {
        int d = (x[x.size() - 1 - i] - '0') + carry;
        if (i < y.size()) d += y[y.size() - 1 - i] - '0';
        carry = d >= 10 ? 1 : 0;
        out[--w] = static_cast<char>('0' + d - 10 * carry);
    }
    w -= x.size() - i;
    std::memcpy(&out[w], x.data(), x.size() - i);
    if (carry != 0) out[--w] = '1';
    if (negative) out[--w] = '-';
    out.erase(0, w);
}

// x > y.
void subtract_magnitudes(std::string_view x, std::string_view y, bool negative, std::string &out) {
    out.assign(x.size() + 1, '0');
    size_t w = out.size();
    size_t i = 0;
    int borrow = 0;
    for (; i < x.size() && (i < y.size() || borrow != 0); ++i) {
        int d = (x[x.size() - 1 - i] - '0') - borrow;
        if (i < y.size()) d -= y[y.size() - 1 - i] - '0';
        borrow = d < 0 ? 1 : 0;
        out[--w] = static_cast<char>('0' + d + 10 * borrow);
    }
    w -= x.size() - i;
    std::memcpy(&out[w], x.data(), x.size() - i);
    while (w < out.size() - 1 && out[w] == '0') ++w;
    if (negative) out[--w] = '-';
    out.erase(0, w);
}

void add_signed(Signed x, Signed y, std::string &out) {
    if (x.negative == y.negative) return add_magnitudes(x.digits, y.digits, x.negative, out);
    int order = compare_magnitudes(x.digits, y.digits);
    if (order == 0) {
        out = "0";
        return;
    }
    if (order > 0) return subtract_magnitudes(x.digits, y.digits, x.negative, out);
    subtract_magnitudes(y.digits, x.digits, y.negative, out);
}

// A power of ten: "1" and zeros.
bool is_power_of_ten(std::string_view digits) {
    return digits[0] == '1' && digits.find_first_not_of('0', 1) == std::string_view::npos;
}

// x times a short factor m (0 < m < 10^9).
void multiply_by_factor(std::string_view x, int64_t m, bool negative, std::string &out) {
    out.assign(x.size() + LONG_FACTOR_DIGITS + 1, '0');
    size_t w = out.size();
    int64_t carry = 0;
    for (size_t i = x.size(); i-- > 0;) {
        int64_t d = (x[i] - '0') * m + carry;
        carry = d / 10;
        out[--w] = static_cast<char>('0' + d % 10);
    }
    for (; carry != 0; carry /= 10) out[--w] = static_cast<char>('0' + carry % 10);
    if (negative) out[--w] = '-';
    out.erase(0, w);
}

bool multiply_long(const IntegerText &a, const IntegerText &b, std::string &out) {
    Signed x = split(a);
    Signed y = split(b);
    if (x.digits == "0" || y.digits == "0") {
        out = "0";
        return true;
    }
    bool negative = x.negative != y.negative;
    if (y.digits.size() > x.digits.size()) std::swap(x, y); // y: the shorter factor
    if (is_power_of_ten(y.digits)) {
        out.clear();
        if (negative) out += '-';
        out.append(x.digits).append(y.digits.size() - 1, '0');
        return true;
    }
    if (y.digits.size() > LONG_FACTOR_DIGITS) return false; // two long factors: the engine's product
    int64_t factor = 0;
    for (char c : y.digits) factor = factor * 10 + (c - '0');
    multiply_by_factor(x.digits, factor, negative, out);
    return true;
}

bool long_answer(IntegerOp op, const IntegerText &a, const IntegerText &b, std::string &out) {
    switch (op) {
    case INTEGER_ADD:
        add_signed(split(a), split(b), out);
        return true;
    case INTEGER_SUBTRACT: {
        Signed y = split(b);
        if (y.digits != "0") y.negative = !y.negative;
        add_signed(split(a), y, out);
        return true;
    }
    case INTEGER_MULTIPLY:
        return multiply_long(a, b, out);
    default:
        return false;
    }
}

} // namespace

IntegerForm integer_form(const char *chars, int length, int64_t *value) {
    const char *p = chars;
    const char *end = chars + length;
    bool negative = p < end && *p == '-';
    if (negative) ++p;
    auto digits = end - p;
    // "0" alone; no leading zero, no "-0".
    if (digits < 1 || (*p == '0' && (digits > 1 || negative))) return INTEGER_FORM_NONE;
    int64_t v = 0;
    for (const char *q = p; q < end; ++q) {
        auto d = static_cast<unsigned char>(*q - '0');
        if (d > 9) return INTEGER_FORM_NONE;
        if (digits <= SHORT_INTEGER_DIGITS_MAX) v = v * 10 + d;
    }
    if (digits > SHORT_INTEGER_DIGITS_MAX) return INTEGER_FORM_LONG;
    *value = negative ? -v : v;
    return INTEGER_FORM_SHORT;
}

bool integer_answer(IntegerOp op, const IntegerText &a, const IntegerText &b, std::string &out,
                    IntegerForm *form, int64_t *value) {
    if (a.form == INTEGER_FORM_SHORT && b.form == INTEGER_FORM_SHORT)
        return write_short(short_answer(op, a.value, b.value), out, form, value);
    if (!long_answer(op, a, b, out)) return false;
    // Long answers are written in the integer form; only a short one needs reading for its value.
    size_t digits = out.size() - (out[0] == '-' ? 1 : 0);
    *form = digits > SHORT_INTEGER_DIGITS_MAX ? INTEGER_FORM_LONG
                                              : integer_form(out.data(), static_cast<int>(out.size()), value);
    return true;
}

bool integer_short_value(IntegerOp op, const IntegerText &a, const IntegerText &b, int64_t *value) {
    if (a.form != INTEGER_FORM_SHORT || b.form != INTEGER_FORM_SHORT) return false;
    ShortAnswer answer = short_answer(op, a.value, b.value);
    if (!answer.known || answer.negativeZero || magnitude(answer.value) >= SHORT_INTEGER_LIMIT) return false;
    *value = answer.value;
    return true;
}

bool integer_less(const IntegerText &a, const IntegerText &b) {
    if (a.form == INTEGER_FORM_SHORT && b.form == INTEGER_FORM_SHORT) return a.value < b.value;
    Signed x = split(a);
    Signed y = split(b);
    if (x.negative != y.negative) return x.negative;
    int order = compare_magnitudes(x.digits, y.digits);
    return x.negative ? order > 0 : order < 0;
}
