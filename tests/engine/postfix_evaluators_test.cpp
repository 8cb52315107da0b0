// The fraction and complex evaluators on postfix texts (the numerical one lives with the
// expression pipeline).
#include <gtest/gtest.h>

#include "BigNumber.h"

TEST(FractionEvaluation, Walk) {
    struct {
        const char *postfix, *want;
    } cases[] = {
        {"1|2,1|3,+,", "5|6"}, {"0.5,0.25,*,", "1|8"}, {"3,", "3|1"},        {"2|3,2|1,^,", "4|9"},
        {"2|3,-2|1,^,", "9|4"}, {"-2|3,3|1,^,", "-8|27"}, {"4|9,1|2,^,", "2|3"}, {"0|1,0|1,^,", "0^0 is undefined"},
        {"1|1,5|3,^,", "1|1"},  {"7|3,0|1,^,", "1|1"},  {"2,3,<,", "1"},       {"1|2,2|4,~,", "1"},
        {"100,1|10,[,", "110"}, {"100,1|10,],", "90"},  {"7,2,%,", "3"},       {"-7,2,%,", "-3"},
        {"7,3,@,", "1"},        {"-7,3,@,", "2"},       {"7|2,1|1,@,", "1|2"}, {"2,1|0,^,", "Error> a root of degree 0 is not defined."},
        {"5|1,1|1,!,", "120"},  {"8|1,1|3,^,", "2"},    {"2|1,1|2,^,", "sqrt(2)"},
        {"63|1,1035345|65536,^,", "63^(1035345|65536)"},  // beyond the exact road: kept as written
    };
    BigNumber bn;
    for (auto &c : cases) EXPECT_EQ(bn.EvalFractionPostfixExprNoOutput(c.postfix), c.want) << c.postfix;
}

// Number texts that become machine integers (root degrees, exponents, bases, operands) are
// read with a check: a value past the range is refused, never wrapped into a small one.
TEST(FractionEvaluation, IntegersFromTextsAreChecked) {
    BigNumber bn;
    bn.setMode(1);
    std::string v;
    bn.EvalInfixExprNoOutput("(-8)^(2/3)", v, 1);
    EXPECT_EQ(v, "4");
    bn.EvalInfixExprNoOutput("(-8)^(2/18446744073709551619)", v, 1);  // wrapped, the degree was 3
    EXPECT_EQ(v, "Error> 18446744073709551619 is out of range: an integer from 0 to 9223372036854775807 is "
                 "needed here.");
    bn.EvalInfixExprNoOutput("(-8)^(2/18446744073709551619)+1", v, 1);  // the message ends the walk
    EXPECT_EQ(v.substr(0, 28), "Error> 18446744073709551619 ");
    testing::internal::CaptureStdout();
    EXPECT_EQ(bn.complexPostfixEval("i,-18446744073709551620,^,"), "Warning> n is too big.");
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(bn.decimal_to_base("255", "18446744073709551632"), "Error> the base must be an integer from 2 to 36.");
    EXPECT_EQ(bn.decimal_to_base("255", "0016"), "ff");
    bn.EvalInfixExprNoOutput("!18446744073709551619", v, 0);  // a factorial sum of 3 terms when wrapped
    EXPECT_EQ(v, "[error 5875] `!18446744073709551619`: the factorial sum !18446744073709551619 is too big (at most 5000)");
}

TEST(FractionEvaluation, StackFaultsAndTracedOutput) {
    BigNumber bn;
    testing::internal::CaptureStdout();
    EXPECT_EQ(bn.EvalFractionPostfixExprNoOutput("*,5,"), "Error(EvalFractionPostfixExprNoOutput)> The stack is empty.");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "temp[0]=*\nError(EvalFractionPostfixExprNoOutput)> The stack is empty.\n");
    EXPECT_EQ(bn.EvalFractionPostfixExprNoOutput("5,-,"), "-5");  // the one value left is the answer
    EXPECT_EQ(bn.EvalFractionPostfixExprNoOutput("2,3,1,+,"),
              "Error(EvalFractionPostfixExprNoOutput)> The expression leaves 2 values on the stack instead of one.");
    EXPECT_EQ(bn.EvalFractionPostfixExpression("1|2,1|2,+,"), "1");
    EXPECT_EQ(bn.outStream.str(), "1\n");
}

TEST(ComplexEvaluation, Walk) {
    struct {
        const char *postfix, *want;
    } cases[] = {
        {"2,3i,+,", "2+3i"},   {"i,2,^,", "-1"},      {"i,3,^,", "0-1i"},  {"5,", "5"},        {"2,3,", ""},
        {"5,-,2,+,", "-3"},    {"1+2i,3+4i,*,", "-5+10i"}, {"i,-1,^,", "0-1i"}, {"i,-2,^,", "-1"},
        {"3+4i,4i+3,~,", "1"}, {"5,5,~,", "1"},       {"5,i,~,", "0"},     {"+,5,5,", ""},
        {"2,3,%,", "Error> % and @ are not defined for complex numbers."},
        {"i,0.5,^,", "Error> the exponent of a complex power must be an integer."},
        {"i,10000000000000000000,^,", "Warning> n is too big."},
    };
    BigNumber bn;
    testing::internal::CaptureStdout();
    for (auto &c : cases) EXPECT_EQ(bn.complexPostfixEval(c.postfix), c.want) << c.postfix;
    testing::internal::GetCapturedStdout();
}
