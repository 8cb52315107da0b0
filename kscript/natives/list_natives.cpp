// The natives of lists. Their misuse is a runtime error that ends the run.
#include <string>

#include "natives/native_functions.h"
#include "natives/native_support.h"
#include "object.h"
#include "vm/vm.h"

namespace {

bool argument_count(int argCount, int needed) {
    if (argCount == needed) return true;
    vm_runtime_error("insufficient arguments, need %d got=%d", needed, argCount);
    return false;
}

ListObject *list_argument(ScriptValue arg, const char *notAList) {
    if (is_object_kind(arg, OBJ_LIST)) return value_as_list(arg);
    vm_runtime_error("%s", notAList);
    return nullptr;
}

} // namespace

// The item count as a decimal text.
ScriptValue native_size(int argCount, ScriptValue *args) {
    if (!argument_count(argCount, 1)) return VALUE_NIL;
    ListObject *list = list_argument(args[0], "cannot get length of a non-list variable.");
    if (list == nullptr) return VALUE_NIL;
    return native_string(std::to_string(list->count));
}

ScriptValue native_append(int argCount, ScriptValue *args) {
    if (!argument_count(argCount, 2)) return VALUE_NIL;
    ListObject *list = list_argument(args[0], "cannot append item to non-list variable.");
    if (list != nullptr) list_append(list, args[1]); // the item stays on the stack while the list grows
    return VALUE_NIL;
}

// Removes item i (a number, truncated); the later items move down by one.
ScriptValue native_delete(int argCount, ScriptValue *args) {
    if (!argument_count(argCount, 2)) return VALUE_NIL;
    ListObject *list = list_argument(args[0], "cannot delete item from non-list variable.");
    if (list == nullptr) return VALUE_NIL;
    if (!value_is_number(args[1])) {
        vm_runtime_error("index cannot be a non-number value.");
        return VALUE_NIL;
    }
    // Bounds tested on the double, so that no out-of-range or NaN value is converted.
    double position = value_as_number(args[1]);
    if (!(position > -1.0 && position < static_cast<double>(list->count))) {
        vm_runtime_error("index out of range.");
        return VALUE_NIL;
    }
    list_delete_at(list, static_cast<int>(position));
    return VALUE_NIL;
}
