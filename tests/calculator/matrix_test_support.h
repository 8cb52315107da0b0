// Matrix variables for the calculator tests, made as a user assignment leaves them: the
// literal as value text and as the variable's text.
#pragma once

#include <string>

#include "Calculator.h"
#include "matrix/matrix_variables.h"

inline void defineMatrix(Calculator &calculator, const std::string &name, const std::vector<std::string> &cells,
                         uint64_t rows, uint64_t cols) {
    KV_Matrix m(cells, rows, cols);
    storeMatrixVariable(calculator, name, m);
    VariableBase *variable = nullptr;
    getMatrixVariable(calculator, name, variable);
    variable->setText(literalText(m));
}

inline std::string valueTextOf(Calculator &calculator, const std::string &name) {
    auto it = calculator.variables.find(name);
    return it == calculator.variables.end() ? "(none)" : it->second.valueText;
}
