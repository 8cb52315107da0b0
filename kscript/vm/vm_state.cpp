#include <cstring>

#include "bridge/integer_road.h"
#include "memory.h"
#include "natives/natives.h"
#include "vm/vm_internal.h"

ScriptVM vm_machine;
StringObject *vm_print_result = nullptr;
int vm_error_report_switch = 1;
BigNumber *vm_engine = nullptr;
std::string vm_print_whole;
size_t vm_print_whole_length = 0;

void vm_reset_stack() {
    vm_machine.stackTop = vm_machine.stack;
    vm_machine.frameCount = 0;
    vm_machine.openUpvalues = nullptr;
}

void vm_set_error_report(int on) {
    vm_error_report_switch = on > 0 ? 1 : 0;
}

int vm_error_report() { return vm_error_report_switch; }

bool vm_ready() { return vm_machine.ready; }

namespace {

// A string object that is never entered in the strings table: its characters may change
// without the table ever holding a key that no longer matches them.
StringObject *new_print_buffer() {
    auto size = static_cast<size_t>(VM_PRINT_RESULT_LENGTH) + 1;
    char *chars = mem_allocate<char>(size);
    std::memcpy(chars, vm_print_result_filler, size);
    auto *buffer = static_cast<StringObject *>(object_allocate(sizeof(StringObject), OBJ_STRING));
    buffer->length = VM_PRINT_RESULT_LENGTH;
    buffer->chars = chars;
    buffer->hash = string_hash(chars, VM_PRINT_RESULT_LENGTH);
    buffer->inlineChars = false;
    buffer->integerForm = INTEGER_FORM_NONE; // its characters change: never noted as a number
    return buffer;
}

} // namespace

void vm_init() {
    if (vm_machine.ready) vm_free();
    vm_error_report_switch = 1;
    vm_reset_stack();
    vm_machine.objects = nullptr;
    vm_machine.bytesAllocated = 0;
    vm_machine.nextGC = VM_FIRST_GC_THRESHOLD;
    vm_machine.grayCount = 0;
    vm_machine.grayCapacity = 0;
    vm_machine.grayStack = nullptr;
    table_init(&vm_machine.globals);
    table_init(&vm_machine.strings);
    vm_machine.initString = nullptr;
    vm_print_result = nullptr;
    vm_machine.initString = string_copy("init", 4);
    vm_print_result = new_print_buffer();
    vm_machine.ready = true;
    for (const NativeDefinition &native : script_natives()) vm_define_native(native.name, native.function);
}

void vm_free() {
    vm_forget_recent_integers();
    table_free(&vm_machine.globals);
    table_free(&vm_machine.strings);
    vm_machine.initString = nullptr;
    vm_print_result = nullptr;
    std::string().swap(vm_print_whole);
    vm_print_whole_length = 0;
    gc_free_objects();
    vm_reset_stack();
    vm_machine.ready = false;
}

const char *vm_print_result_text() {
    return vm_print_result != nullptr ? vm_print_result->chars : "";
}

void vm_print_result_clear() {
    if (vm_print_result != nullptr) vm_print_result->chars[0] = '\0';
    vm_print_whole.clear();
    vm_print_whole_length = 0;
}

const std::string &vm_printed_text() {
    return vm_print_whole;
}

size_t vm_printed_length() {
    return vm_print_whole_length;
}

void vm_define_native(const char *name, NativeFn function) {
    // Both on the stack while the globals may grow and collect.
    vm_push(value_from_object(string_copy(name, static_cast<int>(std::strlen(name)))));
    vm_push(value_from_object(new_native(function)));
    table_set(&vm_machine.globals, value_as_string(vm_peek(1)), vm_peek(0));
    vm_pop();
    vm_pop();
}

bool vm_is_falsey(ScriptValue value) {
    return value_is_nil(value) || value == VALUE_FALSE;
}
