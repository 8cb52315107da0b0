// The built-in functions of the script language: vm_init binds each entry of the table, in
// its order, as a global native.
#pragma once

#include <span>

#include "object.h"

struct NativeDefinition {
    const char *name;
    NativeFn function;
};

std::span<const NativeDefinition> script_natives();
