// The answers of the colon commands, one function a command (or a family of them). Each
// writes into the Calculator's `output` and tells the batch loop how to go on.
#pragma once

#include "Calculator.h"

using ColonOutcome = Calculator::LineOutcome;
using ColonHandler = ColonOutcome (*)(Calculator &, const InputStatement &);

// mode_commands.cpp
ColonOutcome modeCommand(Calculator &calculator, const InputStatement &statement);
ColonOutcome expandCommand(Calculator &calculator, const InputStatement &statement);

// polynomial_commands.cpp
ColonOutcome changeCommand(Calculator &calculator, const InputStatement &statement);
ColonOutcome deleteCommand(Calculator &calculator, const InputStatement &statement);
ColonOutcome polyVarsCommand(Calculator &calculator, const InputStatement &statement);

// variable_commands.cpp
ColonOutcome clearCommand(Calculator &calculator, const InputStatement &statement);
ColonOutcome listCommand(Calculator &calculator, const InputStatement &statement);

// claims (":claim" stores one, ":show" lists them)
ColonOutcome claimCommand(Calculator &calculator, const InputStatement &statement);
ColonOutcome showCommand(Calculator &calculator, const InputStatement &statement);
