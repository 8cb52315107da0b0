// Stand-ins for neighbours of the interpreter that are not built yet (see pending.cpp).
#pragma once

#include <cstdio>
#include <string>

class BigNumber;

// The one answer of a road that is not built yet.
std::string notAvailableText(const std::string &road);
// Runs a whole script with `engine` for its arithmetic, printing to `out`: 0 ok, 1 compile
// error, 2 runtime error.
int runScriptToStream(BigNumber &engine, const char *source, FILE *out);
