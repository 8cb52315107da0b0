// Transcripts of the integer searches (squaresum, cubicsum, cubicsum2, solve_x3plusy3_zn,
// solve_n3plus_until_m3_eq_p3, subset) and of IndefiniteEquation.
#include <gtest/gtest.h>

#include "number_command_support.h"

using namespace numbers;

TEST(IntegerSearchCommands, Transcript) {
    HandlerCalculator h;
    expectTranscript(
        h.calculator,
        {
            // the solutions are written into the answer, one a line
            {"squaresum(10,25)", "out> \n3^2+(-4)^2\n3^2+(4)^2\n4^2+(-3)^2\n4^2+(3)^2\n5^2+(0)^2\n" + closingBlock},
            {"squaresum(0,5)", "out> \n" + closingBlock},
            {"squaresum(10 25)", shapeHint},
            {"squaresum(10,-25)", hint("10 or -25 is not a decimal number.")},
            {"cubicsum(5,3)", "out> \n1^3+(1)^3+(1)^3\n4^3+(-5)^3+(4)^3\n4^3+(4)^3+(-5)^3\n" + closingBlock},
            {"cubicsum(100000,5)",
             "out> \nError> 100000 is out of range: an integer from 0 to 1000 is needed here.\n" + closingBlock},
            {"cubicsum2(1,2,x)", "error:\n" + hint("1 or 2 is not a decimal number.")},
            {"solve_n3plus_until_m3_eq_p3(1,30)", "out> \n3^3 + ... + 5^3 = 6^3\n3^3 + ... + 22^3 = 40^3\n"
                                                  "11^3 + ... + 14^3 = 20^3\n\n---------\nTotal: 3 solutions.\n\n" +
                                                      closingBlock},
            {"solve_x3plusy3_zn(1,x)", hint("1 or x contains non digit char.")},
            {"subset(3,5)", "Error: 3 is less than 5.\n>> "},
            {"subset(5,0)", answer("-1")},
            {"subset(4,2)", "0 1 \n0 2 \n0 3 \n1 2 \n1 3 \n2 3 \n\n" + answer("0")},
            {"subset(4294967297,2)", hint("4294967297 is out of range: an integer from 0 to 2147483647 is needed here.")},
            {"subset(40,20)", "Error: too many subsets to list here.\n" + answer("-3")},
        });
}

// The bounds are put in order before the search.
TEST(IntegerSearchCommands, BoundsInEitherOrder) {
    HandlerCalculator h;
    processInputLine("solve_x3plusy3_zn(10,1)", h.calculator);
    const std::string down = shownText(h.calculator);
    processInputLine("solve_x3plusy3_zn(1,10)", h.calculator);
    EXPECT_EQ(down, shownText(h.calculator));
    EXPECT_TRUE(down.starts_with("out> \n1^3+2^3 == 3^2\n")) << down;
}

TEST(DiophantineCommand, Transcript) {
    HandlerCalculator h;
    expectTranscript(
        h.calculator,
        {
            {"IndefiniteEquation(3,5)", "out> Solve the equation: 3*x+5*y = 1\n5==1*3+2\n3==1*2+1\n1 1 \n"
                                        "test: -1==5*1-3*2\n3*2-5*1 == 1\nx = 2+5t\ny = -1-3t\n\n\n"
                                        "-----------end---------\n1\n" +
                                            closingBlock},
            {"IndefiniteEquation(4,6;8)", "Solve the equation: 4*x+6*y = 8\n3==1*2+1\n1 \ntest: 1==3*1-2*1\n"
                                          "3*4-2*4 == 4\nx = -4+3t\ny = 4-2t\n\n\n-----------end---------\n" +
                                              closingBlock},
            // no solution is said, not left as an empty answer
            {"IndefiniteEquation(4,6;3)", "Solve the equation: 4*x+6*y = 3\nNo solution.\n" + closingBlock},
            {"IndefiniteEquation(0,0;5)", "Solve the equation: 0*x+0*y = 5\nNo solution.\n" + closingBlock},
            {"IndefiniteEquation(1.5,2;3)", "Error> the coefficients and the right side must be integers.\n" +
                                                closingBlock},
            {"IndefiniteEquation(2,3,5;7)", "Solve the indefinite equation :\n2*X1+3*X2+5*X3 = 7\n\n"
                                            "X3=7-X2-2*u0\n---------------\nX2 = +X2\nX1 = -1*X2-2*X3+u0\n" +
                                                closingBlock},
            {"IndefiniteEquation(2,3,5)", "Solve the indefinite equation :\n2*X1+3*X2+5*X3 = 1\n\n"
                                          "X3=1-X2-2*u0\n---------------\nX2 = +X2\nX1 = -1*X2-2*X3+u0\n" +
                                              closingBlock},
            {"IndefiniteEquation(2,4,6;3)", "Solve the indefinite equation :\n2*X1+4*X2+6*X3 = 3\n\nNo solution.\n"
                                            "---------------\n" +
                                                closingBlock},
            {"IndefiniteEquation(5;10)", "syntax> IndefiniteEquation(a1,a2,...,aK;b)\n" + closingBlock},
        });
}
