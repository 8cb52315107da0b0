// The built-in functions of the command language: name, formal parameter names and help
// text of each, in the order the registry registers them.
#pragma once

#include <initializer_list>
#include <span>

struct BuiltinFunction {
    const char *name;
    // Display texts: one name may hold commas or brackets ("n1,n2,...,nk"). A function that
    // takes no argument has one parameter with an empty name, so its signature reads "pi()".
    std::initializer_list<const char *> parameters;
    const char *help; // UTF-8
};

std::span<const BuiltinFunction> builtin_functions();
