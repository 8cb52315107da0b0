// String creation. Every string is interned, so equal texts are one object and compare by
// address; the hash is computed once here and kept.
#include <cstring>

#include "bridge/integer_road.h"
#include "memory.h"
#include "object.h"
#include "vm/vm.h"

namespace {

constexpr uint32_t FNV_OFFSET_BASIS = 2166136261u;
constexpr uint32_t FNV_PRIME = 16777619u;
// The longest short integer text: a sign and eighteen digits.
constexpr int SHORT_INTEGER_TEXT_MAX = SHORT_INTEGER_DIGITS_MAX + 1;
// The prime is odd, so it has an inverse modulo 2^32: a step can be undone.
constexpr uint32_t FNV_PRIME_INVERSE = 899433627u;
static_assert(FNV_PRIME * FNV_PRIME_INVERSE == 1u);

uint32_t hash_steps(uint32_t hash, const char *chars, int length) {
    for (int i = 0; i < length; ++i) {
        hash ^= static_cast<uint8_t>(chars[i]);
        hash *= FNV_PRIME;
    }
    return hash;
}

// The hash before the last `length` characters were taken.
uint32_t undo_hash_steps(uint32_t hash, const char *chars, int length) {
    for (int i = length - 1; i >= 0; --i) hash = (hash * FNV_PRIME_INVERSE) ^ static_cast<uint8_t>(chars[i]);
    return hash;
}

int common_prefix(const char *a, const char *b, int length) {
    int i = 0;
    // Eight bytes at a time while they agree.
    for (; i + 8 <= length; i += 8) {
        uint64_t x;
        uint64_t y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) break;
    }
    while (i < length && a[i] == b[i]) ++i;
    return i;
}

} // namespace

uint32_t string_integer_hash(int64_t value) {
    // A 64-bit finaliser: every bit of the value reaches the low bits the tables index by.
    auto x = static_cast<uint64_t>(value);
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return static_cast<uint32_t>(x);
}

uint32_t string_hash(const char *chars, int length) {
    // A short integer text hashes by its value, so the arithmetic that already holds the value
    // need not read the characters.
    if (length > 0 && length <= SHORT_INTEGER_TEXT_MAX) {
        int64_t value = 0;
        if (integer_form(chars, length, &value) == INTEGER_FORM_SHORT) return string_integer_hash(value);
    }
    return hash_steps(FNV_OFFSET_BASIS, chars, length);
}

uint32_t string_hash_near(const StringObject *near, const char *chars, int length) {
    // Only texts hashed character by character can be stepped from one to the other.
    if (length <= SHORT_INTEGER_TEXT_MAX || near->length <= SHORT_INTEGER_TEXT_MAX)
        return string_hash(chars, length);
    int shared = common_prefix(near->chars, chars, near->length < length ? near->length : length);
    // Worth it only when fewer steps are undone and taken than hashing the text afresh.
    if ((near->length - shared) + (length - shared) >= length) return string_hash(chars, length);
    uint32_t prefix = undo_hash_steps(near->hash, near->chars + shared, near->length - shared);
    return hash_steps(prefix, chars + shared, length - shared);
}

namespace {

// Keeps the new string on the stack while the strings table may grow: it is reachable from
// nowhere else yet.
StringObject *string_intern(StringObject *string) {
    vm_push(value_from_object(string));
    table_set(&vm_machine.strings, string, table_hash_value(string->hash));
    vm_pop();
    return string;
}

} // namespace

StringObject *string_allocate(char *chars, int length, uint32_t hash) {
    auto *string = static_cast<StringObject *>(object_allocate(sizeof(StringObject), OBJ_STRING));
    string->length = length;
    string->chars = chars;
    string->hash = hash;
    string->inlineChars = false;
    string->integerForm = INTEGER_FORM_UNKNOWN;
    string->integer = 0;
    return string_intern(string);
}

// A copied string keeps its characters in the same allocation as the object: one allocation
// and one release per string.
StringObject *string_copy(const char *chars, int length) {
    return string_copy_hashed(chars, length, string_hash(chars, length));
}

StringObject *string_copy_hashed(const char *chars, int length, uint32_t hash) {
    StringObject *interned = table_find_string(&vm_machine.strings, chars, length, hash);
    if (interned != nullptr) return interned;
    auto *string = static_cast<StringObject *>(object_allocate(string_object_size(length), OBJ_STRING));
    string->length = length;
    string->chars = reinterpret_cast<char *>(string + 1);
    string->hash = hash;
    string->inlineChars = true;
    string->integerForm = INTEGER_FORM_UNKNOWN;
    string->integer = 0;
    if (length > 0) std::memcpy(string->chars, chars, static_cast<size_t>(length));
    string->chars[length] = '\0';
    return string_intern(string);
}

StringObject *string_take(char *chars, int length) {
    uint32_t hash = string_hash(chars, length);
    StringObject *interned = table_find_string(&vm_machine.strings, chars, length, hash);
    if (interned != nullptr) {
        mem_free_array(chars, static_cast<size_t>(length) + 1);
        return interned;
    }
    return string_allocate(chars, length, hash);
}
