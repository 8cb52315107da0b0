// Runtime errors: the message, a trace of the frames from the innermost out, and a reset of
// the stack, so that the next run starts empty whether or not anything was printed.
#include <cstdarg>
#include <cstdio>

#include "vm/vm_internal.h"

namespace {

bool runFailed = false;

int frame_line(const CallFrame &frame) {
    const Chunk &chunk = frame.closure->function->chunk;
    auto offset = frame.ip - chunk.code - 1;
    if (offset < 0) offset = 0;
    return offset < chunk.count ? chunk.lines[offset] : 0;
}

void print_trace() {
    for (int i = vm_machine.frameCount - 1; i >= 0; --i) {
        const CallFrame &frame = vm_machine.frames[i];
        std::fprintf(stderr, "[line %d] in ", frame_line(frame));
        StringObject *name = frame.closure->function->name;
        if (name == nullptr) {
            std::fprintf(stderr, "script\n");
        } else {
            std::fprintf(stderr, "%s()\n", name->chars);
        }
    }
}

void report(bool print, const char *format, va_list args) {
    if (print) {
        std::vfprintf(stderr, format, args);
        std::fputs("\n", stderr);
        print_trace();
    }
    vm_reset_stack();
    runFailed = true;
}

} // namespace

void vm_runtime_error(const char *format, ...) {
    va_list args;
    va_start(args, format);
    report(true, format, args);
    va_end(args);
}

void vm_script_error(const char *format, ...) {
    va_list args;
    va_start(args, format);
    report(vm_error_report_switch == 1, format, args);
    va_end(args);
}

void vm_stack_overflow() {
    vm_runtime_error("Stack overflow.");
}

bool vm_run_failed() {
    return runFailed;
}

void vm_run_begin() {
    runFailed = false;
    vm_budget.left = vm_budget.limit;
}
