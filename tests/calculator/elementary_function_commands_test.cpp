// The elementary-function commands as the terminal shows them.
#include <gtest/gtest.h>

#include "handler_test_support.h"

namespace {

using namespace handler_texts;

TEST(ElementaryFunctionCommands, Transcript) {
    Calculator calculator;
    calculator.setOperatorChars();
    // Square roots are written to the precision, exact or not.
    const std::string two = "2." + std::string(kHandlerPrecision, '0');
    expectHandlerTranscript(calculator,
                            {
                                {"sin(0)", answer("0")},
                                {"sin(1/6pi)", answer("(1/2)")},
                                {"cos(pi)", answer("-1")},
                                {"tan(1/4pi)", answer("+sqrt(2)/2/sqrt(2)/2")},
                                {"cot(1/4pi)", answer("+sqrt(2)/2/sqrt(2)/2")},
                                {"sin(30d)", answer("(1/2)")},
                                {"sin()", "pos1=3, pos2=4\n" + shapeHint},
                                {"cos()", shapeHint},
                                {"exp()", answer("1")},
                                {"exp(0)", answer("1")},
                                {"exp(x)", hint("x contains non digit char.")},
                                {"ln(1)", answer("0")},
                                {"log(1)", answer("0")},
                                {"ln(0)", answer("-∞")},
                                {"ln(-1)", hint("0-1 contains non digit char.")},
                                {"ln()", shapeHint},
                                {"sqrt(4)", answer(two)},
                                {"sqrt(1/4)", answer("1|2")},
                                {"sqrt(2+2)", answer(two)},
                                {"sqrt(-4)", answer(two + "*i")},
                                {"sqrt((1+3))", answer(two)},
                                {"sqrt(abc)", hint("abc is not a valid infix expression.")},
                                {"sqrt()", shapeHint},
                                {"sqrtn(8,3)", "num1=8, num2=3\nA.get_precision()=1001\n" + answer("2")},
                                {"sqrtn(-8,3)", "num1=0-8, num2=3\nA.get_precision()=1001\n" + answer("-2")},
                                {"sqrtn(8,x)", "num1=8, num2=x\nA.get_precision()=1001\n" +
                                                   hint("8 or x contains non digit char.")},
                                {"sqrtn(8,0)", "num1=8, num2=0\nA.get_precision()=1001\n" +
                                                   hint("0 is out of range: an integer from 1 to "
                                                        "9223372036854775807 is needed here.")},
                                {"sqrtn(8,18446744073709551617)",
                                 "num1=8, num2=18446744073709551617\nA.get_precision()=1001\n" +
                                     hint("18446744073709551617 is out of range: an integer from 1 to "
                                          "9223372036854775807 is needed here.")},
                                {"sqrtn(8)", shapeHint},
                                {"pi(10)", answer("4")},
                                {"pi(10.9)", answer("4")},
                                {"pi(100)", answer("25")},
                                {"pi(-5)", hint("0-5 contains non digit char.")},
                                {"deg2rad(30)", answer("1/6pi")},
                                {"deg2rad(0)", answer("0")},
                                {"deg2rad(-90)", answer("-1/2pi")},
                                {"deg2rad()", shapeHint},
                            });
}

} // namespace
