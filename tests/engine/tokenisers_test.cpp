#include <gtest/gtest.h>

#include "BigNumber.h"

namespace {

enum Road { Numeric, Fraction, Symbolic, Polyn, MultiPolyn };

std::string tokenize(Road road, const std::string &text) {
    BigNumber bn;
    bn.setExpression(text);
    std::string out;
    switch (road) {
    case Numeric: out = bn.tokenizeInfix(); break;
    case Fraction: out = bn.tokenizeFractionInfix(); break;
    case Symbolic: out = bn.tokenizeSymbolicInfix(); break;
    case Polyn: out = bn.tokenizePolynInfix(); break;
    case MultiPolyn: out = bn.tokenizeMultiPolynInfix(); break;
    }
    EXPECT_EQ(bn.getExpression(), out) << "the token text is also left in the engine: " << text;
    return out;
}

struct TokenCase {
    Road road;
    const char *in, *out;
};

void expectTokens(const std::vector<TokenCase> &cases) {
    for (auto &c : cases) EXPECT_EQ(tokenize(c.road, c.in), c.out) << "road " << c.road << ": " << c.in;
}

}  // namespace

TEST(Tokenisers, WorkedExamples) {
    expectTokens({
        {Numeric, "1+2*3", "1`+2`*3`"},
        {Numeric, "0-5+3", "0`-5`+3`"},
        {Numeric, "2*(0-3)", "2`*(0`-3`)"},
        {Numeric, "2^-1", "2`^#1`"},
        {Numeric, "5!", "5`!1`"},
        {Numeric, "5!3", "5`!3`"},
        {Numeric, "1|3", "1`/3`"},
        {Numeric, "pi+1", "pi`+1`"},
        {Numeric, "(+3)", "(3`)"},
        {Numeric, "50%", "50`/100`"},
        {Numeric, "200+5%", "200`[5`/100`"},
        {Numeric, "200-5%*2", "200`]5`/100`*2`"},
        {Numeric, "7%3", "7`%3`"},
        {Numeric, "5%%3", "5`/100`/100`*3`"},
        {Numeric, "1+2.5%", "1`+2.5`/100`"},
        {Fraction, "1|3+1|6", "1|3`+1|6`"},
        {Symbolic, "2x+3", "2`*x`+3`"},
        {Symbolic, "2(3+1)", "2`*(3`+1`)"},
        {Symbolic, "x^2-2x+1", "x`^2`-2`*x`+1`"},
        {Symbolic, "a2x", "a2x`"},
        {Symbolic, "sin(30)", "sin`(30`)"},
        {Polyn, "x^2-2x+1", "(x`^2`)-(2`*x`)+(1`)"},
        {Polyn, "f(x,2)", "(f[`(x`,2`))"},
        {Polyn, "x^(+2)", "(x`^($2`))"},
        {Polyn, "x*(-1)", "(x`*(#1`))"},
        {MultiPolyn, "x_1*x_2+3x_1", "(x_1`*x_2`)+(3`*x_1`)"},
        {MultiPolyn, "(x)*(-y)", "((x`)*(0`-y`))"},
        // the edge cases
        {Numeric, "5!!", "5`!1`!1`"},
        {Polyn, "2^-1", "(2`^)-(1`)"},
        {Polyn, "-x", "()-(x`)"},
        {Numeric, "2*++3", "2`*+3`"},
        {Symbolic, "50%", "50`%"},
        {Numeric, "!", "!"},
    });
}

TEST(Tokenisers, SignsAndMarkers) {
    expectTokens({
        {Numeric, "-5", "#5`"},
        {Numeric, "+5", "5`"},
        {Numeric, "1-(-2)", "1`-(#2`)"},
        {Numeric, "(1)-2", "(1`)-2`"},
        {Fraction, "-1|2*3|4", "#1|2`*3|4`"},
        {Fraction, "1|2|3", "1|2|3`"},
        {Symbolic, "-x", "#x`"},
        {Symbolic, "x!", "x`!1`"},
        {Symbolic, "2x3", "2`*x3`"},
        {Symbolic, "1|x", "1`/x`"},
        {MultiPolyn, "x^(+y)", "(x`^($y`))"},
        {MultiPolyn, "2^(^3)", "(2`^(&3`))"},
        {Polyn, "f(g(x),-1)", "(f[`(g[`(x`),#1`))"},
    });
}

TEST(Tokenisers, PercentOnlyAfterAnOperand) {
    // a sign with nothing on its left is unary: +5% and (+5%) are plain percentages
    expectTokens({
        {Numeric, "+5%", "5`/100`"},
        {Numeric, "(+5%)", "(5`/100`)"},
        {Numeric, "5%+5%", "5`/100`[5`/100`"},
        {Numeric, "(2)+5%", "(2`)[5`/100`"},
        {Numeric, "0-5%", "0`]5`/100`"},
        {Fraction, "1|2+50%", "1|2`[50`/100`"},
    });
}

TEST(Tokenisers, PercentRewrite) {
    struct {
        const char *in;
        int rc;
        const char *out;
    } cases[] = {
        {"", -1, ""},
        {"1+2", 0, "1+2"},
        {"7%3", 1, "7%3"},
        {"%5", 1, "%5"},  // a percent sign at the start is left alone
        {"50%", 1, "50/100"},
        {"5%%3", 1, "5/100/100*3"},
        {"50%3%", 1, "50%3/100"},
        {"200+5%", 1, "200[5/100"},
        {"1+2.5%", 1, "1+2.5/100"},
        {"5F3+1%", 1, "5F3[1/100"},  // a letter F is not taken for a masked quotient
        // the 100 of a percent sign never merges with a following number
        {"(5)%3", 1, "(5)%3"},
        {"(5)%%3", 1, "(5)/100/100*3"},
        {"x%3", 1, "x/100*3"},
    };
    for (auto &c : cases) {
        std::string t = c.in;
        EXPECT_EQ(BigNumber::percentToFraction(t), c.rc) << c.in;
        EXPECT_EQ(t, c.out) << c.in;
    }
    EXPECT_EQ(BigNumber::countPercentSigns(""), -1);
    EXPECT_EQ(BigNumber::countPercentSigns("5%%3%"), 3);
}

TEST(Tokenisers, OperatorCharsAndBrackets) {
    for (char c : std::string("+-*/%@()^!<>~")) {
        char d = c;
        EXPECT_TRUE(BigNumber::isOperatorChar(d)) << c;
        EXPECT_EQ(d, c);
    }
    char bar = '|';
    EXPECT_TRUE(BigNumber::isOperatorChar(bar));
    EXPECT_EQ(bar, '/');
    for (char c : std::string("a1.`#[]$&_ ,\0\xe2", 14)) {
        char d = c;
        EXPECT_FALSE(BigNumber::isOperatorChar(d)) << int(c);
    }

    struct {
        const char *text;
        bool balanced;
    } cases[] = {{"", true}, {"a(b[c]{d})", true}, {"([)]", false}, {")(", false}, {")", false}, {"((", false}};
    for (auto &c : cases) EXPECT_EQ(BigNumber::isBracketBalanced(c.text), c.balanced) << c.text;
}

TEST(Tokenisers, Utf8BytesBelongToNames) {
    // "∞" and "π" are UTF-8 sequences: their bytes are name characters, never operators
    expectTokens({
        {Numeric, "\xe2\x88\x9e+1", "\xe2\x88\x9e`+1`"},
        {Symbolic, "2\xcf\x80+1", "2`*\xcf\x80`+1`"},
        {Symbolic, "\xcf\x80", "\xcf\x80`"},
        {Polyn, "\xcf\x80(x)", "(\xcf\x80[`(x`))"},
        {MultiPolyn, "3\xcf\x80-1", "(3`*\xcf\x80`)-(1`)"},
    });
}
