// Precise, non-moving, stop-the-world mark and sweep with an explicit gray stack. The strings
// table holds its keys weakly; everything else reachable from the roots survives.
#include <cstdlib>

#include "compiler/compiler.h"
#include "memory.h"
#include "object.h"
#include "table.h"
#include "vm/vm_internal.h"

namespace {

void gray_stack_push(ScriptObject *object) {
    if (vm_machine.grayCount + 1 > vm_machine.grayCapacity) {
        // Outside the accounting: growing the gray stack must not start another collection.
        int capacity = mem_grow_capacity(vm_machine.grayCapacity);
        void *grown = std::realloc(vm_machine.grayStack, sizeof(ScriptObject *) * static_cast<size_t>(capacity));
        if (grown == nullptr) mem_out_of_memory();
        vm_machine.grayStack = static_cast<ScriptObject **>(grown);
        vm_machine.grayCapacity = capacity;
    }
    vm_machine.grayStack[vm_machine.grayCount++] = object;
}

void mark_roots() {
    if (vm_machine.stackTop != nullptr)
        for (ScriptValue *slot = vm_machine.stack; slot < vm_machine.stackTop; ++slot) gc_mark_value(*slot);
    for (int i = 0; i < vm_machine.frameCount; ++i) gc_mark_object(vm_machine.frames[i].closure);
    for (UpvalueObject *upvalue = vm_machine.openUpvalues; upvalue != nullptr; upvalue = upvalue->next)
        gc_mark_object(upvalue);
    table_mark(&vm_machine.globals);
    compiler_mark_roots();
    gc_mark_object(vm_machine.initString);
    gc_mark_object(vm_print_result);
}

void blacken_closure(ClosureObject *closure) {
    gc_mark_object(closure->function);
    for (int i = 0; i < closure->upvalueCount; ++i) gc_mark_object(closure->upvalues[i]);
}

void blacken_object(ScriptObject *object) {
    switch (static_cast<ObjectKind>(object->kind)) {
    case OBJ_LIST: {
        auto *list = static_cast<ListObject *>(object);
        for (int i = 0; i < list->count; ++i) gc_mark_value(list->items[i]);
        break;
    }
    case OBJ_BOUND_METHOD: {
        auto *bound = static_cast<BoundMethodObject *>(object);
        gc_mark_value(bound->receiver);
        gc_mark_object(bound->method);
        break;
    }
    case OBJ_CLASS: {
        auto *klass = static_cast<ClassObject *>(object);
        gc_mark_object(klass->name);
        table_mark(&klass->methods);
        break;
    }
    case OBJ_CLOSURE:
        blacken_closure(static_cast<ClosureObject *>(object));
        break;
    case OBJ_FUNCTION: {
        auto *function = static_cast<FunctionObject *>(object);
        gc_mark_object(function->name);
        gc_mark_array(&function->chunk.constants);
        break;
    }
    case OBJ_INSTANCE: {
        auto *instance = static_cast<InstanceObject *>(object);
        gc_mark_object(instance->klass);
        table_mark(&instance->fields);
        break;
    }
    case OBJ_UPVALUE:
        gc_mark_value(static_cast<UpvalueObject *>(object)->closed);
        break;
    case OBJ_NATIVE:
    case OBJ_STRING:
        break;
    }
}

// The strings table after a collection: large enough for the survivors and for every string
// the next cycle can make (it allocates at most as many bytes as survive, the threshold being
// twice the survivors, and a string takes at least its object), so that it need not grow
// during the cycle; no larger, so that interning probes a small array.
int strings_table_capacity() {
    ScriptTable &strings = vm_machine.strings;
    size_t tableBytes = static_cast<size_t>(strings.capacity) * sizeof(TableEntry);
    size_t otherBytes = vm_machine.bytesAllocated - tableBytes;
    auto live = static_cast<size_t>(table_live_count(&strings));
    int capacity = 8;
    while (capacity < strings.capacity) {
        size_t coming =
            (otherBytes + static_cast<size_t>(capacity) * sizeof(TableEntry)) / sizeof(StringObject);
        if (static_cast<double>(live + coming) <= capacity * TABLE_MAX_LOAD) break;
        capacity *= 2;
    }
    return capacity;
}

void trace_references() {
    while (vm_machine.grayCount > 0) blacken_object(vm_machine.grayStack[--vm_machine.grayCount]);
}

void sweep() {
    ScriptObject *previous = nullptr;
    ScriptObject *object = vm_machine.objects;
    while (object != nullptr) {
        if (object->marked) {
            object->marked = false;
            previous = object;
            object = object->next;
            continue;
        }
        ScriptObject *unreached = object;
        object = object->next;
        // Strings leave the strings table here, while their object is at hand.
        if (unreached->kind == OBJ_STRING)
            table_delete(&vm_machine.strings, static_cast<StringObject *>(unreached));
        if (previous != nullptr) {
            previous->next = object;
        } else {
            vm_machine.objects = object;
        }
        gc_free_object(unreached);
    }
}

} // namespace

void gc_mark_object(ScriptObject *object) {
    if (object == nullptr || object->marked) return;
    object->marked = true;
    gray_stack_push(object);
}

void gc_mark_value(ScriptValue value) {
    if (value_is_object(value)) gc_mark_object(value_as_object(value));
}

void gc_mark_array(ValueArray *array) {
    for (int i = 0; i < array->count; ++i) gc_mark_value(array->values[i]);
}

void gc_collect() {
    // Compacting the strings table allocates; that allocation must not start another collection.
    static bool collecting = false;
    if (collecting) return;
    collecting = true;
    try {
        mark_roots();
        trace_references();
    } catch (const ScriptOutOfMemory &) {
        // No room for the gray stack: nothing is freed this time, and no object keeps a mark
        // that would make the next collection skip what it reaches.
        for (ScriptObject *object = vm_machine.objects; object != nullptr; object = object->next)
            object->marked = false;
        vm_machine.grayCount = 0;
        collecting = false;
        throw;
    }
    sweep();
    table_drop_tombstones(&vm_machine.strings);
    vm_forget_recent_integers();
    // A collection usually drops most strings: the table shrinks to what is left, so interning
    // probes a small array without tombstones, and the threshold follows the live data. Without
    // memory for the smaller array the table keeps its own.
    try {
        table_compact(&vm_machine.strings, strings_table_capacity());
    } catch (const ScriptOutOfMemory &) {
    }
    vm_machine.nextGC = vm_machine.bytesAllocated * 2;
    collecting = false;
}

void gc_free_object(ScriptObject *object) {
    switch (static_cast<ObjectKind>(object->kind)) {
    case OBJ_LIST: {
        auto *list = static_cast<ListObject *>(object);
        mem_free_array(list->items, static_cast<size_t>(list->capacity));
        mem_free(list);
        break;
    }
    case OBJ_BOUND_METHOD:
        mem_free(static_cast<BoundMethodObject *>(object));
        break;
    case OBJ_CLASS: {
        auto *klass = static_cast<ClassObject *>(object);
        table_free(&klass->methods);
        mem_free(klass);
        break;
    }
    case OBJ_CLOSURE: {
        auto *closure = static_cast<ClosureObject *>(object);
        mem_free_array(closure->upvalues, static_cast<size_t>(closure->upvalueCount));
        mem_free(closure);
        break;
    }
    case OBJ_FUNCTION: {
        auto *function = static_cast<FunctionObject *>(object);
        chunk_free(&function->chunk);
        mem_free(function);
        break;
    }
    case OBJ_INSTANCE: {
        auto *instance = static_cast<InstanceObject *>(object);
        table_free(&instance->fields);
        mem_free(instance);
        break;
    }
    case OBJ_NATIVE:
        mem_free(static_cast<NativeObject *>(object));
        break;
    case OBJ_STRING: {
        auto *string = static_cast<StringObject *>(object);
        if (string->inlineChars) {
            mem_reallocate(string, string_object_size(string->length), 0);
            break;
        }
        mem_free_array(string->chars, static_cast<size_t>(string->length) + 1);
        mem_free(string);
        break;
    }
    case OBJ_UPVALUE:
        mem_free(static_cast<UpvalueObject *>(object));
        break;
    }
}

void gc_free_objects() {
    ScriptObject *object = vm_machine.objects;
    while (object != nullptr) {
        ScriptObject *next = object->next;
        gc_free_object(object);
        object = next;
    }
    vm_machine.objects = nullptr;
    std::free(vm_machine.grayStack);
    vm_machine.grayStack = nullptr;
    vm_machine.grayCount = 0;
    vm_machine.grayCapacity = 0;
}
