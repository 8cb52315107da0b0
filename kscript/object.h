// Heap objects: one header shared by every kind, linked into the machine's list of all objects
// through which the collector finds them.
#pragma once

#include <cstdint>
#include <cstdio>

#include "chunk.h"
#include "table.h"
#include "value.h"

enum ObjectKind : int32_t {
    OBJ_LIST = 0,
    OBJ_BOUND_METHOD = 1,
    OBJ_CLASS = 2,
    OBJ_CLOSURE = 3,
    OBJ_FUNCTION = 4,
    OBJ_INSTANCE = 5,
    OBJ_NATIVE = 6,
    OBJ_STRING = 7,
    OBJ_UPVALUE = 8,
};

struct ScriptObject {
    int32_t kind;
    bool marked;
    ScriptObject *next;
};

struct StringObject;
struct ClosureObject;
struct UpvalueObject;
struct ClassObject;

struct ListObject : ScriptObject {
    int count;
    int capacity;
    ScriptValue *items;
};

struct BoundMethodObject : ScriptObject {
    ScriptValue receiver;
    ClosureObject *method;
};

struct ClassObject : ScriptObject {
    StringObject *name;
    ScriptTable methods;
};

struct ClosureObject : ScriptObject {
    struct FunctionObject *function;
    UpvalueObject **upvalues;
    int upvalueCount;
};

struct FunctionObject : ScriptObject {
    int arity;
    int upvalueCount;
    Chunk chunk;
    StringObject *name; // none for the top-level script
};

struct InstanceObject : ScriptObject {
    ClassObject *klass;
    ScriptTable fields;
};

using NativeFn = ScriptValue (*)(int argCount, ScriptValue *args);

struct NativeObject : ScriptObject {
    NativeFn function;
};

struct StringObject : ScriptObject {
    int length;  // bytes without the terminator
    char *chars; // length + 1 bytes, NUL-terminated
    uint32_t hash;
    bool inlineChars; // the characters follow the object in its own allocation (string_copy)
    // The arithmetic's note of whether the text is an integer of the engine's form, with its
    // value when short (an IntegerForm of bridge/integer_road.h; 0 until first looked at). The
    // text never changes, so the note stays true.
    int8_t integerForm;
    int64_t integer;
};

struct UpvalueObject : ScriptObject {
    ScriptValue *location;
    ScriptValue closed;
    UpvalueObject *next; // next open upvalue
};

inline ObjectKind object_kind(ScriptValue v) {
    return static_cast<ObjectKind>(value_as_object(v)->kind);
}
inline bool is_object_kind(ScriptValue v, ObjectKind kind) {
    return value_is_object(v) && value_as_object(v)->kind == kind;
}

template <typename T> T *value_as(ScriptValue v) {
    return static_cast<T *>(value_as_object(v));
}
inline StringObject *value_as_string(ScriptValue v) {
    return value_as<StringObject>(v);
}
inline ListObject *value_as_list(ScriptValue v) {
    return value_as<ListObject>(v);
}
inline FunctionObject *value_as_function(ScriptValue v) {
    return value_as<FunctionObject>(v);
}

ScriptObject *object_allocate(size_t size, ObjectKind kind);

ListObject *new_list();
BoundMethodObject *new_bound_method(ScriptValue receiver, ClosureObject *method);
ClassObject *new_class(StringObject *name);
ClosureObject *new_closure(FunctionObject *function);
FunctionObject *new_function();
InstanceObject *new_instance(ClassObject *klass);
NativeObject *new_native(NativeFn function);
UpvalueObject *new_upvalue(ScriptValue *slot);

// A string made by string_copy holds its characters right after the object, in one allocation.
inline size_t string_object_size(int length) {
    return sizeof(StringObject) + static_cast<size_t>(length) + 1;
}

// FNV-1a of the characters; a short integer text of the engine's form (bridge/integer_road.h)
// hashes instead as string_integer_hash of its value.
uint32_t string_hash(const char *chars, int length);
uint32_t string_integer_hash(int64_t value);
// The hash of chars, found from the stored hash of a string that shares their beginning: the
// hash steps of the string's differing end are undone and those of the new end taken, so a
// long text that differs from its neighbour only near its end costs only that end.
uint32_t string_hash_near(const StringObject *near, const char *chars, int length);
StringObject *string_copy(const char *chars, int length);
// string_copy with the hash of chars already known.
StringObject *string_copy_hashed(const char *chars, int length, uint32_t hash);
StringObject *string_take(char *chars, int length);
StringObject *string_allocate(char *chars, int length, uint32_t hash);

void list_append(ListObject *list, ScriptValue value);
ScriptValue list_get(ListObject *list, int index);
int list_set(ListObject *list, int index, ScriptValue value);
bool list_index_valid(ListObject *list, int index);
void list_delete_at(ListObject *list, int index);
void list_release_items(ListObject *list);

void object_print(ScriptValue value);
void object_print_stream(FILE *stream, ScriptValue value);
void list_print(ListObject *list);
