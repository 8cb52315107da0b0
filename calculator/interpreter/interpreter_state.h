// The interpreter's process-wide tables: the classified statements of the line at hand, the
// names its expressions use and those found undefined, and the names of the variable types.
#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

// Names of the interpreter's variable types, indexed by type code 0..5.
extern const std::vector<std::string> type_names;

// One classified input line of the command interpreter.
struct InputStatement {
    std::string name;
    int kind = 0;  // 0 colon command, 1 assignment, 2 call, 3 expression, 7 max, 8 min
    std::string op;
    std::string arg;
    std::string value;
    std::vector<std::pair<std::string, std::string>> args;
};

extern std::vector<InputStatement> input_statements;
extern std::set<std::string> used_variable_names;
extern std::set<std::string> undefined_names;
