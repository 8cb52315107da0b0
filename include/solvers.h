// Equation solvers that are not members of the engine object: linear Diophantine
// equations, and the expression templates of the 24 game.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Solves a*x + b*y = c in integers and prints the worked solution (the Euclid lines, the
// quotients, a check of the particular solution, the general solution in t). Returns 0
// when there is no solution or the texts are not integers, 1 otherwise.
int solve_linear_diophantine2(const std::string &a, const std::string &b, std::ostream &out,
                              const std::string &c);

// Solves a1*X1 + ... + aK*XK = b in integers by successive reduction: prints the equation
// and the expression of the last variable, and fills `lines` with the substitutions that
// lead back to X1 ... XK. Returns 1 when it answered, 0 for an empty or non-integer input.
int solve_indefinite_equation(const std::vector<std::string> &coefficients, const std::string &b,
                              std::vector<std::string> &lines, std::ostream &out);

// The expression templates of the 24 game over the letters a, b, c and d, in their fixed
// order (built once from the table's rows and letter words).
const std::vector<std::string> &game24_templates();
