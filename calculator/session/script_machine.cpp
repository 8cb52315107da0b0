#include "session/script_machine.h"

#include "vm/vm.h"

void restartScriptMachine() {
    vm_init(); // frees what an earlier initialisation left
    vm_set_error_report(0);
}

void stopScriptMachine() {
    if (vm_machine.ready) vm_free();
}
