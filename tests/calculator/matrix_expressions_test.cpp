// Expressions over matrix variables: what the evaluator writes after the interpreter's
// "\nout> " for each typed line (the standard output's lines first, then the answer), its
// result code, and the temporaries it leaves.
#include <gtest/gtest.h>

#include "calculator_test_support.h"
#include "matrix/matrix_expressions.h"
#include "matrix_test_support.h"

namespace {

// The postfix text the interpreter hands over for a line in the current mode.
std::string postfixOf(Calculator &calculator, const std::string &line) {
    BigNumber bn;
    bn.setExpression(line);
    bn.prepareExpression();
    bool fractions = (calculator.core.getMode() & kFractionBit) != 0;
    bn.setExpression(fractions ? bn.tokenizeSymbolicInfix() : bn.tokenizePolynInfix());
    if (fractions) {
        bn.ConvertFractionInfixToPostfix();
        return bn.InsertCommaInPostfix();
    }
    bn.ConvertPolynInfixToPostfix();
    return bn.InsertCommaInPolynPostfix();
}

struct Row {
    const char *line;
    int code;
    const char *shown;
    const char *temporary; // a name the table holds afterwards, with its value text
    const char *value;
};

class MatrixExpressions : public ::testing::Test {
  protected:
    void SetUp() override {
        tmpMatrixCounter = 0;
        calculator.setOperatorChars();
        defineMatrix(calculator, "A", {"1", "2", "3", "4"}, 2, 2);
        defineMatrix(calculator, "B", {"5", "6", "7", "8"}, 2, 2);
        defineMatrix(calculator, "C", {"1", "2", "3", "4", "5", "6"}, 2, 3);
        defineMatrix(calculator, "D", {"1", "2", "3", "4", "5", "6"}, 2, 3);
        defineMatrix(calculator, "S", {"1", "2", "2", "4"}, 2, 2);
        defineMatrix(calculator, "A1", {"1.0", "2", "3", "4"}, 2, 2);
        calculator.variables["k"].typeName = "int";
        calculator.variables["k"].name = "k";
        calculator.variables["k"].valueText = "3";
        calculator.variables["n"].typeName = "int";
        calculator.variables["n"].name = "n";
        calculator.variables["n"].valueText = "-1";
    }
    void run(const Row *rows, size_t count) {
        for (size_t i = 0; i < count; i++) {
            const Row &row = rows[i];
            calculator.output.str("");
            std::string printed = captureStdout([&] {
                EXPECT_EQ(calculator.EvalMatrixPostfixExpression(postfixOf(calculator, row.line), calculator.output),
                          row.code)
                    << row.line;
            });
            EXPECT_EQ(printed + calculator.output.str(), row.shown) << row.line;
            if (row.temporary) {
                EXPECT_EQ(valueTextOf(calculator, row.temporary), row.value) << row.line;
            }
        }
    }
    Calculator calculator;
};

TEST_F(MatrixExpressions, DecimalMode) {
    const Row rows[] = {
        {"A+B", 1, "\n6\t8\t\n10\t12\t\n", "__tmpMatrixA_plus_B_0", "[6,8;10,12]"},
        // The same expression again: its first name is taken, the counter moves on for all.
        {"A+B", 1, "\n6\t8\t\n10\t12\t\n", "__tmpMatrixA_plus_B_1", "[6,8;10,12]"},
        {"B-A", 1, "\n4\t4\t\n4\t4\t\n", "__tmpMatrixB_minus_A_1", "[4,4;4,4]"},
        {"A+B*A", 1, "\n23\t34\t\n31\t46\t\n\n24\t36\t\n34\t50\t\n", "__tmpMatrixA_plus___tmpMatrixB_mul_A_1_1",
         "[24,36;34,50]"},
        {"2*A", 1, "\n2\t4\t\n6\t8\t\n", "__tmpMatrix2_mul_A_1", "[2,4;6,8]"},
        {"A*2", 1, "\n2\t4\t\n6\t8\t\n", "__tmpMatrixA_mul_2_1", "[2,4;6,8]"},
        {"A*k", 1, "\n3\t6\t\n9\t12\t\n", "__tmpMatrixA_mul_k_1", "[3,6;9,12]"},
        {"x*A", 1, "\nx\t2*x\t\n3*x\t4*x\t\n", "__tmpMatrixx_mul_A_1", "[x,2*x;3*x,4*x]"},
        {"A^0", 1, "\n1\t0\t\n0\t1\t\n", "__tmpMatrixA_pow_0_1", "[1,0;0,1]"},
        {"A^3", 1, "\n37\t54\t\n81\t118\t\n", "__tmpMatrixA_pow_3_1", "[37,54;81,118]"},
        {"C^0", 1, "\n1\t0\t0\t\n0\t1\t0\t\n", "__tmpMatrixC_pow_0_1", "[1,0,0;0,1,0]"},
        {"A/2", 1, "\n0.5\t1\t\n1.5\t2\t\n", "__tmpMatrixA_div_2_1", "[0.5,1;1.5,2]"},
        {"A~A", 1, "\n0\t\n", "__tmpMatrixA_A_1", "[0]"},
        {"A~A1", -6, "", "__tmpMatrixA_A1_1", "(none)"},
        {"A+2", 0, "", "__tmpMatrixA_plus_2_1", "(none)"},
        {"A-2", 0, "", nullptr, nullptr},
        {"A%B", 0, "", nullptr, nullptr},
        {"k+k", 0, "", nullptr, nullptr},
        {"A+C", -1, "The two matrices are of inconsistent types.\n不同类型的矩阵无法相加\n", nullptr, nullptr},
        {"A-C", -2, "The two matrices are of inconsistent types.\n不同类型的矩阵无法相减\n", nullptr, nullptr},
        {"C*D", -3,
         "The number of columns of first matrix is NOT equal to the number of rows of the second matrix.\n"
         "第一个矩阵的列数不等于第二个矩阵的行数, 无法相乘\n",
         nullptr, nullptr},
        {"C/D", -3, "", nullptr, nullptr},
        {"2^A", -5, "", nullptr, nullptr},
        {"A^B", -5, "", nullptr, nullptr},
        // A singular divisor: the inverse reports it and the product meets an empty matrix.
        {"A/S", 1, "行列式为0, 矩阵不可逆.\noperator+(): check the sizes of matrices.\nsize: (2,2),  (0, 0)\n\n",
         "__tmpMatrixA_div_S_1", "[]\n"},
        // Earlier steps of a failing expression stay.
        {"A+B+C", -1, "\n6\t8\t\n10\t12\t\nThe two matrices are of inconsistent types.\n不同类型的矩阵无法相加\n",
         "__tmpMatrixA_plus_B_2", "[6,8;10,12]"},
    };
    run(rows, std::size(rows));
    EXPECT_EQ(tmpMatrixCounter, 2);
}

TEST_F(MatrixExpressions, FractionMode) {
    calculator.core.setMode(1);
    const Row rows[] = {
        {"A/B", 1, "\n3\t-2\t\n2\t-1\t\n", "__tmpMatrixA_div_B_0", "[3,-2;2,-1]"},
        {"A^-1", kMatrixMissingOperand, "The operator ^ needs two operands.\n", nullptr, nullptr},
        // "A^(0-1)" stops at the "-" of two numbers (code 0); a variable carries the sign.
        {"A^(0-1)", 0, "", nullptr, nullptr},
        {"A^n", 1, "\n-2\t1\t\n3|2\t-1|2\t\n", "__tmpMatrixA_pow_n_0", "[-2,1;3|2,-1|2]"},
        {"2/A", 1, "\n-4\t2\t\n3\t-1\t\n", "__tmpMatrix2_div_A_0", "[-4,2;3,-1]"},
        {"A/3", 1, "\n1|3\t2|3\t\n1\t4|3\t\n", "__tmpMatrixA_div_3_0", "[1|3,2|3;1,4|3]"},
    };
    run(rows, std::size(rows));
}

TEST_F(MatrixExpressions, BoundsOfTheEvaluation) {
    const Row rows[] = {
        // Operators without operands end the walk with a code and a text.
        {"+", 1, "", nullptr, nullptr}, // fewer than three tokens: nothing is evaluated
        {"A^1001", -5, "Error> 1001 is out of range: an integer from -1000 to 1000 is needed here.\n", nullptr,
         nullptr},
        {"A^1.5", -5, "Error> 1.5 is out of range: an integer from -1000 to 1000 is needed here.\n", nullptr,
         nullptr},
    };
    run(rows, std::size(rows));
    calculator.output.str("");
    EXPECT_EQ(calculator.EvalMatrixPostfixExpression("+,A,B", calculator.output), kMatrixMissingOperand);
    EXPECT_EQ(calculator.output.str(), "The operator + needs two operands.\n");
    calculator.output.str("");
    EXPECT_EQ(calculator.EvalMatrixPostfixExpression("[,A,B,,", calculator.output), kMatrixMissingOperand);
    calculator.output.str("");
    EXPECT_EQ(calculator.EvalMatrixPostfixExpression("A,B,+,*", calculator.output), kMatrixMissingOperand);
    EXPECT_EQ(calculator.output.str(), "\n6\t8\t\n10\t12\t\nThe operator * needs two operands.\n");
}

// A generated name that a variable of another type already holds is passed over, never
// half-filled.
TEST_F(MatrixExpressions, TemporaryNamesNeverLandOnOtherVariables) {
    calculator.variables["__tmpMatrixA_plus_B_0"].valueText = "5";
    calculator.variables["__tmpMatrixA_plus_B_1"].valueText = "6";
    calculator.output.str("");
    EXPECT_EQ(calculator.EvalMatrixPostfixExpression("A,B,+", calculator.output), 1);
    EXPECT_EQ(valueTextOf(calculator, "__tmpMatrixA_plus_B_0"), "5");
    EXPECT_EQ(valueTextOf(calculator, "__tmpMatrixA_plus_B_1"), "6");
    EXPECT_EQ(valueTextOf(calculator, "__tmpMatrixA_plus_B_2"), "[6,8;10,12]");
    const KV_Matrix *m = matrixValueOf(calculator, "__tmpMatrixA_plus_B_2");
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(literalText(*m), "[6,8;10,12]");
    VariableBase *v = nullptr;
    ASSERT_TRUE(getMatrixVariable(calculator, "__tmpMatrixA_plus_B_2", v));
    EXPECT_EQ(v->getText(), "-8"); // its determinant
}

} // namespace
