// Determinants and inverses of random matrices against exact rational arithmetic (GMP):
// fraction-mode texts must be the reduced exact values.
#include <gmpxx.h>
#include <gtest/gtest.h>

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
