// Stand-ins for neighbours of the interpreter that are not built yet (see pending.cpp).
#pragma once

#include <string>

class Calculator;

// The answer of a built-in function whose command handler is not built yet.
void answerHandlerNotYet(Calculator &calculator, const std::string &name);
