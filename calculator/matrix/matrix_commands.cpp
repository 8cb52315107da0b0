#include "matrix/matrix_commands.h"

#include <iostream>

#include "interpreter/interpreter_state.h"
#include "interpreter/texts.h"
#include "matrix/command_shape.h"
#include "matrix/matrix_variables.h"
#include "tools.h"

using namespace matrix_commands;

namespace {

// The common start of inv, det and QR: the answer emptied, the argument cut from the line
// between the two positions with its minus restored; false, after the hint, when the cut
// fails.
bool startHandler(Calculator &calculator, const std::string &line, size_t open, size_t close,
                  std::string &argument) {
    calculator.output.str("");
    if (!between(line, open, close, argument)) {
        writeHint(calculator.output);
        return false;
    }
    restoreMinus(argument);
    return true;
}

// The method of rank(A,method): rows, columns, or rows or columns by the shape with "hint";
// anything else is the silent row reduction.
int32_t rankMethod(const std::string &method) {
    static const std::pair<const char *, int32_t> kMethods[] = {{"row", 1}, {"col", 2}, {"hint", 3}};
    for (auto [name, number] : kMethods)
        if (method == name) return number;
    return 0;
}

// The rank with its steps, and the rank's line unless the elimination refused or stopped
// (it has then written why).
bool writeRank(std::ostream &out, KV_Matrix m, int32_t method) {
    uint64_t rank = row_echelon_steps(m, out, method);
    if (rank == kNoRank) return false;
    out << rank << "\n";
    return true;
}

// O and R of a matrix, by the mode word: fractions with radicals in fraction mode alone.
// False, with the reason written, when the decomposition refused.
bool decompose(Calculator &calculator, const KV_Matrix &a, KV_Matrix &o, KV_Matrix &r) {
    o = KV_Matrix(a.rows, a.cols, "0");
    r = KV_Matrix(a.rows, a.cols, "0");
    const std::string reason = calculator.core.getMode() == kFractionBit ? a.QRFraction(o, r) : a.QR(o, r);
    if (!reason.empty()) calculator.output << reason << "\n";
    return reason.empty();
}

void writeFactor(std::ostream &out, char letter, const KV_Matrix &factor, bool existed) {
    out << "\n---" << letter << "--------------\n";
    if (existed) writeMatrixCells(out, factor);
    else factor.printTo(out);
    out << "\n-----------------\n";
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
    case ArgumentKind::Scalar: return writeScalar(out, argument);
    case ArgumentKind::Name:
        return answerName(calculator, argument, [&](const KV_Matrix &m) {
            KV_Matrix t = m.transposeMatrix();
            storeMatrixVariable(calculator, argument + "_t", t);
            writeMatrixCells(out, t);
        });
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
    const std::string line = commandWithoutBlanks(calculator);
    size_t open = line.find('('), close = line.find(')'), comma = line.rfind(',');
    std::string argument, method;
    if (comma == std::string::npos) {
        if (!between(line, open, close, argument)) return writeHint(out);
    } else if (close == std::string::npos || comma > close || !between(line, open, comma, argument)) {
        argument.clear(); // a comma outside the brackets leaves no argument
    } else {
        between(line, comma, close, method);
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
        } else if (const KV_Matrix *m = matrixValueOf(calculator, argument)) {
            writeRank(out, *m, rankMethod(method));
            out << kPrompt;
        } else {
            out << kPrompt;
        }
        return;
    }
    case ArgumentKind::Literal: {
        KV_Matrix m = literalMatrix(calculator, argument, Columns::FromFirstRow);
        m.print();
        writeRank(out, m, rankMethod(method));
        writeClosing(out);
        return;
    }
    }
}

void cmd_inv(Calculator &calculator) {
    std::ostream &out = calculator.output;
    const std::string line = commandWithoutBlanks(calculator);
    std::string argument;
    if (!startHandler(calculator, line, line.find('('), line.find(')'), argument)) return;
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
    if (!startHandler(calculator, line, line.find('('), close, argument)) return;
    switch (kindOf(argument)) {
    case ArgumentKind::Scalar: return writeScalar(out, argument);
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
    const std::string line = commandWithoutBlanks(calculator);
    std::string argument;
    if (!startHandler(calculator, line, line.find('('), line.find(')'), argument)) return;
    switch (kindOf(argument)) {
    case ArgumentKind::Scalar: return writeScalar(out, argument);
    case ArgumentKind::Name:
        return answerName(calculator, argument, [&](const KV_Matrix &a) {
            KV_Matrix o, r;
            if (!decompose(calculator, a, o, r)) return;
            writeFactor(out, 'O', o, storeMatrixVariable(calculator, argument + "O", o));
            writeFactor(out, 'R', r, storeMatrixVariable(calculator, argument + "R", r));
        });
    case ArgumentKind::Literal: {
        KV_Matrix a = literalMatrix(calculator, argument, Columns::FromFirstRow), o, r;
        a.print();
        if (decompose(calculator, a, o, r)) {
            writeFactor(out, 'O', o, false);
            writeFactor(out, 'R', r, false);
        }
        out << "\n" << kPrompt;
        return;
    }
    }
}
