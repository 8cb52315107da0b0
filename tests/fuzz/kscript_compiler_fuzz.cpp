// fuzz-links: kscript
// Arbitrary source for the script compiler: scanning, parsing, code generation, error reports
// and the disassembly of whatever compiled. The first byte selects the mode, the rest is the
// source: bit 0 turns error reports on, bit 1 collects at every allocation (small inputs only).
#include <cstddef>
#include <cstdint>
#include <string>

#include "compiler/compiler.h"
#include "disassembler.h"
#include "memory.h"
#include "object.h"
#include "vm/vm.h"

namespace {

constexpr size_t STRESS_MAX_SIZE = 2048;

void disassemble_tree(FunctionObject *function) {
    disassemble_chunk(&function->chunk, function->name == nullptr ? "<script>" : function->name->chars);
    for (int i = 0; i < function->chunk.constants.count; ++i) {
        ScriptValue constant = function->chunk.constants.values[i];
        if (is_object_kind(constant, OBJ_FUNCTION)) disassemble_tree(value_as_function(constant));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    vm_init();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0) return 0;
    uint8_t mode = data[0];
    std::string source(reinterpret_cast<const char *>(data) + 1, size - 1);
    vm_set_error_report(mode & 1);
    gc_set_stress((mode & 2) != 0 && size <= STRESS_MAX_SIZE);
    FunctionObject *function = compiler_compile(source.c_str());
    if (function != nullptr) disassemble_tree(function);
    gc_set_stress(false);
    return 0;
}
