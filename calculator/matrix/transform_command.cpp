// transform(A, op): one elementary row or column operation, typed as r2-r1*4, c1<-->c3,
// r3*(1/2), -2*c1 or r2+r1*x, carried out on the matrix variable A in place.
//
// The operation text is read by seven forms, each a fixed sequence of line names (r or c
// and a number), signs and a factor. Every call applies the kind that `transformKind` holds
// after the text was read: the symbolic kinds (11 and up), once set by a factor in x, stay
// in force for the add and scale forms until an exchange sets a numeric kind again.
#include <iostream>
#include <string_view>

#include "interpreter/texts.h"
#include "matrix/command_shape.h"
#include "matrix/matrix_commands.h"
#include "matrix/matrix_variables.h"
#include "tools.h"

int32_t transformKind = 0;

using namespace matrix_commands;

namespace {

constexpr int32_t kRowAddMultiple = 1, kColAddMultiple = 2, kRowScale = 3, kColScale = 4, kRowAddRow = 5,
                  kColAddCol = 6, kRowSwap = 7, kColSwap = 8, kSymbolic = 10;

bool isSymbolicKind(int32_t kind) { return kind > kSymbolic && kind <= 18; }

void writeUsage(std::ostream &out) {
    out << "where ... means the operation to matrix A.\n It can be r1+r2*k, r1-r2, and etc.\n"
        << "\n" << kRule << "\n\n" << kPrompt;
}

// ---- the factor texts of the forms ----

bool isInt(std::string_view s) { return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos; }

// Digits, the separator, digits (at least one each).
bool isPair(std::string_view s, char separator) {
    size_t at = s.find(separator);
    return at != std::string_view::npos && isInt(s.substr(0, at)) && isInt(s.substr(at + 1));
}
bool isDecimal(std::string_view s) { return isPair(s, '.'); }
bool isFraction(std::string_view s) { return isPair(s, '/'); }
bool isIntOrFraction(std::string_view s) { return isInt(s) || isFraction(s); }
// Factors in x: "5x", "x", "x/2", "2.5x".
bool isTimesX(std::string_view s) { return !s.empty() && s.back() == 'x' && (s.size() == 1 || isInt(s.substr(0, s.size() - 1))); }
bool isXOver(std::string_view s) {
    size_t bar = s.find('/');
    return bar != std::string_view::npos && isTimesX(s.substr(0, bar)) && isInt(s.substr(bar + 1));
}
bool isDecimalX(std::string_view s) { return !s.empty() && s.back() == 'x' && isDecimal(s.substr(0, s.size() - 1)); }
bool isXFactor(std::string_view s) { return isTimesX(s) || isXOver(s) || isDecimalX(s); }

using Core = bool (*)(std::string_view);

// An optional sign from `signs`, then the core.
bool signedCore(std::string_view s, const char *signs, Core core) {
    if (!s.empty() && std::string_view(signs).find(s[0]) != std::string_view::npos) s.remove_prefix(1);
    return core(s);
}
// "(" signed core ")".
bool bracketed(std::string_view s, const char *signs, Core core) {
    return s.size() >= 2 && s.front() == '(' && s.back() == ')' && signedCore(s.substr(1, s.size() - 2), signs, core);
}
// A signed core in brackets or without them. An unmatched bracket is refused: the cells
// would receive the evaluator's complaint about it.
bool maybeBracketed(std::string_view s, const char *signs, Core core) {
    return bracketed(s, signs, core) || signedCore(s, signs, core);
}

// The factor after a multiplication or division sign of forms 1 and 2.
bool isAddFactor(std::string_view s) {
    return bracketed(s, "-", isFraction) || bracketed(s, "-+", isDecimal) || isDecimal(s) || bracketed(s, "-+", isInt) ||
           isInt(s);
}
bool isScaleFactorLast(std::string_view s) { return maybeBracketed(s, "-", isIntOrFraction); }
bool isScaleFactorFirst(std::string_view s) {
    return bracketed(s, "-+", isFraction) || signedCore(s, "-+", isFraction) || bracketed(s, "-+", isInt) ||
           signedCore(s, "-+", isInt) || bracketed(s, "-", isDecimal) || signedCore(s, "-", isDecimal);
}
bool isSymbolicFactor(std::string_view s) { return maybeBracketed(s, "-", isXFactor); }

// ---- reading the operation ----

struct LineName {
    char letter = 0;
    std::string number;
};

// A cursor over the operation text.
struct Scanner {
    std::string_view text;
    size_t at = 0;

    bool line(LineName &l) {
        if (at >= text.size() || (text[at] != 'r' && text[at] != 'c')) return false;
        l.letter = text[at++];
        size_t start = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') at++;
        l.number = std::string(text.substr(start, at - start));
        return at > start;
    }
    bool oneOf(const char *set, char &c) {
        if (at >= text.size() || std::string_view(set).find(text[at]) == std::string_view::npos) return false;
        c = text[at++];
        return true;
    }
    bool literal(std::string_view word) {
        if (text.substr(at, word.size()) != word) return false;
        at += word.size();
        return true;
    }
    bool atEnd() const { return at == text.size(); }
    std::string_view rest() const { return text.substr(at); }
};

enum class Form { None, AddFactorLast, AddFactorFirst, ScaleFactorLast, ScaleFactorFirst, AddLine, Exchange, AddSymbolic };

// The fields of a recognised operation, as typed.
struct Operation {
    Form form = Form::None;
    LineName first, second;
    char sign = 0;   // "+" or "-" between two lines
    char scaling = 0; // "*" or "/" before a factor
    std::string factor;
};

// The forms with two lines and a trailing factor: line, sign, line, "*" or "/", factor.
bool readTwoLinesFactor(std::string_view text, Core factor, Operation &op) {
    Scanner s{text};
    if (!s.line(op.first) || !s.oneOf("+-", op.sign) || !s.line(op.second) || !s.oneOf("*/", op.scaling) ||
        !factor(s.rest()))
        return false;
    op.factor = std::string(s.rest());
    return true;
}

bool readAddFactorFirst(std::string_view text, Operation &op) {
    Scanner s{text};
    if (!s.line(op.first) || !s.oneOf("+-", op.sign)) return false;
    size_t star = text.find('*', s.at);
    if (star == std::string_view::npos || !isAddFactor(text.substr(s.at, star - s.at))) return false;
    op.factor = std::string(text.substr(s.at, star - s.at));
    op.scaling = '*';
    Scanner tail{text, star + 1};
    return tail.line(op.second) && tail.atEnd();
}

bool readScaleFactorLast(std::string_view text, Operation &op) {
    Scanner s{text};
    if (!s.line(op.first) || !s.oneOf("*/", op.scaling) || !isScaleFactorLast(s.rest())) return false;
    op.factor = std::string(s.rest());
    return true;
}

bool readScaleFactorFirst(std::string_view text, Operation &op) {
    size_t star = text.find('*');
    if (star == std::string_view::npos || !isScaleFactorFirst(text.substr(0, star))) return false;
    op.factor = std::string(text.substr(0, star));
    op.scaling = '*';
    Scanner tail{text, star + 1};
    return tail.line(op.first) && tail.atEnd();
}

bool readTwoLines(std::string_view text, Operation &op, bool exchange) {
    Scanner s{text};
    if (!s.line(op.first)) return false;
    bool joined = exchange ? s.literal("<-->") : s.oneOf("+-", op.sign);
    return joined && s.line(op.second) && s.atEnd();
}

Operation readOperation(std::string_view text) {
    Operation op;
    if (readTwoLinesFactor(text, isAddFactor, op)) op.form = Form::AddFactorLast;
    else if ((op = {}, readAddFactorFirst(text, op))) op.form = Form::AddFactorFirst;
    else if ((op = {}, readScaleFactorLast(text, op))) op.form = Form::ScaleFactorLast;
    else if ((op = {}, readScaleFactorFirst(text, op))) op.form = Form::ScaleFactorFirst;
    else if ((op = {}, readTwoLines(text, op, false))) op.form = Form::AddLine;
    else if ((op = {}, readTwoLines(text, op, true))) op.form = Form::Exchange;
    else if ((op = {}, readTwoLinesFactor(text, isSymbolicFactor, op))) op.form = Form::AddSymbolic;
    else op = {};
    return op;
}

// The kind a form sets: the numeric one, or its symbolic twin (10 more) while a symbolic kind
// is in force. 0 when the two lines are a row and a column.
int32_t kindOfOperation(const Operation &op, int32_t current) {
    const bool rows = op.first.letter == 'r';
    const bool twoLines = op.form != Form::ScaleFactorLast && op.form != Form::ScaleFactorFirst;
    if (twoLines && op.first.letter != op.second.letter) return 0;
    const int32_t sticky = isSymbolicKind(current) ? kSymbolic : 0;
    switch (op.form) {
    case Form::AddFactorLast:
    case Form::AddFactorFirst: return (rows ? kRowAddMultiple : kColAddMultiple) + sticky;
    case Form::ScaleFactorLast:
    case Form::ScaleFactorFirst: return (rows ? kRowScale : kColScale) + sticky;
    case Form::AddLine: return (rows ? kRowAddRow : kColAddCol) + sticky;
    case Form::Exchange: return rows ? kRowSwap : kColSwap;
    case Form::AddSymbolic: return (rows ? kRowAddMultiple : kColAddMultiple) + kSymbolic;
    case Form::None: return 0;
    }
    return 0;
}

// A line number as a 0-based index; 0 and numbers beyond 64 bits give an index that no
// matrix has, which the operations refuse.
uint64_t lineIndex(const std::string &number) {
    int64_t value = 0;
    if (!checkedInt64(number, 1, INT64_MAX, value)) return UINT64_MAX;
    return uint64_t(value - 1);
}

std::string withoutBrackets(const std::string &k) {
    return k.size() >= 2 && k.front() == '(' && k.back() == ')' ? k.substr(1, k.size() - 2) : k;
}

// The factor as the operations take it: a scaling factor without its brackets; a divisor k
// as the value of 1/(k) in the mode (exact in fraction mode), or "Inf" for a zero; negated
// when a "-" joins the two lines.
std::string factorText(BigNumber &bn, const Operation &op, int32_t mode) {
    const bool scaling = op.form == Form::ScaleFactorLast || op.form == Form::ScaleFactorFirst;
    std::string k = scaling ? withoutBrackets(op.factor) : op.factor;
    if (op.scaling == '/') {
        std::string divisor = withoutBrackets(k);
        if (isZeroNumber(divisor)) k = "Inf";
        else bn.EvalInfixExprNoOutput("1/(" + divisor + ")", k, mode);
    }
    return op.sign == '-' && op.form != Form::AddLine ? std::string(bn.negate(k)) : k;
}

// The operation of a kind, applied; a kind of no operation changes nothing.
void applyKind(KV_Matrix &m, int32_t kind, uint64_t i, uint64_t j, const std::string &k, int32_t signCode,
               int32_t mode) {
    switch (kind) {
    case kRowAddMultiple: rowAddMultiple(m, i, j, k, mode); break;
    case kColAddMultiple: colAddMultiple(m, i, j, k, mode); break;
    case kRowScale: rowScale(m, i, k, mode); break;
    case kColScale: colScale(m, i, k, mode); break;
    case kRowAddRow: rowAddRow(m, i, signCode, j, mode); break;
    case kColAddCol: colAddCol(m, i, signCode, j, mode); break;
    case kRowSwap: rowSwap(m, i, j); break;
    case kColSwap: colSwap(m, i, j); break;
    case kSymbolic + kRowAddMultiple: rowAddMultipleSymbolic(m, i, j, k, mode); break;
    case kSymbolic + kColAddMultiple: colAddMultipleSymbolic(m, i, j, k, mode); break;
    case kSymbolic + kRowScale: rowScaleSymbolic(m, i, k, mode); break;
    case kSymbolic + kColScale: colScaleSymbolic(m, i, k, mode); break;
    case kSymbolic + kRowAddRow: rowAddRowSymbolic(m, i, signCode, j, mode); break;
    case kSymbolic + kColAddCol: colAddColSymbolic(m, i, signCode, j, mode); break;
    default: break;
    }
}

// The recognised operation, ready to apply to any matrix.
struct Transformation {
    int32_t kind;
    uint64_t i, j;
    std::string k;
    int32_t signCode;
    int32_t mode;
    void applyTo(KV_Matrix &m) const { applyKind(m, kind, i, j, k, signCode, mode); }
};

} // namespace

void cmd_transform(Calculator &calculator) {
    std::ostream &out = calculator.output;
    calculator.output.str("");
    const std::string &line = calculator.inputLine;
    size_t open = line.find('('), close = line.rfind(')'), comma = line.rfind(',');
    if (open == std::string::npos || close == std::string::npos || comma == std::string::npos) {
        out << "hint> usage: transform(A, ...)\n";
        return writeUsage(out);
    }
    if (!(open < comma && comma < close)) {
        out << "hint> the input is wrong." << std::endl << "\tusage: transform(A, ...)\n";
        return writeUsage(out);
    }
    std::string argument = line.substr(open + 1, comma - open - 1);
    std::string text = line.substr(comma + 1, close - comma - 1);
    trim(text);
    const int32_t mode = calculator.core.getMode();
    const Operation op = readOperation(text);
    const int32_t kind = kindOfOperation(op, transformKind);
    // An operation that names no kind leaves the matrix as it is: the usage says what can be typed.
    if (kind == 0) {
        out << "hint> usage: transform(A, ...)\n";
        return writeUsage(out);
    }
    transformKind = kind;
    const Transformation t{kind,
                           lineIndex(op.first.number),
                           lineIndex(op.second.number),
                           factorText(calculator.core, op, mode),
                           op.sign == '+' ? 1 : op.sign == '-' ? 2 : 0,
                           mode};
    // A factor the evaluator could not compute is answered, not written into the cells.
    if (isMessageText(t.k)) {
        out << t.k << "\n" << kPrompt;
        return;
    }
    restoreMinus(argument);
    switch (kindOf(argument)) {
    case ArgumentKind::Scalar: return writeScalar(out, argument);
    case ArgumentKind::Name:
        return answerName(calculator, argument, [&](const KV_Matrix &a) {
            KV_Matrix w = a;
            t.applyTo(w);
            storeMatrixVariable(calculator, argument, w);
            writeMatrixCells(out, w);
        });
    case ArgumentKind::Literal: {
        KV_Matrix u = literalMatrix(calculator, argument, Columns::FromReader);
        u.print();
        std::cout << "after transformation ... " << std::endl;
        t.applyTo(u);
        u.print();
        writeClosing(out);
        return;
    }
    }
}
