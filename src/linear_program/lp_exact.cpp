#include "linear_program/lp_exact.h"

#include "matrix/exact.h"

namespace lp {

namespace {

using matrix_exact::Rational;

enum class Op { Sum, Difference, Product, Quotient };

// The exact result, or false when an operand is no number (or a quotient by zero).
bool exactly(Op op, const std::string &a, const std::string &b, std::string &out) {
    Rational x, y;
    if (!matrix_exact::parseCell(a, x) || !matrix_exact::parseCell(b, y)) return false;
    switch (op) {
    case Op::Sum: out = matrix_exact::rationalText(matrix_exact::sum(x, y)); break;
    case Op::Difference: out = matrix_exact::rationalText(matrix_exact::sum(x, matrix_exact::negated(y))); break;
    case Op::Product: out = matrix_exact::rationalText(matrix_exact::product(x, y)); break;
    case Op::Quotient:
        if (matrix_exact::isZero(y)) return false;
        out = matrix_exact::rationalText(matrix_exact::quotient(x, y));
        break;
    }
    return true;
}

} // namespace

std::string Exact::add(const std::string &a, const std::string &b) {
    std::string r;
    return exactly(Op::Sum, a, b, r) ? r : std::string(bn.fr_addition(a, b));
}

std::string Exact::sub(const std::string &a, const std::string &b) {
    std::string r;
    return exactly(Op::Difference, a, b, r) ? r : std::string(bn.fr_subtraction(a, b));
}

std::string Exact::mul(const std::string &a, const std::string &b) {
    std::string r;
    return exactly(Op::Product, a, b, r) ? r : std::string(bn.fr_multiplication(a, b));
}

std::string Exact::div(const std::string &a, const std::string &b) {
    std::string r;
    return exactly(Op::Quotient, a, b, r) ? r : std::string(bn.fr_division(a, b));
}

bool Exact::less(const std::string &a, const std::string &b) {
    Rational x, y;
    if (!matrix_exact::parseCell(a, x) || !matrix_exact::parseCell(b, y)) return bn.isFractionLess(a, b);
    Rational d = matrix_exact::sum(x, matrix_exact::negated(y));
    return d.negative && !matrix_exact::isZero(d);
}

std::string Exact::exact(const std::string &typed) {
    Rational x;
    return matrix_exact::parseCell(typed, x) ? matrix_exact::rationalText(x) : typed;
}

} // namespace lp
