#include "session/script_machine.h"

#include "vm/vm.h"

namespace {

// A machine holds a state from its initialisation until it is freed.
bool machineRunning() {
    return vm_print_result != nullptr;
}

} // namespace

void restartScriptMachine() {
    // A second initialisation over a live state would lose the objects and tables of the
    // first one for good: free them before.
    stopScriptMachine();
    vm_init();
    vm_set_error_report(0);
}

void stopScriptMachine() {
    if (machineRunning()) vm_free();
}
