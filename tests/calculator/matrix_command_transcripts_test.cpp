// The matrix commands reached through the interpreter: typed lines and the text the
// terminal shows. The interpreter keeps the blanks of a call in its command text.
#include <gtest/gtest.h>

#include "calculator_test_support.h"
#include "matrix/matrix_commands.h"
#include "matrix_test_support.h"

namespace {

struct Line {
    const char *typed;
    const char *shown;
};

TEST(MatrixCommandTranscripts, TypedLines) {
    transformKind = 0;
    elementary_matrix_counter = 0;
    Calculator calculator;
    calculator.setOperatorChars();
    const Line lines[] = {
        {"S=[1,2;2,4]", "--------------------\n\n1\t2\t\n2\t4\t\n\n--------------------\n>> "},
        {"A=[1 2 3;4 5 6;7 8 0]",
         "--------------------\n\n1\t2\t3\t\n4\t5\t6\t\n7\t8\t0\t\n\n--------------------\n>> "},
        {"P=[3,0;4,5]", "--------------------\n\n3\t0\t\n4\t5\t\n\n--------------------\n>> "},
        {"rank(S)", "1\n>> "},
        {"rank(S, row)", "r2+r1*(-2) ==>\n\n1\t2\t\n0\t0\t\n\n------------\n\n"
                         "The linearly independent column vectors are:\nc1.\n1\n>> "},
        {"S.rank()", "in> S.rank()\n1\n\n>> "},
        {"QR(P)", "\n---O--------------\n0.6\t-0.8\t\n0.8\t0.6\t\n\n-----------------\n"
                  "\n---R--------------\n5.00000000\t4.0\t\n0\t3.00000000\t\n\n-----------------\n\n>> "},
        {"transform(A, r2-r1*4)", "1\t2\t3\t\n0\t-3\t-6\t\n7\t8\t0\t\n\n>> "},
        {"A", "in> A\n1\t2\t3\t\n0\t-3\t-6\t\n7\t8\t0\t\n\n>> "},
        {"det(A)", "27\n>> "}, // kept by transform with the new value
        {"transform(A, r1+c2)", "hint> usage: transform(A, ...)\nwhere ... means the operation to matrix A.\n"
                                " It can be r1+r2*k, r1-r2, and etc.\n\n------------------------\n\n>> "},
        {"E(3,2(5))", "Elementary matrix>\n\n1\t0\t0\t\n0\t5\t0\t\n0\t0\t1\t\n\n\n>> "},
        {"E(3, 1, 2)", "Elementary matrix>\n\n0\t1\t0\t\n1\t0\t0\t\n0\t0\t1\t\n\n\n>> "},
        {"DetExpansion(P, r1)", "expansion>\n\n3*(-1)^(1+1)*|P1_1|\nwhere\n\nP1_1:\n------------\n5\t\n\n\n>> "},
        {"CofactorMatrix(A, 2, 3)", "cofactor matrix at (2,3) :\n\n1\t2\t\n7\t8\t\n\n>> "},
    };
    for (const Line &line : lines) {
        captureStdout([&] { calculator.dealWithInputCommand({line.typed}); }); // the assignments' echo
        EXPECT_EQ(shownText(calculator), line.shown) << line.typed;
    }
    EXPECT_EQ(valueTextOf(calculator, "A"), "[1,2,3;0,-3,-6;7,8,0]");
    EXPECT_EQ(valueTextOf(calculator, "E3_2x0"), "[1,0,0;0,5,0;0,0,1]");
    EXPECT_EQ(valueTextOf(calculator, "PR"), "[5.00000000,4.0;0,3.00000000]");
}

} // namespace
