// Arithmetic of whole matrices: sum, difference, product, cell-by-cell product and the
// scalar products and quotient. When every cell is a number and some cell is a quotient that
// the mode's arithmetic cannot read ("a/b", or "a|b" in decimals), the cells are exact values
// and each result is written once in the mode's form. Otherwise every cell
// operation is one call of the engine's fraction arithmetic in fraction mode and of its
// decimal arithmetic otherwise, chosen when the operation runs. Shape failures print their
// message on the standard output stream and answer the 0 x 0 matrix.
#include <iostream>

#include "BigNumber.h"
#include "matrix.h"
#include "matrix/exact.h"
#include "stop_request.h"

using matrix_exact::Rational;

namespace {

KV_Matrix emptyMatrix() { return KV_Matrix(0, 0, "0"); }

KV_Matrix sizeMismatch(const char *message, const KV_Matrix &a, const KV_Matrix &b) {
    std::cout << message << "size: (" << a.rows << "," << a.cols << "),  (" << b.rows << ", " << b.cols << ")"
              << std::endl;
    return emptyMatrix();
}

bool sameShape(const KV_Matrix &a, const KV_Matrix &b) { return a.rows == b.rows && a.cols == b.cols; }

// The cell operation of each kind, by the mode at the moment of the call.
enum class CellOp { Sum, Difference, Product, Quotient };

std::string apply(BigNumber &bn, CellOp op, const std::string &a, const std::string &b) {
    bool fractions = matrixFractionMode();
    switch (op) {
    case CellOp::Sum: return fractions ? bn.fr_addition(a, b) : bn.addition(a, b);
    case CellOp::Difference: return fractions ? bn.fr_subtraction(a, b) : bn.real_subtraction(a, b);
    case CellOp::Product: return fractions ? bn.fr_multiplication(a, b) : bn.multiplication(a, b);
    case CellOp::Quotient: return fractions ? bn.fr_division(a, b) : bn.real_division(a, b);
    }
    return {};
}

// The exact values of the operands' cells, when the exact road applies to them.
bool exactOperands(std::initializer_list<const std::vector<std::string> *> operands,
                   std::vector<std::vector<Rational>> &values) {
    bool marked = false;
    values.clear();
    for (const std::vector<std::string> *cells : operands) {
        values.emplace_back();
        if (!matrix_exact::parseCells(*cells, values.back())) return false;
        marked = marked || matrix_exact::unreadableQuotient(*cells, matrixFractionMode());
    }
    return marked;
}

Rational applyExact(CellOp op, const Rational &a, const Rational &b) {
    switch (op) {
    case CellOp::Sum: return matrix_exact::sum(a, b);
    case CellOp::Difference: return matrix_exact::sum(a, matrix_exact::negated(b));
    case CellOp::Product: return matrix_exact::product(a, b);
    case CellOp::Quotient: return matrix_exact::quotient(a, b);
    }
    return {};
}

KV_Matrix cellwise(CellOp op, const KV_Matrix &a, const KV_Matrix &b) {
    std::vector<std::vector<Rational>> v;
    if (exactOperands({&a.cells, &b.cells}, v)) {
        KV_Matrix r(a.rows, a.cols, "0");
        for (uint64_t k = 0; k < r.size; k++)
            r.cells[k] = matrix_exact::modeText(applyExact(op, v[0][k], v[1][k]), matrixFractionMode());
        return r;
    }
    BigNumber bn;
    KV_Matrix r(a.rows, a.cols, "0");
    for (uint64_t k = 0; k < r.size; k++) r.cells[k] = apply(bn, op, a.cells[k], b.cells[k]);
    return r;
}

// k times every cell, or every cell divided by k; the scalar is the left operand of a product.
KV_Matrix withScalar(CellOp op, const std::string &k, const KV_Matrix &m) {
    std::vector<std::vector<Rational>> v;
    const std::vector<std::string> scalar{k};
    if (exactOperands({&m.cells, &scalar}, v)) {
        if (op == CellOp::Quotient && matrix_exact::isZero(v[1][0])) return emptyMatrix();
        KV_Matrix r(m.rows, m.cols, "0");
        for (uint64_t c = 0; c < r.size; c++)
            r.cells[c] = matrix_exact::modeText(op == CellOp::Product ? applyExact(op, v[1][0], v[0][c])
                                                                      : applyExact(op, v[0][c], v[1][0]),
                                                matrixFractionMode());
        return r;
    }
    BigNumber bn;
    KV_Matrix r(m.rows, m.cols, "0");
    for (uint64_t c = 0; c < r.size; c++)
        r.cells[c] = op == CellOp::Product ? apply(bn, op, k, m.cells[c]) : apply(bn, op, m.cells[c], k);
    return r;
}

}  // namespace

KV_Matrix operator+(const KV_Matrix &a, const KV_Matrix &b) {
    if (!sameShape(a, b)) return sizeMismatch("operator+(): 两矩阵类型不匹配, 无法相加.\n", a, b);
    return cellwise(CellOp::Sum, a, b);
}

KV_Matrix operator-(const KV_Matrix &a, const KV_Matrix &b) {
    if (!sameShape(a, b)) return sizeMismatch("operator+(): 两矩阵类型不匹配, 无法相减.\n", a, b);
    return cellwise(CellOp::Difference, a, b);
}

KV_Matrix KV_Matrix::elementwiseProduct(const KV_Matrix &b) const {
    if (!sameShape(*this, b)) return sizeMismatch("A.B: 两矩阵类型不满足乘法要求.\n", *this, b);
    return cellwise(CellOp::Product, *this, b);
}

KV_Matrix operator*(const KV_Matrix &a, const KV_Matrix &b) {
    if (a.isEmpty() || b.isEmpty() || a.cols != b.rows)
        return sizeMismatch("operator+(): check the sizes of matrices.\n", a, b);
    std::vector<std::vector<Rational>> v;
    if (exactOperands({&a.cells, &b.cells}, v)) {
        KV_Matrix p(a.rows, b.cols, "0");
        for (uint64_t i = 0; i < a.rows; i++)
            for (uint64_t j = 0; j < b.cols; j++) {
                engineStopPoint();
                Rational sum;
                for (uint64_t k = 0; k < a.cols; k++)
                    sum = matrix_exact::normalized(
                        matrix_exact::sum(sum, matrix_exact::product(v[0][i * a.cols + k], v[1][k * b.cols + j])));
                p.cells[i * p.cols + j] = matrix_exact::modeText(sum, matrixFractionMode());
            }
        return p;
    }
    BigNumber bn;
    KV_Matrix p(a.rows, b.cols, "0");
    for (uint64_t i = 0; i < a.rows; i++)
        for (uint64_t j = 0; j < b.cols; j++) {
            engineStopPoint();
            std::string sum = "0";
            for (uint64_t k = 0; k < a.cols; k++) {
                std::string term = apply(bn, CellOp::Product, a.cells[i * a.cols + k], b.cells[k * b.cols + j]);
                sum = apply(bn, CellOp::Sum, sum, term);
            }
            p.cells[i * p.cols + j] = std::move(sum);
        }
    return p;
}

KV_Matrix scalarTimesMatrix(const std::string &k, const KV_Matrix &m) { return withScalar(CellOp::Product, k, m); }

KV_Matrix matrixTimesScalar(const KV_Matrix &m, const std::string &k) { return withScalar(CellOp::Product, k, m); }

KV_Matrix matrixDivScalar(const KV_Matrix &m, const std::string &k) {
    if (k == "0") return emptyMatrix();
    return withScalar(CellOp::Quotient, k, m);
}
