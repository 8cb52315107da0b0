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

// Cells typed as a/b, a|b or decimals are exact rationals on every matrix road, written in
// the mode's form at the end.
TEST(MatrixCommandTranscripts, CellsTypedAsQuotients) {
    Calculator calculator;
    calculator.setOperatorChars();
    const Line lines[] = {
        {"A=[1/2,1;1,2]", "--------------------\n\n1/2\t1\t\n1\t2\t\n\n--------------------\n>> "},
        // a pivot typed 1/2 is the fraction 1|2, not the text "1|1/2" of its reciprocal
        {"rank(A)", "1\n>> "},
        {"rank(A,row)", "r1*2 ==>\n\n1\t2\t\n1\t2\t\n\n------------\nr2+r1*(-1) ==>\n\n1\t2\t\n0\t0\t\n\n------------\n\nThe linearly independent column vectors are:\nc1.\n1\n>> "},
        {":mode numerical", "Switch into numerical calculating mode.\ne.g., 1/2+1/3 will return 0.83333333\n\n>> "},
        {"A=[3/2]", "--------------------\n\n3/2\t\n\n--------------------\n>> "},
        {"b=[4]", "--------------------\n\n4\t\n\n--------------------\n>> "},
        {"solve(A*x==b)", "3/2\t4\t\n\nThe solution is:\nx= E_0 + \nwhere E_0 is the special solution and the others form the base of the solution:\n---------------\nE_0\t\n------------------------\n8|3\t\n\n------------------------\n\n>> "},
        {"A=[2/3,1;4/3,2]", "--------------------\n\n2/3\t1\t\n4/3\t2\t\n\n--------------------\n>> "},
        {"b=[1;2]", "--------------------\n\n1\t\n2\t\n\n--------------------\n>> "},
        {"solve(A*x==b)", "The augmented matrix is:\n2/3\t1\t1\t\n4/3\t2\t2\t\n\n-----------------------\n\nThe solution is:\nx= E_0 + C_1*E_1\nwhere E_0 is the special solution and the others form the base of the solution:\n---------------\nE_0\tE_1\t\n------------------------\n3|2\t-3|2\t\n0\t1\t\n\n------------------------\n\n>> "},
        {"A2=[1/3,1/2]", "--------------------\n\n1/3\t1/2\t\n\n--------------------\n>> "},
        {"A2/3", "\nout> \n0.11111111\t0.16666667\t\n\n------------------------\n\n\n>> "},
        {"A3=[1|3,1|2]", "--------------------\n\n1|3\t1|2\t\n\n--------------------\n>> "},
        {"B3=[1|3,1|3]", "--------------------\n\n1|3\t1|3\t\n\n--------------------\n>> "},
        {"T3=[1|2;3]", "--------------------\n\n1|2\t\n3\t\n\n--------------------\n>> "},
        {"A3*T3", "\nout> \n1.66666667\t\n\n------------------------\n\n\n>> "},
        // a|b cells in decimal mode are numbers, written as decimals at the end
        {"A3+B3", "\nout> \n0.66666667\t0.83333333\t\n\n------------------------\n\n\n>> "},
        {"[1|3,1|2]+[1/3,1/3]", "\nout> \n0.66666667\t0.83333333\t\n\n------------------------\n\n\n>> "},
        {"A=[8,-3;2,4/3]", "--------------------\n\n8\t-3\t\n2\t4/3\t\n\n--------------------\n>> "},
        {"inv(A)", "out> \n0.08\t0.18\t\n-0.12\t0.48\t\n\n\n------------------------\n\n\n>> "},
        {"S=[-107|15,-35|3,14|3,-4;-51|20,-1,-13|2,-1;971|560,51|28,19|56,7|4;11|20,3,-3|10,-19|5]", "--------------------\n\n-107|15\t-35|3\t14|3\t-4\t\n-51|20\t-1\t-13|2\t-1\t\n971|560\t51|28\t19|56\t7|4\t\n11|20\t3\t-3|10\t-19|5\t\n\n--------------------\n>> "},
        // singular: decided on the exact cells, not on a determinant rounded near 0
        {"inv(S)", "out> \nerror> This matrix is empty.\n\n\n------------------------\n\n\n>> "},
        {"det(S)", "out> 0\n\n------------------------\n\n>> "},
        {":mode fraction", "Switch into fraction calculating mode.\ne.g., 1/2+1/3 will return 5/6\n\n>> "},
        {"P=[1/3,1/3]", "--------------------\n\n1/3\t1/3\t\n\n--------------------\n>> "},
        {"Q=[1;1]", "--------------------\n\n1\t\n1\t\n\n--------------------\n>> "},
        // a/b cells in fraction mode are fractions
        {"P*Q", "\nout> \n2|3\t\n\n------------------------\n\n\n>> "},
        {"C=[1/3,1/2]", "--------------------\n\n1/3\t1/2\t\n\n--------------------\n>> "},
        {"D=[1/3,1/3]", "--------------------\n\n1/3\t1/3\t\n\n--------------------\n>> "},
        {"C+D", "\nout> \n2|3\t5|6\t\n\n------------------------\n\n\n>> "},
        // literals joined by operators are answered as the same matrices held by names would be
        {"[1/3,1/2]+[1/3,1/3]", "\nout> \n2|3\t5|6\t\n\n------------------------\n\n\n>> "},
        // each operation's matrix is written, the product's first, as for names
        {"[1,2;3,4]*[1/2;1/3] - [1;1]",
         "\nout> \n7|6\t\n17|6\t\n\n1|6\t\n11|6\t\n\n------------------------\n\n\n>> "},
        {"A2/3", "\nout> \n1|9\t1|6\t\n\n------------------------\n\n\n>> "},
        {"Qc=[1,1,0;1,0,1;0,1,1]", "--------------------\n\n1\t1\t0\t\n1\t0\t1\t\n0\t1\t1\t\n\n--------------------\n>> "},
        // norms that are no squares: each factor a rational times one square root
        {"QR(Qc)", "\n---O--------------\nsqrt(2)|2\tsqrt(6)|6\t-sqrt(3)|3\t\nsqrt(2)|2\t-sqrt(6)|6\tsqrt(3)|3\t\n0\tsqrt(6)|3\tsqrt(3)|3\t\n\n-----------------\n\n---R--------------\nsqrt(2)\tsqrt(2)|2\tsqrt(2)|2\t\n0\tsqrt(6)|2\tsqrt(6)|6\t\n0\t0\t2*sqrt(3)|3\t\n\n-----------------\n\n>> "},
    };
    for (const Line &line : lines) {
        captureStdout([&] { calculator.dealWithInputCommand({line.typed}); });
        EXPECT_EQ(shownText(calculator), line.shown) << line.typed;
    }
    // the literals were held only while their line was answered
    EXPECT_EQ(calculator.variables.count("MatrixLiteral1"), 0u);
    EXPECT_EQ(calculator.variables.count("MatrixLiteral2"), 0u);
}

} // namespace
