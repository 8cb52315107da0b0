// Calls of closures, classes, bound methods and natives; methods; upvalues.
#include "vm/vm_internal.h"

bool vm_call(ClosureObject *closure, int argCount) {
    if (argCount != closure->function->arity) {
        vm_script_error("Expected %d arguments but got %d.", closure->function->arity, argCount);
        return false;
    }
    if (vm_machine.frameCount == VM_FRAMES_MAX) {
        vm_stack_overflow();
        return false;
    }
    assert(vm_stack_holds(ptrdiff_t(argCount) + 1)); // the callee and its arguments
    CallFrame *frame = &vm_machine.frames[vm_machine.frameCount++];
    frame->closure = closure;
    frame->ip = closure->function->chunk.code;
    frame->slots = vm_machine.stackTop - argCount - 1;
    return true;
}

namespace {

// The native's answer replaces the callee and the arguments, with whatever the native pushed.
// A native that reported a runtime error has reset the stack already: the run ends.
bool call_native(NativeFn native, int argCount) {
    assert(vm_stack_holds(ptrdiff_t(argCount) + 1));
    ScriptValue *callee = vm_machine.stackTop - argCount - 1;
    vm_settle_last_answer(); // the native may read or replace the engine's answer
    ScriptValue result = native(argCount, callee + 1);
    if (vm_run_failed()) return false;
    vm_machine.stackTop = callee;
    vm_push(result);
    return true;
}

bool call_class(ClassObject *klass, int argCount) {
    vm_machine.stackTop[-argCount - 1] = value_from_object(new_instance(klass));
    ScriptValue initializer;
    if (table_get(&klass->methods, vm_machine.initString, &initializer))
        return vm_call(value_as<ClosureObject>(initializer), argCount);
    if (argCount != 0) {
        vm_script_error("Expected 0 arguments but got %d.", argCount);
        return false;
    }
    return true;
}

} // namespace

bool vm_call_value(ScriptValue callee, int argCount) {
    if (value_is_object(callee)) {
        switch (object_kind(callee)) {
        case OBJ_BOUND_METHOD: {
            auto *bound = value_as<BoundMethodObject>(callee);
            vm_machine.stackTop[-argCount - 1] = bound->receiver;
            return vm_call(bound->method, argCount);
        }
        case OBJ_CLASS:
            return call_class(value_as<ClassObject>(callee), argCount);
        case OBJ_CLOSURE:
            return vm_call(value_as<ClosureObject>(callee), argCount);
        case OBJ_NATIVE:
            return call_native(value_as<NativeObject>(callee)->function, argCount);
        default:
            break;
        }
    }
    vm_script_error("Can only call functions and classes.");
    return false;
}

bool vm_invoke_from_class(ClassObject *klass, StringObject *name, int argCount) {
    ScriptValue method;
    if (!table_get(&klass->methods, name, &method)) {
        vm_script_error("Undefined property '%s'.", name->chars);
        return false;
    }
    return vm_call(value_as<ClosureObject>(method), argCount);
}

bool vm_invoke(StringObject *name, int argCount) {
    ScriptValue receiver = vm_peek(argCount);
    if (!is_object_kind(receiver, OBJ_INSTANCE)) {
        vm_script_error("Only instances have methods.");
        return false;
    }
    auto *instance = value_as<InstanceObject>(receiver);
    ScriptValue field;
    if (table_get(&instance->fields, name, &field)) {
        vm_machine.stackTop[-argCount - 1] = field;
        return vm_call_value(field, argCount);
    }
    return vm_invoke_from_class(instance->klass, name, argCount);
}

bool vm_bind_method(ClassObject *klass, StringObject *name) {
    ScriptValue method;
    if (!table_get(&klass->methods, name, &method)) {
        vm_script_error("Undefined property '%s'.", name->chars);
        return false;
    }
    BoundMethodObject *bound = new_bound_method(vm_peek(0), value_as<ClosureObject>(method));
    vm_machine.stackTop[-1] = value_from_object(bound);
    return true;
}

void vm_define_method(StringObject *name) {
    ScriptValue method = vm_peek(0);
    auto *klass = value_as<ClassObject>(vm_peek(1));
    table_set(&klass->methods, name, method);
    vm_pop();
}

UpvalueObject *vm_capture_upvalue(ScriptValue *slot) {
    UpvalueObject *previous = nullptr;
    UpvalueObject *upvalue = vm_machine.openUpvalues;
    while (upvalue != nullptr && upvalue->location > slot) {
        previous = upvalue;
        upvalue = upvalue->next;
    }
    if (upvalue != nullptr && upvalue->location == slot) return upvalue;
    UpvalueObject *created = new_upvalue(slot);
    created->next = upvalue;
    if (previous == nullptr) {
        vm_machine.openUpvalues = created;
    } else {
        previous->next = created;
    }
    return created;
}

void vm_close_upvalues(ScriptValue *last) {
    while (vm_machine.openUpvalues != nullptr && vm_machine.openUpvalues->location >= last) {
        UpvalueObject *upvalue = vm_machine.openUpvalues;
        upvalue->closed = *upvalue->location;
        upvalue->location = &upvalue->closed;
        vm_machine.openUpvalues = upvalue->next;
    }
}
