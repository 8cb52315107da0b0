#include "session/script_machine.h"

#include "BigNumber.h"
#include "entry/line_entry.h"
#include "kscript.h"

void restartScriptMachine() {
    vm_init(); // frees what an earlier initialisation left
    vm_set_error_report(0);
}

void stopScriptMachine() {
    if (vm_ready()) vm_free();
}

bool scriptAttemptAllowed(const BigNumber &engine) {
    return static_cast<unsigned>(engine.getPrecision()) <= kScriptPrecisionLimit;
}

int runPrintStatement(BigNumber &engine, const std::string &text) {
    // The machine reads a zero-terminated text: a line holding a NUL byte would be run cut.
    if (text.find('\0') != std::string::npos) return VM_COMPILE_ERROR;
    const std::string source = "print " + text + ";";
    return runScriptSource(&engine, source.c_str());
}

std::string printedValue() {
    return wholeOrCut(vm_printed_text(), VM_PRINT_WHOLE_MAX, vm_printed_length());
}
