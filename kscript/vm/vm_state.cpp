#include <cstring>

#include "memory.h"
#include "vm/vm.h"

ScriptVM vm;
StringObject *vm_print_result = nullptr;
int vm_error_report_switch = 1;
BigNumber *vm_engine = nullptr;

void vm_reset_stack() {
    vm.stackTop = vm.stack;
    vm.frameCount = 0;
    vm.openUpvalues = nullptr;
}

void vm_push(ScriptValue value) {
    *vm.stackTop++ = value;
}

ScriptValue vm_pop() {
    return *--vm.stackTop;
}

ScriptValue vm_peek(int distance) {
    return vm.stackTop[-1 - distance];
}

void vm_set_error_report(int on) {
    vm_error_report_switch = on > 0 ? 1 : 0;
}

void vm_init() {
    vm_error_report_switch = 1;
    vm_reset_stack();
    vm.objects = nullptr;
    vm.bytesAllocated = 0;
    vm.nextGC = VM_FIRST_GC_THRESHOLD;
    vm.grayCount = 0;
    vm.grayCapacity = 0;
    vm.grayStack = nullptr;
    table_init(&vm.globals);
    table_init(&vm.strings);
    vm.initString = nullptr;
    vm_print_result = nullptr;
    vm.initString = string_copy("init", 4);
    // Interned with its terminator as a character, so no text a script makes (which never
    // holds a NUL) can ever be the same string as this scratch area.
    vm_print_result = string_copy(vm_print_result_filler, VM_PRINT_RESULT_LENGTH + 1);
    vm_print_result->length = VM_PRINT_RESULT_LENGTH;
    // The natives are bound here once they exist.
}

void vm_free() {
    table_free(&vm.globals);
    table_free(&vm.strings);
    vm.initString = nullptr;
    vm_print_result = nullptr;
    gc_free_objects();
}
