#include <gtest/gtest.h>

#include <sstream>

#include "engine/matrix_test_support.h"
#include "matrix.h"

namespace {

KV_Matrix M(std::vector<std::string> cells, uint64_t rows, uint64_t cols) { return KV_Matrix(cells, rows, cols); }

}  // namespace

TEST(MatrixArithmetic, Results) {
    KV_Matrix a = M({"1", "2", "3", "4"}, 2, 2);
    {
        ModeScope mode(0);
        EXPECT_EQ(literal(a + M({"1", "1", "1", "1"}, 2, 2)), "[2,3;4,5]");
        EXPECT_EQ(literal(a - M({"1", "1", "1", "1"}, 2, 2)), "[0,1;2,3]");
        EXPECT_EQ(literal(a * M({"5", "6"}, 2, 1)), "[17;39]");
        EXPECT_EQ(literal(a * a), "[7,10;15,22]");
        EXPECT_EQ(literal(a.elementwiseProduct(M({"2", "2", "2", "2"}, 2, 2))), "[2,4;6,8]");
        EXPECT_EQ(literal(scalarTimesMatrix("3", a)), "[3,6;9,12]");
        EXPECT_EQ(literal(matrixTimesScalar(a, "3")), "[3,6;9,12]");
        EXPECT_EQ(literal(matrixTimesScalar(a, "x")), "[x,2*x;3*x,4*x]");
        EXPECT_EQ(literal(matrixDivScalar(M({"2", "4"}, 1, 2), "4")), "[0.5,1]");
        // Only the text "0" is refused; another zero text divides into the arithmetic's own answers.
        EXPECT_TRUE(matrixDivScalar(M({"2", "4"}, 1, 2), "0").isEmpty());
        EXPECT_EQ(literal(matrixDivScalar(M({"2", "0"}, 1, 2), "0.0")), "[∞,∞]");
    }
    ModeScope mode(1);
    EXPECT_EQ(literal(M({"1|2"}, 1, 1) + M({"1|3"}, 1, 1)), "[5|6]");
    EXPECT_EQ(literal(M({"1|2"}, 1, 1) - M({"1|3"}, 1, 1)), "[1|6]");
    EXPECT_EQ(literal(matrixDivScalar(M({"2", "4"}, 1, 2), "2")), "[1,2]");
    EXPECT_EQ(literal(M({"1|2", "1"}, 1, 2) * M({"2", "1|3"}, 2, 1)), "[4|3]");
    EXPECT_EQ(literal(scalarTimesMatrix("2|3", M({"3", "1|2"}, 1, 2))), "[2,1|3]");
}

TEST(MatrixArithmetic, ShapeMismatchesPrintTheirSizes) {
    const struct {
        KV_Matrix (*op)(const KV_Matrix &, const KV_Matrix &);
        KV_Matrix a, b;
        const char *message;
    } cases[] = {
        {[](const KV_Matrix &x, const KV_Matrix &y) { return x + y; }, M({"1", "2"}, 1, 2), M({"1", "2"}, 2, 1),
         "operator+(): 两矩阵类型不匹配, 无法相加.\nsize: (1,2),  (2, 1)\n"},
        {[](const KV_Matrix &x, const KV_Matrix &y) { return x - y; }, M({"1", "2"}, 1, 2), M({"1", "2"}, 2, 1),
         "operator+(): 两矩阵类型不匹配, 无法相减.\nsize: (1,2),  (2, 1)\n"},
        {[](const KV_Matrix &x, const KV_Matrix &y) { return x * y; }, M({"1", "2"}, 1, 2), M({"1", "2"}, 1, 2),
         "operator+(): check the sizes of matrices.\nsize: (1,2),  (1, 2)\n"},
        {[](const KV_Matrix &x, const KV_Matrix &y) { return x * y; }, KV_Matrix(0, 2, "0"), KV_Matrix(2, 0, "0"),
         "operator+(): check the sizes of matrices.\nsize: (0,2),  (2, 0)\n"},
        {[](const KV_Matrix &x, const KV_Matrix &y) { return x.elementwiseProduct(y); }, KV_Matrix(2, 3, "1"),
         KV_Matrix(3, 2, "1"), "A.B: 两矩阵类型不满足乘法要求.\nsize: (2,3),  (3, 2)\n"},
    };
    for (const auto &c : cases) {
        testing::internal::CaptureStdout();
        KV_Matrix r = c.op(c.a, c.b);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.message);
        EXPECT_TRUE(r.isEmpty());
        EXPECT_EQ(r.rows, 0u);
        EXPECT_EQ(r.cols, 0u);
    }
}
