// Substitution of variables into expression texts: names are cut out at the operator
// characters and replaced by the value texts of their variables.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "variables/variable.h"

// Result of substitute_variables for a text that holds several matrix variables, or a
// matrix variable beside any other name or number: a matrix expression.
constexpr int kMatrixExpression = 7;

// Empties both sets, then copies `expression` into `out` with each name that is a variable
// replaced by its value text (the name goes into `used`) and each other piece kept (it goes
// into `undefined` unless it is a number). A lone matrix variable M gives "M=" and its
// literal. Returns kMatrixExpression (and the expression unchanged) for a matrix
// expression, 0 when undefined names were met, otherwise 1 plus the type code of the last
// piece when it is a variable and 1 when it is not.
int substitute_variables(const std::string &expression, const std::vector<char> &operatorChars,
                         std::set<std::string> &used, std::set<std::string> &undefined,
                         const VariableTable &table, std::string &out);
