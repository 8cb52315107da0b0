// The matrix commands. Each handler reads its argument from the line the interpreter
// stored, writes the whole answer into the Calculator's output and may keep its results as
// matrix variables.
//
// transpose, rank, inv, det and QR read `inputLine` (transpose) or `commandText` (the
// others) and keep A_t, _inv_A, AO and AR, or "__Matrix__". The argument is a matrix
// variable's name, a literal with or without its brackets, or a number expression.
#pragma once

#include "Calculator.h"

void cmd_transpose(Calculator &calculator);
void cmd_rank(Calculator &calculator);
void cmd_inv(Calculator &calculator);
void cmd_det(Calculator &calculator);
void cmd_QR(Calculator &calculator);

// transform(A, op): one elementary operation typed as r2-r1*4, c1<-->c3, r3*(1/2), -2*c1 or
// r2+r1*x, on the matrix variable A in place (reads `inputLine`). `transformKind` is the
// kind of the last operation recognised: process-wide, it keeps the symbolic operations in
// force after a factor in x until an exchange.
extern int32_t transformKind;
void cmd_transform(Calculator &calculator);

// E(n,i,j), E(n,i(k)) and E(n,i,j(k)): the elementary matrices of order n (reads
// `inputLine`), kept as E3_1_2, E3_2x0, ...; `elementary_matrix_counter` numbers the
// scaling and addition matrices. DetExpansion(A,r2) or (A,c1): the cofactor expansion of
// det A along a row or column, its minors kept as A2_1, A2_2, ... CofactorMatrix(A,i,j):
// the minor without row i and column j, kept as A_i_j. The last two read `commandText`.
extern int32_t elementary_matrix_counter;
void cmd_E(Calculator &calculator);
void cmd_DetExpansion(Calculator &calculator);
void cmd_CofactorMatrix(Calculator &calculator);
