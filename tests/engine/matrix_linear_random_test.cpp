// Random matrices of known rank: the rank by every method, the general solution of A x = b
// checked by substitution, and QR checked by its product and the orthonormal columns.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

#include "BigNumber.h"
#include "engine/matrix_test_support.h"
#include "matrix.h"

namespace {

using IntMatrix = std::vector<std::vector<int64_t>>;

IntMatrix product(const IntMatrix &a, const IntMatrix &b) {
    IntMatrix p(a.size(), std::vector<int64_t>(b[0].size(), 0));
    for (size_t i = 0; i < a.size(); i++)
        for (size_t j = 0; j < b[0].size(); j++)
            for (size_t k = 0; k < b.size(); k++) p[i][j] += a[i][k] * b[k][j];
    return p;
}

// A product of a few elementary row additions: determinant 1, small entries.
IntMatrix unimodular(std::mt19937 &rng, size_t n) {
    IntMatrix u(n, std::vector<int64_t>(n, 0));
    for (size_t i = 0; i < n; i++) u[i][i] = 1;
    for (size_t step = 0; n > 1 && step < 2 * n; step++) {
        size_t i = rng() % n, j = rng() % n;
        int64_t k = int64_t(rng() % 5) - 2;
        if (i == j) continue;
        for (size_t t = 0; t < n; t++) u[i][t] += k * u[j][t];
    }
    return u;
}

// P diag(d_1 .. d_r, 0 ..) Q, of rank exactly r.
IntMatrix ofRank(std::mt19937 &rng, size_t rows, size_t cols, size_t r, IntMatrix &p) {
    IntMatrix d(rows, std::vector<int64_t>(cols, 0));
    for (size_t i = 0; i < r; i++) d[i][i] = int64_t(rng() % 3) + 1;
    p = unimodular(rng, rows);
    return product(product(p, d), unimodular(rng, cols));
}

KV_Matrix toMatrix(const IntMatrix &a) {
    std::vector<std::string> cells;
    for (const auto &row : a)
        for (int64_t x : row) cells.push_back(std::to_string(x));
    return KV_Matrix(cells, a.size(), a[0].size());
}

// A x in exact fractions, x given as column `c` of the solution cells (n rows, width w).
std::vector<std::string> times(const IntMatrix &a, const std::vector<std::string> &x, size_t width, size_t c) {
    BigNumber bn;
    std::vector<std::string> out;
    for (const auto &row : a) {
        std::string sum = "0";
        for (size_t j = 0; j < row.size(); j++) {
            std::string term = bn.fr_multiplication(std::to_string(row[j]), x[j * width + c]);
            sum = bn.fr_addition(sum, term);
        }
        out.push_back(sum);
    }
    return out;
}

bool sameValue(const std::string &a, const std::string &b) {
    BigNumber bn;
    return isZeroNumber(bn.fr_subtraction(a, b));
}

TEST(MatrixLinearRandom, RanksAndSolutions) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 60; round++) {
        const size_t rows = rng() % 5 + 1, cols = rng() % 5 + 1, r = rng() % (std::min(rows, cols) + 1);
        IntMatrix p;
        const IntMatrix a = ofRank(rng, rows, cols, r, p);
        const std::string name = literal(toMatrix(a));
        for (int32_t mode : {0, 1, 2, 3}) {
            KV_Matrix m = toMatrix(a);
            std::ostringstream out;
            EXPECT_EQ(row_echelon_steps(m, out, mode), r) << name << " mode " << mode;
        }

        // A x = b with b = A x0: the particular solution and every basis vector satisfy it.
        IntMatrix x0(cols, std::vector<int64_t>(1));
        for (auto &row : x0) row[0] = int64_t(rng() % 7) - 3;
        const IntMatrix b = product(a, x0);
        IntMatrix augmented = a;
        for (size_t i = 0; i < rows; i++) augmented[i].push_back(b[i][0]);
        KV_Matrix ab = toMatrix(augmented);
        uint64_t rankA = 0, rankAb = 0;
        std::vector<std::string> x;
        std::ostringstream out;
        const int32_t mode = int32_t(rng() % 4);
        gauss_eliminate_steps(ab, "A", "x", "b", rankA, rankAb, x, out, mode);
        EXPECT_EQ(rankA, r) << name;
        EXPECT_EQ(rankAb, r) << name;
        const size_t width = cols - r + 1;
        ASSERT_EQ(x.size(), cols * width) << name;
        for (size_t c = 0; c < width; c++) {
            std::vector<std::string> ax = times(a, x, width, c);
            for (size_t i = 0; i < rows; i++)
                EXPECT_TRUE(sameValue(ax[i], c == 0 ? std::to_string(b[i][0]) : "0"))
                    << name << " b " << b[i][0] << " E_" << c << " row " << i << " gives " << ax[i];
        }
        // The basis vectors are independent: each free unknown is 1 in its own vector alone.
        KV_Matrix basis(cols, width - 1, "0");
        for (size_t i = 0; i < cols; i++)
            for (size_t c = 1; c < width; c++) basis.set(i, c - 1, x[i * width + c]);
        std::ostringstream quiet;
        if (width > 1) {
            EXPECT_EQ(row_echelon_steps(basis, quiet, 0), width - 1) << name;
        }

        // b off the column space, P e_rows when the rank is below the rows: no solution.
        if (r < rows) {
            for (size_t i = 0; i < rows; i++) augmented[i].back() += p[i][rows - 1];
            KV_Matrix none = toMatrix(augmented);
            std::vector<std::string> untouched = {"untouched"};
            std::ostringstream verdict;
            gauss_eliminate_steps(none, "A", "x", "b", rankA, rankAb, untouched, verdict, 0);
            EXPECT_EQ(rankA, r) << name;
            EXPECT_EQ(rankAb, r + 1) << name;
            EXPECT_EQ(untouched, std::vector<std::string>{"untouched"});
            EXPECT_NE(verdict.str().find("Therefore the linear equations have NO solution.\n"), std::string::npos);
        }
    }
}

double value(const std::string &text) { return std::stod(text); }

// Diagonally dominant matrices keep Gram-Schmidt well conditioned: Q R = A and Q^T Q = I
// within the rounding of eight decimals.
TEST(MatrixLinearRandom, DecimalQR) {
    std::mt19937 rng(77);
    for (int round = 0; round < 40; round++) {
        const size_t n = rng() % 5 + 1;
        std::vector<std::string> cells(n * n);
        for (size_t i = 0; i < n; i++)
            for (size_t j = 0; j < n; j++) cells[i * n + j] = std::to_string(i == j ? 20 + rng() % 9 : rng() % 9);
        const KV_Matrix a(cells, n, n);
        KV_Matrix q, r;
        a.QR(q, r);
        ASSERT_EQ(q.rows, n);
        for (size_t i = 0; i < n; i++)
            for (size_t j = 0; j < n; j++) {
                double qr = 0, qtq = 0;
                for (size_t k = 0; k < n; k++) {
                    qr += value(q.get(i, k)) * value(r.get(k, j));
                    qtq += value(q.get(k, i)) * value(q.get(k, j));
                }
                EXPECT_NEAR(qr, value(a.get(i, j)), 1e-5 * 30) << literal(a);
                EXPECT_NEAR(qtq, i == j ? 1.0 : 0.0, 1e-6) << literal(a);
                if (i > j) {
                    EXPECT_EQ(r.get(i, j), "0");
                }
            }
    }
}

// A = H R0 with H = I - 2 v v^T / (v^T v) orthogonal and R0 upper triangular with a
// positive diagonal: its QR is H and R0, found exactly with the norms rational.
TEST(MatrixLinearRandom, FractionQRIsExactForRationalNorms) {
    std::mt19937 rng(5);
    BigNumber bn;
    for (int round = 0; round < 25; round++) {
        const size_t n = rng() % 4 + 1;
        std::vector<int64_t> v(n);
        int64_t vv = 0;
        for (int64_t &x : v) {
            x = int64_t(rng() % 5) - 2;
            vv += x * x;
        }
        if (vv == 0) v[0] = 1, vv = 1;
        KV_Matrix h(n, "0"), r0(n, "0");
        for (size_t i = 0; i < n; i++)
            for (size_t j = 0; j < n; j++) {
                std::string reflection = bn.fr_division(std::to_string(2 * v[i] * v[j]), std::to_string(vv));
                h.set(i, j, bn.fr_subtraction(i == j ? "1" : "0", reflection));
                if (j >= i) r0.set(i, j, std::to_string(j == i ? int64_t(rng() % 4) + 1 : int64_t(rng() % 7) - 3));
            }
        ModeScope fractions(1);
        const KV_Matrix a = h * r0;
        KV_Matrix q, r;
        a.QRFraction(q, r);
        for (size_t i = 0; i < n; i++)
            for (size_t j = 0; j < n; j++) {
                EXPECT_TRUE(sameValue(q.get(i, j), h.get(i, j))) << literal(a) << " Q " << literal(q);
                EXPECT_TRUE(sameValue(r.get(i, j), r0.get(i, j))) << literal(a) << " R " << literal(r);
            }
    }
}

}  // namespace
