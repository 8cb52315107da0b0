#include "value.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "memory.h"

void value_array_init(ValueArray *array) {
    array->capacity = 0;
    array->count = 0;
    array->values = nullptr;
}

void value_array_write(ValueArray *array, ScriptValue value) {
    if (array->count + 1 > array->capacity) {
        int oldCapacity = array->capacity;
        int newCapacity = mem_grow_capacity(oldCapacity); // memory that runs out leaves the array as it was
        array->values = mem_grow_array(array->values, oldCapacity, newCapacity);
        array->capacity = newCapacity;
    }
    array->values[array->count++] = value;
}

void value_array_free(ValueArray *array) {
    mem_free_array(array->values, array->capacity);
    value_array_init(array);
}

bool value_equal(ScriptValue a, ScriptValue b) {
    if (value_is_number(a) && value_is_number(b)) return value_as_number(a) == value_as_number(b);
    return a == b;
}

int value_parse_int(const char *text, int *result) {
    if (result == nullptr) return PARSE_INT_NO_RESULT;
    if (text == nullptr || *text == '\0') return PARSE_INT_NO_TEXT;
    // 64-bit conversion on every platform, so that the range codes do not depend on the
    // width of long (32 bits on Windows).
    errno = 0;
    char *end = nullptr;
    long long parsed = std::strtoll(text, &end, 10);
    if (end == text) return PARSE_INT_NO_DIGITS;
    if (errno == ERANGE) return PARSE_INT_CONVERSION_RANGE;
    if (parsed < INT_MIN || parsed > INT_MAX) return PARSE_INT_OUT_OF_INT;
    *result = static_cast<int>(parsed);
    return *end == '\0' ? PARSE_INT_OK : PARSE_INT_TRAILING;
}
