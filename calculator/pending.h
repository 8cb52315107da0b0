// Stand-ins for neighbours of the interpreter that are not built yet (see pending.cpp).
#pragma once

#include <string>

#include "globals.h"

class BigNumber;
class Calculator;

// The one answer of a road that is not built yet.
std::string notAvailableText(const std::string &road);

// The answer of a built-in function whose command handler is not built yet.
void answerHandlerNotYet(Calculator &calculator, const std::string &name);

// The value of the engine's expression as a polynomial in several variables.
std::string multiPolynomialValue(BigNumber &engine);

// Solves a linear program with ";" at its end by the simplex method, printing every step.
void runLinearProgram(Calculator &calculator, const InputStatement &statement);
