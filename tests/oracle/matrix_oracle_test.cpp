// Determinants and inverses of random matrices against exact rational arithmetic (GMP):
// fraction-mode texts must be the reduced exact values.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "engine/matrix_test_support.h"
#include "matrix.h"
#include "oracle/oracle_support.h"

namespace {

using Grid = std::vector<mpq_class>;

std::string text(const mpq_class &q) {
    if (q.get_den() == 1) return q.get_num().get_str();
    return q.get_num().get_str() + "|" + q.get_den().get_str();
}

// Gauss-Jordan on [A | I]: the determinant, and the inverse when it is not zero.
mpq_class gaussJordan(Grid a, size_t n, Grid &inverse) {
    inverse.assign(n * n, 0);
    for (size_t i = 0; i < n; i++) inverse[i * n + i] = 1;
    mpq_class det = 1;
    for (size_t c = 0; c < n; c++) {
        size_t p = c;
        while (p < n && a[p * n + c] == 0) p++;
        if (p == n) return 0;
        if (p != c) {
            for (size_t j = 0; j < n; j++) {
                std::swap(a[p * n + j], a[c * n + j]);
                std::swap(inverse[p * n + j], inverse[c * n + j]);
            }
            det = -det;
        }
        mpq_class pivot = a[c * n + c];
        det *= pivot;
        for (size_t j = 0; j < n; j++) {
            a[c * n + j] /= pivot;
            inverse[c * n + j] /= pivot;
        }
        for (size_t r = 0; r < n; r++) {
            if (r == c || a[r * n + c] == 0) continue;
            mpq_class f = a[r * n + c];
            for (size_t j = 0; j < n; j++) {
                a[r * n + j] -= f * a[c * n + j];
                inverse[r * n + j] -= f * inverse[c * n + j];
            }
        }
    }
    return det;
}

}  // namespace

TEST(MatrixOracle, FractionModeDeterminantAndInverse) {
    oracle::Rng rng = oracle::rngFor(23);
    ModeScope mode(1);
    for (int iter = 0; iter < 60; iter++) {
        size_t n = 1 + iter % 9;
        if (iter % 20 == 19) n = 20;
        bool fractions = iter % 3 == 0;
        long range = iter % 7 == 0 ? 1000000000L : 20;
        std::vector<std::string> cells(n * n);
        Grid values(n * n);
        for (size_t k = 0; k < n * n; k++) {
            long num = long(rng() % uint64_t(2 * range + 1)) - range;
            long den = fractions ? 1 + long(rng() % 12) : 1;
            values[k] = mpq_class(num, den);
            values[k].canonicalize();
            cells[k] = std::to_string(num) + (fractions ? "|" + std::to_string(den) : "");
        }
        Grid inverse;
        mpq_class det = gaussJordan(values, n, inverse);
        KV_Matrix m(cells, n, n);
        std::string d = m.determinant();
        if (n > 1) {
            EXPECT_EQ(d, text(det)) << "order " << n << " round " << iter;
        }
        if (det == 0) continue;
        KV_Matrix inv = m.inverse();
        ASSERT_EQ(inv.size, n * n) << "order " << n;
        for (size_t k = 0; k < n * n; k++) EXPECT_EQ(inv.cells[k], text(inverse[k])) << "order " << n << " cell " << k;
    }
}

// Integer matrices in decimal mode have integer determinants, also beyond the orders the
// expansion could reach.
TEST(MatrixOracle, DecimalModeIntegerDeterminant) {
    oracle::Rng rng = oracle::rngFor(5);
    ModeScope mode(0);
    for (size_t n : {2u, 5u, 12u, 30u, 50u}) {
        std::vector<std::string> cells(n * n);
        Grid values(n * n);
        for (size_t k = 0; k < n * n; k++) {
            long v = long(rng() % 199) - 99;
            cells[k] = std::to_string(v);
            values[k] = v;
        }
        Grid unused;
        EXPECT_EQ(KV_Matrix(cells, n, n).determinant(), text(gaussJordan(values, n, unused))) << n;
    }
}

namespace {

// A random cell as it may be typed (an integer, a/b, a|b or a decimal) and its value.
std::string randomCell(oracle::Rng &rng, mpq_class &value) {
    const long num = long(rng() % 19) - 9, den = 1 + long(rng() % 6);
    switch (rng() % 4) {
    case 0: value = num; return std::to_string(num);
    case 1: value = mpq_class(num, den); value.canonicalize(); return std::to_string(num) + "/" + std::to_string(den);
    case 2: value = mpq_class(num, den); value.canonicalize(); return std::to_string(num) + "|" + std::to_string(den);
    default: {
        const long tenths = num * 10 + long(rng() % 10) * (num < 0 ? -1 : 1);
        value = mpq_class(tenths, 10);
        value.canonicalize();
        std::string digits = std::to_string(std::labs(tenths) / 10) + "." + std::to_string(std::labs(tenths) % 10);
        return (tenths < 0 ? "-" : "") + digits;
    }
    }
}

size_t rankOf(Grid a, size_t rows, size_t cols) {
    size_t r = 0;
    for (size_t c = 0; c < cols && r < rows; c++) {
        size_t p = r;
        while (p < rows && a[p * cols + c] == 0) p++;
        if (p == rows) continue;
        for (size_t j = 0; j < cols; j++) std::swap(a[p * cols + j], a[r * cols + j]);
        for (size_t i = 0; i < rows; i++) {
            if (i == r || a[i * cols + c] == 0) continue;
            mpq_class f = a[i * cols + c] / a[r * cols + c];
            for (size_t j = 0; j < cols; j++) a[i * cols + j] -= f * a[r * cols + j];
        }
        r++;
    }
    return r;
}

mpq_class cellValue(std::string t) {
    std::replace(t.begin(), t.end(), '|', '/');
    size_t point = t.find('.');
    if (point != std::string::npos) {  // a decimal: its digits over a power of ten
        const size_t decimals = t.size() - point - 1;
        t.erase(point, 1);
        mpq_class q(mpz_class(t, 10), mpz_class("1" + std::string(decimals, '0'), 10));
        q.canonicalize();
        return q;
    }
    mpq_class q(t, 10);
    q.canonicalize();
    return q;
}

}  // namespace

// Cells typed as a/b, a|b and decimals are exact values on the roads of rank, solve and the
// product, in both modes: fraction mode writes the exact values, decimal mode the values
// rounded once at the precision.
TEST(MatrixOracle, CellsTypedInEveryFormAreExact) {
    oracle::Rng rng = oracle::rngFor(36);
    for (int iter = 0; iter < 120; iter++) {
        ModeScope mode(iter % 2);
        const size_t rows = 2 + rng() % 3, cols = 2 + rng() % 3, inner = 1 + rng() % 3;
        std::vector<std::string> a(rows * cols), b(cols * inner);
        Grid va(rows * cols), vb(cols * inner);
        for (size_t k = 0; k < a.size(); k++) a[k] = randomCell(rng, va[k]);
        // a dependent last row now and then, so that ranks below full occur
        if (iter % 3 == 0)
            for (size_t j = 0; j < cols; j++) a[(rows - 1) * cols + j] = a[j], va[(rows - 1) * cols + j] = va[j];
        for (size_t k = 0; k < b.size(); k++) b[k] = randomCell(rng, vb[k]);
        const std::string shown = literal(KV_Matrix(a, rows, cols));

        KV_Matrix reduced(a, rows, cols);
        std::ostringstream steps;
        const size_t rank = rankOf(va, rows, cols);
        EXPECT_EQ(row_echelon_steps(reduced, steps, 0), rank) << shown;

        KV_Matrix product = KV_Matrix(a, rows, cols) * KV_Matrix(b, cols, inner);
        ASSERT_EQ(product.size, rows * inner) << shown;
        for (size_t i = 0; i < rows; i++)
            for (size_t j = 0; j < inner; j++) {
                mpq_class exact = 0;
                for (size_t k = 0; k < cols; k++) exact += va[i * cols + k] * vb[k * inner + j];
                const std::string &cell = product.cells[i * inner + j];
                if (iter % 2) EXPECT_EQ(cellValue(cell), exact) << shown << " times " << literal(KV_Matrix(b, cols, inner));
                else EXPECT_NEAR(cellValue(cell).get_d(), exact.get_d(), 1e-7) << shown << " gave " << cell;
            }

        // A x = b with b = A x0: E_0 solves it and each basis vector solves A x = 0.
        Grid x0(cols);
        std::vector<std::string> ab((cols + 1) * rows);
        for (size_t j = 0; j < cols; j++) x0[j] = long(rng() % 7) - 3;
        KV_Matrix augmented(rows, cols + 1, "0");
        for (size_t i = 0; i < rows; i++) {
            mpq_class rhs = 0;
            for (size_t j = 0; j < cols; j++) {
                augmented.set(i, j, a[i * cols + j]);
                rhs += va[i * cols + j] * x0[j];
            }
            augmented.set(i, cols, text(rhs));
        }
        uint64_t rankA = 0, rankAb = 0;
        std::vector<std::string> solution;
        std::ostringstream printed;
        gauss_eliminate_steps(augmented, "A", "x", "b", rankA, rankAb, solution, printed, 0);
        ASSERT_EQ(rankA, rank) << shown;
        const size_t free = cols - rank;
        ASSERT_EQ(solution.size(), cols * (free + 1)) << shown;
        for (size_t v = 0; v <= free; v++)
            for (size_t i = 0; i < rows; i++) {
                mpq_class lhs = 0, rhs = 0;
                for (size_t j = 0; j < cols; j++) {
                    lhs += va[i * cols + j] * cellValue(solution[j * (free + 1) + v]);
                    rhs += v == 0 ? va[i * cols + j] * x0[j] : mpq_class(0);
                }
                EXPECT_EQ(lhs, rhs) << shown << " E_" << v;
            }
    }
}

namespace {

// A factor's cell c*sqrt(k) as written ("-2*sqrt(6)|3", "sqrt(2)", "3|5"): c and k.
std::pair<mpq_class, mpz_class> radical(const std::string &t) {
    const size_t root = t.find("sqrt(");
    if (root == std::string::npos) return {cellValue(t), 1};
    const size_t close = t.find(')', root), bar = t.find('|', close), star = t.find('*');
    mpq_class c = t[0] == '-' ? -1 : 1;
    if (star != std::string::npos && star < root) c *= cellValue(t.substr(t[0] == '-' ? 1 : 0, star - (t[0] == '-' ? 1 : 0)));
    if (bar != std::string::npos) c /= cellValue(t.substr(bar + 1));
    return {c, mpz_class(t.substr(root + 5, close - root - 5), 10)};
}

}  // namespace

// QR in fraction mode on random integer matrices: column l of Q and row l of R share the
// root of one squared norm, so Q R is rational and must be A exactly, and Q^T Q = I exactly
// (the root of a product of two roots stands outside each sum).
TEST(MatrixOracle, FractionQRIsExact) {
    oracle::Rng rng = oracle::rngFor(3607);
    ModeScope mode(1);
    int done = 0;
    for (int iter = 0; iter < 60; iter++) {
        const size_t n = 2 + iter % 3;
        std::vector<std::string> cells(n * n);
        Grid values(n * n);
        for (size_t k = 0; k < n * n; k++) {
            values[k] = long(rng() % 11) - 5;
            cells[k] = values[k].get_str();
        }
        Grid unused;
        if (gaussJordan(values, n, unused) == 0) continue;  // a dependent column has no norm
        KV_Matrix a(cells, n, n), q, r;
        ASSERT_EQ(a.QRFraction(q, r), "") << literal(a);
        done++;
        for (size_t i = 0; i < n; i++)
            for (size_t j = 0; j < n; j++) {
                mpq_class product = 0, gram = 0;
                for (size_t l = 0; l < n; l++) {
                    auto [cq, kq] = radical(q.get(i, l));
                    auto [cr, kr] = radical(r.get(l, j));
                    if (cr != 0 && cq != 0) {
                        EXPECT_EQ(kq, kr) << literal(q) << literal(r);
                        product += cq * cr * mpq_class(kq);
                    }
                    auto [x, kx] = radical(q.get(l, i));
                    auto [y, ky] = radical(q.get(l, j));
                    gram += x * y;
                }
                EXPECT_EQ(product, values[i * n + j]) << literal(a) << " Q " << literal(q) << " R " << literal(r);
                if (i == j) {
                    mpz_class k = 1;  // the root of column i, read from a cell that is not 0
                    for (size_t l = 0; l < n; l++)
                        if (radical(q.get(l, i)).first != 0) k = radical(q.get(l, i)).second;
                    EXPECT_EQ(gram * mpq_class(k), 1) << literal(q);
                } else {
                    EXPECT_EQ(gram, 0) << literal(q);
                }
            }
    }
    EXPECT_GT(done, 40);
}
