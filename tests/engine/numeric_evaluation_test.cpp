#include <gtest/gtest.h>

#include "BigNumber.h"

namespace {
const std::string kStackEmpty = "Error(EvalPostfixExprNoOutput)> The stack is empty.";
std::string leftOver(int n) {
    return "Error(EvalPostfixExprNoOutput)> The expression leaves " + std::to_string(n) +
           " values on the stack instead of one.";
}
}  // namespace

TEST(NumericEvaluation, PostfixWalk) {
    struct {
        const char *postfix;
        std::string answer;
    } cases[] = {
        {"5,", "5"},
        {"5", "5"},
        {"-2.5,", "-2.5"},
        {"", ""},
        {",", ""},
        {"-,", "-"},
        {"2,3,+,", "5"},
        {"7,2,-,", "5"},
        {"1,2,3,*,+,", "7"},
        {"1,3,/,", "0.33333333"},
        {"7,2,%,", "3"},
        {"7,3,@,", "1"},
        {"0,0,^,", "undefined"},
        {"5,0,^,", "1"},
        {"1,x,^,", "1"},
        {"200,0.1,[,", "220.0"},
        {"200,0.1,],", "180.0"},
        {"3,1,<,", "0"},
        {"1,3,<,", "1"},
        {"3,1,>,", "1"},
        {"2,2.0,~,", "1"},
        {"x,", "x"},
        {"x,1,+,", "x+1"},
        // the one value left on the stack is the answer, also after a one-operand step
        {"5,-,", "-5"},
        {"5,+,", "5"},
        {"5,*,", "*(5)"},
        {"2,3,+,-,", "-5"},
        // malformed postfix texts answer an error, never a stray operand
        {"*,5,", kStackEmpty},
        {"2,,3,+,", leftOver(2)},
        {"2,3,", leftOver(2)},
        {"2,3,4,+,", leftOver(2)},
        {"x", leftOver(0)},
    };
    for (auto &c : cases) {
        BigNumber bn;
        testing::internal::CaptureStdout();
        std::string answer = bn.EvalPostfixExprNoOutput(c.postfix);
        std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(answer, c.answer) << c.postfix;
        EXPECT_EQ(bn.outStream.str(), "") << c.postfix;
        if (c.answer == kStackEmpty) {
            EXPECT_EQ(printed, "temp[0]=*\n" + kStackEmpty + "\n");
        }
    }
}

TEST(NumericEvaluation, FunctionAsLastStepGivesItsValue) {
    BigNumber reference;
    std::string sin30 = reference.sine("30");
    std::string sin5 = reference.sine("5");
    std::string cos2 = reference.cosine("2");
    std::string twice = reference.multiplication("2", sin30);
    struct {
        const char *postfix;
        std::string answer;
    } cases[] = {
        {"30,sin,", sin30},
        {"2,3,+,sin,", sin5},
        {"2,cos,", cos2},
        {"2,30,sin,*,", twice},
    };
    for (auto &c : cases) {
        BigNumber bn;
        EXPECT_EQ(bn.EvalPostfixExprNoOutput(c.postfix), c.answer) << c.postfix;
    }
}

TEST(NumericEvaluation, BinaryOperators) {
    BigNumber reference;
    std::string power23 = reference.power("2", "3");
    std::string fact53 = reference.factorial_operator("5", "3");
    struct {
        const char *op, *a, *b;
        std::string answer;
    } cases[] = {
        {"+", "12", "-30", "-18"},  {"-", "1", "0.001", "0.999"}, {"*", "0.5", "0.2", "0.10"},
        {"/", "1", "4", "0.25"},    {"%", "-7", "2", "-3"},       {"@", "-7", "3", "2"},
        {"^", "2", "3", power23},   {"^", "0.0", "0", "1"},       {"!", "5", "3", fact53},
        {"<", "2", "10", "1"},      {">", "2", "10", "0"},        {"~", "0.50", ".5", "1"},
        {"[", "100", "0.5", "150.0"}, {"]", "100", "0.5", "50.0"}, {"?", "1", "2", ""},
        {"sin", "1", "2", ""},
    };
    for (auto &c : cases) {
        BigNumber bn;
        EXPECT_EQ(bn.numericBinaryOp({c.op, c.b, c.a}), c.answer) << c.a << " " << c.op << " " << c.b;
    }
}

TEST(NumericEvaluation, TracedEvaluatorWritesItsAnswer) {
    struct {
        const char *postfix, *answer;
    } cases[] = {
        {"5,", "5"},
        {"2,3,+,", "5"},
        {"2,,3,+,", "5"},  // empty fields are skipped here
        {"2,3,+", "5"},    // and the text after the last comma is a field
        {"*,5,", "Error(EvalPostfixExpression)> The stack is empty."},
    };
    for (auto &c : cases) {
        BigNumber bn;
        testing::internal::CaptureStdout();
        EXPECT_EQ(bn.EvalPostfixExpression(c.postfix), c.answer) << c.postfix;
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(bn.outStream.str(), std::string(c.answer) + "\n") << c.postfix;
    }
}

TEST(NumericEvaluation, AMessageEndsTheWalk) {
    // A step that answers a message stops the evaluation there: taken as an operand, the
    // message would grow into ever longer term texts.
    BigNumber bn;
    bn.setPrecision(8);
    std::string v;
    bn.EvalInfixExprNoOutput("2^10000000000000000000+1", v, 0);
    EXPECT_EQ(v, "Warning> n is too big.");
    bn.EvalInfixExprNoOutput("2^10000000000000000000+1", v, 1);  // the fraction sum adds its own tail
    EXPECT_EQ(v.rfind("Warning> n is too big.", 0), 0u) << v;
    bn.EvalInfixExprNoOutput("-1~-4^31^~^3^3", v, 0);
    EXPECT_EQ(v, "Warning> n is too big.");
}
