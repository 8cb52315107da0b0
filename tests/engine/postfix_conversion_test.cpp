#include <gtest/gtest.h>

#include "BigNumber.h"

namespace {

enum Road { Numeric, SymbolicNumeric, Fraction, Polyn, MultiPolyn };

// Infix text through its road's tokeniser, converter and comma inserter.
std::string postfixOf(Road road, const std::string &infix) {
    BigNumber bn;
    bn.setExpression(infix);
    switch (road) {
    case Numeric:
        bn.setExpression(bn.tokenizeInfix());
        bn.ConvertInfixToPostfix();
        return bn.getPostfix();
    case SymbolicNumeric:
        bn.setExpression(bn.tokenizeSymbolicInfix());
        bn.ConvertInfixToPostfix();
        return bn.getPostfix();
    case Fraction: {
        bn.setExpression(bn.tokenizeFractionInfix());
        bn.ConvertFractionInfixToPostfix();
        std::string out = bn.InsertCommaInPostfix();
        EXPECT_EQ(bn.getPostfix(), out);
        return out;
    }
    case Polyn:
        bn.setExpression(bn.tokenizePolynInfix());
        bn.ConvertPolynInfixToPostfix();
        return bn.InsertCommaInPolynPostfix();
    case MultiPolyn:
        bn.setExpression(bn.tokenizeMultiPolynInfix());
        bn.ConvertMultiPolynInfixToPostfix();
        return bn.InsertCommaInMultiPolynPostfix();
    }
    return "";
}

std::string convertTokens(void (BigNumber::*convert)(), const std::string &tokens) {
    BigNumber bn;
    bn.setExpression(tokens);
    (bn.*convert)();
    return bn.getPostfix();
}

}  // namespace

TEST(PostfixConversion, Examples) {
    struct {
        Road road;
        const char *infix, *postfix;
    } cases[] = {
        {Numeric, "2^3^2", "2,3,2,^,^,"},
        {Numeric, "8/4/2", "8,4,/,2,/,"},
        {Numeric, "3!^2", "3,1,!,2,^,"},
        {Numeric, "7+1@3", "7,1,+,3,@,"},
        {Numeric, "1~1~0", "1,1,0,~,~,"},
        {Numeric, "1+2*3", "1,2,3,*,+,"},
        {Numeric, "(1+2)*3", "1,2,+,3,*,"},
        {Numeric, "1<2+3", "1,2,3,+,<,"},
        {Numeric, "5!3", "5,3,!,"},
        {Numeric, "5", "5,"},
        {Numeric, "", ","},
        {Numeric, "200+5%@7", "200,5,100,/,[,7,@,"},
        {SymbolicNumeric, "2*sin(30)", "2,30,sin,*,"},
        {SymbolicNumeric, "sin(30)*2", "30,sin,2,*,"},
        {SymbolicNumeric, "cos(sin(1)+2)", "1,sin,2,+,cos,"},
        {SymbolicNumeric, "2x+1", "2,x,*,1,+,"},
        {Fraction, "1|2+1|3", "1|2,1|3,+,"},
        {Fraction, "5", "5,"},
        {Fraction, "", ""},
        {Fraction, "2^3^2", "2,3,2,^,^,"},
        {Fraction, "-1|2", "1|2,-"},  // the unary "#" follows its operand and reads "-"
        // in the character converters "[" takes everything up to ")" or the end
        {Fraction, "200+5%@7", "200,5,100,/,7,@,[,"},
        {Fraction, "(200+5%)@7", "200,5,100,/,[,7,@,"},
        {Polyn, "f(x,y)", "f[,x,;,y,]"},
        {Polyn, "f(x+1,y)", "f[,x,1,+,;,y,]"},
        // a bracket that opens the argument is a group inside the call, not its end
        {Polyn, "sin((x+1)*2)", "sin[,x,1,+,2,*,]"},
        {Polyn, "f((x),(y+1)^2)", "f[,x,;,y,1,+,2,^,]"},
        {Polyn, "x^2-2x+1", "x,2,^,2,x,*,-,1,+"},
        {Polyn, "x*(-1)", "x,-1,*"},
        {Polyn, "", ""},
        {MultiPolyn, "x_1*x_2+3x_1", "x_1,x_2,*,3,x_1,*,+,"},
        {MultiPolyn, "(x)*(-y)", "x,0,y,-,*,"},
        {MultiPolyn, "x^(+y)", "x,+y,^,"},
        {MultiPolyn, "2^(^3)", "2,^3,^,"},
    };
    for (auto &c : cases) EXPECT_EQ(postfixOf(c.road, c.infix), c.postfix) << "road " << c.road << ": " << c.infix;
}

TEST(PostfixConversion, UnbalancedBracketsPassThrough) {
    EXPECT_EQ(convertTokens(&BigNumber::ConvertInfixToPostfix, "1`)"), "1,),");
    EXPECT_EQ(convertTokens(&BigNumber::ConvertInfixToPostfix, "(1`"), "1,(,");
    EXPECT_EQ(convertTokens(&BigNumber::ConvertFractionInfixToPostfix, "1`)"), "1`)");
    EXPECT_EQ(convertTokens(&BigNumber::ConvertFractionInfixToPostfix, "(1`"), "1`(");
    EXPECT_EQ(convertTokens(&BigNumber::ConvertPolynInfixToPostfix, "1`)"), "1`");  // dropped
    EXPECT_EQ(convertTokens(&BigNumber::ConvertPolynInfixToPostfix, "1`,2`"), "1`2`");
    EXPECT_EQ(convertTokens(&BigNumber::ConvertComplexInfixToPostfix, "(1`+2`*i`)"), "1`2`i`*+");
}

TEST(PostfixConversion, NoOperatorIsLostOrInvented) {
    // a run that the tokeniser left unclosed still yields its operator
    EXPECT_EQ(convertTokens(&BigNumber::ConvertInfixToPostfix, "x^2`"), "x,2,^,");
    BigNumber bn;
    bn.setExpression("sin(30)");
    bn.setExpression(bn.tokenizeInfix());
    bn.ConvertInfixToPostfix();
    EXPECT_EQ(bn.getPostfix(), "30,sin,");
    // UTF-8 sequences are operands, whole
    EXPECT_EQ(postfixOf(Numeric, "\xe2\x88\x9e+1"), "\xe2\x88\x9e,1,+,");
    EXPECT_EQ(postfixOf(Fraction, "\xcf\x80*2"), "\xcf\x80,2,*,");
    EXPECT_EQ(postfixOf(MultiPolyn, "\xcf\x80*2"), "\xcf\x80,2,*,");
    for (unsigned c = 0x80; c <= 0xff; c++) {
        EXPECT_TRUE(BigNumber::isOperandChar(char(c))) << c;
        EXPECT_TRUE(BigNumber::isFractionOperandChar(char(c))) << c;
        EXPECT_TRUE(BigNumber::isPolynOperandChar(char(c))) << c;
    }
}

TEST(PostfixConversion, OperandClasses) {
    struct {
        char c;
        bool numeric, fraction, polyn;
    } cases[] = {{'a', true, true, true},   {'Z', true, true, true},  {'7', true, true, true},
                 {'.', true, true, true},   {'_', true, true, true},  {'`', true, true, true},
                 {'|', false, true, true},  {'#', false, false, true}, {'$', false, false, true},
                 {'&', false, false, true}, {'+', false, false, false}, {'(', false, false, false},
                 {',', false, false, false}, {'[', false, false, false}};
    for (auto &c : cases) {
        EXPECT_EQ(BigNumber::isOperandChar(c.c), c.numeric) << c.c;
        EXPECT_EQ(BigNumber::isFractionOperandChar(c.c), c.fraction) << c.c;
        EXPECT_EQ(BigNumber::isPolynOperandChar(c.c), c.polyn) << c.c;
        EXPECT_EQ(BigNumber::isMultiPolynOperandChar(c.c), c.polyn) << c.c;
        EXPECT_EQ(BigNumber::isComplexOperandChar(c.c), c.polyn) << c.c;
    }
}

TEST(PostfixConversion, Priorities) {
    struct {
        const char *top, *incoming;
        bool pops;
    } cases[] = {
        {"(", "+", false},  {"+", "(", false},  {"*", "sin", false}, {"+", ")", true},  {"sin", "*", false},
        {"sin", "+", false}, {"sin", "@", true}, {"!", "!", false},   {"^", "^", false}, {"!", "^", true},
        {"^", "!", false},  {"*", "/", true},   {"%", "*", true},    {"+", "*", false}, {"-", "+", true},
        {"+", "@", true},   {"@", "+", false},  {"@", "@", true},    {"<", ">", true},  {"~", "~", false},
        {"~", "<", false},  {"<", "~", true},   {"[", "@", true},    {"[", "*", false}, {"#", "#", true},
    };
    for (auto &c : cases)
        EXPECT_EQ(BigNumber::hasHigherPriority(c.top, c.incoming), c.pops) << c.top << " " << c.incoming;
    EXPECT_TRUE(BigNumber::hasHigherCharPriority('[', ')'));
    EXPECT_FALSE(BigNumber::hasHigherCharPriority('[', '@'));
    EXPECT_FALSE(BigNumber::hasHigherCharPriority('(', ')'));
    EXPECT_TRUE(BigNumber::hasHigherCharPriority('*', '-'));
    EXPECT_FALSE(BigNumber::hasHigherCharPriority('~', '+'));
}
