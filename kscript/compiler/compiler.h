#pragma once

#include "object.h"

// Compiles a whole script to its top-level function; none after any compile error. Errors are
// written to the standard error stream while the machine's error reports are on.
FunctionObject *compiler_compile(const char *source);

// For the collector: the functions being filled by compiles in progress.
void compiler_mark_roots();
