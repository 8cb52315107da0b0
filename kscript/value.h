// Script values: one 64-bit word each. Doubles are stored as themselves; nil, the booleans and
// heap object pointers live in quiet-NaN patterns that no arithmetic result produces.
#pragma once

#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>

struct ScriptObject;

using ScriptValue = uint64_t;

constexpr ScriptValue VALUE_QNAN = 0x7ffc000000000000ULL;     // bits 50 to 62
constexpr ScriptValue VALUE_SIGN_BIT = 0x8000000000000000ULL; // with the pattern: an object pointer
constexpr ScriptValue VALUE_NIL = VALUE_QNAN | 1;
constexpr ScriptValue VALUE_FALSE = VALUE_QNAN | 2;
constexpr ScriptValue VALUE_TRUE = VALUE_QNAN | 3;
constexpr ScriptValue VALUE_OBJECT_TAG = VALUE_SIGN_BIT | VALUE_QNAN;
constexpr ScriptValue VALUE_ADDRESS_MASK = 0x0003ffffffffffffULL;

inline bool value_is_number(ScriptValue v) {
    return (v & VALUE_QNAN) != VALUE_QNAN;
}
inline bool value_is_nil(ScriptValue v) {
    return v == VALUE_NIL;
}
inline bool value_is_bool(ScriptValue v) {
    return (v | 1) == VALUE_TRUE;
}
inline bool value_is_object(ScriptValue v) {
    return (v & VALUE_OBJECT_TAG) == VALUE_OBJECT_TAG;
}

inline double value_as_number(ScriptValue v) {
    return std::bit_cast<double>(v);
}
inline ScriptValue value_from_number(double d) {
    return std::bit_cast<ScriptValue>(d);
}
inline bool value_as_bool(ScriptValue v) {
    return v == VALUE_TRUE;
}
inline ScriptValue value_from_bool(bool b) {
    return b ? VALUE_TRUE : VALUE_FALSE;
}
inline uint64_t value_as_bits(ScriptValue v) {
    return v;
}
inline ScriptValue value_from_bits(uint64_t bits) {
    return bits;
}

inline ScriptObject *value_as_object(ScriptValue v) {
    return reinterpret_cast<ScriptObject *>(static_cast<uintptr_t>(v & VALUE_ADDRESS_MASK));
}
inline ScriptValue value_from_object(const ScriptObject *object) {
    return VALUE_OBJECT_TAG | static_cast<ScriptValue>(reinterpret_cast<uintptr_t>(object));
}

// The constants of a chunk.
struct ValueArray {
    int capacity;
    int count;
    ScriptValue *values;
};

void value_array_init(ValueArray *array);
void value_array_write(ValueArray *array, ScriptValue value);
void value_array_free(ValueArray *array);

bool value_equal(ScriptValue a, ScriptValue b);

void value_print(ScriptValue value);
void value_print_stream(FILE *stream, ScriptValue value);

// Writes the value's text into buffer, cut to size - 1 characters and terminated; strings go
// out as they stand. None when there is no buffer or no room for one character and the NUL.
char *value_format(char *buffer, int size, ScriptValue value);
// Appends the first `keep` bytes of the value's text to out, as value_format writes it;
// returns the length of the whole text.
size_t value_text(std::string &out, size_t keep, ScriptValue value);

enum ValueParseIntCode {
    PARSE_INT_OK = 0,
    PARSE_INT_NO_TEXT = -1,
    PARSE_INT_NO_DIGITS = -2,
    PARSE_INT_CONVERSION_RANGE = -3,
    PARSE_INT_OUT_OF_INT = -4,
    PARSE_INT_TRAILING = -5,
    PARSE_INT_NO_RESULT = -6,
};

int value_parse_int(const char *text, int *result);
