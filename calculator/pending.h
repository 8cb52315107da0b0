// Stand-ins for neighbours of the interpreter that are not built yet (see pending.cpp).
#pragma once

#include <string>

#include "globals.h"

class Calculator;

// The one answer of a road that is not built yet.
std::string notAvailableText(const std::string &road);

// The answer of a built-in function whose command handler is not built yet.
void answerHandlerNotYet(Calculator &calculator, const std::string &name);
