// The command handlers of the built-in functions, reached by the dispatch key of the name.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

class Calculator;

// A handler empties the Calculator's output, cuts its arguments from the command text (a few
// from the typed line), and writes its whole answer, prompt included, into the output.
using CommandHandler = void (*)(Calculator &);

struct HandlerCase {
    const char *name;
    CommandHandler handler;
};

// The 128 cases, by name without regard to case.
std::span<const HandlerCase> builtin_handler_cases();

// The case whose key is the key of `name`, found by comparing keys only; null when no case
// has that key (the name of a plugin module).
const HandlerCase *find_handler_case(std::string_view name);
