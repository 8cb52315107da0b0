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

StringObject *string_allocate(char *chars, int length, uint32_t hash) {
    auto *string = static_cast<StringObject *>(object_allocate(sizeof(StringObject), OBJ_STRING));
    string->length = length;
    string->chars = chars;
    string->hash = hash;
    // On the stack while the strings table may grow: the new string is reachable from nowhere
    // else yet.
    vm_push(value_from_object(string));
    table_set(&vm.strings, string, VALUE_NIL);
    vm_pop();
    return string;
}

StringObject *string_copy(const char *chars, int length) {
    uint32_t hash = string_hash(chars, length);
    StringObject *interned = table_find_string(&vm.strings, chars, length, hash);
    if (interned != nullptr) return interned;
    char *heapChars = mem_allocate<char>(static_cast<size_t>(length) + 1);
    if (length > 0) std::memcpy(heapChars, chars, static_cast<size_t>(length));
    heapChars[length] = '\0';
    return string_allocate(heapChars, length, hash);
}

StringObject *string_take(char *chars, int length) {
    uint32_t hash = string_hash(chars, length);
    StringObject *interned = table_find_string(&vm.strings, chars, length, hash);
    if (interned != nullptr) {
        mem_free_array(chars, static_cast<size_t>(length) + 1);
        return interned;
    }
    return string_allocate(chars, length, hash);
}
