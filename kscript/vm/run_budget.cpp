#include "vm/vm_internal.h"

RunBudget vm_budget = {0, 0};

void vm_set_run_budget(uint64_t units) {
    vm_budget.limit = units;
    vm_budget.left = units;
}

bool vm_spend_slow(uint64_t units) {
    if (engineStopRequested()) {
        vm_script_error("%s", kStoppedText);
        return false;
    }
    if (vm_budget.limit == 0) return true;
    if (vm_budget.left > units) {
        vm_budget.left -= units;
        return true;
    }
    vm_script_error("Run budget spent.");
    return false;
}
