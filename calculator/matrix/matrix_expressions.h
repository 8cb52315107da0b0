// Expressions over matrix variables ("A+B*A", "2*A", "A^3", "A/B", "A~B"), evaluated from
// their postfix text: each operation stores its result as a temporary matrix variable,
// named after its operands, and prints it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "Calculator.h"
#include "matrix.h"

// Result codes of one operation.
constexpr int kMatrixSum = 1;
constexpr int kMatrixDifference = 2;
constexpr int kMatrixProduct = 3;  // also the quotient of two matrices
constexpr int kMatrixByScalar = 4; // a quotient with a scalar
constexpr int kMatrixPower = 5;
constexpr int kMatricesEqual = 6;
constexpr int kMatrixNoResult = 0;
constexpr int kMatrixSumShapes = -1;
constexpr int kMatrixDifferenceShapes = -2;
constexpr int kMatrixProductShapes = -3;
constexpr int kMatrixQuotientOperands = -4;
constexpr int kMatrixPowerOperands = -5;
constexpr int kMatricesNotEqual = -6;
constexpr int kMatrixMissingOperand = -7; // an operator with fewer than two operands

// Exponents of a matrix power: beyond them the power is refused with a message, since
// each unit of the exponent is one matrix product.
constexpr int64_t kMaxMatrixPower = 1000;

// Numbers the temporaries: process-wide, raised only when a generated name is taken.
extern int32_t tmpMatrixCounter;

// The operation triple: operator, right operand, left operand.
using MatrixOperation = std::array<std::string, 3>;

// Applies one operator to two operand texts (matrix variables, other variables, or plain
// texts such as numbers). `result` comes in as the default 1 x 1 "0" and receives the
// result; shape messages go into the Calculator's output. Copies the engine's mode word
// into the matrix mode.
int matrixBinaryOp(Calculator &calculator, const MatrixOperation &operation, KV_Matrix &result);
