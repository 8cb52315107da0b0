// The command solve(equation, x, minValue, maxValue): matrix equations A*x==b by
// elimination, polynomial equations of degree 1 to 3 in closed form, and a search of a
// range of whole steps for any other equation.
#pragma once

#include <ostream>
#include <string>

class Calculator;

// The handler: cuts the four arguments from the command text and answers with the closing.
void cmd_solve(Calculator &calculator);

// The back-end: writes the answer for one equation into `out`. The equation is the
// interpreter's rewritten text ("==" written "~", blanks removed).
void solveEquation(Calculator &calculator, const std::string &equation, const std::string &second,
                   const std::string &third, const std::string &fourth, std::ostream &out);
