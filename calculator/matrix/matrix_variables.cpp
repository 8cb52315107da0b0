#include "matrix/matrix_variables.h"

#include <memory>
#include <sstream>

#include "globals.h"
#include "interpreter/interpreter_state.h"
#include "variables/symbol_table.h"

bool getMatrixVariable(Calculator &calculator, const std::string &name, VariableBase *&variable) {
    auto it = calculator.variables.find(name);
    if (it == calculator.variables.end()) return false;
    int code = it->second.typeCode;
    if (code >= 0 && code < kTypeCount) variable = it->second.slots[size_t(code)].get();
    return true;
}

const KV_Matrix *matrixValueOf(Calculator &calculator, const std::string &name) {
    VariableBase *variable = nullptr;
    if (!getMatrixVariable(calculator, name, variable) || variable == nullptr) return nullptr;
    if (variable->getType() != type_names[kMatrixType]) return nullptr;
    auto *matrix = dynamic_cast<Variable<KV_Matrix> *>(variable);
    return matrix ? &matrix->getValue() : nullptr;
}

std::string literalText(const KV_Matrix &m) {
    std::ostringstream os;
    m.printLiteral(os);
    return os.str();
}

bool storeMatrixVariable(Calculator &calculator, const std::string &name, const KV_Matrix &m) {
    std::string literal = literalText(m);
    // The determinant of a copy: in fraction mode it rewrites the cells it reads, and the
    // stored value must stay what its literal says.
    std::string determinant = KV_Matrix(m).determinant();
    Variable<KV_Matrix> *existing = nullptr;
    if (update_matrix_variable(name, calculator.variables, literal, existing)) {
        existing->setValue(m);
        existing->setSecond(m);
        existing->setText(determinant);
        return true;
    }
    // A variable of another type under the name would keep its entry and leave the matrix
    // slot empty: the name now means the matrix.
    calculator.variables.erase(name);
    SymbolEntry entry = make_symbol_entry(kMatrixType, name, m, determinant, literal, determinant);
    entry.slotAs<KV_Matrix>(kMatrixType)->setSecond(m);
    calculator.variables.emplace(name, std::move(entry));
    return false;
}
