#include <gtest/gtest.h>

#include "BigNumber.h"
#include "globals.h"
#include "polynomial.h"
#include "multipolyn.h"

namespace {

const char *kTwoOps = "Two operators occur consecutively\n    > at index: 1, 2";

std::string eval(BigNumber &bn, const std::string &text, int32_t flags = 0) {
    std::string v = "unset";
    bn.EvalInfixExprNoOutput(text, v, flags);
    return v;
}

}  // namespace

TEST(EvaluationDriver, NumericalAndSymbolicAnswers) {
    struct {
        const char *text, *answer;
    } cases[] = {
        {"1+2*3", "7"},
        {"(1+2)*3", "9"},
        {"7mod4", "3"},
        {"7+1mod3", "2"},
        {"-5+3", "-2"},
        {"2*(-3)", "-6"},
        {"-(-2)", "2"},
        {"10/4", "2.5"},
        {"1|4", "0.25"},
        {"7%3", "2"},
        {"(5)%3", "1"},
        {"(2+3)%2", "2"},
        {"50%", "0.5"},
        {"200+5%", "210.00"},
        {"200-5%", "190.00"},
        {"+5%", "0.05"},
        {"(+5%)", "0.05"},
        {"2^3^2", "512"},
        {"3!^2", "36"},
        {"5!3", "60"},
        {"(2+3)!", "120"},
        {"2^(-1)", "0.5"},
        {"0^0", "undefined"},
        {"3<1", "0"},
        {"1<3", "1"},
        {"1~1~0", "0"},
        {".5+1", "1.5"},
        {"!3+1", "10"},
        {"1.2.3", "1.2.3"},
        {"x+1+2", "x+3"},
        {"x-x", "0"},
        {"x-1", "x-1"},
        {"(x+4)/2", "x/2+2"},
    };
    for (auto &c : cases) {
        BigNumber bn;
        EXPECT_EQ(eval(bn, c.text), c.answer) << c.text;
    }
}

TEST(EvaluationDriver, FractionAnswers) {
    struct {
        const char *text, *answer;
    } cases[] = {{"1|3+1|6", "1|2"}, {"0.5*0.25", "1|8"}, {"-1|2+1", "1|2"}, {"2*(1|3)", "2|3"}};
    for (auto &c : cases) {
        BigNumber bn;
        EXPECT_EQ(eval(bn, c.text, 1), c.answer) << c.text;
    }
}

TEST(EvaluationDriver, RoadsAndTheirPostfix) {
    struct {
        int32_t flags;
        const char *text, *postfix;
    } cases[] = {
        {0, "1+2*3", "1,2,3,*,+,"},       // numerical
        {0, "7mod4", "7,4,@,"},           // symbolic, numerical arithmetic
        {1, "1|3+1|6", "1|3,1|6,+,"},     // fraction
        {1, "2x+1", "2,x,*,1,+,"},        // symbolic, fraction arithmetic
        {2, "1+2", "1,2,+,"},             // a numerical text ignores the polynomial flag
        {3, "1+2", "1,2,+,"},
        {2, "x+x", "x,x,+"},              // one-variable polynomial
        {3, "x^2-1", "x,2,^,1,-"},
    };
    // The answer is the road's evaluator on the road's postfix (the engine's own postfix text
    // is scratch once the arithmetic has re-entered the driver).
    for (auto &c : cases) {
        BigNumber bn, reference;
        std::string answer = eval(bn, c.text, c.flags);
        std::string postfix = c.postfix, expected;
        if (c.flags & 2 && postfix.back() != ',') expected = polyn_eval_postfix(postfix, true);
        else if (c.flags & 1) expected = reference.EvalFractionPostfixExprNoOutput(postfix);
        else expected = reference.EvalPostfixExprNoOutput(postfix);
        EXPECT_EQ(answer, expected) << c.flags << ": " << c.text;
        if (c.flags & 2 && postfix.back() != ',') {
            EXPECT_EQ(bn.getPostfix(), postfix) << c.text;
        }
    }
}

TEST(EvaluationDriver, MultiVariablePolynomialRoad) {
    poly_vars = {{"x", 0}, {"y", 1}};
    poly_varnames = {{0, "x", "x"}, {1, "y", "x_1"}};
    BigNumber bn;
    testing::internal::CaptureStdout();
    std::string answer = eval(bn, "x*y", 2);
    std::string printed = testing::internal::GetCapturedStdout();
    poly_vars.clear();
    poly_varnames.clear();
    EXPECT_EQ(bn.getPostfix(), "x,x_1,*,");
    EXPECT_EQ(answer, "xy");
    EXPECT_EQ(printed, "replacex*y\nafter: x*x_1\nrs = " + answer + "\n-------------\n\n");
    EXPECT_EQ(bn.outStream.str(), "");
}

TEST(EvaluationDriver, RejectedTextComesBackUnchanged) {
    struct {
        const char *text, *error;
    } cases[] = {
        {"1==2", ""},  {"1 + 2", ""}, {"2+", ""},  {"1+*2", kTwoOps}, {"2*-3", kTwoOps},
        {"a_b+1", ""}, {"\xc3\xa4+1", ""}, {"1,2", ""},
    };
    for (auto &c : cases) {
        BigNumber bn;
        EXPECT_EQ(eval(bn, c.text), c.text);
        EXPECT_EQ(bn.getErrorMessage(), c.error) << c.text;
    }
    BigNumber bn;
    EXPECT_EQ(eval(bn, "1==2"), "1==2");
    EXPECT_EQ(bn.getOriginalExpression(), "1~2");  // the rewrite happened, the tests saw "="
    bn.setErrorMessage("stale");
    EXPECT_EQ(eval(bn, ""), "");
    EXPECT_EQ(bn.getErrorMessage(), "stale");
    EXPECT_EQ(eval(bn, "model"), "@(el)");
    EXPECT_EQ(bn.getOriginalExpression(), "@el");  // "mod" is replaced inside names too
}

// Powers and zeros: exact answers in fraction mode (a number text the walk computes on), one
// form for a zero quotient and one for a whole exponent written as a decimal.
TEST(EvaluationDriver, PowerAndZeroForms) {
    struct {
        int32_t flags;
        const char *text, *answer;
    } cases[] = {
        {1, "(0-3)^(0-1)/2", "-1|6"},    // was -1/3|2, no number text
        {1, "(1+2)^(0-1)+1", "4|3"},     // was the decimal 1.33333333
        {1, "(1+1)^(1+1)", "4"},         // was left written as 2^2
        {1, "(0-2)^(0-3)", "-1|8"},
        {1, "(0-3)^(0-2)", "1|9"},
        {1, "2^(0-3)", "1|8"},
        {1, "(2+3)^(2+1)", "125"},
        {1, "0^(0-1)", "Inf"},           // one divided by zero, not 0
        {1, "(0-0)^(0-1)", "Inf"},
        {1, "0.0^(0-1)", "Inf"},
        {1, "x^(0-2)", "1/x^2"},         // letters: still written
        {0, "0/0.001", "0"},             // was 0000
        {0, "0/7.5", "0"},               // was 0.00000000
        {0, "9^2.0", "81.00000000"},
        {0, "3^2.0", "9.00000000"},      // was 9, unlike 9^2.0
        {0, "(0-3)^3.0", "-27.00000000"},
        {0, "2.5^2.0", "6.25000000"},
        {0, "9^(0-2.0)", "0.01234568"},
        {0, "0^2.0", "0.00000000"},
        {0, "4^0.5", "2"},               // a true root stays exact
    };
    for (auto &c : cases) {
        BigNumber bn;
        bn.setMode(c.flags);
        EXPECT_EQ(eval(bn, c.text, c.flags), c.answer) << c.flags << ": " << c.text;
    }
}

TEST(EvaluationDriver, FaultsAnsweredSoundly) {
    BigNumber reference;
    std::string sin5 = reference.sine("5");
    std::string sin30 = reference.sine("30");
    struct {
        const char *text;
        std::string answer;
    } cases[] = {
        // a function as the last step gives its value, not the last sum before it
        {"sin(2+3)", sin5},
        {"sin(30)", sin30},
        // operands left over are an error, not the last partial result
        {"2(3+1)", "Error(EvalPostfixExprNoOutput)> The expression leaves 2 values on the stack instead of one."},
        // a normalisation message is the answer; it is not evaluated as an expression
        {".x", "[error 5776] `.x` is wrong at position : 1"},
        {"x!", "[error 5917]`x!` is wrong at position : 0"},
        {"!x", "[error 5874] `!x` is wrong at position : 1"},
    };
    for (auto &c : cases) {
        BigNumber bn;
        EXPECT_EQ(eval(bn, c.text), c.answer) << c.text;
    }
}

TEST(EvaluationDriver, EndlessReentryEndsAndLeavesTheEngineUsable) {
    // In fraction mode the coefficients of this product keep re-entering the driver; the
    // nesting limit ends the chain instead of the stack.
    BigNumber bn;
    eval(bn, "0|.3-0|.3.033|0+3", 1);
    EXPECT_EQ(eval(bn, "1+2"), "3");
    EXPECT_EQ(eval(bn, "x+1+2"), "x+3");  // the term path still re-enters normally
}

TEST(EvaluationDriver, CallerTextsMayBeTheEnginesOwn) {
    BigNumber bn;
    bn.setExpression("1+2");
    std::string v;
    bn.EvalInfixExprNoOutput(bn.getExpression(), v, 0);
    EXPECT_EQ(v, "3");
    std::string s = "2*3";
    bn.EvalInfixExprNoOutput(s, s, 0);
    EXPECT_EQ(s, "6");
    bn.EvalInfixExprNoOutput(bn.getResult(), bn.getResult(), 0);
    EXPECT_EQ(bn.getResult(), "6");
}

TEST(EvaluationDriver, TracedEvaluation) {
    struct {
        int32_t mode;
        const char *text, *output, *answer;
    } cases[] = {
        {0, "-5+3", "in> 0-5+3\n\nout> -2\n", "-2"},
        {0, "7mod4", "in> 7@4\n\nout> 3\n", "3"},
        {0, "sin(30)", "", ""},  // filled in below
        {1, "1|2+1", "in> 1|2+1\n\nout> 1.5\n", "1.5"},
        {0, "\xe2\x88\x9e+1", "in> \xe2\x88\x9e+1\n\nout> \xe2\x88\x9e+1\n", "\xe2\x88\x9e+1"},
        {0, "x.", "in> [error 5822: last charactor is not a digit]\n`x.` is wrong at position : 1\n\nout> "
                  "[error 5822: last charactor is not a digit]\n`x.` is wrong at position : 1\n",
         "[error 5822: last charactor is not a digit]\n`x.` is wrong at position : 1"},
    };
    BigNumber reference;
    std::string sin30 = reference.sine("30");
    for (auto &c : cases) {
        BigNumber bn;
        bn.setMode(c.mode);
        std::string v;
        bn.EvalInfixExpression(c.text, v);
        std::string answer = c.answer, output = c.output;
        if (std::string(c.text) == "sin(30)") {
            answer = sin30;
            output = "in> sin(30)\n\nout> " + sin30 + "\n";
        }
        EXPECT_EQ(v, answer) << c.text;
        EXPECT_EQ(bn.outStream.str(), output) << c.text;
    }
}

TEST(EvaluationDriver, Replacements) {
    BigNumber bn;
    bn.setExpression("aaa");
    bn.replaceInExpression("a", "aa");
    EXPECT_EQ(bn.getExpression(), "aaaaaa");
    bn.replaceInExpression("a", "");
    EXPECT_EQ(bn.getExpression(), "aaaaaa");
    bn.replaceInExpression("", "b");
    EXPECT_EQ(bn.getExpression(), "aaaaaa");
    bn.replaceInExpression("aa", "a");
    EXPECT_EQ(bn.getExpression(), "aaa");

    std::string s = "x+xy-x";
    BigNumber::replaceAll(s, "x", "");
    EXPECT_EQ(s, "+y-");
    s = "abc";
    BigNumber::replaceAll(s, "", "z");
    EXPECT_EQ(s, "abc");
    s = "x_1*x";
    BigNumber::replaceAll(s, "x", "x_2");
    EXPECT_EQ(s, "x_2_1*x_2");
    EXPECT_EQ(BigNumber::charToString('%'), "%");
    EXPECT_EQ(BigNumber::charToString('\0'), std::string(1, '\0'));
}
