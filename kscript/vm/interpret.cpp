// The entry points: compile a script and run it on the machine with the caller's engine.
#include "BigNumber.h"
#include "compiler/compiler.h"
#include "memory.h"
#include "vm/vm_internal.h"

namespace {

// A run needs a ready machine and an engine. A freed machine is made ready again, keeping the
// caller's choice of error reports; a caller without an engine gets one of the machine's own.
void prepare_run(BigNumber *engine) {
    if (!vm_machine.ready) {
        int report = vm_error_report_switch;
        vm_init();
        vm_set_error_report(report);
    }
    if (engine == nullptr) {
        static BigNumber ownEngine;
        engine = &ownEngine;
    }
    vm_engine = engine; // the natives use the engine of the current run
}

int run(FILE *stream) {
    int status = vm_run(stream);
    vm_settle_last_answer();
    return status;
}

int compile_and_run(const char *source, FILE *stream) {
    FunctionObject *function = compiler_compile(source != nullptr ? source : "");
    if (function == nullptr) return VM_COMPILE_ERROR;
    vm_push(value_from_object(function));
    ClosureObject *closure = new_closure(function);
    vm_pop();
    vm_push(value_from_object(closure));
    if (!vm_call(closure, 0)) return VM_RUNTIME_ERROR;
    return run(stream);
}

int interpret(BigNumber *engine, const char *source, FILE *stream) {
    prepare_run(engine);
    vm_reset_stack();
    vm_run_begin();
    // A stop of the engine's computation inside a native or an operation, or memory that ran
    // out, ends the run like any runtime error: the stack is reset and the machine stays ready.
    try {
        return compile_and_run(source, stream);
    } catch (const EngineStopped &) {
        vm_script_error("%s", kStoppedText);
    } catch (const ScriptOutOfMemory &) {
        vm_runtime_error("Out of memory.");
    }
    return VM_RUNTIME_ERROR;
}

} // namespace

int vm_interpret(BigNumber *engine, const char *source) {
    return interpret(engine, source, nullptr);
}

int vm_interpret_stream(BigNumber *engine, const char *source, FILE *stream) {
    return interpret(engine, source, stream);
}
