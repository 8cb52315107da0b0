// QR decomposition by classical Gram-Schmidt: each column of A is projected on the earlier
// columns of Q (against the column of A itself, not the partly orthogonalised vector), the
// remainder normalised. One algorithm, two arithmetics: decimals at the default precision,
// or fractions with the norms as exact radicals.
#include <iostream>
#include <map>

#include "BigNumber.h"
#include "matrix.h"
#include "matrix/exact.h"
#include "number_theory/factor_search.h"
#include "stop_request.h"

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
        engineStopPoint();
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

// ---- fractions on number cells: every factor is a rational times one square root ----
//
// The orthogonalised columns u_i = a_i - sum_k (a_i.u_k / s_k) u_k, s_k = u_k.u_k, are
// rational; R(i,i) = sqrt(s_i), Q(m,i) = u_i(m) / sqrt(s_i) and R(k,i) = (a_i.u_k) / sqrt(s_k).
// Carried as texts, the radicals would grow past any bound by the third column.

using matrix_exact::Rational;

// sqrt(s) = c * sqrt(k): s = p/q gives sqrt(p q) / q, and p q = m^2 k by a brief factorisation
// (a cofactor it cannot split stays inside the root: less simplified, never wrong).
struct Radical {
    Rational c;
    nat::Nat k;
};

Radical squareRoot(const Rational &s) {
    Rational r = matrix_exact::normalized(s);
    nat::Nat pq = nat::mul(r.num, r.den);
    ntheory::Factorisation f = ntheory::factorise(pq, ntheory::kBriefEffort);
    std::map<std::string, std::pair<nat::Nat, int>> count;
    for (const nat::Nat &x : f.primes) {
        auto &e = count[nat::to_decimal(x)];
        e.first = x;
        e.second++;
    }
    for (const nat::Nat &x : f.unsplit) {
        auto &e = count[nat::to_decimal(x)];
        e.first = x;
        e.second++;
    }
    Radical out{Rational{nat::Nat{1}, r.den}, nat::Nat{1}};
    for (const auto &[text, e] : count) {
        out.c.num = nat::mul(out.c.num, nat::pow(e.first, uint64_t(e.second / 2)));
        if (e.second % 2) out.k = nat::mul(out.k, e.first);
    }
    return out;
}

bool isOne(const nat::Nat &n) { return n.size() == 1 && n[0] == 1; }

// c * sqrt(k) as text: "3|2", "sqrt(2)", "-2*sqrt(6)|3". Whether '|' binds before or after
// the product, the value is the same.
std::string radicalText(const Rational &c, const nat::Nat &k) {
    if (matrix_exact::isZero(c) || isOne(k)) return matrix_exact::rationalText(c);
    Rational r = matrix_exact::normalized(c);
    std::string text = r.negative ? "-" : "";
    if (!isOne(r.num)) text += nat::to_decimal(r.num) + "*";
    text += "sqrt(" + nat::to_decimal(k) + ")";
    if (!isOne(r.den)) text += "|" + nat::to_decimal(r.den);
    return text;
}

Rational dot(const std::vector<Rational> &x, const std::vector<Rational> &y) {
    Rational d;
    for (size_t l = 0; l < x.size(); l++) d = matrix_exact::normalized(matrix_exact::sum(d, matrix_exact::product(x[l], y[l])));
    return d;
}

// False, with Q and R untouched, when a cell is no number or a column depends on the
// earlier ones (the cell-by-cell road answers those).
bool exactFractions(const KV_Matrix &a, KV_Matrix &Q, KV_Matrix &R) {
    const size_t n = a.rows;
    std::vector<Rational> values;
    if (!matrix_exact::parseCells(a.cells, values)) return false;
    std::vector<std::vector<Rational>> u(n, std::vector<Rational>(n));
    std::vector<Radical> norms(n);
    KV_Matrix q(n, "0"), r(n, "0");
    for (size_t i = 0; i < n; i++) {
        std::vector<Rational> column(n);
        for (size_t m = 0; m < n; m++) column[m] = values[m * n + i];
        u[i] = column;
        for (size_t k = 0; k < i; k++) {
            const Rational projection = dot(column, u[k]);
            const Rational scale = matrix_exact::quotient(projection, dot(u[k], u[k]));
            for (size_t m = 0; m < n; m++)
                u[i][m] = matrix_exact::normalized(
                    matrix_exact::sum(u[i][m], matrix_exact::negated(matrix_exact::product(scale, u[k][m]))));
            // (a_i.u_k) / (c_k sqrt(k_k)) = (a_i.u_k) sqrt(k_k) / (c_k k_k)
            Rational c = matrix_exact::quotient(projection, matrix_exact::product(norms[k].c, Rational{norms[k].k}));
            r.set(k, i, radicalText(c, norms[k].k));
        }
        const Rational squared = dot(u[i], u[i]);
        if (matrix_exact::isZero(squared)) return false;
        norms[i] = squareRoot(squared);
        r.set(i, i, radicalText(norms[i].c, norms[i].k));
        // u / (c sqrt(k)) = u sqrt(k) / (c k)
        const Rational divisor = matrix_exact::product(norms[i].c, Rational{norms[i].k});
        for (size_t m = 0; m < n; m++) q.set(m, i, radicalText(matrix_exact::quotient(u[i][m], divisor), norms[i].k));
    }
    Q = std::move(q);
    R = std::move(r);
    return true;
}

// The empty text when Q and R were written, else the reason, also printed on the standard
// output stream.
std::string gramSchmidt(const KV_Matrix &a, KV_Matrix &Q, KV_Matrix &R, const Arithmetic &op) {
    std::string reason;
    if (a.rows != a.cols) {
        reason = "error> QR(): parameter A is not a square matrix!";
    } else if (a.rows > KV_Matrix::kMaxStepOrder) {
        reason = "error> QR(): the order of A is limited to " + std::to_string(KV_Matrix::kMaxStepOrder) + ".";
    } else if (&op == &kFractions && exactFractions(a, Q, R)) {
        return reason;
    } else {
        GramSchmidt decomposition(a, op);
        if (decomposition.run()) {
            Q = std::move(decomposition.q);
            R = std::move(decomposition.r);
            return reason;
        }
        reason = "error> QR(): a cell grows past " + std::to_string(kMaxStepCellText) + " characters.";
    }
    std::cout << reason << "\n";
    return reason;
}

}  // namespace

std::string KV_Matrix::QR(KV_Matrix &Q, KV_Matrix &R) const { return gramSchmidt(*this, Q, R, kDecimals); }

std::string KV_Matrix::QRFraction(KV_Matrix &Q, KV_Matrix &R) const { return gramSchmidt(*this, Q, R, kFractions); }
