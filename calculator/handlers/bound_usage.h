// The bound-parameter cut of the commands that follow a wrong call with their usage (sum,
// printSeries, printRecursiveSeries, lim and limit).
#pragma once

#include <ostream>
#include <string>
#include <vector>

class Calculator;

using UsageWriter = void (*)(std::ostream &);

// The arguments bound to the registered parameters of `name`. A rest that does not end in
// its last ")" gets the diagnostic lines, the shape hint and the usage; more arguments than
// parameters the usage alone. False in both cases.
bool bindWithUsage(Calculator &calculator, const char *name, UsageWriter usage, std::ostream &out,
                   std::vector<std::string> &values);

// The shape hint and the usage: a call whose needed argument is empty.
void writeShapeHintAndUsage(std::ostream &out, UsageWriter usage);
