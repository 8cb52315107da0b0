#include "bridge/small_integers.h"

#include <charconv>
#include <cstring>

bool small_integer_parse(const char *chars, int length, int64_t *value) {
    const char *p = chars;
    const char *end = chars + length;
    bool negative = p < end && *p == '-';
    if (negative) ++p;
    auto digits = end - p;
    if (digits < 1 || digits > SMALL_INTEGER_DIGITS_MAX) return false;
    // "0" alone; no leading zero, no "-0".
    if (*p == '0' && (digits > 1 || negative)) return false;
    int64_t v = 0;
    for (; p < end; ++p) {
        auto d = static_cast<unsigned char>(*p - '0');
        if (d > 9) return false;
        v = v * 10 + d;
    }
    *value = negative ? -v : v;
    return true;
}

namespace {

constexpr int64_t SMALL_INTEGER_LIMIT = 1000000000000000000; // 10^18: one digit more than allowed

struct IntegerAnswer {
    bool known;        // false: the engine has to answer
    int64_t value;
    bool negativeZero; // written "-0", as the engine's quotient writes a zero of mixed signs
};

int64_t magnitude(int64_t v) {
    return v < 0 ? -v : v;
}

int decimal_digits(int64_t v) {
    int digits = 1;
    for (; v >= 10; v /= 10) digits++;
    return digits;
}

// Truncated quotient. The engine answers "0" at once for a divisor of more digits than the
// dividend; otherwise it writes the sign of the operands even when the quotient is zero.
IntegerAnswer quotient(int64_t a, int64_t b) {
    if (b == 0) return {false, 0, false};
    if (a == 0 || decimal_digits(magnitude(a)) < decimal_digits(magnitude(b))) return {true, 0, false};
    int64_t q = magnitude(a) / magnitude(b);
    bool negative = (a < 0) != (b < 0);
    return {true, negative ? -q : q, negative && q == 0};
}

// Non-negative remainder by the magnitude of the divisor.
IntegerAnswer remainder(int64_t a, int64_t b) {
    if (b == 0) return {false, 0, false};
    int64_t m = magnitude(b);
    int64_t r = magnitude(a) % m;
    if (a < 0 && r != 0) r = m - r;
    return {true, r, false};
}

IntegerAnswer compute(SmallIntegerOp op, int64_t a, int64_t b) {
    int64_t r = 0;
    switch (op) {
    case SMALL_ADD:
        return {true, a + b, false}; // both below 10^18: no overflow
    case SMALL_SUBTRACT:
        return {true, a - b, false};
    case SMALL_MULTIPLY:
        if (__builtin_mul_overflow(a, b, &r)) return {false, 0, false};
        return {true, r, false};
    case SMALL_QUOTIENT:
        return quotient(a, b);
    case SMALL_REMAINDER:
        return remainder(a, b);
    case SMALL_NONE:
        break;
    }
    return {false, 0, false};
}

} // namespace

int small_integer_answer(SmallIntegerOp op, int64_t a, int64_t b, char *out, bool *inForm, int64_t *value) {
    IntegerAnswer answer = compute(op, a, b);
    *inForm = false;
    if (!answer.known) return -1;
    if (answer.negativeZero) {
        std::memcpy(out, "-0", 3);
        return 2;
    }
    auto [end, error] = std::to_chars(out, out + SMALL_INTEGER_TEXT_SIZE - 1, answer.value);
    if (error != std::errc()) return -1;
    *end = '\0';
    *inForm = magnitude(answer.value) < SMALL_INTEGER_LIMIT;
    *value = answer.value;
    return static_cast<int>(end - out);
}
