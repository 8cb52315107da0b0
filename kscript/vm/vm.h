// The one script machine of the process: call frames, value stack, globals, interned strings,
// open upvalues and the collector's bookkeeping, and the entry points that compile and run a
// script on it with the engine of the caller.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "kscript.h"
#include "object.h"
#include "table.h"
#include "value.h"

class BigNumber;

constexpr int VM_FRAMES_MAX = 2048;
constexpr int VM_FRAME_SLOTS = 256;
constexpr int VM_STACK_MAX = VM_FRAMES_MAX * VM_FRAME_SLOTS; // slots a script may fill
// Slots above the script's limit for the machine's own short-lived pushes (a new string kept
// reachable while it is interned, a native's answer): a script that fills the stack to its
// limit still leaves them room.
constexpr int VM_STACK_RESERVE = 64;

// The print buffer is a string whose characters serve as scratch space for one printed value.
constexpr int VM_PRINT_RESULT_LENGTH = 15000;

constexpr size_t VM_FIRST_GC_THRESHOLD = 1048576;

struct CallFrame {
    ClosureObject *closure;
    uint8_t *ip;        // next byte of the closure's chunk
    ScriptValue *slots; // the callee's own slot, then its arguments and locals
};

struct ScriptVM {
    CallFrame frames[VM_FRAMES_MAX];
    int frameCount;
    ScriptValue stack[VM_STACK_MAX + VM_STACK_RESERVE];
    ScriptValue *stackTop;
    ScriptTable globals;
    ScriptTable strings; // weak: the collector drops strings nothing else reaches
    StringObject *initString;
    UpvalueObject *openUpvalues; // highest stack slot first
    bool ready;                  // between vm_init and vm_free

    // Owned by the memory manager.
    size_t bytesAllocated;
    size_t nextGC;
    ScriptObject *objects;
    int grayCount;
    int grayCapacity;
    ScriptObject **grayStack;
};

extern ScriptVM vm_machine;
// The print buffer of runs without an output stream: its characters hold the text of the last
// value printed, terminated. It is kept out of the strings table, so writing into it can never
// leave a stale key there; no script can reach it.
extern StringObject *vm_print_result;
extern int vm_error_report_switch;
extern BigNumber *vm_engine; // the engine of the latest run, which the natives use

// The machine's entry points (init, free, interpret, switches) are in kscript.h.

void vm_reset_stack();
// Whether `depth` values lie between the bottom of the stack and its top, and the top within
// the stack with its reserve: the bounds every push, pop and peek rests on, asserted in Debug
// builds where they are used.
inline bool vm_stack_holds(ptrdiff_t depth) {
    const ptrdiff_t used = vm_machine.stackTop - vm_machine.stack;
    return depth >= 0 && used >= depth && used <= VM_STACK_MAX + VM_STACK_RESERVE;
}
// For the machine's own bounded pushes (see VM_STACK_RESERVE); the run loop bounds the pushes
// of scripts itself.
inline void vm_push(ScriptValue value) {
    assert(vm_stack_holds(0) && vm_machine.stackTop < vm_machine.stack + VM_STACK_MAX + VM_STACK_RESERVE);
    *vm_machine.stackTop++ = value;
}
inline ScriptValue vm_pop() {
    assert(vm_stack_holds(1));
    return *--vm_machine.stackTop;
}
// Distance 0 is the top.
inline ScriptValue vm_peek(int distance) {
    assert(vm_stack_holds(ptrdiff_t(distance) + 1));
    return vm_machine.stackTop[-1 - distance];
}

// A runtime error reported by a native: message and trace on the standard error stream whatever
// the error-report switch says, then the stack is reset and the run ends with VM_RUNTIME_ERROR.
void vm_runtime_error(const char *format, ...) __attribute__((format(printf, 1, 2)));

// Binds a native under the interned name in the globals.
void vm_define_native(const char *name, NativeFn function);

bool vm_is_falsey(ScriptValue value);

// The stored text that fills the print buffer at start: 15000 digits and the terminator.
extern const char vm_print_result_filler[VM_PRINT_RESULT_LENGTH + 1];
