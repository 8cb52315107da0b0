#include "interpreter/interpreter_state.h"

#include <iterator>

static const char *const kTypeNames[] = {"int", "float", "double", "std::string", "bool", "matrix"};
const std::vector<std::string> type_names(std::begin(kTypeNames), std::end(kTypeNames));

std::vector<InputStatement> input_statements;
std::set<std::string> used_variable_names;
std::set<std::string> undefined_names;
