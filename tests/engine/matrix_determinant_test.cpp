#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

#include "BigNumber.h"
#include "engine/matrix_test_support.h"
#include "matrix.h"
#include "tools.h"

namespace {

KV_Matrix cells(std::vector<std::string> texts, uint64_t rows, uint64_t cols) { return KV_Matrix(texts, rows, cols); }

// The cofactor expansion along the first column exactly as it is defined, level by level,
// n! terms: the reference for the determinant's text.
std::string literalExpansion(size_t n, const std::vector<std::string> &cells) {
    if (n == 1) return cells[0];
    BigNumber bn;
    bool fractions = matrixFractionMode();
    auto evaluated = [&](const std::string &cell) {
        std::string out;
        bn.EvalInfixExprNoOutput(cell, out, 1);
        return reduce_fraction(out);
    };
    std::string sum = "0";
    for (size_t i = 0; i < n; i++) {
        std::vector<std::string> minor;
        for (size_t r = 0; r + 1 < n; r++)
            for (size_t c = 0; c + 1 < n; c++) {
                const std::string &cell = cells[(r + (r >= i)) * n + c + 1];
                minor.push_back(fractions && cell.empty() ? "0" : evaluated(cell));
            }
        std::string pivot = cells[i * n];
        if (pivot.empty()) pivot = "0";
        else {
            std::string out;
            bn.EvalInfixExprNoOutput(pivot, out, 1);
            pivot = fractions && out.empty() ? "0" : reduce_fraction(out);
        }
        std::string sub = literalExpansion(n - 1, minor);
        std::string term = sub.empty() ? "0" : bn.fr_multiplication(pivot, sub);
        sum = i % 2 == 0 ? bn.fr_addition(sum, term) : bn.fr_subtraction(sum, term);
    }
    if (fractions) return sum;
    size_t bar = sum.find('|');
    if (bar != std::string::npos) sum[bar] = '/';
    std::string out;
    bn.EvalInfixExprNoOutput(sum, out, 0);
    return out;
}

std::vector<std::string> randomCells(std::mt19937 &rng, size_t count, const std::vector<std::string> &pool) {
    std::vector<std::string> v(count);
    for (std::string &c : v) c = pool[rng() % pool.size()];
    return v;
}

}  // namespace

TEST(MatrixDeterminant, Examples) {
    const struct {
        int mode;
        std::vector<std::string> cells;
        uint64_t rows, cols;
        const char *want;
    } cases[] = {
        {0, {"1", "2", "3", "4"}, 2, 2, "-2"},
        {1, {"1", "2", "3", "4"}, 2, 2, "-2"},
        {0, {"5"}, 1, 1, "5"},
        {0, {"1/2"}, 1, 1, "1/2"},
        {1, {"5"}, 1, 1, "5|1"},
        {0, {"1", "2", "3", "4", "5", "6"}, 2, 3, "NaN"},
        {0, {}, 0, 0, "0"},
        {0, {"2", "0", "0", "0", "3", "0", "0", "0", "4"}, 3, 3, "24"},
        {0, {"0", "3", "0", "2", "0", "0", "0", "0", "4"}, 3, 3, "-24"},
        {1, {"1|2", "1|3", "1|4", "1|5"}, 2, 2, "1|60"},
        {1, {"0.5", "1", "1", "1"}, 2, 2, "-1|2"},
        {0, {"0.5", "1", "1", "1"}, 2, 2, "-0.5"},
        {0, {"1", "2", "2", "4"}, 2, 2, "0"},
        {0, {"x", "1", "1", "x"}, 2, 2, "x*x-1"},
    };
    for (const auto &c : cases) {
        ModeScope mode(c.mode);
        KV_Matrix m = cells(c.cells, c.rows, c.cols);
        EXPECT_EQ(m.determinant(), c.want) << literal(m) << " mode " << c.mode;
    }
}

TEST(MatrixDeterminant, FractionModeRewritesTheCells) {
    ModeScope mode(1);
    KV_Matrix m = cells({"0.5", "1", "1", "1"}, 2, 2);
    m.determinant();
    EXPECT_EQ(literal(m), "[1|2,1|1;1|1,1|1]");
}

// The fast roads give the text of the expansion itself, cell for cell, in both modes:
// integers and fractions through the exact road, decimals and letters through the
// shared sub-determinants.
TEST(MatrixDeterminant, MatchesTheLiteralExpansion) {
    std::mt19937 rng(2023);
    const std::vector<std::string> integers = {"0", "0", "1", "-1", "2", "-3", "7", "-12", "40", "-0", "007", "+3"};
    const std::vector<std::string> numbers = {"0", "1", "-2", "3|6", "-1|2", "0.5", "-1.25", "2/4", "5", "10", "0.0"};
    const std::vector<std::string> symbolic = {"0", "1", "-2", "x", "2*x", "y", "3", "0.5"};
    struct Pool {
        const std::vector<std::string> &cells;
        size_t maxOrder;
    } pools[] = {{integers, 6}, {numbers, 6}, {symbolic, 4}};
    for (int mode : {0, 1}) {
        ModeScope scope(mode);
        for (const Pool &pool : pools)
            for (size_t n = 2; n <= pool.maxOrder; n++)
                for (int round = 0; round < 4; round++) {
                    std::vector<std::string> v = randomCells(rng, n * n, pool.cells);
                    std::vector<std::string> reference = v;
                    if (mode == kFractionBit) entriesToFractions(reference);
                    KV_Matrix m(v, n, n);
                    std::string got = m.determinant();
                    EXPECT_EQ(got, literalExpansion(n, reference)) << literal(cells(v, n, n)) << " mode " << mode;
                    EXPECT_EQ(determinantCofactor(n, m.cells), got);
                }
    }
}

TEST(MatrixDeterminant, LargeOrdersAnswerAtOnce) {
    std::mt19937 rng(7);
    ModeScope mode(0);
    // A 12 x 12 integer matrix would take 12! terms by the expansion.
    std::vector<std::string> v(144);
    for (std::string &c : v) c = std::to_string(int(rng() % 19) - 9);
    KV_Matrix id(12, "0");
    id.identity();
    EXPECT_EQ(id.determinant(), "1");
    KV_Matrix m(v, 12, 12);
    std::string d = m.determinant();
    EXPECT_TRUE(BigNumber::isRealNumber(d)) << d;
    // Swapping two rows turns the sign.
    for (size_t j = 0; j < 12; j++) std::swap(m.cells[j], m.cells[12 + j]);
    BigNumber bn;
    EXPECT_EQ(m.determinant(), bn.negate(d));
    // Decimals in decimal mode round at every level up to order 10 and once beyond; both
    // are bounded in time.
    for (size_t n : {10u, 20u}) {
        std::vector<std::string> dec(n * n);
        for (std::string &c : dec) c = std::to_string(int(rng() % 9)) + ".5";
        EXPECT_TRUE(BigNumber::isRealNumber(KV_Matrix(dec, n, n).determinant())) << n;
    }
    KV_Matrix letters(7, "x");
    EXPECT_EQ(letters.determinant(), "Warning> the determinant of symbolic cells is limited to order 6.");
    EXPECT_TRUE(letters.inverse().isEmpty());
}

TEST(MatrixDeterminant, MinorsAndCofactors) {
    KV_Matrix m = cells({"1", "2", "3", "4", "5", "6", "7", "8", "9"}, 3, 3);
    EXPECT_EQ(literal(matrix_minor(m, 1, 1)), "[5,6;8,9]");
    EXPECT_EQ(literal(matrix_minor(m, 2, 3)), "[1,2;7,8]");
    EXPECT_EQ(literal(matrix_minor(m, 0, 1)), "[0,0;0,0]");
    EXPECT_EQ(literal(matrix_minor(m, 4, 1)), "[0,0;0,0]");
    EXPECT_TRUE(matrix_minor(KV_Matrix(0, "0"), 1, 1).isEmpty());
    // Non-square: the minor drops one row and one column and reads only inside.
    EXPECT_EQ(literal(matrix_minor(cells({"1", "2", "3", "4", "5", "6"}, 3, 2), 3, 1)), "[2;4]");

    ModeScope mode(0);
    KV_Matrix id = cells({"1", "0", "0", "1"}, 2, 2);
    EXPECT_EQ(id.cofactor(0, 1), "-0");
    EXPECT_EQ(id.cofactor(0, 0), "1");
    EXPECT_EQ(m.cofactor(0, 1), "6");
    EXPECT_EQ(m.cofactor(1, 1), "-12");
    EXPECT_EQ(KV_Matrix(1, "5").cofactor(0, 0), "1");
}

TEST(MatrixDeterminant, Adjugate) {
    KV_Matrix m = cells({"1", "2", "3", "4"}, 2, 2);
    {
        ModeScope mode(0);
        EXPECT_EQ(literal(m.adjugate()), "[4,-2;-3,1]");
        EXPECT_EQ(literal(cells({"1", "2", "3", "0", "1", "4", "5", "6", "0"}, 3, 3).adjugate()),
                  "[-24,18,5;20,-15,-4;-5,4,1]");
        // A zero cofactor in an odd place reads "-0", also on the exact road of order 3.
        EXPECT_EQ(literal(cells({"1", "0", "0", "0", "1", "0", "0", "0", "1"}, 3, 3).adjugate()),
                  "[1,-0,0;-0,1,-0;0,-0,1]");
        EXPECT_TRUE(cells({"1", "2"}, 1, 2).adjugate().isEmpty());
        EXPECT_EQ(literal(KV_Matrix(1, "5").adjugate()), "[1]");
    }
    ModeScope mode(1);
    EXPECT_EQ(literal(m.adjugate()), "[4|1,-2|1;-3|1,1|1]");
}

TEST(MatrixDeterminant, Inverse) {
    const struct {
        int mode;
        std::vector<std::string> cells;
        uint64_t n;
        const char *want;
    } cases[] = {
        {1, {"1", "2", "3", "4"}, 2, "[-2,1;3|2,-1|2]"},
        {0, {"1", "2", "3", "4"}, 2, "[-2.0,1.0;1.5,-0.5]"},
        // 1/3 is cut at the precision: each cofactor is divided by the determinant instead.
        {0, {"2", "1", "1", "2"}, 2, "[0.66666667,-0.33333333;-0.33333333,0.66666667]"},
        {0, {"100000000000", "0", "0", "1"}, 2, "[0.00000000,-0;-0,1]"},
        {1, {"2", "0", "0", "0", "4", "0", "0", "0", "8"}, 3, "[1|2,0,0;0,1|4,0;0,0,1|8]"},
        {1, {"5"}, 1, "[1|5]"},
        {1, {"1|2", "1|3", "1|4", "1|5"}, 2, "[12,-20;-15,30]"},
    };
    for (const auto &c : cases) {
        ModeScope mode(c.mode);
        KV_Matrix m(c.cells, c.n, c.n);
        EXPECT_EQ(literal(m.inverse()), c.want) << literal(KV_Matrix(c.cells, c.n, c.n)) << " mode " << c.mode;
    }
    // Singular by value, whatever the text of the zero determinant.
    const std::vector<std::string> singular[] = {
        {"1", "2", "2", "4"}, {"0|1", "1", "0", "1"}, {"0.0", "1", "0", "1"}, {"1.5", "3", "0.5", "1"}};
    for (int mode : {0, 1})
        for (const auto &s : singular) {
            ModeScope scope(mode);
            testing::internal::CaptureStdout();
            EXPECT_TRUE(KV_Matrix(s, 2, 2).inverse().isEmpty()) << literal(KV_Matrix(s, 2, 2)) << " mode " << mode;
            EXPECT_EQ(testing::internal::GetCapturedStdout(), "行列式为0, 矩阵不可逆.\n");
        }
    // Not square: no message, an empty answer.
    for (int mode : {0, 1}) {
        ModeScope scope(mode);
        testing::internal::CaptureStdout();
        EXPECT_TRUE(cells({"1", "2", "3", "4", "5", "6"}, 2, 3).inverse().isEmpty());
        EXPECT_TRUE(KV_Matrix(4, 3, "1").inverse().isEmpty());
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    }
}

// The inverse is k = 1/det times the adjugate, cell for cell as the fraction product writes
// it: also where k is 1 (a "-0" cofactor passes through), -1, or cofactors are zero.
TEST(MatrixDeterminant, InverseIsTheAdjugateTimesTheReciprocal) {
    std::mt19937 rng(99);
    ModeScope mode(1);
    std::vector<std::vector<std::string>> matrices = {
        {"1", "0", "0", "0", "1", "0", "0", "0", "1"},
        {"0", "1", "0", "1", "0", "0", "0", "0", "1"},
        {"2", "1", "0", "1", "1", "0", "0", "0", "-1"},
    };
    const std::vector<std::string> pool = {"0", "0", "0", "1", "-1", "2", "3|2", "-5", "0.25"};
    for (size_t n = 3; n <= 6; n++)
        for (int round = 0; round < 6; round++) matrices.push_back(randomCells(rng, n * n, pool));
    for (const auto &v : matrices) {
        size_t n = size_t(std::lround(std::sqrt(double(v.size()))));
        KV_Matrix m(v, n, n), reference(v, n, n);
        std::string d = reference.determinant();
        if (d == "0") continue;
        BigNumber bn;
        std::string k = bn.reciprocal(d, 1);
        EXPECT_EQ(literal(m.inverse()), literal(scalarTimesMatrix(k, reference.adjugate()))) << literal(KV_Matrix(v, n, n));
    }
    EXPECT_EQ(literal(KV_Matrix(std::vector<std::string>{"1", "0", "0", "0", "1", "0", "0", "0", "1"}, 3, 3).inverse()),
              "[1,-0,0;-0,1,-0;0,-0,1]");
}
