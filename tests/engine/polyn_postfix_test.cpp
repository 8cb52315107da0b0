#include <gtest/gtest.h>

#include "BigNumber.h"
#include "polynomial.h"

TEST(PolynomialPostfix, AnswerTable) {
    const std::pair<const char *, const char *> cases[] = {
        {"x,1,+", "x+1"},
        {"x,1,+,x,1,-,*", "x^2-1"},
        {"x,-", "-1x^1"},
        {"x,2,^", "x^2"},
        {"x,x,/", "1"},
        {"x,1,+,x,/", "(x^1+1)/(x^1)"},
        {"f[,x,],2,*", "(f[x])*(2)"},
        {"f[,x,;,y,]", "f[x;y]"},
        {"+", "+"},  // a single operator is not applied
        {"x,1", "error"},
        {"x,x,1,+,/,1,+", "((-1x^1)/(-1x^1-1))+(1)"},  // quotients travel on as text; the gcd is -1
        {"x,1,+,2,^,", "x^2+2x^1+1"},
        {",,x,,", "x"},
        {"", "error"},
        {"]", "]"},
        {"[,[,]", "[[]"},
        {"x,[,+", "(x)+([)"},
        {"x,+,+", "x"},
    };
    for (auto [postfix, answer] : cases) EXPECT_EQ(polyn_eval_postfix(postfix, true), answer) << postfix;
}

TEST(PolynomialPostfix, MessagesEndTheWalk) {
    EXPECT_EQ(polyn_eval_postfix("x,1,+,99999,^,1,+", true), kPolynTooBig);
    EXPECT_EQ(polyn_eval_postfix("x,200000,^,x,1,+,%,1,+", true), kPolynTooBig);
    // The multi-variable road answers through its own code.
    EXPECT_EQ(polyn_eval_postfix("x,1,+", false), "x+1");
}

TEST(PolynomialPostfix, ThroughTheEvaluator) {
    const struct {
        int32_t flags;
        const char *text, *answer;
    } cases[] = {
        {2, "(x+1)^2", "x^2+2x^1+1"},
        {2, "(x^2-1)/(x-1)", "x^1+1"},
        {2, "x/(x+1)+1", "((-1x^1)/(-1x^1-1))+(1)"},
        {2, "2x^3mod(x+1)", "-2"},
        {2, "(x^3-1)%(x-1)", "x^2+x^1+1"},
        {2, "x~x", "1"},
        {2, "x^(2", "error"},
        {2, "-x^2+1/2x", "-1x^2+1|2x"},  // a sum is written in the forward form
        {3, "(x/2-1)^2", "1|4x^2-1x^1+1"},
        {2, "(x+1)^1000-(x+1)^1000", "0"},
        {2, "f(x)*2", "(f[x])*(2)"},
    };
    for (const auto &c : cases) {
        BigNumber bn;
        std::string answer;
        bn.EvalInfixExprNoOutput(c.text, answer, c.flags);
        EXPECT_EQ(answer, c.answer) << c.text;
    }
}
