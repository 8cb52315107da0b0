#include "matrix/command_shape.h"

#include <vector>

#include "interpreter/interpreter_state.h"
#include "interpreter/texts.h"
#include "matrix/matrix_variables.h"
#include "substitution/substitution.h"
#include "tools.h"

namespace matrix_commands {

ArgumentKind kindOf(const std::string &argument) {
    std::string text = argument;
    if (has_only_expr_chars(text)) return ArgumentKind::Scalar;
    return isValidIdentifier(argument) ? ArgumentKind::Name : ArgumentKind::Literal;
}

std::string withoutBlanks(std::string text) {
    deleteBlanks(text);
    return text;
}

std::string commandWithoutBlanks(const Calculator &calculator) { return withoutBlanks(calculator.commandText); }

void writeClosing(std::ostream &out) { out << "\n" << kRule << "\n" << std::endl << kPrompt; }

void writeHint(std::ostream &out) {
    out << "hint> the input is wrong." << std::endl;
    writeClosing(out);
}

void writeScalar(std::ostream &out, const std::string &argument) {
    out << withoutBlanks(argument) << "\n" << kPrompt;
}

void answerName(Calculator &calculator, const std::string &name, const std::function<void(const KV_Matrix &)> &answer) {
    VariableBase *variable = nullptr;
    if (!getMatrixVariable(calculator, name, variable)) {
        calculator.output << name << "\n";
        return;
    }
    if (const KV_Matrix *m = matrixValueOf(calculator, name)) answer(*m);
    calculator.output << "\n" << kPrompt;
}

bool between(const std::string &text, size_t open, size_t close, std::string &out) {
    if (open == std::string::npos || close == std::string::npos || open >= close) return false;
    out = text.substr(open + 1, close - open - 1);
    return true;
}

void restoreMinus(std::string &argument) {
    if (argument.size() > 2 && argument.compare(0, 2, "0-") == 0) argument.erase(0, 1);
}

KV_Matrix literalMatrix(Calculator &calculator, std::string text, Columns columns) {
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') text = text.substr(1, text.size() - 2);
    std::string substituted;
    substitute_variables(text, calculator.operatorChars, used_variable_names, undefined_names,
                         calculator.variables, substituted);
    std::string name, literal;
    uint64_t rows = 0, cols = 0;
    std::vector<std::string> assignments;
    std::vector<std::vector<std::string>> cells;
    parseMatrixAssignment(std::string(kLiteralName) + "=[" + substituted + "]", name, literal, rows, cols,
                          assignments, cells);
    setMatrixMode(calculator.core.getMode());
    if (columns == Columns::FromFirstRow) {
        rows = cells.size();
        cols = cells.empty() ? 0 : cells[0].size();
    }
    return KV_Matrix(cells, rows, cols);
}

} // namespace matrix_commands
