// Transcripts of the factorisation commands (factorise, Factorise, Factorise_analysis,
// firstfactor, tau, biggest_factor, mobius, EulerVarphi, q_duanwu, q_DuanwuPlus) and of the
// factorial, binomial and digit-reversal commands (factorial, Factorial, binom, reverse,
// reverse_plus).
#include <gtest/gtest.h>

#include "number_command_support.h"

using namespace numbers;

TEST(FactorisationCommands, Transcript) {
    HandlerCalculator h;
    expectTranscript(
        h.calculator,
        {
            // the engine's printed forms come first
            {"factorise(360)", "2*2*2*3*3*5\n" + answer("2*2*2*3*3*5")},
            {"factorise(2^10-1)", "in> 2^10-1\n\nout> 1023\n3*11*31\n" + answer("3*11*31")},
            {"factorise((2+3)*4)", shapeHint},
            {"factorise(0)", hint("0 is not a positive integer.")},
            {"factorise(x)", hint("x is not a valid infix expression.")},
            {"Factorise(360)", "360 == 2*2*2*3*3*5\n2^3*3^2*5^1\n" + answer("360 == 2^3*3^2*5")},
            {"Factorise(7)", "7 == 7\n7 == 7^1\n" + answer("7 == 7^1")},
            {"Factorise(5!)", "in> 5!\n\nout> 120\n120 == 2*2*2*3*5\n2^3*3^1*5^1\n" + answer("120 == 2^3*3*5")},
            {"Factorise(x)", hint("x contains non digit char, it is regarded as a std::string.")},
            {"tau(360)", answer("24")},
            {"tau(5!)", "in> 5!\n\nout> 120\n" + answer("16")},
            {"tau(0)", hint("0 is not a positive integer.")},
            {"biggest_factor(360)", answer("5")},
            {"mobius(30)", answer("-1")},
            {"mobius(12)", answer("0")},
            {"mobius(6)", answer("1")},
            {"mobius(7)", answer("-1")},
            {"mobius(0)", hint("0 is not a positive integer.")},
            {"mobius(-6)", "in> 0-6\n\nout> -6\n" + hint("-6 is not a positive integer.")},
            {"firstfactor(91)", "7" + closing},
            {"firstfactor(97)", "97" + closing},
            {"firstfactor(0)", hint("0 is not a positive integer.")},
            {"firstfactor(x)", hint("x contains non digit char.")},
            {"EulerVarphi(36)", answer("12")},
            {"EulerVarphi(1)", answer("1")},
            {"EulerVarphi(2.5)", hint("2.5 is not a positive integer.")},
            {"EulerVarphi(0)", hint("0 is not a positive integer.")},
            {"EulerVarphi(x)", hint("x contains non digit char, it is regarded as a std::string.")},
            {"q_duanwu(12)", "12==2*2*3\n223==223\n\n" + answer("2")},
            {"q_DuanwuPlus(12)", "12==2*2*3\n2+2+3==7\n\n" + answer("2")},
            {"q_duanwu(+12)", "12==2*2*3\n223==223\n\n" + answer("2")},
            {"q_duanwu(7)", "7==7\n\n" + answer("1")},
            {"q_duanwu(-12)", hint("0-12 is not a decimal number.")},
            {"q_duanwu(0)", hint("0 is not a positive integer.")},
            // 4 = 2*2 sums to 4 again
            {"q_DuanwuPlus(4)", "4==2*2\nStopped at 4, met before: the walk repeats.\n\n" + answer("1")},
        });
}

// A value that is no positive integer is refused before any factoriser sees it.
TEST(FactorisationCommands, FractionsAreRefused) {
    HandlerCalculator h(8);
    expectTranscript(h.calculator, {
                                       {"factorise(1/3)", "in> 1/3\n\nout> 0.33333333\n" +
                                                              hint("0.33333333 is not a positive integer.")},
                                       {"Factorise_analysis(360)", "360 == 2^3\n * 5 * 3^2out> 360 == 2^3 * 5 * 3^2\n\n"
                                                                   "\tdelta(360) = 2\n\tepsilon(360) = 0\n"
                                                                   "\txi(360) = 0" + closing},
                                   });
}

TEST(FactorialCommands, Transcript) {
    HandlerCalculator h;
    expectTranscript(h.calculator,
                     {
                         {"factorial(5)", answer("120")},
                         {"factorial(0)", answer("1")},
                         {"factorial(5.0)", hint("5.0 contains non digit char.")},
                         {"factorial()", hint(" contains non digit char.")},
                         {"Factorial(10)", "expr = 2^8*3^4*5^2*7^1\n\n" + answer("3628800")},
                         {"Factorial(0)", answer("1")},
                         {"Factorial(1)", answer("1")},
                         {"binom(5,2)", answer("10")},
                         {"binom(5,0)", answer("1")},
                         {"binom(5,5)", answer("1")},
                         {"binom(2,5)", answer("0")},
                         {"binom(x,2)", answer("(x)!/((2)!*(x-2)!)")},
                         {"binom(7,-2)", answer("(7)!/((-2)!*(9)!)")},
                         {"binom(,2)", shapeHint},
                         {"reverse(abc)", answer("cba")},
                         // read before the minus was rewritten
                         {"reverse(-1.5)", answer("5.1-")},
                         {"reverse_plus(123,45)", "hint> 321+54\n" + answer("375")},
                         {"reverse_plus(-12,3.5)", "hint> (-21)+5.3\n" + answer("-15.7")},
                         {"reverse_plus(1a,2)", hint("1a or 2 contains non digit char.")},
                     });
}
