// String creation. Every string is interned, so equal texts are one object and compare by
// address; the hash is computed once here and kept.
#include <cstring>

#include "memory.h"
#include "object.h"
#include "vm/vm.h"

uint32_t string_hash(const char *chars, int length) {
    uint32_t hash = 2166136261u;
    for (int i = 0; i < length; ++i) {
        hash ^= static_cast<uint8_t>(chars[i]);
        hash *= 16777619u;
    }
    return hash;
}

namespace {

// Keeps the new string on the stack while the strings table may grow: it is reachable from
// nowhere else yet.
StringObject *string_intern(StringObject *string) {
    vm_push(value_from_object(string));
    table_set(&vm_machine.strings, string, VALUE_NIL);
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
    string->integerForm = STRING_INTEGER_UNKNOWN;
    string->integer = 0;
    return string_intern(string);
}

// A copied string keeps its characters in the same allocation as the object: one allocation
// and one release per string.
StringObject *string_copy(const char *chars, int length) {
    uint32_t hash = string_hash(chars, length);
    StringObject *interned = table_find_string(&vm_machine.strings, chars, length, hash);
    if (interned != nullptr) return interned;
    auto *string = static_cast<StringObject *>(object_allocate(string_object_size(length), OBJ_STRING));
    string->length = length;
    string->chars = reinterpret_cast<char *>(string + 1);
    string->hash = hash;
    string->inlineChars = true;
    string->integerForm = STRING_INTEGER_UNKNOWN;
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
