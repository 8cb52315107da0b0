// The border between the editor and the interpreter: one typed line in, the answer left in
// the Calculator's `output`; and the three calls with which the editor runs whole scripts.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "Calculator.h"

// The engine of the Calculator that processed the latest line; the script runs compute with it.
extern BigNumber *session_engine;

// The editor's entry for one UTF-8 line: -1 after a quit reached with balanced brackets,
// 0 in every other case.
int processInputLine(const std::string &line, Calculator &calculator);
// Runs a line with balanced brackets; returns the interpreter's code. The int has no effect.
int runParsedLine(Calculator &calculator, const std::string &line, int unused);
// Runs a line whose brackets do not balance but which holds a "["; returns the interpreter's code.
int runLine(Calculator &calculator, const std::string &line);

// The line that ends an output cut after `shown` of its `total` bytes.
std::string cutNote(uint64_t shown, uint64_t total);
// The text whole, or, when `total` (its whole length; text may hold only its start) passes
// `limit` bytes, its first `limit` bytes, cut back to a character's border, and the cut note.
std::string wholeOrCut(const std::string &text, size_t limit, uint64_t total);

// Compiles and runs a whole script with the Calculator's engine, printing into `out`:
// 0 ok, 1 compile error, 2 runtime error.
int kscriptInterpret(Calculator &calculator, const char *source, FILE *out);
// Starts the script machine anew, its error reports off.
void kscriptResetVM(Calculator &calculator);
// Frees the script machine.
void kscriptFreeVM(Calculator &calculator);
