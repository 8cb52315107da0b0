// Services of the polynomial code that the evaluation driver's polynomial roads end in.
// Temporary stand-ins live in pending.cpp until the polynomial subsystem provides them.
#pragma once

#include <string>

// Value text of a comma-separated one-variable polynomial postfix.
std::string polyn_eval_postfix(const std::string &postfix, bool oneVariable);
// Copies the expression with each user variable name replaced by its internal name;
// returns the number of registered variables.
int multipolyn_substitute(const std::string &expression, std::string &out);
// Text of the multi-variable polynomial that the postfix computes (the evaluation and the
// conversion of its term list to text, in one step).
std::string multipolyn_eval_postfix_text(const std::string &postfix);
