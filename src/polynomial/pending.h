// Services of the multi-variable polynomial code that the one-variable code and the
// evaluation driver end in. Temporary stand-ins live in pending.cpp until the
// multi-variable subsystem provides them; every one answers kMultiPolynPending, which the
// engine's message test recognises, so the walks stop at it.
#pragma once

#include <array>
#include <string>

inline constexpr const char *kMultiPolynPending = "multi-variable polynomial evaluation: not available yet";

// Copies the expression with each user variable name replaced by its internal name;
// returns the number of registered variables.
int multipolyn_substitute(const std::string &expression, std::string &out);
// Text of the multi-variable polynomial that the postfix computes (the evaluation and the
// conversion of its term list to text, in one step).
std::string multipolyn_eval_postfix_text(const std::string &postfix);
// Text of one operator applied to two multi-variable operand texts (slots: operator, right
// operand, left operand): the operation and the conversion of its list to text.
std::string multipolyn_apply_op_text(const std::array<std::string, 3> &slots);
