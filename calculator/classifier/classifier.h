// Sorting an input line into one statement: colon command, assignment, call, expression or
// linear program, cut into name, operator, argument, value and call arguments.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "globals.h"
#include "interpreter/interpreter_state.h"
#include "tools.h"
#include "variables/variable.h"

using CallArguments = std::vector<std::pair<std::string, std::string>>;

// Statement kinds.
constexpr int kColonCommand = 0;
constexpr int kAssignment = 1;
constexpr int kCall = 2;
constexpr int kExpression = 3;
constexpr int kMaximise = 7;
constexpr int kMinimise = 8;

// Appends one record to `statements` and returns true, or returns false for a colon command
// whose name is no identifier and for a function definition 'f(x)=body' (whose three parts
// go to the standard output). Only the variables table is consulted.
bool classify_input_line(const std::string &line, std::vector<InputStatement> &statements,
                         const VariableTable &variables, std::set<std::string> &usedNames,
                         const std::vector<char> &operatorChars);

// 'name(a,b,...)': true when the text before the first "(" is an identifier and the text
// ends with ")". The arguments are cut at every "," (nesting is not looked at) and each
// identifier piece is paired with the value text of its variable.
bool parse_function_call(const std::string &text, const VariableTable &variables, std::string &name,
                         CallArguments &args);
// function_call_name and has_only_expr_chars are the engine's text tools (tools.h).
// A digit text read by place value (no sign, no check); wraps modulo 2^64.
int64_t digits_to_int(const std::string &text);

// The whole-line patterns of step five of the classification, as match functions. Each
// gives its groups when the whole text matches:
//   assignment or comparison  ([a-zA-Z0-9_]+)(=|==)("?[a-zA-Z0-9_.-]*"?)
//   function definition       ([a-zA-Z0-9_]+)(\()([a-zA-Z0-9_,]*)(\))(=)("?[a-zA-Z0-9_\+\*-/\^\(\)]*"?)
//   solve call                (solve)(\()([a-zA-Z0-9_\+\*-/\^\(\)@=~\ ]*)(\))
//   recursive-series call     (printRecursiveSeries)(\()([a-zA-Z0-9_\+\*-/{,}\^\(\)\\@=~]*)(\))
// ("\*-/" is a range: * + , - . /). `groups` receives every group, index 0 the whole text.
bool match_assignment_pattern(const std::string &text, std::vector<std::string> &groups);
bool match_definition_pattern(const std::string &text, std::vector<std::string> &groups);
bool match_solve_pattern(const std::string &text, std::vector<std::string> &groups);
bool match_series_pattern(const std::string &text, std::vector<std::string> &groups);
// The plugin call of an expression line, module->command(argument):
//   ([a-zA-Z]+)(->)([a-zA-Z]+)(\()([a-zA-Z0-9]*)(\))
bool match_plugin_call_pattern(const std::string &text, std::vector<std::string> &groups);
