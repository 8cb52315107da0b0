// What the parts of the machine share among themselves: the run loop, calls and methods,
// the value operations and the error reports.
#pragma once

#include <cstdint>
#include <cstdio>

#include "stop_request.h"
#include "vm/vm.h"

// The stack overflow, printed whatever the error-report switch says.
void vm_stack_overflow();

// A runtime error of the machine itself: printed only while error reports are on.
void vm_script_error(const char *format, ...) __attribute__((format(printf, 1, 2)));
// True once a runtime error of the current run has been reported (the stack is reset then).
bool vm_run_failed();
void vm_run_begin();

// The whole text of the last value printed without a stream, and its length (vm.h).
extern std::string vm_print_whole;
extern size_t vm_print_whole_length;

// The test hook's budget (vm_set_run_budget); limit 0 means none.
struct RunBudget {
    uint64_t limit;
    uint64_t left;
};
extern RunBudget vm_budget;
bool vm_spend_slow(uint64_t units);
// Spends units of the run budget; false, with the run ended, once it is spent or a stop of
// the engine's computation was asked for.
inline bool vm_spend(uint64_t units) {
    return (vm_budget.limit == 0 && !engineStopRequested()) || vm_spend_slow(units);
}

// The engine's last answer (what the calculator recalls for "_") is the value of the last
// arithmetic operation, whichever road computed it. The integer road only notes its answer;
// this writes the noted answer into the engine, before a native may use the engine and when a
// run ends.
void vm_settle_last_answer();

// Calls and methods; false after a runtime error.
bool vm_call(ClosureObject *closure, int argCount);
bool vm_call_value(ScriptValue callee, int argCount);
bool vm_invoke(StringObject *name, int argCount);
bool vm_invoke_from_class(ClassObject *klass, StringObject *name, int argCount);
bool vm_bind_method(ClassObject *klass, StringObject *name);
void vm_define_method(StringObject *name);
UpvalueObject *vm_capture_upvalue(ScriptValue *slot);
void vm_close_upvalues(ScriptValue *last);

// The run loop over the frames already set up, with the engine of vm_engine, printing to the
// stream or, without one, to the print buffer: VM_OK or VM_RUNTIME_ERROR.
int vm_run(FILE *stream);

// Value operations on the top of the stack; false after a runtime error.
void vm_forget_recent_integers(); // after a collection or a new machine: the strings may be gone
bool vm_arithmetic(uint8_t opcode);
bool vm_single_factorial();
bool vm_negate();
bool vm_compare(uint8_t opcode);
void vm_print(ScriptValue value, bool lineBreak, FILE *stream);
bool vm_list_get();
bool vm_list_set();
void vm_mode();
void vm_scanf();
