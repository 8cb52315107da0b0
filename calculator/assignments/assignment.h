// Assignment lines 'name=value' (the road itself is Calculator::answerAssignment).
#pragma once

#include <string>

class Calculator;

// The computed text of a string variable: the value with its variables substituted and, when
// every name is known, evaluated.
std::string stringVariableText(Calculator &calculator, const std::string &value);

// Stores the matrix of a literal under `name` as an assignment would, without writing anything.
void storeMatrixLiteral(Calculator &calculator, const std::string &name, const std::string &literal);
