#include <gtest/gtest.h>

#include "BigNumber.h"

namespace {

std::string prepared(const std::string &text) {
    BigNumber bn;
    bn.setExpression(text);
    std::string out = bn.prepareExpression();
    EXPECT_EQ(bn.getOriginalExpression(), text) << text;
    EXPECT_EQ(bn.getExpression(), out) << text;
    return out;
}

}  // namespace

TEST(Normalisation, PrepareExpression) {
    struct {
        const char *in, *out;
    } cases[] = {
        // a minus opening the text, a bracket or the right side of "~" gets its zero
        {"-5+3", "0-5+3"},
        {"2*(-3)", "2*(0-3)"},
        {"1~-2", "1~0-2"},
        {"--5", "0--5"},
        {"1<-2", "1<-2"},
        {"2*-3", "2*-3"},
        {"(-(-1))", "(0-(0-1))"},
        // one character is left alone
        {"7", "7"},
        {".", "."},
        {"-", "-"},
        // bare points
        {".5+1", "0.5+1"},
        {"5.+1", "5.0+1"},
        {"2*.5", "2*0.5"},
        {"(5.)*2", "(5.0)*2"},
        {"1..2", "1..2"},
        {"a.b", "a.b"},
        {"-.5", "0-0.5"},
        {"5.", "5.0"},
        // factorial sums
        {"!3+1", "9+1"},
        {"2+!4", "2+33"},
        {"!0", "1"},
        {"(2)!3", "(2)9"},
        {"5!3", "5!3"},
        {"5!", "5!"},
        {"(5)!", "(5)!"},
        {"x!+1", "x!+1"},
        {"!2.5", "3.5"},
        {"!007", "5913"},
        // messages
        {".x", "[error 5776] `.x` is wrong at position : 1"},
        {"x.", "[error 5822: last charactor is not a digit]\n`x.` is wrong at position : 1"},
        {"1+x.", "[error 5822: last charactor is not a digit]\n`1+x.` is wrong at position : 3"},
        {"!x", "[error 5874] `!x` is wrong at position : 1"},
        {"x!", "[error 5917]`x!` is wrong at position : 0"},
        {"", "`` is empty"},
    };
    for (auto &c : cases) EXPECT_EQ(prepared(c.in), c.out) << c.in;
}

TEST(Normalisation, PolynomialFormKeepsSigns) {
    BigNumber bn;
    bn.setExpression("-x+.5*(-y)");
    EXPECT_EQ(bn.preparePolynExpression(), "-x+0.5*(-y)");
    EXPECT_EQ(bn.getOriginalExpression(), "-x+.5*(-y)");
    bn.setExpression(".");
    EXPECT_EQ(bn.preparePolynExpression(), ".");
    bn.setExpression("!3x");
    EXPECT_EQ(bn.preparePolynExpression(), "9x");
}

TEST(Normalisation, FirstMalformedMarkEndsTheScan) {
    BigNumber bn;
    // the message carries the text as the worker received it
    EXPECT_EQ(bn.fixDecimalPoints(".x+y."), "[error 5776] `.x+y.` is wrong at position : 1");
    EXPECT_EQ(bn.expandFactorialSums("!a+!3"), "[error 5874] `!a+!3` is wrong at position : 1");
    EXPECT_EQ(bn.expandFactorialSums("!3+a!"), "[error 5917]`!3+a!` is wrong at position : 3");
}

TEST(Normalisation, FactorialSums) {
    BigNumber bn;
    EXPECT_EQ(bn.factorialSum(-1), "");
    EXPECT_EQ(bn.factorialSum(0), "1");
    EXPECT_EQ(bn.factorialSum(1), "1");
    EXPECT_EQ(bn.factorialSum(5), "153");
    EXPECT_EQ(bn.factorialSum(20), "2561327494111820313");
    EXPECT_EQ(bn.factorialSum(25), "16158688114800553828940313");
}

TEST(Normalisation, HugeFactorialSumIsRefused) {
    // the operand is read by value, so neither a huge run nor one that would wrap a
    // 64-bit count silently changes the text
    const char *refused[] = {"!5001", "2+!99999999999999999999", "!4294967295"};
    for (const char *text : refused) {
        std::string out = prepared(text);
        EXPECT_EQ(out.rfind("[error 5875] `", 0), 0u) << text;
        EXPECT_NE(out.find("is too big"), std::string::npos) << text;
    }
    EXPECT_EQ(prepared("!0005").size(), 3u);  // 153: leading zeros do not count
}
