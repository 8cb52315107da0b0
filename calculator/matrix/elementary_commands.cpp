// The commands that build elementary matrices and the matrices of cofactor expansion:
// E(n,i,j), E(n,i(k)) and E(n,i,j(k)); DetExpansion(A,r2) with its printed terms and
// minors; CofactorMatrix(A,i,j). Each keeps its results as matrix variables.
#include <string_view>

#include "interpreter/texts.h"
#include "matrix/command_shape.h"
#include "matrix/matrix_commands.h"
#include "matrix/matrix_variables.h"
#include "text_helpers.h"
#include "tools.h"

int32_t elementary_matrix_counter = 0;

using namespace matrix_commands;

namespace {

// E builds, prints and keeps n x n cells, and the kept variable carries its determinant.
constexpr uint64_t kMaxElementaryOrder = 256;

using engine::isDigit;

// The value of a digit text, UINT64_MAX for one beyond 64 bits: such an index is out of
// every matrix.
uint64_t indexValue(std::string_view digits) {
    uint64_t v = 0;
    for (char c : digits) {
        if (v > (UINT64_MAX - 9) / 10) return UINT64_MAX;
        v = v * 10 + uint64_t(c - '0');
    }
    return v;
}

// An index as the messages show it: the number typed, without leading zeros.
std::string indexText(std::string_view digits) {
    size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? "0" : std::string(digits.substr(first));
}

// A cursor over "E(...)".
struct Reader {
    std::string_view text;
    size_t at = 0;
    bool literal(char c) {
        if (at >= text.size() || text[at] != c) return false;
        at++;
        return true;
    }
    bool digits(std::string &out) {
        size_t start = at;
        while (at < text.size() && isDigit(text[at])) at++;
        out = std::string(text.substr(start, at - start));
        return at > start;
    }
    // An optional sign, digits, and optionally one of ". / |" with more digits.
    bool factor(std::string &out) {
        size_t start = at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) at++;
        std::string unused;
        if (!digits(unused)) return false;
        if (at < text.size() && (text[at] == '.' || text[at] == '/' || text[at] == '|')) {
            at++;
            digits(unused);
        }
        out = std::string(text.substr(start, at - start));
        return true;
    }
    bool atEnd() const { return at == text.size(); }
};

enum class ElementaryForm { None, Swap, Scaling, Addition };

struct ElementaryCall {
    ElementaryForm form = ElementaryForm::None;
    std::string n, i, j, k;
};

// E(n,i,j(k)), E(n,i(k)) or E(n,i,j), matched in full.
ElementaryCall readElementaryCall(std::string_view line) {
    ElementaryCall call;
    Reader r{line};
    if (!r.literal('E') || !r.literal('(') || !r.digits(call.n) || !r.literal(',') || !r.digits(call.i))
        return {};
    if (r.literal('(')) {
        call.form = ElementaryForm::Scaling;
    } else if (r.literal(',') && r.digits(call.j)) {
        if (r.literal(')')) {
            call.form = ElementaryForm::Swap;
            return r.atEnd() ? call : ElementaryCall{};
        }
        if (!r.literal('(')) return {};
        call.form = ElementaryForm::Addition;
    } else {
        return {};
    }
    if (!r.factor(call.k) || !r.literal(')') || !r.literal(')') || !r.atEnd()) return {};
    return call;
}

// "The index i: 4 is out of range." when the index is not from 1 to the bound.
bool indexFits(std::ostream &out, char which, int64_t index, const std::string &shown, uint64_t bound) {
    if (index >= 1 && uint64_t(index) <= bound) return true;
    out << "The index " << which << ": " << shown << " is out of range.\n";
    return false;
}
bool indexFits(std::ostream &out, char which, const std::string &digits, uint64_t bound) {
    uint64_t v = indexValue(digits);
    return indexFits(out, which, v > uint64_t(INT64_MAX) ? -1 : int64_t(v), indexText(digits), bound);
}

// Stores and prints a result matrix.
void keepAndPrint(Calculator &calculator, const std::string &name, const KV_Matrix &m) {
    storeMatrixVariable(calculator, name, m);
    writeMatrixCells(calculator.output, m);
}

// The matrix argument of DetExpansion and CofactorMatrix: a matrix variable's value, or a
// literal, which is echoed. False, after its answer, for a name that is no matrix variable.
struct MatrixArgument {
    KV_Matrix m;
    std::string prefix;
    bool literal = false;
};

bool resolveMatrixArgument(Calculator &calculator, const std::string &a1, MatrixArgument &arg) {
    std::ostream &out = calculator.output;
    if (isValidIdentifier(a1)) {
        VariableBase *variable = nullptr;
        if (!getMatrixVariable(calculator, a1, variable)) {
            out << a1 << "\n";
            return false;
        }
        const KV_Matrix *m = matrixValueOf(calculator, a1);
        if (m == nullptr) {
            out << "\n" << kPrompt;
            return false;
        }
        arg.m = *m;
        arg.prefix = a1;
        return true;
    }
    arg.m = literalMatrix(calculator, a1, Columns::FromReader);
    arg.prefix = kLiteralName;
    arg.literal = true;
    out << kPrompt << kLiteralName << "\n";
    writeMatrixCells(out, arg.m);
    out << "\n" << kThinRule << "\n>>";
    return true;
}

// Minors are taken of square matrices only: the minor of any other shape would read past
// its cells.
bool isSquare(std::ostream &out, const char *command, const KV_Matrix &m) {
    if (m.rows == m.cols) return true;
    out << "error> " << command << "(): the matrix is not square.\n";
    return false;
}

// An argument cut at the positions `from` and `to` (either may be missing): the text
// between them, or up to the end of the line.
std::string cut(const std::string &text, size_t from, size_t to) {
    if (from == std::string::npos || from >= text.size()) return "";
    size_t end = to == std::string::npos ? text.size() : to;
    return end > from + 1 ? text.substr(from + 1, end - from - 1) : "";
}

// The leading integer of a text: an optional sign, then the digits up to the first other
// character (none reads as 0); values beyond 64 bits are held at the nearest bound.
int64_t leadingInteger(const std::string &text) {
    size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    size_t start = at;
    while (at < text.size() && isDigit(text[at])) at++;
    uint64_t v = indexValue(std::string_view(text).substr(start, at - start));
    if (v > uint64_t(INT64_MAX)) return negative ? INT64_MIN : INT64_MAX;
    return negative ? -int64_t(v) : int64_t(v);
}

} // namespace

void cmd_E(Calculator &calculator) {
    std::ostream &out = calculator.output;
    calculator.output.str("");
    const ElementaryCall call = readElementaryCall(calculator.inputLine);
    if (call.form == ElementaryForm::None) return;
    const uint64_t n = indexValue(call.n);
    if (!indexFits(out, 'i', call.i, n)) return;
    if (call.form != ElementaryForm::Scaling && !indexFits(out, 'j', call.j, n)) return;
    if (n > kMaxElementaryOrder) {
        out << "error> E(): the order n is limited to " << kMaxElementaryOrder << ".\n";
        return;
    }
    std::string name = "E" + call.n + "_" + call.i;
    if (call.form != ElementaryForm::Scaling) name += "_" + call.j;
    if (call.form != ElementaryForm::Swap) {
        name += "x" + std::to_string(elementary_matrix_counter);
        // wraps after 2^31 matrices instead of overflowing
        elementary_matrix_counter = int32_t(uint32_t(elementary_matrix_counter) + 1);
    }
    out << "Elementary matrix>\n\n";
    KV_Matrix e = KV_Matrix(n, "0").identity();
    const uint64_t i = indexValue(call.i) - 1, j = call.j.empty() ? i : indexValue(call.j) - 1;
    switch (call.form) {
    case ElementaryForm::Addition: e.set(i, j, call.k); break;
    case ElementaryForm::Scaling: e.set(i, i, call.k); break;
    case ElementaryForm::Swap:
        // Exchanging a row with itself is the identity.
        if (i != j) {
            e.set(i, i, "0");
            e.set(j, j, "0");
            e.set(i, j, "1");
            e.set(j, i, "1");
        }
        break;
    case ElementaryForm::None: break;
    }
    keepAndPrint(calculator, name, e);
    out << "\n\n" << kPrompt;
}

void cmd_DetExpansion(Calculator &calculator) {
    std::ostream &out = calculator.output;
    calculator.output.str("");
    const std::string line = commandWithoutBlanks(calculator);
    size_t open = line.find('(');
    size_t comma = open == std::string::npos ? open : line.find(',', open);
    size_t close = comma == std::string::npos ? comma : line.find(')', comma);
    const std::string a1 = comma == std::string::npos ? "" : cut(line, open, comma);
    const std::string a2 = close == std::string::npos ? "" : cut(line, comma, close);
    out << "expansion>\n\n";
    const bool alongRow = !a2.empty() && a2[0] == 'r';
    const std::string digits = a2.empty() ? "" : a2.substr(1);
    if (a2.size() < 2 || (a2[0] != 'r' && a2[0] != 'c') || digits.find_first_not_of("0123456789") != std::string::npos)
        return;
    MatrixArgument arg;
    if (!resolveMatrixArgument(calculator, a1, arg)) return;
    const char *closing = arg.literal ? "" : "\n>> ";
    const KV_Matrix &m = arg.m;
    if (!isSquare(out, "DetExpansion", m)) {
        out << closing;
        return;
    }
    // Each term keeps a minor of order n - 1, with its determinant.
    if (m.rows > KV_Matrix::kMaxStepOrder) {
        out << "error> DetExpansion(): the order of the matrix is limited to " << KV_Matrix::kMaxStepOrder
            << ".\n" << closing;
        return;
    }
    if (!indexFits(out, 'i', digits, m.rows)) {
        out << closing;
        return;
    }
    const uint64_t p = indexValue(digits);
    std::vector<std::pair<std::string, KV_Matrix>> minors;
    for (uint64_t q = 1; q <= m.rows; q++) {
        const uint64_t row = alongRow ? p : q, column = alongRow ? q : p;
        const std::string v = matrixCell(m, row - 1, column - 1);
        if (isZeroNumber(v)) continue;
        if (q > 1) out << " + ";
        out << (!v.empty() && v[0] == '-' ? "(" + v + ")" : v) << "*(-1)^(";
        if (alongRow) out << digits << "+" << q;
        else out << q << "+" << digits;
        const std::string name = arg.prefix + (alongRow ? digits + "_" + std::to_string(q)
                                                         : std::to_string(q) + "_" + digits);
        out << ")*|" << name << (q == 1 ? "|" : "| ");
        minors.emplace_back(name, matrix_minor(m, row, column));
    }
    out << "\nwhere\n\n";
    for (const auto &[name, minor] : minors) {
        out << name << ":\n------------\n";
        keepAndPrint(calculator, name, minor);
        out << "\n";
    }
    out << closing;
}

void cmd_CofactorMatrix(Calculator &calculator) {
    std::ostream &out = calculator.output;
    calculator.output.str("");
    const std::string line = commandWithoutBlanks(calculator);
    size_t open = line.find('(');
    size_t first = open == std::string::npos ? open : line.find(',', open);
    size_t second = first == std::string::npos ? first : line.find(',', first + 1);
    size_t close = second == std::string::npos ? second : line.find(')', second);
    const std::string a1 = cut(line, open, first), a2 = cut(line, first, second), a3 = cut(line, second, close);
    out << "cofactor matrix at (" << a2 << "," << a3 << ") :\n" << std::endl;
    if (close == std::string::npos) return writeHint(out);
    const int64_t i = leadingInteger(a2), j = leadingInteger(a3);
    MatrixArgument arg;
    if (!resolveMatrixArgument(calculator, a1, arg)) return;
    const char *closing = arg.literal ? "" : "\n>> ";
    const KV_Matrix &m = arg.m;
    if (!isSquare(out, "CofactorMatrix", m) || !indexFits(out, 'i', i, std::to_string(i), m.rows) ||
        !indexFits(out, 'j', j, std::to_string(j), m.cols)) {
        out << closing;
        return;
    }
    const KV_Matrix minor = matrix_minor(m, uint64_t(i), uint64_t(j));
    if (!arg.literal) {
        keepAndPrint(calculator, a1 + "_" + a2 + "_" + a3, minor);
        out << closing;
        return;
    }
    out << "the cofactor matrix at(" << i << ", " << j << ") is:\n";
    keepAndPrint(calculator, kLiteralName, minor);
    writeClosing(out);
}
