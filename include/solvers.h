// Equation solvers that are not members of the engine object: linear equations in
// integers, and the expression templates of the 24 game.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Solves a1*X1 + ... + aK*XK = b in integers by successive reduction: prints the equation
// and the expression of the last variable, and fills `lines` with the substitutions that
// lead back to X1 ... XK. Returns 1 when it answered, 0 for an empty or non-integer input.
int solve_indefinite_equation(const std::vector<std::string> &coefficients, const std::string &b,
                              std::vector<std::string> &lines, std::ostream &out);

// The expression templates of the 24 game over the letters a, b, c and d, in their fixed
// order (built once from the table's rows and letter words).
const std::vector<std::string> &game24_templates();
