// The calculator's hold on the one script machine of the process.
#pragma once

#include <string>

class BigNumber;

// Frees the machine when it holds a state and initialises it anew with its error reports
// off, so that the interpreter's script attempts print nothing of their own.
void restartScriptMachine();
// Frees the machine's tables and objects; the next script run needs a restart first.
void stopScriptMachine();

// Calls and expressions are first tried as script print statements while the engine's
// precision is at most this many digits (compared unsigned, so a precision that wrapped
// negative counts as above it).
constexpr unsigned kScriptPrecisionLimit = 1000;
bool scriptAttemptAllowed(const BigNumber &engine);

// Runs "print " + text + ";" on the machine with `engine`: 0 ok (the printed value is then
// in the print buffer), 1 compile error, 2 runtime error.
int runPrintStatement(BigNumber &engine, const std::string &text);
// The value the last successful print statement left, whole (or, past the machine's limit,
// its start and a line that says how long it was).
std::string printedValue();
