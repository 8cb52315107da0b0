// The commands transpose, rank, inv, det and QR. Each handler reads its argument from the
// line the interpreter stored (`inputLine` for transpose, `commandText` for the others),
// writes the whole answer into the Calculator's output and may keep its result as a
// matrix variable (A_t, _inv_A, AO and AR, or "__Matrix__"). The argument is a matrix
// variable's name, a literal with or without its brackets, or a number expression.
#pragma once

#include "Calculator.h"

void cmd_transpose(Calculator &calculator);
void cmd_rank(Calculator &calculator);
void cmd_inv(Calculator &calculator);
void cmd_det(Calculator &calculator);
void cmd_QR(Calculator &calculator);
