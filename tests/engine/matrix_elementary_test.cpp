// The elementary row and column operations: their effect, their refusals, and the cell
// texts of the evaluated forms.
#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <random>

#include "BigNumber.h"
#include "engine/matrix_test_support.h"
#include "matrix.h"
#include "tools.h"

namespace {

KV_Matrix cells(std::vector<std::string> texts, uint64_t rows, uint64_t cols) { return KV_Matrix(texts, rows, cols); }

struct OperationCase {
    const char *what;
    KV_Matrix before;
    std::function<bool(KV_Matrix &)> operation;
    bool ran;
    const char *after;
};

TEST(MatrixElementary, OperationsOnRowsAndColumns) {
    const KV_Matrix a = cells({"1", "2", "3", "4"}, 2, 2);
    const KV_Matrix wide = cells({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, 2, 5);
    const KV_Matrix tall = cells({"1", "2", "3", "4", "5", "6"}, 3, 2);
    const std::vector<OperationCase> table = {
        {"rows exchanged", a, [](KV_Matrix &m) { return rowSwap(m, 0, 1); }, true, "[3,4;1,2]"},
        {"columns exchanged", a, [](KV_Matrix &m) { return colSwap(m, 0, 1); }, true, "[2,1;4,3]"},
        {"last columns of a wide matrix", wide, [](KV_Matrix &m) { return colSwap(m, 3, 4); }, true,
         "[1,2,3,5,4;6,7,8,10,9]"},
        {"a line with itself", a, [](KV_Matrix &m) { return rowSwap(m, 1, 1); }, true, "[1,2;3,4]"},
        {"row 1 minus row 0", a, [](KV_Matrix &m) { return rowAddRow(m, 1, 2, 0, 0); }, true, "[1,2;2,2]"},
        {"row 0 plus row 1", a, [](KV_Matrix &m) { return rowAddRow(m, 0, 1, 1, 0); }, true, "[4,6;3,4]"},
        {"column 1 plus column 0", a, [](KV_Matrix &m) { return colAddCol(m, 1, 1, 0, 0); }, true, "[1,3;3,7]"},
        {"a row added to itself doubles", a, [](KV_Matrix &m) { return rowAddRow(m, 0, 1, 0, 0); }, true,
         "[2,4;3,4]"},
        {"kind 3 changes nothing", a, [](KV_Matrix &m) { return rowAddRow(m, 0, 3, 1, 0); }, true, "[1,2;3,4]"},
        {"row scaled by a fraction", cells({"2", "4", "1", "1"}, 2, 2),
         [](KV_Matrix &m) { return rowScale(m, 0, "1|2", 1); }, true, "[1,2;1,1]"},
        {"row scaled in decimals", a, [](KV_Matrix &m) { return rowScale(m, 1, "(1/2)", 0); }, true, "[1,2;1.5,2.0]"},
        {"column scaled", a, [](KV_Matrix &m) { return colScale(m, 0, "-3", 0); }, true, "[-3,2;-9,4]"},
        {"row plus a multiple", a, [](KV_Matrix &m) { return rowAddMultiple(m, 1, 0, "-3", 0); }, true,
         "[1,2;0,-2]"},
        {"column plus a multiple", a, [](KV_Matrix &m) { return colAddMultiple(m, 0, 1, "(1/2)", 1); }, true,
         "[2,2;5,4]"},
        {"a multiple of itself", a, [](KV_Matrix &m) { return rowAddMultiple(m, 0, 0, "2", 0); }, true,
         "[3,6;3,4]"},
        // every index is checked before anything is computed
        {"column 2 of two", tall, [](KV_Matrix &m) { return colSwap(m, 2, 0); }, false, "[1,2;3,4;5,6]"},
        {"column index equal to cols", tall, [](KV_Matrix &m) { return colAddCol(m, 0, 1, 2, 0); }, false,
         "[1,2;3,4;5,6]"},
        {"row index equal to rows", a, [](KV_Matrix &m) { return rowScale(m, 2, "5", 0); }, false, "[1,2;3,4]"},
        {"index -1 of a line number 0", a, [](KV_Matrix &m) { return rowAddMultiple(m, UINT64_MAX, 0, "1", 0); },
         false, "[1,2;3,4]"},
        {"second index", a, [](KV_Matrix &m) { return colAddMultiple(m, 0, 7, "1", 0); }, false, "[1,2;3,4]"},
        {"kind 3 out of range", a, [](KV_Matrix &m) { return rowAddRow(m, 0, 3, 5, 0); }, false, "[1,2;3,4]"},
    };
    for (const OperationCase &c : table) {
        KV_Matrix m = c.before;
        EXPECT_EQ(c.operation(m), c.ran) << c.what;
        EXPECT_EQ(literal(m), c.after) << c.what;
    }
}

// The add forms read the other line before writing, so sums of texts come out whole; in
// decimal mode a fraction sum stays the sum text the decimal arithmetic writes, in
// fraction mode it is one fraction.
TEST(MatrixElementary, CellTextsByMode) {
    KV_Matrix m = cells({"1|2", "1", "1|3", "2"}, 2, 2);
    rowAddRow(m, 0, 1, 1, 1);
    EXPECT_EQ(literal(m), "[5|6,3;1|3,2]");
    m = cells({"0.5", "1"}, 1, 2);
    colScale(m, 0, "2", 0);
    EXPECT_EQ(literal(m), "[1.0,1]");
    // A factor in brackets is taken whole, not cut at its outer characters.
    m = cells({"3"}, 1, 1);
    rowScale(m, 0, "(1)+(2)", 0);
    EXPECT_EQ(literal(m), "[9]");
    // Cells that are no numbers stay expression texts.
    m = cells({"x", "1", "2", "3"}, 2, 2);
    rowAddMultiple(m, 0, 1, "-3", 1);
    EXPECT_EQ(m.get(0, 0), "(x-6)");
}

// Reduced fraction cells take a direct exact road in fraction mode: its texts are the
// evaluator's.
TEST(MatrixElementary, ExactRoadWritesTheEvaluatorsTexts) {
    std::mt19937 rng(24);
    BigNumber bn;
    // Reduced texts, as the elimination's cells are after its first steps.
    auto number = [&] {
        int64_t p = int64_t(rng() % 61) - 30, q = rng() % 2 ? int64_t(rng() % 12) + 1 : 1;
        int64_t g = std::gcd(p < 0 ? -p : p, q);
        p /= g, q /= g;
        return std::to_string(p) + (q == 1 ? "" : "|" + std::to_string(q));
    };
    auto reference = [&](const std::string &text) {
        std::string v;
        bn.EvalInfixExprNoOutput(text, v, 1);
        return reduce_fraction(v);
    };
    for (int round = 0; round < 400; round++) {
        const std::string a = number(), b = number(), k = number();
        KV_Matrix m = cells({a, b}, 2, 1);
        rowAddMultiple(m, 0, 1, k, 1);
        EXPECT_EQ(m.get(0, 0), reference("(" + a + ")+(" + b + ")*(" + k + ")")) << a << " " << b << " " << k;
        m = cells({a}, 1, 1);
        rowScale(m, 0, k, 1);
        EXPECT_EQ(m.get(0, 0), reference("(" + a + ")*(" + k + ")")) << a << " " << k;
    }
}

// Cells in the main variable: each result is written as its normalised polynomial.
TEST(MatrixElementary, SymbolicOperations) {
    const KV_Matrix rows = cells({"x^2", "2", "x", "1"}, 2, 2);
    const std::vector<OperationCase> table = {
        {"row (x, 1) added to row (x^2, 2)", rows, [](KV_Matrix &m) { return rowAddRowSymbolic(m, 0, 1, 1, 0); },
         true, "[x^2+x^1,3;x,1]"},
        {"in fraction mode the bracketed sum is read too", rows,
         [](KV_Matrix &m) { return rowAddRowSymbolic(m, 0, 1, 1, 1); }, true, "[x^2+x^1,3;x,1]"},
        {"subtracted", rows, [](KV_Matrix &m) { return rowAddRowSymbolic(m, 0, 2, 1, 2); }, true,
         "[x^2-1x^1,1;x,1]"},
        {"column scaled by (1/2)", rows, [](KV_Matrix &m) { return colScaleSymbolic(m, 0, "(1/2)", 2); }, true,
         "[1|2x^2,2;1|2x^1,1]"},
        {"row scaled by x", rows, [](KV_Matrix &m) { return rowScaleSymbolic(m, 1, "x", 2); }, true,
         "[x^2,2;x^2,x^1]"},
        {"row plus row times -x", rows, [](KV_Matrix &m) { return rowAddMultipleSymbolic(m, 0, 1, "-x", 2); }, true,
         "[0,-1x^1+2;x,1]"},
        {"column plus column times 2", rows,
         [](KV_Matrix &m) { return colAddMultipleSymbolic(m, 1, 0, "2", 2); }, true, "[x^2,2x^2+2;x,2x^1+1]"},
        {"column minus itself", rows, [](KV_Matrix &m) { return colAddColSymbolic(m, 0, 2, 0, 2); }, true,
         "[0,2;0,1]"},
        {"row index out of range", rows, [](KV_Matrix &m) { return rowScaleSymbolic(m, 2, "x", 2); }, false,
         "[x^2,2;x,1]"},
        {"column index out of range", rows, [](KV_Matrix &m) { return colAddColSymbolic(m, 0, 1, 2, 2); }, false,
         "[x^2,2;x,1]"},
    };
    for (const OperationCase &c : table) {
        KV_Matrix m = c.before;
        EXPECT_EQ(c.operation(m), c.ran) << c.what;
        EXPECT_EQ(literal(m), c.after) << c.what;
    }
    // A message of the evaluator is kept as it is.
    KV_Matrix m = cells({"x^99999999999", "1"}, 1, 2);
    rowScaleSymbolic(m, 0, "x^99999999999", 2);
    EXPECT_TRUE(isMessageText(m.get(0, 0))) << m.get(0, 0);
}

TEST(MatrixElementary, ZeroNumbers) {
    for (const char *zero : {"0", "-0", "+0", "00", "0.0", "-0.000", "0|3", "-0/7", "0|1"})
        EXPECT_TRUE(isZeroNumber(zero)) << zero;
    for (const char *other : {"", "-", ".", "1", "0.01", "1|2", "0|0", "0|", "x", "0x", "0-0", "1e0"})
        EXPECT_FALSE(isZeroNumber(other)) << other;
}

}  // namespace
