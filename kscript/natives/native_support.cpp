#include "natives/native_support.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "object.h"
#include "tools.h"
#include "vm/vm_internal.h"

namespace {

// A text step of the natives costs like one of the arithmetic: one unit and one more for every
// this many characters.
constexpr size_t BUDGET_CHARACTERS_PER_UNIT = 64;

// The digits from text on, as a magnitude held to limit; text moves past them.
uint64_t leading_digits(const char *&text, uint64_t limit) {
    uint64_t value = 0;
    for (; std::isdigit(static_cast<unsigned char>(*text)) != 0; ++text) {
        auto digit = static_cast<uint64_t>(*text - '0');
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
    }
    return value;
}

} // namespace

bool native_text(const char *native, const ScriptValue *args, int index, std::string &text) {
    ScriptValue arg = args[index];
    if (is_object_kind(arg, OBJ_STRING)) {
        StringObject *string = value_as_string(arg);
        text.assign(string->chars, static_cast<size_t>(string->length));
        return true;
    }
    if (value_is_number(arg)) {
        text = native_number_text("%g", value_as_number(arg));
        return true;
    }
    vm_runtime_error("%s: argument %d is neither a string nor a number.", native, index + 1);
    return false;
}

bool native_texts(const char *native, int argCount, const ScriptValue *args, std::vector<std::string> &texts) {
    texts.assign(static_cast<size_t>(argCount), std::string());
    for (int i = 0; i < argCount; ++i)
        if (!native_text(native, args, i, texts[static_cast<size_t>(i)])) return false;
    return true;
}

std::string native_number_text(const char *format, double value) {
    int length = std::snprintf(nullptr, 0, format, value);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, value);
    text.resize(static_cast<size_t>(length));
    return text;
}

int64_t native_truncate(double value, int64_t limit) {
    if (std::isnan(value)) return 0;
    // Compared as doubles first, so that no value outside the range is ever converted.
    auto bound = static_cast<double>(limit);
    if (value <= -bound) return -limit;
    if (value >= bound) return limit;
    return static_cast<int64_t>(value);
}

int64_t native_leading_integer(const char *text, int64_t limit) {
    while (std::isspace(static_cast<unsigned char>(*text)) != 0) ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    auto magnitude = static_cast<int64_t>(leading_digits(text, static_cast<uint64_t>(limit)));
    return negative ? -magnitude : magnitude;
}

bool native_spend(size_t characters) {
    return vm_spend(1 + characters / BUDGET_CHARACTERS_PER_UNIT);
}

ScriptValue native_string(const std::string &text) {
    return value_from_object(string_copy(text.data(), static_cast<int>(text.size())));
}

ScriptValue native_string(const char *text) {
    return value_from_object(string_copy(text, static_cast<int>(std::strlen(text))));
}

const char *native_chars(ScriptValue arg) {
    return is_object_kind(arg, OBJ_STRING) ? value_as_string(arg)->chars : nullptr;
}

int native_int_argument(ScriptValue arg, int fallback) {
    if (value_is_number(arg)) return static_cast<int>(native_truncate(value_as_number(arg), INT_MAX));
    if (const char *chars = native_chars(arg)) return static_cast<int>(native_leading_integer(chars, INT_MAX));
    return fallback;
}

bool native_bounded_argument(ScriptValue arg, int64_t low, int64_t high, int64_t &value, std::string &text) {
    if (const char *chars = native_chars(arg)) {
        text = chars;
        return checkedInt64(text, low, high, value);
    }
    if (!value_is_number(arg)) {
        text.clear();
        return false;
    }
    const double number = value_as_number(arg);
    text = native_number_text("%g", number);
    const double whole = std::trunc(number); // false for NaN below
    constexpr double kExactLimit = 9.0e15; // integers below it convert exactly both ways
    if (!(std::fabs(whole) < kExactLimit)) return false;
    if (whole < static_cast<double>(low) || whole > static_cast<double>(high)) return false;
    value = static_cast<int64_t>(whole);
    return true;
}

ScriptValue native_engine_answer(const char *answer, size_t inputCharacters) {
    size_t length = std::strlen(answer);
    if (!native_spend(inputCharacters + length)) return VALUE_NIL;
    return value_from_object(string_copy(answer, static_cast<int>(length)));
}

ScriptValue native_unary(const char *native, int argCount, const ScriptValue *args, UnaryTextBridge bridge,
                         const char *fallback) {
    if (argCount != 1) return native_string(fallback);
    std::string x;
    if (!native_text(native, args, 0, x)) return VALUE_NIL;
    return native_engine_answer(bridge(vm_engine, x.c_str()), x.size());
}

ScriptValue native_binary(const char *native, int argCount, const ScriptValue *args, BinaryTextBridge bridge,
                          const char *fallback) {
    if (argCount != 2) return native_string(fallback);
    std::vector<std::string> texts;
    if (!native_texts(native, argCount, args, texts)) return VALUE_NIL;
    return native_engine_answer(bridge(vm_engine, texts[0].c_str(), texts[1].c_str()),
                                texts[0].size() + texts[1].size());
}
