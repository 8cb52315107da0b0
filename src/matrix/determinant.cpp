// Determinant, minors, cofactors, adjugate and inverse.
//
// The determinant's text is that of the cofactor expansion along the first column, whose
// every level evaluates its cells as fractions and, in decimal mode, writes its sum as a
// decimal. Three roads give that text:
// - cells that are all exact numbers (integers, or in fraction mode fractions too): the
//   expansion is exact, so its text is the reduced exact value, found by residues in
//   polynomial time;
// - other cells, up to a bounded order: the expansion itself, with each sub-determinant
//   computed once (a minor of the first-column expansion is fixed by the rows it keeps,
//   so there are 2^n of them instead of n!) and rows of a zero pivot skipped;
// - decimal cells beyond that order: the exact value, written as a decimal once (the
//   expansion's text, rounded at every level, is out of reach there).
// Symbolic cells beyond their order answer a warning instead of a text of n! terms.
#include <bit>
#include <iostream>
#include <unordered_map>

#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "matrix.h"
#include "matrix/exact.h"
#include "stop_request.h"
#include "tools.h"

using matrix_exact::Rational;

namespace {

// The orders up to which the expansion itself runs: it keeps 2^n sub-determinants, and
// with symbolic cells each of its texts grows like n!.
constexpr size_t kMaxExpansionOrder = 10;
constexpr size_t kMaxSymbolicOrder = 6;

const std::string kTooBigSymbolic = "Warning> the determinant of symbolic cells is limited to order 6.";

// A cell as a level of the expansion reads it: evaluated as a fraction and reduced. A
// pivot (the first-column cell of its row) reads an empty text as "0".
std::string evaluatedCell(BigNumber &bn, const std::string &cell, bool fractions, bool pivot) {
    if (cell.empty() && (pivot || fractions)) return "0";
    std::string out;
    bn.EvalInfixExprNoOutput(cell, out, 1);
    if (pivot && fractions && out.empty()) return "0";
    return reduce_fraction(out);
}

// The texts that a fraction product takes as zero: a term of such a pivot is "0", and
// adding or subtracting "0" leaves the sum as it is, so the row can be skipped.
bool isZeroFactor(const std::string &t) { return t == "0" || t == "0|1" || t == "0/1" || t.empty(); }

// A level's sum in decimal mode: the fraction evaluated as a decimal.
std::string asDecimal(BigNumber &bn, std::string sum) {
    size_t bar = sum.find('|');
    if (bar != std::string::npos) sum[bar] = '/';
    std::string out;
    bn.EvalInfixExprNoOutput(sum, out, 0);
    return out;
}

class CofactorExpansion {
public:
    CofactorExpansion(size_t n, const std::vector<std::string> &cells, bool fractions)
        : n(n), fractions(fractions), chains(cells.size()) {
        for (size_t k = 0; k < cells.size(); k++) chains[k].push_back(cells[k]);
    }
    std::string run() { return determinant((uint32_t(1) << n) - 1); }

private:
    // Cell (r, c) as the level `depth` levels down holds it: evaluated once per level.
    const std::string &cellAt(size_t r, size_t c, size_t depth) {
        std::vector<std::string> &chain = chains[r * n + c];
        while (chain.size() <= depth) chain.push_back(cached(minorCache, chain.back(), false));
        return chain[depth];
    }
    const std::string &cached(std::unordered_map<std::string, std::string> &cache, const std::string &cell,
                              bool pivot) {
        auto it = cache.find(cell);
        if (it == cache.end()) it = cache.emplace(cell, evaluatedCell(bn, cell, fractions, pivot)).first;
        return it->second;
    }
    // The determinant of the minor that keeps the rows of `mask` and the last popcount
    // columns.
    std::string determinant(uint32_t mask) {
        size_t order = size_t(std::popcount(mask)), depth = n - order;
        if (order == 1) return cellAt(size_t(std::countr_zero(mask)), n - 1, depth);
        auto known = memo.find(mask);
        if (known != memo.end()) return known->second;
        std::string sum = "0";
        size_t position = 0;
        for (size_t r = 0; r < n; r++) {
            if (!(mask & (uint32_t(1) << r))) continue;
            engineStopPoint();
            std::string pivot = cached(pivotCache, cellAt(r, depth, depth), true);
            if (!isZeroFactor(pivot)) {
                std::string sub = determinant(mask & ~(uint32_t(1) << r));
                std::string term = sub.empty() ? "0" : bn.fr_multiplication(pivot, sub);
                sum = position % 2 == 0 ? bn.fr_addition(sum, term) : bn.fr_subtraction(sum, term);
            }
            position++;
        }
        if (!fractions) sum = asDecimal(bn, sum);
        return memo[mask] = sum;
    }

    size_t n;
    bool fractions;
    BigNumber bn;
    std::vector<std::vector<std::string>> chains;
    std::unordered_map<std::string, std::string> minorCache, pivotCache;
    std::unordered_map<uint32_t, std::string> memo;
};

// How the expansion reads a cell: an exact number it keeps exact (`Exact`: integers, and
// in fraction mode fractions too), another number, or a text with letters or marks.
enum class CellKind { Exact, Number, Symbolic };

CellKind classify(BigNumber &bn, const std::string &cell, bool fractions, Rational &value) {
    bool parsed = matrix_exact::parseRational(cell, fractions, value) ||
                  matrix_exact::parseRational(evaluatedCell(bn, cell, fractions, false), true, value);
    if (!parsed) return CellKind::Symbolic;
    bool integer = value.den.size() == 1 && value.den[0] == 1;
    return fractions || integer ? CellKind::Exact : CellKind::Number;
}

// The values of the cells and the weakest kind among them. With `toFractions` each cell is
// read as the engine's fraction form of it would be (a number keeps its value there, so
// only the other cells are rewritten first).
CellKind classifyAll(const std::vector<std::string> &cells, bool fractions, std::vector<Rational> &values,
                     bool toFractions = false) {
    BigNumber bn;
    CellKind weakest = CellKind::Exact;
    values.assign(cells.size(), Rational{});
    for (size_t k = 0; k < cells.size(); k++) {
        bool number = matrix_exact::parseRational(cells[k], fractions, values[k]);
        CellKind kind = number ? CellKind::Exact
                               : classify(bn, toFractions ? bn.decimal_to_fraction(cells[k]) : cells[k], fractions,
                                          values[k]);
        if (kind == CellKind::Symbolic) return kind;
        if (kind == CellKind::Number) weakest = kind;
    }
    return weakest;
}

KV_Matrix emptyMatrix() { return KV_Matrix(0, 0, "0"); }

// The (rows-1) x (cols-1) matrix without row i and column j (0-based); all "0" when i or j
// lies outside.
KV_Matrix minorWithout(const KV_Matrix &m, uint64_t i, uint64_t j) {
    if (m.rows == 0 || m.cols == 0) return emptyMatrix();
    KV_Matrix minor(m.rows - 1, m.cols - 1, "0");
    if (i >= m.rows || j >= m.cols) return minor;
    for (uint64_t r = 0; r < minor.rows; r++)
        for (uint64_t c = 0; c < minor.cols; c++)
            minor.cells[r * minor.cols + c] = m.cells[(r + (r >= i)) * m.cols + c + (c >= j)];
    return minor;
}

bool isZeroValue(const std::string &t) {
    BigNumber bn;
    if (BigNumber::isRealNumber(t)) return bn.isEqualTo(t, "0");
    std::string p, q;
    return BigNumber::splitFraction(t, p, q) && engine::isZeroInteger(p) && !engine::isZeroInteger(q);
}

// The adjugate of a square matrix of exact cells of order 3 or more, from the exact
// adjugate: each cofactor text is that of its minor's determinant (the reduced exact
// value), negated by text in the odd places. False when the road does not apply.
// `exact` receives the adjugate's values.
bool exactAdjugate(const KV_Matrix &m, KV_Matrix &adj, std::vector<Rational> &exact) {
    bool fractions = matrixFractionMode();
    std::vector<Rational> values;
    // Each minor's determinant reads the cells in fraction form in fraction mode.
    if (m.rows < 3 || m.rows != m.cols || classifyAll(m.cells, fractions, values, fractions) != CellKind::Exact ||
        !matrix_exact::adjugate(values, m.rows, exact))
        return false;
    BigNumber bn;
    size_t n = m.rows;
    adj = KV_Matrix(n, "0");
    for (size_t i = 0; i < n; i++)
        for (size_t j = 0; j < n; j++) {
            // cofactor (i, j) = adj (j, i); its minor's determinant carries the sign (-1)^(i+j)
            Rational minorDet = exact[j * n + i];
            bool odd = (i + j) % 2 == 1;
            if (odd && !minorDet.num.empty()) minorDet.negative = !minorDet.negative;
            std::string text = matrix_exact::rationalText(minorDet);
            adj.cells[j * n + i] = odd ? bn.negate(text) : text;
        }
    return true;
}

// k = 1/d times the adjugate in fraction mode. The fraction product of the reduced k and a
// non-zero reduced cofactor is the reduced exact quotient, written here from the exact
// adjugate without the product's text arithmetic; the product's own rules stay for k = 1
// (which passes a "-0" cofactor through) and for zero cofactors.
KV_Matrix fractionInverse(const KV_Matrix &m, const std::string &d, const std::string &k) {
    KV_Matrix adj;
    std::vector<Rational> exact;
    Rational det;
    if (!exactAdjugate(m, adj, exact) || !matrix_exact::parseRational(d, true, det))
        return scalarTimesMatrix(k, m.adjugate());
    BigNumber bn;
    bool unit = k == "1" || k == "1|1";
    for (uint64_t c = 0; c < adj.size; c++) {
        std::string &cell = adj.cells[c];
        if (unit || cell == "0" || cell == "-0") cell = bn.fr_multiplication(k, cell);
        else cell = matrix_exact::rationalText(matrix_exact::quotient(exact[c], det));
    }
    return adj;
}

}  // namespace

void entriesToFractions(std::vector<std::string> &cells) {
    BigNumber bn;
    for (std::string &c : cells) c = bn.decimal_to_fraction(c);
}

std::string determinantCofactor(uint64_t n, const std::vector<std::string> &cells) {
    if (n > KV_Matrix::kMaxCells || cells.size() != n * n) return "NaN";
    if (n <= 1) return n == 0 ? "0" : cells[0];
    bool fractions = matrixFractionMode();
    std::vector<Rational> values;
    CellKind kind = classifyAll(cells, fractions, values);
    if (kind == CellKind::Exact) return matrix_exact::rationalText(matrix_exact::determinant(values, n));
    // Quotient cells in decimal mode: the exact value, rounded once at the end.
    if (kind == CellKind::Number && matrix_exact::unreadableQuotient(cells, false) &&
        matrix_exact::parseCells(cells, values)) {
        BigNumber bn;
        return asDecimal(bn, matrix_exact::rationalText(matrix_exact::determinant(values, n)));
    }
    if (n <= kMaxExpansionOrder && (kind == CellKind::Number || n <= kMaxSymbolicOrder))
        return CofactorExpansion(n, cells, fractions).run();
    if (kind == CellKind::Symbolic) return kTooBigSymbolic;
    BigNumber bn;
    return asDecimal(bn, matrix_exact::rationalText(matrix_exact::determinant(values, n)));
}

std::string KV_Matrix::determinant() {
    if (matrixFractionMode()) entriesToFractions(cells);
    return rows == cols ? determinantCofactor(rows, cells) : "NaN";
}

KV_Matrix matrix_minor(const KV_Matrix &m, uint64_t i, uint64_t j) {
    if (i == 0 || j == 0) return minorWithout(m, m.rows, m.cols);
    return minorWithout(m, i - 1, j - 1);
}

std::string KV_Matrix::cofactor(uint64_t i, uint64_t j) const {
    // The minor of a 1 x 1 matrix is empty, and an empty product is 1.
    if (rows == 1 && cols == 1 && i == 0 && j == 0) return "1";
    std::string d = minorWithout(*this, i, j).determinant();
    if ((i + j) % 2 == 0) return d;
    BigNumber bn;
    return bn.negate(d);
}

KV_Matrix KV_Matrix::adjugate() const {
    if (rows != cols) return emptyMatrix();
    KV_Matrix adj;
    std::vector<Rational> exact;
    if (exactAdjugate(*this, adj, exact)) return adj;
    adj = KV_Matrix(rows, "0");
    for (uint64_t i = 0; i < rows; i++)
        for (uint64_t j = 0; j < cols; j++) adj.cells[j * rows + i] = cofactor(i, j);
    return adj;
}

namespace {

// The inverse when every cell is a number: singularity is decided on the exact values (a
// determinant rounded in decimals may miss 0). In decimal mode cells written as quotients,
// which the decimal arithmetic would take apart as text, take the exact inverse itself,
// written as decimals; other cells keep the texts of the cell-by-cell road (`decided`
// false).
bool exactInverse(const KV_Matrix &m, KV_Matrix &inv, bool &decided) {
    std::vector<Rational> values, exact;
    decided = false;
    if (m.rows != m.cols || m.rows == 0 || !matrix_exact::parseCells(m.cells, values)) return true;
    if (!matrix_exact::inverse(values, m.rows, exact)) return false;
    if (matrixFractionMode() || !matrix_exact::unreadableQuotient(m.cells, false)) return true;
    decided = true;
    inv = KV_Matrix(m.rows, "0");
    for (uint64_t c = 0; c < inv.size; c++) inv.cells[c] = matrix_exact::modeText(exact[c], matrixFractionMode());
    return true;
}

}  // namespace

KV_Matrix KV_Matrix::inverse() {
    KV_Matrix exact;
    bool decided = false;
    if (!exactInverse(*this, exact, decided)) {
        std::cout << "行列式为0, 矩阵不可逆." << std::endl;
        return emptyMatrix();
    }
    if (decided) return exact;
    if (matrixFractionMode()) matrix_exact::slashesToFractions(cells);
    std::string d = determinant();
    if (isZeroValue(d)) {
        std::cout << "行列式为0, 矩阵不可逆." << std::endl;
        return emptyMatrix();
    }
    if (isMessageText(d)) return emptyMatrix();
    BigNumber bn;
    bool fractions = matrixFractionMode();
    std::string k = bn.reciprocal(d, fractions ? 1 : 0);
    if (fractions) return fractionInverse(*this, d, k);
    if (!BigNumber::isRealNumber(d) || bn.isEqualTo(bn.multiplication(k, d), "1"))
        return scalarTimesMatrix(k, adjugate());
    // A decimal reciprocal cut at the precision carries its error into every cell (and
    // makes every cell 0 once 1/d lies below the precision): divide each cofactor instead.
    return matrixDivScalar(adjugate(), d);
}
