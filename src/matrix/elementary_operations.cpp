// The elementary operations on the rows and columns of a matrix, in place: exchange two
// lines, add (or subtract) one line to another, scale a line, add a multiple of one line to
// another. The exchanges move texts; the others compute each cell on an engine object of
// their own whose mode word is the caller's.
//
// The row and column forms differ in how they evaluate (they serve different callers:
// elimination runs its rows in fractions and wants reduced texts, the transform command
// passes its whole mode word), so each form names its rule below. The symbolic forms
// evaluate in the mode too and then write the result as a normalised polynomial.
#include <utility>

#include "BigNumber.h"
#include "matrix.h"
#include "matrix/exact.h"
#include "polynomial.h"
#include "tools.h"

namespace {

enum class Line { Row, Column };

uint64_t lineCount(const KV_Matrix &m, Line line) { return line == Line::Row ? m.rows : m.cols; }
uint64_t lineLength(const KV_Matrix &m, Line line) { return line == Line::Row ? m.cols : m.rows; }

// Cell t of line i.
std::string &cellOf(KV_Matrix &m, Line line, uint64_t i, uint64_t t) {
    return line == Line::Row ? m.cells[i * m.cols + t] : m.cells[t * m.cols + i];
}

bool inRange(const KV_Matrix &m, Line line, uint64_t i) { return i < lineCount(m, line); }

// How a cell is computed from its expression text: the evaluator's flags, whether the
// value is reduced as a fraction, or written as a normalised polynomial.
struct CellRule {
    int32_t flags;
    bool reduce = false;
    bool symbolic = false;
};

// Rows in fraction mode (the elimination's) are evaluated as fractions and reduced;
// a scaled row in any other mode is evaluated in decimals.
CellRule rowScaleRule(int32_t mode) {
    return mode == kFractionBit ? CellRule{kFractionBit, true} : CellRule{kNumericalMode};
}
CellRule rowAddRule(int32_t mode) { return CellRule{mode, mode == kFractionBit}; }
CellRule columnRule(int32_t mode) { return CellRule{mode}; }
CellRule symbolicRule(int32_t mode) { return CellRule{mode, false, true}; }

// k without one pair of parentheses that encloses all of it: "(1/2)" gives "1/2", while
// "(1)+(2)" stays whole (taking its ends off would change what it means).
std::string withoutEnclosingPair(const std::string &k) {
    if (k.size() < 2 || k.front() != '(' || k.back() != ')') return k;
    int depth = 0;
    for (size_t p = 0; p + 1 < k.size(); p++) {
        if (k[p] == '(') depth++;
        else if (k[p] == ')') depth--;
        if (depth == 0) return k; // the first bracket closes before the end
    }
    return k.substr(1, k.size() - 2);
}

// The evaluator's value as a normalised polynomial in the main variable. The fraction
// evaluation writes a sum in brackets, which the polynomial reader would not take; a
// message of the evaluator is kept as it is.
std::string polynomialCell(const std::string &value) {
    if (isMessageText(value)) return value;
    TermList list(polyn_parse_internal(withoutEnclosingPair(value)));
    TermList normal(polyn_normalize(list.get()));
    return polyn_to_string(normal.get());
}

std::string compute(BigNumber &bn, const std::string &text, CellRule rule) {
    std::string value;
    bn.EvalInfixExprNoOutput(text, value, rule.flags);
    if (rule.symbolic) return polynomialCell(value);
    return rule.reduce ? reduce_fraction(value) : value;
}

// The reduced fraction rule on cells that are reduced fraction texts already (the
// elimination's cells after its first steps) gives the reduced text of the exact value:
// that is computed directly. Any other cell goes through the evaluator.
bool exactRule(CellRule rule) { return rule.flags == kFractionBit && rule.reduce && !rule.symbolic; }

// a * k, or a + b * k when b is given.
std::string combine(BigNumber &bn, const std::string &a, const std::string *b, const std::string &k, CellRule rule) {
    using namespace matrix_exact;
    Rational x, y, f;
    if (exactRule(rule) && parseReduced(a, x) && parseReduced(k, f) && (!b || parseReduced(*b, y)))
        return rationalText(b ? sum(x, product(y, f)) : product(x, f));
    return compute(bn, b ? "(" + a + ")+(" + *b + ")*(" + k + ")" : "(" + a + ")*(" + k + ")", rule);
}

// Line i = cell(line i, line j) at every position, on an engine in the given mode. Line j is
// read before line i is written at each position, so i = j works on the line itself.
template <typename Cell>
bool eachPosition(KV_Matrix &m, Line line, uint64_t i, uint64_t j, int32_t mode, const Cell &cell) {
    if (!inRange(m, line, i) || !inRange(m, line, j)) return false;
    BigNumber bn;
    bn.setMode(mode);
    for (uint64_t t = 0; t < lineLength(m, line); t++) {
        const std::string b = cellOf(m, line, j, t);
        std::string &a = cellOf(m, line, i, t);
        a = cell(bn, a, b);
    }
    return true;
}

bool swapLines(KV_Matrix &m, Line line, uint64_t i, uint64_t j) {
    if (!inRange(m, line, i) || !inRange(m, line, j)) return false;
    if (i == j) return true;
    for (uint64_t t = 0; t < lineLength(m, line); t++) std::swap(cellOf(m, line, i, t), cellOf(m, line, j, t));
    return true;
}

// Line i = line i + line j (kind 1) or line i - line j (kind 2): in fractions for any mode
// but 0, or as polynomials.
bool addLine(KV_Matrix &m, Line line, uint64_t i, int32_t kind, uint64_t j, int32_t mode, bool symbolic) {
    if (kind != 1 && kind != 2) return inRange(m, line, i) && inRange(m, line, j);
    return eachPosition(m, line, i, j, mode, [&](BigNumber &bn, const std::string &a, const std::string &b) {
        if (symbolic) return compute(bn, "(" + a + (kind == 1 ? ")+(" : ")-(") + b + ")", symbolicRule(mode));
        if (mode != kNumericalMode) return std::string(kind == 1 ? bn.fr_addition(a, b) : bn.fr_subtraction(a, b));
        return std::string(kind == 1 ? bn.addition(a, b) : bn.real_subtraction(a, b));
    });
}

bool scaleLine(KV_Matrix &m, Line line, uint64_t i, const std::string &k, int32_t mode, CellRule rule) {
    const std::string factor = withoutEnclosingPair(k);
    return eachPosition(m, line, i, i, mode, [&](BigNumber &bn, const std::string &a, const std::string &) {
        return combine(bn, a, nullptr, factor, rule);
    });
}

bool addMultiple(KV_Matrix &m, Line line, uint64_t i, uint64_t j, const std::string &k, int32_t mode,
                 CellRule rule) {
    return eachPosition(m, line, i, j, mode, [&](BigNumber &bn, const std::string &a, const std::string &b) {
        return combine(bn, a, &b, k, rule);
    });
}

}  // namespace

bool isZeroNumber(const std::string &text) {
    std::string numerator, denominator;
    if (text.find_first_of("|/") != std::string::npos) {
        return BigNumber::splitFraction(text, numerator, denominator) && isZeroNumber(numerator) &&
               !denominator.empty() && !isZeroNumber(denominator);
    }
    size_t start = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    bool digit = false, point = false;
    for (size_t p = start; p < text.size(); p++) {
        if (text[p] == '.' && !point) point = true;
        else if (text[p] == '0') digit = true;
        else return false;
    }
    return digit;
}

bool isNumberText(const std::string &text) {
    return !text.empty() && (BigNumber::isRealNumber(text) || BigNumber::isFraction(text));
}

bool rowSwap(KV_Matrix &m, uint64_t i, uint64_t j) { return swapLines(m, Line::Row, i, j); }
bool colSwap(KV_Matrix &m, uint64_t i, uint64_t j) { return swapLines(m, Line::Column, i, j); }

bool rowAddRow(KV_Matrix &m, uint64_t i, int32_t kind, uint64_t j, int32_t mode) {
    return addLine(m, Line::Row, i, kind, j, mode, false);
}
bool colAddCol(KV_Matrix &m, uint64_t i, int32_t kind, uint64_t j, int32_t mode) {
    return addLine(m, Line::Column, i, kind, j, mode, false);
}

bool rowScale(KV_Matrix &m, uint64_t i, const std::string &k, int32_t mode) {
    return scaleLine(m, Line::Row, i, k, mode, rowScaleRule(mode));
}
bool colScale(KV_Matrix &m, uint64_t i, const std::string &k, int32_t mode) {
    return scaleLine(m, Line::Column, i, k, mode, columnRule(mode));
}

bool rowAddMultiple(KV_Matrix &m, uint64_t i, uint64_t j, const std::string &k, int32_t mode) {
    // k goes in as given: the elimination's factors are plain number texts.
    return addMultiple(m, Line::Row, i, j, k, mode, rowAddRule(mode));
}
bool colAddMultiple(KV_Matrix &m, uint64_t i, uint64_t j, const std::string &k, int32_t mode) {
    return addMultiple(m, Line::Column, i, j, withoutEnclosingPair(k), mode, columnRule(mode));
}

bool rowAddRowSymbolic(KV_Matrix &m, uint64_t i, int32_t kind, uint64_t j, int32_t mode) {
    return addLine(m, Line::Row, i, kind, j, mode, true);
}
bool colAddColSymbolic(KV_Matrix &m, uint64_t i, int32_t kind, uint64_t j, int32_t mode) {
    return addLine(m, Line::Column, i, kind, j, mode, true);
}

bool rowScaleSymbolic(KV_Matrix &m, uint64_t i, const std::string &k, int32_t mode) {
    return scaleLine(m, Line::Row, i, k, mode, symbolicRule(mode));
}
bool colScaleSymbolic(KV_Matrix &m, uint64_t i, const std::string &k, int32_t mode) {
    return scaleLine(m, Line::Column, i, k, mode, symbolicRule(mode));
}

bool rowAddMultipleSymbolic(KV_Matrix &m, uint64_t i, uint64_t j, const std::string &k, int32_t mode) {
    return addMultiple(m, Line::Row, i, j, withoutEnclosingPair(k), mode, symbolicRule(mode));
}
bool colAddMultipleSymbolic(KV_Matrix &m, uint64_t i, uint64_t j, const std::string &k, int32_t mode) {
    return addMultiple(m, Line::Column, i, j, withoutEnclosingPair(k), mode, symbolicRule(mode));
}
