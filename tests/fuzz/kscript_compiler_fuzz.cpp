// fuzz-links: kscript
// Arbitrary source for the script language: scanning, parsing, code generation, error reports,
// the disassembly of whatever compiled, and then its run on a fresh machine and engine under a
// run budget, so that no input runs for ever. The first byte selects the mode, the rest is the
// source: bit 0 turns error reports on, bit 1 collects at every allocation (small inputs only),
// bit 2 prints to a stream instead of the print buffer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "BigNumber.h"
#include "compiler/compiler.h"
#include "disassembler.h"
#include "memory.h"
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
