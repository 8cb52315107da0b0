// Matrix variables of the interpreter: the look-up by name, and the storing of a computed
// matrix under a name (the temporaries of matrix expressions and the results of the matrix
// commands).
#pragma once

#include <string>

#include "Calculator.h"
#include "matrix.h"

// True when the table holds the name; `variable` then designates the typed variable of the
// entry's own type code (it may be of any type, or null for a code without a variable).
bool getMatrixVariable(Calculator &calculator, const std::string &name, VariableBase *&variable);
// The matrix of a matrix variable, or null when the name is no matrix variable.
const KV_Matrix *matrixValueOf(Calculator &calculator, const std::string &name);

// Stores `m` under `name`: value text its literal, text its determinant. A matrix variable of
// that name gets the new value in place; a variable of another type is replaced whole.
// Returns true when a matrix variable of the name existed.
bool storeMatrixVariable(Calculator &calculator, const std::string &name, const KV_Matrix &m);

// The literal form of a matrix, as its variable keeps it.
std::string literalText(const KV_Matrix &m);
