// Transcripts of the divisibility commands: gcd, lcm, gcd2, EulerBrackets, expmod,
// multiplicativeOrder.
#include <gtest/gtest.h>

#include "number_command_support.h"

using namespace numbers;

TEST(DivisibilityCommands, Transcript) {
    HandlerCalculator h;
    expectTranscript(h.calculator,
                     {
                         // folded until the gcd is 1, written bare and kept as the last answer
                         {"gcd(12,18,7,100)", "1" + closing},
                         {"_", texts::lastAnswer("1")},
                         {"gcd(12,18)", "6" + closing},
                         {"gcd(4,6,...,12)", "2" + closing},
                         {"gcd(0,0)", "0" + closing},
                         {"gcd(0,-5)", "5" + closing},
                         {"gcd(-12,18)", "6" + closing},
                         {"gcd(12,006)", "6" + closing},
                         {"gcd(12)", "syntax> gcd(num1,num2,num3,...,numK)" + closing},
                         {"gcd(12,x)", "syntax> gcd(num1,num2,num3,...,numK)" + closing},
                         {"gcd(1.5,3)", hint("1.5 is not a decimal integer.")},
                         {"lcm(4,6,10)", "60" + closing},
                         {"lcm(-4,6)", "12" + closing},
                         {"lcm(0,5)", "0" + closing},
                         {"lcm(4)", "syntax> lcm(num1,num2,num3,...,numK)" + closing},
                         {"EulerBrackets()", "1" + closing},
                         {"EulerBrackets(5)", "5" + closing},
                         {"EulerBrackets(3,1,2,4,1,2)", "166" + closing},
                         {"_", texts::lastAnswer("166")},
                         {"EulerBrackets(3,x)",
                          "syntax error> \nhint> EulerBrackets(k1,k2,...,km)\n"
                          "example> input `EulerBrackets(3,1,2,4,1,2)` will return 166.\n\n"
                          "try\n>> EulerBrackets(3,1,2,4,1,2)\nNote> EulerBrackets(3,4,...,10) is equivalent to \n"
                          "    > EulerBrackets(3,4,5,6,7,8,9,10).\n" + closing},
                         {"expmod(3,4,7)", "calculate: 3^4(mod 7)\n" + answer("4")},
                         {"expmod(3,0,7)", "calculate: 3^0(mod 7)\n" + answer("1")},
                         {"expmod(2,100,1000000007)", "calculate: 2^100(mod 1000000007)\n" + answer("976371285")},
                         {"expmod(-3,4,7)",
                          "calculate: 0-3^4(mod 7)\nhint> 0-3, 4, 7, one of them is not a decimal number. \n"
                          "Furthermore, the parameters in function exp_mod(a, m, p) are required to satisfies:\n"
                          "\t a should be a decimal number.\n\t m and p should be positive numbers.\n\n" +
                              texts::rule + "\n\n>> "},
                         {"expmod(3,4,0)",
                          "calculate: 3^4(mod 0)\nhint> 3, 4, 0, one of them is not a decimal number. \n"
                          "Furthermore, the parameters in function exp_mod(a, m, p) are required to satisfies:\n"
                          "\t a should be a decimal number.\n\t m and p should be positive numbers.\n\n" +
                              texts::rule + "\n\n>> "},
                         // without a second "," the power runs on to the end of the text
                         {"expmod(3,4)", "calculate: 3^4)(mod )\n" + shapeHint},
                         // Euclid's steps come first, from the engine
                         {"gcd2(12,18)", "12==0*18+12\n18==1*12+6\n12==2*6+0\n(12,18,12,6,0)\ngcd = 6\n\n" + answer("6")},
                         {"gcd2(5,0)", "(5,0)\ngcd = 5\n\n" + answer("5")},
                         {"gcd2(0,0)", answer("0")},
                         {"gcd2(12,1a)", hint("12 or 1a contains non digit char.")},
                         {"gcd2(12,)", hint("12 or  contains non digit char.")},
                         {"gcd2(12)", shapeHint},
                         {"multiplicativeOrder(3,7)", answer("6")},
                         {"multiplicativeOrder(3,1)", answer("1")},
                         {"multiplicativeOrder(1,0)", hint("The modulus should not be 0.")},
                         {"multiplicativeOrder(2,4)", hint("The number 2 and 4 should be coprime.")},
                     });
}
