#include "matrix/matrix_commands.h"

#include <iostream>

#include "interpreter/texts.h"
#include "matrix/matrix_variables.h"
#include "pending.h"
#include "substitution/substitution.h"
#include "tools.h"

namespace {

constexpr char kLiteralName[] = "__Matrix__";
constexpr char kThinRule[] = "---------------------"; // 21 dashes

enum class ArgumentKind { Scalar, Name, Literal };

ArgumentKind kindOf(const std::string &argument) {
    std::string text = argument;
    if (has_only_expr_chars(text)) return ArgumentKind::Scalar;
    return isValidIdentifier(argument) ? ArgumentKind::Name : ArgumentKind::Literal;
}

std::string withoutBlanks(std::string text) {
    deleteBlanks(text);
    return text;
}

// The rule and prompt that close the answers of literals and computed determinants.
void writeClosing(std::ostream &out) { out << "\n" << kRule << "\n" << std::endl << kPrompt; }

void writeHint(std::ostream &out) {
    out << "hint> the input is wrong." << std::endl;
    writeClosing(out);
}

// The text between two positions of the line; false when they are not in that order.
bool between(const std::string &text, size_t open, size_t close, std::string &out) {
    if (open == std::string::npos || close == std::string::npos || open >= close) return false;
    out = text.substr(open + 1, close - open - 1);
    return true;
}

// The interpreter writes a leading minus as "0-": it reads "-" again.
void restoreMinus(std::string &argument) {
    if (argument.size() > 2 && argument.compare(0, 2, "0-") == 0) argument.erase(0, 1);
}

// The common start of rank, inv, det and QR: the answer emptied, the argument cut from the
// command text between the two positions with its minus restored; false, after the hint,
// when the cut fails.
bool startHandler(Calculator &calculator, size_t open, size_t close, std::string &argument) {
    calculator.output.str("");
    if (!between(calculator.commandText, open, close, argument)) {
        writeHint(calculator.output);
        return false;
    }
    restoreMinus(argument);
    return true;
}

// How a literal's columns are counted: by the reader (transpose, inv) or by its first row.
enum class Columns { FromReader, FromFirstRow };

// A literal argument as a matrix: brackets taken off, variables substituted, read as the
// literal of "__Matrix__"; the matrix mode follows the engine's mode word.
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

// Rank and QR compute through elimination and the QR factors, which are not built yet.
void writeNotYet(Calculator &calculator, const char *road) {
    calculator.output << notAvailableText(road) << "\n" << kPrompt;
}

} // namespace

void cmd_transpose(Calculator &calculator) {
    std::ostream &out = calculator.output;
    calculator.output.str("");
    const std::string &line = calculator.inputLine;
    size_t open = line.find('(');
    if (open == std::string::npos || line.size() < open + 2 || line.back() != ')') return writeHint(out);
    std::string argument = line.substr(open + 1, line.size() - open - 2);
    switch (kindOf(argument)) {
    case ArgumentKind::Scalar:
        out << withoutBlanks(argument) << "\n" << kPrompt;
        return;
    case ArgumentKind::Name: {
        VariableBase *variable = nullptr;
        if (!getMatrixVariable(calculator, argument, variable)) {
            out << argument << "\n";
            return;
        }
        if (const KV_Matrix *m = matrixValueOf(calculator, argument)) {
            KV_Matrix t = m->transposeMatrix();
            storeMatrixVariable(calculator, argument + "_t", t);
            writeMatrixCells(out, t);
        }
        out << "\n" << kPrompt;
        return;
    }
    case ArgumentKind::Literal: {
        KV_Matrix m = literalMatrix(calculator, argument, Columns::FromReader);
        out << kPrompt << kLiteralName << "\n";
        writeMatrixCells(out, m);
        out << "\n" << kThinRule << "\n" << kPrompt << "after transpose, " << kLiteralName << " is:\n";
        KV_Matrix t = m.transposeMatrix();
        storeMatrixVariable(calculator, kLiteralName, t);
        writeMatrixCells(out, t);
        writeClosing(out);
        return;
    }
    }
}

void cmd_rank(Calculator &calculator) {
    std::ostream &out = calculator.output;
    calculator.output.str("");
    const std::string &line = calculator.commandText;
    size_t open = line.find('('), close = line.find(')'), comma = line.rfind(',');
    std::string argument;
    if (comma == std::string::npos) {
        if (!between(line, open, close, argument)) return writeHint(out);
    } else if (close == std::string::npos || comma > close || !between(line, open, comma, argument)) {
        argument.clear(); // a comma outside the brackets leaves no argument
    }
    restoreMinus(argument);
    BigNumber &bn = calculator.core;
    switch (kindOf(argument)) {
    case ArgumentKind::Scalar:
        out << (bn.isEqualTo(argument, "0") ? "0" : "1") << "\n" << kPrompt;
        return;
    case ArgumentKind::Name: {
        VariableBase *variable = nullptr;
        if (!getMatrixVariable(calculator, argument, variable)) {
            out << (bn.isEqualTo(argument, "0") ? "0" : "1") << "\n" << kPrompt;
        } else if (matrixValueOf(calculator, argument) != nullptr) {
            writeNotYet(calculator, "rank");
        } else {
            out << kPrompt;
        }
        return;
    }
    case ArgumentKind::Literal:
        writeNotYet(calculator, "rank");
        return;
    }
}

void cmd_inv(Calculator &calculator) {
    std::ostream &out = calculator.output;
    const std::string &line = calculator.commandText;
    std::string argument;
    if (!startHandler(calculator, line.find('('), line.find(')'), argument)) return;
    BigNumber &bn = calculator.core;
    switch (kindOf(argument)) {
    case ArgumentKind::Scalar:
        out << bn.reciprocal(withoutBlanks(argument), 0) << "\n" << kPrompt;
        return;
    case ArgumentKind::Name: {
        auto it = calculator.variables.find(argument);
        if (it == calculator.variables.end()) {
            out << argument << "^(-1)\n";
            return;
        }
        if (it->second.typeName != type_names[kMatrixType]) {
            out << bn.reciprocal(it->second.text, 0) << "\n" << kPrompt;
            return;
        }
        std::string name, literal;
        uint64_t rows = 0, cols = 0;
        std::vector<std::string> assignments;
        std::vector<std::vector<std::string>> cells;
        parseMatrixAssignment(argument + "=" + it->second.valueText, name, literal, rows, cols, assignments, cells);
        setMatrixMode(bn.getMode());
        KV_Matrix inverse = KV_Matrix(cells, rows, cols).inverse();
        out << "out> " << std::endl;
        inverse.printTo(out);
        storeMatrixVariable(calculator, "_inv_" + argument, inverse);
        out << "\n\n" << kRule << "\n" << std::endl << "\n" << kPrompt;
        return;
    }
    case ArgumentKind::Literal: {
        KV_Matrix m = literalMatrix(calculator, argument, Columns::FromReader);
        m.print();
        KV_Matrix inverse = m.inverse();
        out << "out> " << std::endl;
        inverse.printTo(out);
        out << "\n\n" << kRule << "\n" << std::endl;
        return;
    }
    }
}

void cmd_det(Calculator &calculator) {
    std::ostream &out = calculator.output;
    const std::string &line = calculator.commandText;
    // The argument runs to the last ")", which must end the line.
    size_t close = line.rfind(')');
    if (close + 1 != line.size()) close = std::string::npos;
    std::string argument;
    if (!startHandler(calculator, line.find('('), close, argument)) return;
    switch (kindOf(argument)) {
    case ArgumentKind::Scalar:
        out << withoutBlanks(argument) << "\n" << kPrompt;
        return;
    case ArgumentKind::Name: {
        VariableBase *variable = nullptr;
        if (!getMatrixVariable(calculator, argument, variable)) {
            out << argument << "\n";
            return;
        }
        std::string text = variable ? variable->getText() : "";
        // A variable made by the matrix commands keeps its determinant as its text; one
        // assigned by the user keeps its literal until the first det.
        if (!text.empty() && text[0] != '[') {
            out << text << "\n" << kPrompt;
            return;
        }
        std::string name, literal;
        uint64_t rows = 0, cols = 0;
        parseMatrixAssignment(argument + "=" + text, name, literal, rows, cols, calculator.pendingLines,
                              calculator.matrixRows);
        const auto &cells = calculator.matrixRows;
        KV_Matrix m(cells, cells.size(), cells.empty() ? 0 : cells[0].size());
        setMatrixMode(calculator.core.getMode());
        std::string d = m.determinant();
        if (variable) variable->setText(d);
        out << "out> " << d << std::endl;
        writeClosing(out);
        return;
    }
    case ArgumentKind::Literal: {
        KV_Matrix m = literalMatrix(calculator, argument, Columns::FromFirstRow);
        m.print();
        out << "out> " << m.determinant() << std::endl;
        writeClosing(out);
        return;
    }
    }
}

void cmd_QR(Calculator &calculator) {
    std::ostream &out = calculator.output;
    const std::string &line = calculator.commandText;
    std::string argument;
    if (!startHandler(calculator, line.find('('), line.find(')'), argument)) return;
    switch (kindOf(argument)) {
    case ArgumentKind::Scalar:
        out << withoutBlanks(argument) << "\n" << kPrompt;
        return;
    case ArgumentKind::Name: {
        VariableBase *variable = nullptr;
        if (!getMatrixVariable(calculator, argument, variable)) out << argument << "\n";
        else if (matrixValueOf(calculator, argument) != nullptr) writeNotYet(calculator, "QR");
        else out << "\n" << kPrompt;
        return;
    }
    case ArgumentKind::Literal:
        writeNotYet(calculator, "QR");
        return;
    }
}
