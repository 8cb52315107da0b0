#include <gtest/gtest.h>

#include "BigNumber.h"
#include "number_routines.h"

TEST(ContinuedFraction, QuotientsExpressionAndTex) {
    struct {
        const char *x, *list, *expression, *tex;
    } cases[] = {
        {"43/19", "(2,3,1,4)", "2+1/(3+1/(1+1/(4)))", "2+\\frac{1}{3+\\frac{1}{1+\\frac{1}{4}}}"},
        {"43|19", "(2,3,1,4)", "2+1/(3+1/(1+1/(4)))", "2+\\frac{1}{3+\\frac{1}{1+\\frac{1}{4}}}"},
        {"-43/19", "(-3,1,2,1,4)", "-3+1/(1+1/(2+1/(1+1/(4))))",
         "-3+\\frac{1}{1+\\frac{1}{2+\\frac{1}{1+\\frac{1}{4}}}}"},
        {"3/7", "(0,2,3)", "0+1/(2+1/(3))", "0+\\frac{1}{2+\\frac{1}{3}}"},
        {"5", "(5)", "5", "5"},
        {"-2", "(-2)", "-2", "-2"},
        {"0", "(0)", "0", "0"},
        {"-0", "(0)", "0", "0"},
        {"0.5", "(0,2)", "0+1/(2)", "0+\\frac{1}{2}"},
        {"-0.5", "(-1,2)", "-1+1/(2)", "-1+\\frac{1}{2}"},
        {"1+1/2", "(1,2)", "1+1/(2)", "1+\\frac{1}{2}"},
    };
    BigNumber bn;
    for (auto &c : cases) {
        std::string expression, detail, tex;
        EXPECT_EQ(bn.continuedFraction(c.x, expression, detail, tex), c.list) << c.x;
        EXPECT_EQ(expression, c.expression) << c.x;
        EXPECT_EQ(tex, c.tex) << c.x;
        EXPECT_EQ(detail, "") << c.x;
    }
    EXPECT_EQ(bn.outStream.str(), "");
}

TEST(ContinuedFraction, LongNumbers) {
    BigNumber bn;
    std::string expression, detail, tex;
    std::string ones(5000, '1');  // (10^5000 - 1)/9: the quotient 1 then 1...
    EXPECT_EQ(bn.continuedFraction(ones + "/" + ones, expression, detail, tex), "(1)");
    EXPECT_EQ(bn.continuedFraction("1/" + ones + "1", expression, detail, tex),
              "Error: continued fractions are made of numbers of at most 5000 digits.");
    EXPECT_EQ(bn.continuedFraction("0." + std::string(5001, '3'), expression, detail, tex),
              "Error: continued fractions are made of numbers of at most 5000 digits.");
}

TEST(ContinuedFraction, EuclidSteps) {
    BigNumber bn;
    for (const char *option : {"detail", "true", "t"}) {
        std::string expression, detail = option, tex;
        bn.continuedFraction("43/19", expression, detail, tex);
        EXPECT_EQ(detail, "q=2; r2=5\nq=3; r2=4\nq=1; r2=1\nq=4; r2=0\n") << option;
    }
    std::string expression, detail = "detail", tex;
    bn.continuedFraction("-43/19", expression, detail, tex);
    EXPECT_EQ(detail.substr(0, 11), "q=0; r2=14\n");
}

TEST(ContinuedFraction, InvalidInputLeavesTextsAlone) {
    for (const char *x : {"abc", "1/0", "1|0", "", "1/", "2/0+1", "1/(1-1)"}) {
        BigNumber bn;
        std::string expression = "e", detail = "detail", tex = "t";
        EXPECT_EQ(bn.continuedFraction(x, expression, detail, tex), "Error: Invalid number input.") << x;
        EXPECT_EQ(bn.outStream.str(), std::string("str=") + x + "\n");
        EXPECT_EQ(expression + detail + tex, "edetailt") << x;
    }
}

TEST(ContinuedFraction, ValueOfQuotients) {
    BigNumber bn;
    std::string expression, tex;
    EXPECT_EQ(bn.continuedFractionValue({"2", "3", "1", "4"}, expression, tex), "43|19");
    EXPECT_EQ(expression, "2+1/(3+1/(1+1/(4)))");
    EXPECT_EQ(tex, "2+\\frac{1}{3+\\frac{1}{1+\\frac{1}{4}}}");
    EXPECT_EQ(bn.continuedFractionValue({"7"}, expression, tex), "7|1");
    EXPECT_EQ(expression, "7");
    EXPECT_EQ(bn.continuedFractionValue({"1", "1/2"}, expression, tex), "3");  // quotients need not be whole
    EXPECT_EQ(bn.continuedFractionValue({"(2^3)", "2"}, expression, tex), "17|2");  // a list of fraction mode
    for (std::vector<std::string> bad : {std::vector<std::string>{}, {"2", ""}, {"x", "1"}, {"5@/.!0601", "1"}, {".", "1"}, {"1/", "2"}})
        EXPECT_EQ(bn.continuedFractionValue(bad, expression, tex), "Error: Invalid number input.");
}

TEST(Farey, MembersCountAndContinuedFractions) {
    BigNumber bn;
    std::vector<std::string> list;
    EXPECT_EQ(bn.fareySequence("5", list, false), "11");
    std::vector<std::string> five{"0/1", "1/5", "1/4", "1/3", "2/5", "1/2", "3/5", "2/3", "3/4", "4/5", "1/1"};
    EXPECT_EQ(list, five);
    EXPECT_EQ(bn.outStream.str(), "");
    EXPECT_EQ(bn.fareySequence("5", list, true), "11");
    EXPECT_EQ(bn.outStream.str(),
              "1/5 = (0,5)\n1/4 = (0,4)\n1/3 = (0,3)\n2/5 = (0,2,2)\n1/2 = (0,2)\n3/5 = (0,1,1,2)\n"
              "2/3 = (0,1,2)\n3/4 = (0,1,3)\n4/5 = (0,1,4)\n\n");
    bn.outStream.str("");
    EXPECT_EQ(bn.fareySequence("1", list, true), "2");
    EXPECT_EQ(list, (std::vector<std::string>{"0/1", "1/1"}));
    EXPECT_EQ(bn.outStream.str(), "1/1 = (1)\n");
    EXPECT_EQ(bn.fareySequence("+002", list, false), "3");
    EXPECT_EQ(list, (std::vector<std::string>{"0/1", "1/2", "1/1"}));
    // the count of the members of order n is 1 plus the sum of phi up to n
    EXPECT_EQ(bn.fareySequence("100", list, false), "3045");
    EXPECT_EQ(list[1], "1/100");
    EXPECT_EQ(list[3043], "99/100");
    for (const char *n : {"0", "-3", "abc", ""}) {
        std::vector<std::string> untouched{"x"};
        EXPECT_EQ(bn.fareySequence(n, untouched, false), "0") << n;
        EXPECT_EQ(untouched.size(), 1u);
    }
    EXPECT_EQ(bn.fareySequence("1001", list, false),
              "Error> 1001 is out of range: an integer from 1 to 1000 is needed here.");
    EXPECT_EQ(bn.fareySequence("123456789012345678901234567890", list, false),
              "Error> 123456789012345678901234567890 is out of range: an integer from 1 to 1000 is needed here.");
}

TEST(EulerBrackets, Continuants) {
    EXPECT_EQ(euler_brackets({"3", "1", "2", "4", "1", "2"}), "166");
    EXPECT_EQ(euler_brackets({}), "1");
    EXPECT_EQ(euler_brackets({"7"}), "7");
    EXPECT_EQ(euler_brackets({"2", "3", "1", "4"}), "43");  // the numerator of 43/19
    EXPECT_EQ(euler_brackets({"-1", "2"}), "-1");
    EXPECT_EQ(euler_brackets({"0.5", "2"}), "2.0");
    EXPECT_EQ(euler_brackets({"2", "x"}), "Error: Invalid number input.");
    EXPECT_EQ(euler_brackets({"2", ""}), "Error: Invalid number input.");
    EXPECT_EQ(euler_brackets({"2", "-"}), "Error: Invalid number input.");
}
