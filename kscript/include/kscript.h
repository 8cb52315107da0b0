// The script language's one public door: the one script machine of the process, made ready
// and freed, scripts run on it with the caller's engine, and the switches of a run. The
// calculator and everything above it use the language through this header alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

class BigNumber;

enum VmResult {
    VM_OK = 0,
    VM_COMPILE_ERROR = 1,
    VM_RUNTIME_ERROR = 2,
};

// Makes the machine ready: empty stack, tables and collector, the natives bound again, error
// reports on. What an earlier initialisation left is freed first, so re-initialising never
// leaks. vm_free frees it all; freeing a freed machine does nothing.
void vm_init();
void vm_free();
// Between vm_init and vm_free.
bool vm_ready();

// Whether runtime and compile errors are reported on the standard error stream (1) or not (0).
void vm_set_error_report(int on);
int vm_error_report();

// A run spends one unit per backward jump and per call, and per string operation one unit and
// one more for every 64 characters of its operands and answer; when the budget is spent the
// run ends with VM_RUNTIME_ERROR. 0 means no budget.
void vm_set_run_budget(uint64_t units);

// Compiles and runs a script with the engine of the caller: VM_OK, VM_COMPILE_ERROR or
// VM_RUNTIME_ERROR. Without a stream, printed values go to the print buffer. Globals persist
// from run to run until the next vm_init.
int vm_interpret(BigNumber *engine, const char *source);
int vm_interpret_stream(BigNumber *engine, const char *source, FILE *stream);

// The text of the print buffer ("" while the machine is freed), and its reset to the empty text.
const char *vm_print_result_text();
void vm_print_result_clear();
// The same value whole: the print buffer holds only its start. At most VM_PRINT_WHOLE_MAX
// bytes are kept; vm_printed_length() is the length of the whole text, longer when it was cut.
constexpr size_t VM_PRINT_WHOLE_MAX = size_t(16) << 20;
const std::string &vm_printed_text();
size_t vm_printed_length();

// Statuses of a script-file run.
enum ScriptFileStatus {
    SCRIPT_FILE_OK = 0,
    SCRIPT_FILE_COMPILE_ERROR = 65,
    SCRIPT_FILE_RUNTIME_ERROR = 70,
    SCRIPT_FILE_UNREADABLE = 74,
};

// Runs the source without an output stream on the machine as it stands (globals persist from
// run to run): 0 ok, 1 compile error, 2 runtime error. After 0 the print buffer
// (vm_print_result_text) holds the last printed value.
int runScriptSource(BigNumber *engine, const char *source);

// Runs a script file in a fresh machine, after loading the .kf scripts of the folder "ext".
// Afterwards the machine is initialised again, with the error reports as they were before the
// call. Returns a ScriptFileStatus.
int runScriptFile(BigNumber *engine, const char *path);
