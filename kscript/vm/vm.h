// The one script machine of the process: call frames, value stack, globals, interned strings,
// open upvalues and the collector's bookkeeping. Execution lives in the run loop; this header
// holds the state every other module of the language reaches into.
#pragma once

#include <cstddef>
#include <cstdint>

#include "object.h"
#include "table.h"
#include "value.h"

class BigNumber;

constexpr int VM_FRAMES_MAX = 2048;
constexpr int VM_FRAME_SLOTS = 256;
constexpr int VM_STACK_MAX = VM_FRAMES_MAX * VM_FRAME_SLOTS;

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
    ScriptValue stack[VM_STACK_MAX];
    ScriptValue *stackTop;
    ScriptTable globals;
    ScriptTable strings; // weak: the collector drops strings nothing else reaches
    StringObject *initString;
    UpvalueObject *openUpvalues; // highest stack slot first

    // Owned by the memory manager.
    size_t bytesAllocated;
    size_t nextGC;
    ScriptObject *objects;
    int grayCount;
    int grayCapacity;
    ScriptObject **grayStack;
};

extern ScriptVM vm;
extern StringObject *vm_print_result;
extern int vm_error_report_switch;
extern BigNumber *vm_engine;

void vm_init();
void vm_free();
void vm_set_error_report(int on);

void vm_reset_stack();
void vm_push(ScriptValue value);
ScriptValue vm_pop();
ScriptValue vm_peek(int distance);

// The stored text that fills the print buffer at start: 15000 digits and the terminator.
extern const char vm_print_result_filler[VM_PRINT_RESULT_LENGTH + 1];
