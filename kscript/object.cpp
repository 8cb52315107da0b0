#include "object.h"

#include "memory.h"
#include "vm/vm.h"

ScriptObject *object_allocate(size_t size, ObjectKind kind) {
    auto *object = static_cast<ScriptObject *>(mem_reallocate(nullptr, 0, size));
    object->kind = kind;
    object->marked = false;
    object->next = vm_machine.objects;
    vm_machine.objects = object;
    return object;
}

template <typename T> static T *allocate_object(ObjectKind kind) {
    return static_cast<T *>(object_allocate(sizeof(T), kind));
}

ListObject *new_list() {
    auto *list = allocate_object<ListObject>(OBJ_LIST);
    list->count = 0;
    list->capacity = 0;
    list->items = nullptr;
    return list;
}

BoundMethodObject *new_bound_method(ScriptValue receiver, ClosureObject *method) {
    auto *bound = allocate_object<BoundMethodObject>(OBJ_BOUND_METHOD);
    bound->receiver = receiver;
    bound->method = method;
    return bound;
}

ClassObject *new_class(StringObject *name) {
    auto *klass = allocate_object<ClassObject>(OBJ_CLASS);
    klass->name = name;
    table_init(&klass->methods);
    return klass;
}

ClosureObject *new_closure(FunctionObject *function) {
    // The array first: allocating it may collect, and the closure must not exist half-built.
    auto *upvalues = mem_allocate<UpvalueObject *>(static_cast<size_t>(function->upvalueCount));
    for (int i = 0; i < function->upvalueCount; ++i) upvalues[i] = nullptr;
    auto *closure = allocate_object<ClosureObject>(OBJ_CLOSURE);
    closure->function = function;
    closure->upvalues = upvalues;
    closure->upvalueCount = function->upvalueCount;
    return closure;
}

FunctionObject *new_function() {
    auto *function = allocate_object<FunctionObject>(OBJ_FUNCTION);
    function->arity = 0;
    function->upvalueCount = 0;
    function->name = nullptr;
    chunk_init(&function->chunk);
    return function;
}

InstanceObject *new_instance(ClassObject *klass) {
    auto *instance = allocate_object<InstanceObject>(OBJ_INSTANCE);
    instance->klass = klass;
    table_init(&instance->fields);
    return instance;
}

NativeObject *new_native(NativeFn function) {
    auto *native = allocate_object<NativeObject>(OBJ_NATIVE);
    native->function = function;
    return native;
}

UpvalueObject *new_upvalue(ScriptValue *slot) {
    auto *upvalue = allocate_object<UpvalueObject>(OBJ_UPVALUE);
    upvalue->location = slot;
    upvalue->closed = VALUE_NIL;
    upvalue->next = nullptr;
    return upvalue;
}

void list_append(ListObject *list, ScriptValue value) {
    if (list->count + 1 > list->capacity) {
        int oldCapacity = list->capacity;
        int newCapacity = mem_grow_capacity(oldCapacity); // memory that runs out leaves the list as it was
        list->items = mem_grow_array(list->items, static_cast<size_t>(oldCapacity), static_cast<size_t>(newCapacity));
        list->capacity = newCapacity;
    }
    list->items[list->count++] = value;
}

ScriptValue list_get(ListObject *list, int index) {
    return list->items[index];
}

int list_set(ListObject *list, int index, ScriptValue value) {
    list->items[index] = value;
    return index;
}

bool list_index_valid(ListObject *list, int index) {
    return index >= 0 && index < list->count;
}

void list_delete_at(ListObject *list, int index) {
    for (int i = index; i < list->count - 1; ++i) list->items[i] = list->items[i + 1];
    list->items[list->count - 1] = VALUE_NIL;
    list->count--;
}

void list_release_items(ListObject *list) {
    mem_free_array(list->items, static_cast<size_t>(list->capacity));
    list->items = nullptr;
    list->count = 0;
    list->capacity = 0;
}
