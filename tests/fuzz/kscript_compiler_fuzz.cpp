// fuzz-links: kscript
// Arbitrary source for the script language: scanning, parsing, code generation, error reports,
// the disassembly of whatever compiled, and then its run on a fresh machine and engine under a
// run budget, so that no input runs for ever. The first byte selects the mode, the rest is the
// source: bit 0 turns error reports on, bit 1 collects at every allocation (small inputs only),
// bit 2 prints to a stream instead of the print buffer. With bit 3 the rest is no source but a
// list of native calls, each a run of its own: a byte picks the native, one the argument
// count, and one byte per argument a value of some type (texts, doubles, nil, booleans, lists,
// functions, classes, instances, methods, natives).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "BigNumber.h"
#include "compiler/compiler.h"
#include "disassembler.h"
#include "memory.h"
#include "natives/natives.h"
#include "object.h"
#include "vm/vm.h"

namespace {

constexpr size_t STRESS_MAX_SIZE = 2048;
// Loop turns, calls and text steps (weighted by their length) a run may take.
constexpr uint64_t RUN_BUDGET = 20000;

void disassemble_tree(FunctionObject *function) {
    disassemble_chunk(&function->chunk, function->name == nullptr ? "<script>" : function->name->chars);
    for (int i = 0; i < function->chunk.constants.count; ++i) {
        ScriptValue constant = function->chunk.constants.values[i];
        if (is_object_kind(constant, OBJ_FUNCTION)) disassemble_tree(value_as_function(constant));
    }
}

FILE *discard() {
    static FILE *stream = std::fopen("/dev/null", "w");
    return stream;
}

constexpr int MODE_NATIVE_CALLS = 8;
constexpr size_t NATIVE_CALLS_MAX = 32;
constexpr size_t NATIVE_ARGUMENTS_MAX = 4;

// The globals that the argument values below name.
constexpr const char *NATIVE_PRELUDE = "fun f(x) { return x; } class A { m() { return 1; } } var a = A(); "
                                       "var l = [1, \"2\", 3d];";

const std::string &long_digits() {
    static const std::string text = "\"1" + std::string(300, '0') + "\"";
    return text;
}

std::string argument_value(uint8_t pick) {
    static const char *const VALUES[] = {
        "12",    "-7",    "2.5",     "0",      "\"\"",     "\"abc\"",   "\"hint\"",       "\"1|3\"",
        "\"99999999999\"", "\" 30\"", "5d",     "-1d",    "2.5d",   "0d / 0d", "1d / 0d", "10d ^ 300d",
        "nil",   "true",  "false",   "[1, \"2\"]", "[]",   "clock",   "f",        "A",
        "a",     "a.m",   "l",       "Primes(\"30\")"};
    constexpr size_t COUNT = sizeof VALUES / sizeof VALUES[0];
    return pick % (COUNT + 1) == COUNT ? long_digits() : VALUES[pick % (COUNT + 1)];
}

void run_native_calls(const uint8_t *data, size_t size, bool toStream) {
    BigNumber engine;
    vm_interpret(&engine, NATIVE_PRELUDE);
    auto natives = script_natives();
    size_t at = 0;
    for (size_t call = 0; call < NATIVE_CALLS_MAX && at + 2 <= size; ++call) {
        std::string source = std::string("print ") + natives[data[at] % natives.size()].name + "(";
        size_t argCount = std::min<size_t>(data[at + 1] % (NATIVE_ARGUMENTS_MAX + 1), size - at - 2);
        at += 2;
        for (size_t i = 0; i < argCount; ++i) source += (i > 0 ? ", " : "") + argument_value(data[at++]);
        source += ");";
        if (toStream && discard() != nullptr) {
            vm_interpret_stream(&engine, source.c_str(), discard());
        } else {
            vm_interpret(&engine, source.c_str());
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    vm_init();
    vm_set_run_budget(RUN_BUDGET);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0) return 0;
    uint8_t mode = data[0];
    std::string source(reinterpret_cast<const char *>(data) + 1, size - 1);
    vm_init();
    vm_set_error_report(mode & 1);
    gc_set_stress((mode & 2) != 0 && size <= STRESS_MAX_SIZE);
    if ((mode & MODE_NATIVE_CALLS) != 0) {
        run_native_calls(data + 1, size - 1, (mode & 4) != 0);
        gc_set_stress(false);
        return 0;
    }
    FunctionObject *function = compiler_compile(source.c_str());
    if (function != nullptr) {
        disassemble_tree(function);
        BigNumber engine;
        if ((mode & 4) != 0 && discard() != nullptr) {
            vm_interpret_stream(&engine, source.c_str(), discard());
        } else {
            vm_interpret(&engine, source.c_str());
        }
    }
    gc_set_stress(false);
    return 0;
}
