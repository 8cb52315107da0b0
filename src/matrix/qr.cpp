// QR decomposition by classical Gram-Schmidt: each column of A is projected on the earlier
// columns of Q (against the column of A itself, not the partly orthogonalised vector), the
// remainder normalised. One algorithm, two arithmetics: decimals at the default precision,
// or fractions with the norms as exact radicals.
#include <iostream>

#include "BigNumber.h"
#include "matrix.h"

namespace {

using Binary = std::string &(BigNumber::*)(const std::string &, const std::string &);
using Root = std::string &(BigNumber::*)(const std::string &);

struct Arithmetic {
    Binary product, sum, difference, quotient;
    Root squareRoot;
};

const Arithmetic kDecimals{&BigNumber::multiplication, &BigNumber::addition, &BigNumber::real_subtraction,
                           &BigNumber::real_division, &BigNumber::sqrtDigitPairs};
const Arithmetic kFractions{&BigNumber::fr_multiplication, &BigNumber::fr_addition, &BigNumber::fr_subtraction,
                            &BigNumber::fr_division, &BigNumber::simplifySqrt};

// One decomposition. Every text past kMaxStepCellText stops it: radicals and letters are
// carried along as texts, and each column repeats those of the columns before it.
class GramSchmidt {
public:
    GramSchmidt(const KV_Matrix &a, const Arithmetic &op) : q(a.rows, "0"), r(a.rows, "0"), a(a), op(op), n(a.rows) {}

    bool run() {
        for (uint64_t i = 0; i < n; i++)
            if (!column(i)) return false;
        return true;
    }
    KV_Matrix q, r;

private:
    // Column i of Q and of R; false as soon as a text grows too long.
    bool column(uint64_t i) {
        std::vector<std::string> u(n);
        for (uint64_t m = 0; m < n; m++) u[m] = a.get(m, i);
        for (uint64_t k = 0; k < i; k++) {
            std::string projection = "0";
            for (uint64_t l = 0; l < n; l++)
                if (!apply(op.sum, projection, apply(op.product, a.get(l, i), q.get(l, k)), projection)) return false;
            r.set(k, i, projection);
            for (uint64_t m = 0; m < n; m++)
                if (!apply(op.difference, u[m], apply(op.product, projection, q.get(m, k)), u[m])) return false;
        }
        std::string squaredNorm = "0";
        for (uint64_t l = 0; l < n; l++)
            if (!apply(op.sum, squaredNorm, apply(op.product, u[l], u[l]), squaredNorm)) return false;
        const std::string norm = (bn.*op.squareRoot)(squaredNorm);
        r.set(i, i, norm);
        std::string cell;
        for (uint64_t m = 0; m < n; m++) {
            if (!apply(op.quotient, u[m], norm, cell)) return false;
            q.set(m, i, cell);
        }
        return true;
    }
    // The engine's members answer a reference to its own result text: copies are taken.
    std::string apply(Binary f, const std::string &x, const std::string &y) {
        std::string value = (bn.*f)(x, y);
        if (value.size() > kMaxStepCellText && !isNumberText(value)) value.clear(), tooLong = true;
        return value;
    }
    bool apply(Binary f, const std::string &x, const std::string &y, std::string &out) {
        if (tooLong) return false;
        out = apply(f, x, y);
        return !tooLong;
    }

    const KV_Matrix &a;
    const Arithmetic &op;
    const uint64_t n;
    BigNumber bn;
    bool tooLong = false;
};

void gramSchmidt(const KV_Matrix &a, KV_Matrix &Q, KV_Matrix &R, const Arithmetic &op) {
    if (a.rows != a.cols) {
        std::cout << "error> QR(): parameter A is not a square matrix!\n";
        return;
    }
    if (a.rows > KV_Matrix::kMaxStepOrder) {
        std::cout << "error> QR(): the order of A is limited to " << KV_Matrix::kMaxStepOrder << ".\n";
        return;
    }
    GramSchmidt decomposition(a, op);
    if (!decomposition.run()) {
        std::cout << "error> QR(): a cell grows past " << kMaxStepCellText << " characters.\n";
        return;
    }
    Q = std::move(decomposition.q);
    R = std::move(decomposition.r);
}

}  // namespace

void KV_Matrix::QR(KV_Matrix &Q, KV_Matrix &R) const { gramSchmidt(*this, Q, R, kDecimals); }

void KV_Matrix::QRFraction(KV_Matrix &Q, KV_Matrix &R) const { gramSchmidt(*this, Q, R, kFractions); }
