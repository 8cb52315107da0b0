// The run loop. Dispatch goes through a table of 256 entries indexed by the opcode byte, so
// every byte value has a step (the unused ones do nothing). The instruction pointer, the
// frame's slots and constants live in locals; the frame's own ip is brought up to date before
// anything that may report an error (the trace reads it) or change frames.
#include <cstdio>
#include <initializer_list>

#include "chunk.h"
#include "vm/vm_internal.h"

int vm_run(FILE *stream) {
    CallFrame *frame = nullptr;
    uint8_t *ip = nullptr;
    ScriptValue *slots = nullptr;
    ScriptValue *constants = nullptr;
    ScriptValue *const stackLimit = vm_machine.stack + VM_STACK_MAX;

    static const void *dispatch[256];
    static bool tableReady = false;
    if (!tableReady) {
        for (const void *&entry : dispatch) entry = &&op_nothing;
        dispatch[OP_CONSTANT] = &&op_constant;
        dispatch[OP_NIL] = &&op_nil;
        dispatch[OP_TRUE] = &&op_true;
        dispatch[OP_FALSE] = &&op_false;
        dispatch[OP_POP] = &&op_pop;
        dispatch[OP_GET_LOCAL] = &&op_get_local;
        dispatch[OP_SET_LOCAL] = &&op_set_local;
        dispatch[OP_GET_GLOBAL] = &&op_get_global;
        dispatch[OP_DEFINE_GLOBAL] = &&op_define_global;
        dispatch[OP_SET_GLOBAL] = &&op_set_global;
        dispatch[OP_GET_UPVALUE] = &&op_get_upvalue;
        dispatch[OP_SET_UPVALUE] = &&op_set_upvalue;
        dispatch[OP_GET_PROPERTY] = &&op_get_property;
        dispatch[OP_SET_PROPERTY] = &&op_set_property;
        dispatch[OP_GET_SUPER] = &&op_get_super;
        dispatch[OP_EQUAL] = &&op_compare;
        dispatch[OP_GREATER] = &&op_compare;
        dispatch[OP_LESS] = &&op_compare;
        for (uint8_t op : {OP_ADD, OP_SUBTRACT, OP_MULTIPLY, OP_DIVIDE, OP_DIVIDE_FR, OP_CIRCUMFLEX,
                           OP_FACTORIAL, OP_MOD, OP_INTDIV})
            dispatch[op] = &&op_arithmetic;
        dispatch[OP_SINGLE_FACTORIAL] = &&op_single_factorial;
        dispatch[OP_NOT] = &&op_not;
        dispatch[OP_NEGATE] = &&op_negate;
        dispatch[OP_SCANF] = &&op_scanf;
        dispatch[OP_PRINT] = &&op_print;
        dispatch[OP_PRINTLN] = &&op_println;
        dispatch[OP_JUMP] = &&op_jump;
        dispatch[OP_JUMP_IF_FALSE] = &&op_jump_if_false;
        dispatch[OP_LOOP] = &&op_loop;
        dispatch[OP_CALL] = &&op_call;
        dispatch[OP_INVOKE] = &&op_invoke;
        dispatch[OP_SUPER_INVOKE] = &&op_super_invoke;
        dispatch[OP_CLOSURE] = &&op_closure;
        dispatch[OP_CLOSE_UPVALUE] = &&op_close_upvalue;
        dispatch[OP_LIST_INIT] = &&op_list_init;
        dispatch[OP_LIST_GETIDX] = &&op_list_getidx;
        dispatch[OP_LIST_SETIDX] = &&op_list_setidx;
        dispatch[OP_RETURN] = &&op_return;
        dispatch[OP_CLASS] = &&op_class;
        dispatch[OP_INHERIT] = &&op_inherit;
        dispatch[OP_METHOD] = &&op_method;
        dispatch[OP_MODE] = &&op_mode;
        tableReady = true;
    }

#define LOAD_FRAME()                                                                                         \
    do {                                                                                                     \
        frame = &vm_machine.frames[vm_machine.frameCount - 1];                                               \
        ip = frame->ip;                                                                                      \
        slots = frame->slots;                                                                                \
        constants = frame->closure->function->chunk.constants.values;                                        \
    } while (false)
#define SAVE_IP() (frame->ip = ip)
#define NEXT() goto *dispatch[*ip++]
#define READ_BYTE() (*ip++)
#define READ_SHORT() (ip += 2, static_cast<uint16_t>((ip[-2] << 8) | ip[-1]))
#define READ_CONSTANT() (constants[READ_BYTE()])
#define READ_STRING() value_as_string(READ_CONSTANT())
#define PUSH(value)                                                                                          \
    do {                                                                                                     \
        if (vm_machine.stackTop >= stackLimit) [[unlikely]] {                                                \
            SAVE_IP();                                                                                       \
            vm_stack_overflow();                                                                             \
            return VM_RUNTIME_ERROR;                                                                         \
        }                                                                                                    \
        *vm_machine.stackTop++ = (value);                                                                    \
    } while (false)
// A step that may fail or change frames: it sees the current ip, and a failure ends the run.
#define STEP(call)                                                                                           \
    do {                                                                                                     \
        SAVE_IP();                                                                                           \
        if (!(call)) return VM_RUNTIME_ERROR;                                                                \
    } while (false)

    LOAD_FRAME();
    NEXT();

    // The formatter would set the labels of braced steps apart from their colon.
    // clang-format off

op_constant:
    PUSH(READ_CONSTANT());
    NEXT();
op_nil:
    PUSH(VALUE_NIL);
    NEXT();
op_true:
    PUSH(VALUE_TRUE);
    NEXT();
op_false:
    PUSH(VALUE_FALSE);
    NEXT();
op_pop:
    vm_pop();
    NEXT();
op_get_local:
    PUSH(slots[READ_BYTE()]);
    NEXT();
op_set_local:
    slots[READ_BYTE()] = vm_peek(0);
    NEXT();
op_get_global: {
    StringObject *name = READ_STRING();
    ScriptValue value;
    if (!table_get(&vm_machine.globals, name, &value)) {
        SAVE_IP();
        vm_script_error("Undefined variable '%s'.", name->chars);
        return VM_RUNTIME_ERROR;
    }
    PUSH(value);
    NEXT();
}
op_define_global:
    table_set(&vm_machine.globals, READ_STRING(), vm_peek(0));
    vm_pop();
    NEXT();
op_set_global: {
    StringObject *name = READ_STRING();
    if (table_set(&vm_machine.globals, name, vm_peek(0))) {
        table_delete(&vm_machine.globals, name);
        SAVE_IP();
        vm_script_error("Undefined variable '%s'.", name->chars);
        return VM_RUNTIME_ERROR;
    }
    NEXT();
}
op_get_upvalue:
    PUSH(*frame->closure->upvalues[READ_BYTE()]->location);
    NEXT();
op_set_upvalue:
    *frame->closure->upvalues[READ_BYTE()]->location = vm_peek(0);
    NEXT();
op_get_property: {
    StringObject *name = READ_STRING();
    SAVE_IP();
    if (!is_object_kind(vm_peek(0), OBJ_INSTANCE)) {
        vm_script_error("Only instances have properties.");
        return VM_RUNTIME_ERROR;
    }
    auto *instance = value_as<InstanceObject>(vm_peek(0));
    ScriptValue value;
    if (table_get(&instance->fields, name, &value)) {
        vm_machine.stackTop[-1] = value;
        NEXT();
    }
    if (!vm_bind_method(instance->klass, name)) return VM_RUNTIME_ERROR;
    NEXT();
}
op_set_property: {
    StringObject *name = READ_STRING();
    if (!is_object_kind(vm_peek(1), OBJ_INSTANCE)) {
        SAVE_IP();
        vm_script_error("Only instances have fields.");
        return VM_RUNTIME_ERROR;
    }
    auto *instance = value_as<InstanceObject>(vm_peek(1));
    table_set(&instance->fields, name, vm_peek(0));
    ScriptValue value = vm_pop();
    vm_machine.stackTop[-1] = value;
    NEXT();
}
op_get_super: {
    StringObject *name = READ_STRING();
    ScriptValue superclass = vm_pop();
    STEP(vm_bind_method(value_as<ClassObject>(superclass), name));
    NEXT();
}
op_compare:
    STEP(vm_compare(ip[-1]));
    NEXT();
op_arithmetic:
    STEP(vm_arithmetic(ip[-1]));
    NEXT();
op_single_factorial:
    STEP(vm_single_factorial());
    NEXT();
op_not:
    vm_machine.stackTop[-1] = value_from_bool(vm_is_falsey(vm_peek(0)));
    NEXT();
op_negate:
    STEP(vm_negate());
    NEXT();
op_scanf:
    vm_scanf();
    NEXT();
op_print:
    vm_print(vm_pop(), false, stream);
    NEXT();
op_println:
    vm_print(vm_pop(), true, stream);
    NEXT();
op_jump: {
    uint16_t offset = READ_SHORT();
    ip += offset;
    NEXT();
}
op_jump_if_false: {
    uint16_t offset = READ_SHORT();
    if (vm_is_falsey(vm_peek(0))) ip += offset;
    NEXT();
}
op_loop: {
    uint16_t offset = READ_SHORT();
    ip -= offset;
    STEP(vm_spend(1));
    NEXT();
}
op_call: {
    int argCount = READ_BYTE();
    STEP(vm_spend(1) && vm_call_value(vm_peek(argCount), argCount));
    LOAD_FRAME();
    NEXT();
}
op_invoke: {
    StringObject *name = READ_STRING();
    int argCount = READ_BYTE();
    STEP(vm_spend(1) && vm_invoke(name, argCount));
    LOAD_FRAME();
    NEXT();
}
op_super_invoke: {
    StringObject *name = READ_STRING();
    int argCount = READ_BYTE();
    auto *superclass = value_as<ClassObject>(vm_pop());
    STEP(vm_spend(1) && vm_invoke_from_class(superclass, name, argCount));
    LOAD_FRAME();
    NEXT();
}
op_closure: {
    FunctionObject *function = value_as_function(READ_CONSTANT());
    ClosureObject *closure = new_closure(function);
    PUSH(value_from_object(closure));
    for (int i = 0; i < closure->upvalueCount; ++i) {
        uint8_t isLocal = READ_BYTE();
        uint8_t index = READ_BYTE();
        closure->upvalues[i] =
            isLocal != 0 ? vm_capture_upvalue(slots + index) : frame->closure->upvalues[index];
    }
    NEXT();
}
op_close_upvalue:
    vm_close_upvalues(vm_machine.stackTop - 1);
    vm_pop();
    NEXT();
op_list_init: {
    int count = READ_BYTE();
    ListObject *list = new_list();
    PUSH(value_from_object(list));
    assert(vm_stack_holds(ptrdiff_t(count) + 1));
    ScriptValue *items = vm_machine.stackTop - 1 - count;
    for (int i = 0; i < count; ++i) list_append(list, items[i]);
    vm_machine.stackTop = items;
    vm_push(value_from_object(list));
    NEXT();
}
op_list_getidx:
    STEP(vm_list_get());
    NEXT();
op_list_setidx:
    STEP(vm_list_set());
    NEXT();
op_return: {
    ScriptValue result = vm_pop();
    vm_close_upvalues(slots);
    vm_machine.frameCount--;
    if (vm_machine.frameCount == 0) {
        vm_pop();
        return VM_OK;
    }
    vm_machine.stackTop = slots;
    vm_push(result);
    LOAD_FRAME();
    NEXT();
}
op_class:
    PUSH(value_from_object(new_class(READ_STRING())));
    NEXT();
op_inherit: {
    ScriptValue superclass = vm_peek(1);
    if (!is_object_kind(superclass, OBJ_CLASS)) {
        SAVE_IP();
        vm_script_error("Superclass must be a class.");
        return VM_RUNTIME_ERROR;
    }
    auto *subclass = value_as<ClassObject>(vm_peek(0));
    table_add_all(&value_as<ClassObject>(superclass)->methods, &subclass->methods);
    vm_pop();
    NEXT();
}
op_method:
    vm_define_method(READ_STRING());
    NEXT();
op_mode:
    vm_mode();
    NEXT();
op_nothing:
    NEXT();
    // clang-format on

#undef LOAD_FRAME
#undef SAVE_IP
#undef NEXT
#undef READ_BYTE
#undef READ_SHORT
#undef READ_CONSTANT
#undef READ_STRING
#undef PUSH
#undef STEP
}
