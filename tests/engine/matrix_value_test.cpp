#include <gtest/gtest.h>

#include <sstream>

#include "engine/matrix_test_support.h"
#include "matrix.h"

namespace {

std::string tabbed(const KV_Matrix &m) {
    std::ostringstream os;
    m.printTo(os);
    return os.str();
}

using Rows = std::vector<std::vector<std::string>>;

}  // namespace

TEST(MatrixValue, Constructors) {
    KV_Matrix fill(2, 3, "7");
    EXPECT_EQ(literal(fill), "[7,7,7;7,7,7]");
    EXPECT_EQ(fill.size, 6u);
    KV_Matrix flat0(0, 5, "7");
    EXPECT_TRUE(flat0.isEmpty());
    EXPECT_EQ(flat0.rows, 0u);
    EXPECT_EQ(flat0.cols, 5u);
    EXPECT_TRUE(flat0.cells.empty());
    EXPECT_EQ(literal(KV_Matrix(2, "x")), "[x,x;x,x]");
    EXPECT_TRUE(KV_Matrix(0, "x").isEmpty());
    EXPECT_EQ(literal(KV_Matrix()), "[0]");

    EXPECT_EQ(literal(KV_Matrix(std::vector<std::string>{"1", "2", "3"}, 2, 2)), "[1,2;3,0]");
    EXPECT_EQ(literal(KV_Matrix(std::vector<std::string>{"1", "2", "3", "4", "5"}, 2, 2)), "[1,2;3,4]");
    EXPECT_EQ(literal(KV_Matrix(Rows{{"1"}, {"2", "3"}}, 2, 2)), "[1,0;2,3]");
    // Row lists longer or more numerous than the shape are cut, never written past the cells.
    EXPECT_EQ(literal(KV_Matrix(Rows{{"1", "2", "3", "4"}, {"5"}, {"6", "7"}}, 2, 2)), "[1,2;5,0]");
}

TEST(MatrixValue, OversizedShapesAreRefused) {
    const uint64_t shapes[][2] = {{uint64_t(1) << 32, uint64_t(1) << 32}, {KV_Matrix::kMaxCells + 1, 1},
                                  {~uint64_t(0), 2}};
    for (auto [r, c] : shapes) {
        KV_Matrix m(r, c, "1");
        EXPECT_TRUE(m.isEmpty()) << r << " x " << c;
        EXPECT_EQ(m.rows, 0u);
        EXPECT_EQ(m.cols, 0u);
        m = KV_Matrix(2, "1");
        m.resizeFill(r, c, "0");
        EXPECT_TRUE(m.cells.empty());
    }
}

TEST(MatrixValue, CellsAndShape) {
    KV_Matrix m(2, 2, "0");
    m.set(0, 1, "5");
    m.set(2, 0, "out");  // outside: stored nowhere
    m.set(0, 2, "out");
    EXPECT_EQ(literal(m), "[0,5;0,0]");
    EXPECT_EQ(m.get(0, 1), "5");
    EXPECT_EQ(matrixCell(m, 0, 1), "5");
    EXPECT_EQ(m.get(0, 2), "");
    EXPECT_EQ(m.get(5, 5), "");

    m.resizeFill(1, 3, "9");
    EXPECT_EQ(literal(m), "[9,9,9]");

    KV_Matrix moved(std::move(m));
    EXPECT_EQ(literal(moved), "[9,9,9]");
    EXPECT_TRUE(m.isEmpty());  // a moved-from matrix is a valid 0 x 0
    EXPECT_EQ(m.rows, 0u);
    m = KV_Matrix(1, "4");
    EXPECT_EQ(literal(m), "[4]");
}

TEST(MatrixValue, RowMinimum) {
    KV_Matrix row(std::vector<std::string>{"5", "-1", "3", "-1"}, 1, 4);
    std::string out;
    EXPECT_EQ(row.rowMinFrom(0, out, 0), 1u);
    EXPECT_EQ(out, "-1");
    EXPECT_EQ(row.rowMinFrom(0, out, 9), 3u);
    EXPECT_EQ(out, "-1");
    KV_Matrix mixed(std::vector<std::string>{"-2.5", "-3", "-1|2", "-2"}, 1, 4);
    EXPECT_EQ(mixed.rowMinFrom(0, out, 0), 1u);
    EXPECT_EQ(out, "-3");
    EXPECT_EQ(mixed.rowMinFrom(0, out, 2), 3u);  // -2 < -1|2
    EXPECT_EQ(out, "-2");
    KV_Matrix fractions(std::vector<std::string>{"1|2", "1|3", "0.25", "2|3"}, 1, 4);
    EXPECT_EQ(fractions.rowMinFrom(0, out, 0), 2u);
    EXPECT_EQ(out, "0.25");
    // Outside the shape: no cell is read.
    EXPECT_EQ(row.rowMinFrom(1, out, 0), 0u);
    EXPECT_EQ(out, "");
    EXPECT_EQ(KV_Matrix(3, 0, "0").rowMinFrom(0, out, 0), 0u);
}

TEST(MatrixValue, EqualityIsByText) {
    EXPECT_FALSE(KV_Matrix(1, "1") == KV_Matrix(1, "1.0"));
    EXPECT_FALSE(KV_Matrix(1, 2, "1") == KV_Matrix(2, 1, "1"));
    EXPECT_FALSE(KV_Matrix(1, "1|2") == KV_Matrix(1, "0.5"));
    EXPECT_TRUE(KV_Matrix(0, 3, "1") == KV_Matrix(0, 3, "2"));
    EXPECT_TRUE(KV_Matrix(2, "x") == KV_Matrix(2, "x"));
}

TEST(MatrixValue, IdentityAndTranspose) {
    KV_Matrix m(3, 2, "7");
    KV_Matrix id = m.identity();
    EXPECT_EQ(literal(id), "[1,0;0,1;0,0]");
    EXPECT_EQ(literal(m), "[1,0;0,1;0,0]");
    EXPECT_EQ(literal(KV_Matrix(2, 3, "x").identity()), "[1,0,0;0,1,0]");

    EXPECT_EQ(literal(KV_Matrix(std::vector<std::string>{"1", "2", "3"}, 1, 3).transposeMatrix()), "[1;2;3]");
    EXPECT_EQ(literal(KV_Matrix(std::vector<std::string>{"1", "2", "3", "4", "5", "6"}, 2, 3).transposeMatrix()),
              "[1,4;2,5;3,6]");
    EXPECT_TRUE(KV_Matrix(0, "0").transposeMatrix().isEmpty());
}

TEST(MatrixValue, SortEntries) {
    KV_Matrix m(std::vector<std::string>{"3", "1", "2", "-1"}, 2, 2);
    sortMatrixEntries(m, true, 0);
    EXPECT_EQ(literal(m), "[-1,1;2,3]");
    sortMatrixEntries(m, false, 0);
    EXPECT_EQ(literal(m), "[3,2;1,-1]");
    KV_Matrix f(std::vector<std::string>{"1", "1|2", "0"}, 1, 3);
    sortMatrixEntries(f, true, 1);
    EXPECT_EQ(literal(f), "[0|1,1|2,1|1]");
}

TEST(MatrixValue, PrintedForms) {
    const struct {
        KV_Matrix m;
        const char *literal, *tabbed;
    } cases[] = {
        {KV_Matrix(1, "5"), "[5]", "5\t\n"},
        {KV_Matrix(std::vector<std::string>{"a", "b", "c"}, 3, 1), "[a;b;c]", "a\t\nb\t\nc\t\n"},
        {KV_Matrix(std::vector<std::string>{"a", "b", "c"}, 1, 3), "[a,b,c]", "a\tb\tc\t\n"},
        {KV_Matrix(std::vector<std::string>{"1", "2", "3", "4"}, 2, 2), "[1,2;3,4]", "1\t2\t\n3\t4\t\n"},
        {KV_Matrix(0, "0"), "[]\n", "error> This matrix is empty.\n"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(literal(c.m), c.literal);
        EXPECT_EQ(tabbed(c.m), c.tabbed) << c.literal;
    }
    std::ostringstream os;
    EXPECT_EQ(&writeMatrixCells(os, KV_Matrix(0, "0")), &os);
    EXPECT_EQ(os.str(), "");
    testing::internal::CaptureStdout();
    KV_Matrix(std::vector<std::string>{"1", "2"}, 1, 2).print();
    KV_Matrix(0, "0").print();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "1\t2\t\nerror> This matrix is empty.\n");
}

TEST(MatrixValue, Mode) {
    int32_t before = getMatrixMode();
    setMatrixMode(3);
    EXPECT_EQ(getMatrixMode(), 3);
    EXPECT_TRUE(matrixFractionMode());
    setMatrixMode(2);
    EXPECT_FALSE(matrixFractionMode());
    setMatrixMode(before);
}
