#include <gtest/gtest.h>

#include <algorithm>

#include "BigNumber.h"
#include "tools.h"

namespace {
struct Case {
    const char *a, *b, *want;
};
}  // namespace

TEST(DecimalToFraction, Table) {
    const std::pair<const char *, const char *> cases[] = {
        {"0.5", "1|2"},    {"2.25", "9|4"},  {"-2.25", "-9|4"}, {"0.125", "1|8"},   {"0.05", "1|20"},
        {"12.50", "25|2"}, {"3.14", "157|50"}, {"5.0", "5|1"},  {"0.0", "0|1"},     {"-0.0", "-0|1"},
        {"6/8", "3|4"},    {"-6|8", "-3|4"}, {"007|14", "1|2"}, {"0", "0|1"},       {"-0", "-0|1"},
        {"000.000", "0|1"}, {"1.50", "3|2"}, {"01.5", "3|2"},   {"0.050", "1|20"},  {"0.333", "333|1000"},
        {"1.001", "1001|1000"}, {"10/4", "5|2"}, {"10|5", "2|1"}, {"-10|5", "-2|1"}, {"/5", "/5"},
        {"5/", "5/"},      {"7", "7|1"},     {"+5", "5|1"},     {"3/x", "3|x"},     {"x", "x"},
        {"1|", "1|"},      {"0|1", "0|1"},   {"-0|5", "-0|1"},  {"00/3", "0|1"},
        // a zero numerator stays a digit (the zeros of the whole text were once cut: |4)
        {"0|4", "0|1"},    {"-0|4", "-0|1"}, {"00|7", "0|1"},   {"0/0", "0|0"},     {"6|08", "3|4"},
    };
    BigNumber bn;
    for (auto [in, want] : cases) EXPECT_EQ(bn.decimal_to_fraction(in), want) << in;
    const std::pair<const char *, const char *> mixed[] = {
        {"2.25", "2+1|4==9|4"}, {"-2.25", "-(2+1|4)==-(9|4)"}, {"0.5", "0+1|2==1|2"},
        {"5.0", "5+0|1==5|1"},  {"-0.5", "-(0+1|2)==-(1|2)"},  {"7", "7|1"}, {"6/8", "3|4"}};
    for (auto [in, want] : mixed) EXPECT_EQ(bn.decimal_to_fraction2(in), want) << in;
}

TEST(FractionArithmetic, FourOperations) {
    BigNumber bn;
    const Case div[] = {{"1|2", "1|4", "2"},  {"3|4", "3|2", "1|2"}, {"6", "1", "6"},     {"0", "0", "NaN"},
                        {"5", "0", "Inf"},    {"-5", "0", "-Inf"},   {"0", "7", "0"},     {"-1|2", "-1|4", "2"},
                        {"2", "4", "1|2"},    {"-1|2", "0", "-Inf"}, {"0", "-3", "-0"},   {"-3|4", "1|2", "-3|2"}};
    for (const Case &c : div) EXPECT_EQ(bn.fr_division(c.a, c.b), c.want) << c.a << " / " << c.b;
    const Case mul[] = {{"2|3", "3|4", "1|2"}, {"1|2", "2|3", "1|3"},   {"-2", "3", "-6"},  {"1|1", "2|4", "2|4"},
                        {"0|1", "7|3", "0"},   {"0.5", "0.25", "1|8"},  {"-1|2", "-1|2", "1|4"}, {"2|4", "1", "2|4"}};
    for (const Case &c : mul) EXPECT_EQ(bn.fr_multiplication(c.a, c.b), c.want) << c.a << " * " << c.b;
    const Case sub[] = {{"5|6", "0|1", "5|6"}, {"0", "3|4", "-3|4"}, {"1|2", "1|2", "0"}, {"1|3", "1|2", "-1|6"},
                        {"1|2", "1|3", "1|6"}, {"3|4", "3|4", "0"},  {"-1|3", "1|6", "-1|2"}};
    for (const Case &c : sub) EXPECT_EQ(bn.fr_subtraction(c.a, c.b), c.want) << c.a << " - " << c.b;
    const Case add[] = {{"0", "3|6", "3|6"},   {"1|6", "1|3", "1|2"}, {"1|2", "1|2", "1"},
                        {"1|2", "1|3", "5|6"}, {"-1|2", "1|3", "-1|6"}, {"0.5", "0.25", "0.75"}};
    for (const Case &c : add) EXPECT_EQ(bn.fr_addition(c.a, c.b), c.want) << c.a << " + " << c.b;
    EXPECT_EQ(bn.reciprocal("4", 0), "0.25");
    EXPECT_EQ(bn.reciprocal("4", 1), "1|4");
    EXPECT_EQ(bn.reciprocal("2|3", 1), "3|2");
    EXPECT_EQ(bn.reciprocal("0", 1), "Inf");
    bn.setResult("kept");
    EXPECT_EQ(bn.reciprocal("4", 7), "kept");
}

TEST(FractionArithmetic, ReduceAndSplitCoefficient) {
    const std::pair<const char *, const char *> reduce[] = {
        {"10|5", "2"}, {"0|5", "0"}, {"7", "7"},   {"3|1", "3"}, {"-6|4", "-6|4"}, {"1.5|3", "1.5|3"},
        {"4|6", "2|3"}, {"2/4", "1|2"}, {"x|1", "x"}, {"6/1", "6"}, {"2|11", "2|11"}, {"4|2", "2"}};
    for (auto [in, want] : reduce) EXPECT_EQ(reduce_fraction(in), want) << in;
    struct {
        const char *term, *coefficient, *rest;
        int n;
    } split[] = {{"3x", "3", "x", 1},    {"2.5ab", "2.5", "ab", 3}, {"x", "1", "x", 0},
                 {"12", "12", "", 2},    {"2*x", "1", "2*x", -1},  {"-3x", "1", "-3x", -1}};
    BigNumber bn;
    for (auto &c : split) {
        std::string co, rest;
        EXPECT_EQ(bn.split_coefficient(c.term, co, rest), c.n) << c.term;
        EXPECT_EQ(co, c.coefficient) << c.term;
        EXPECT_EQ(rest, c.rest) << c.term;
    }
}

TEST(FractionComparisons, Table) {
    struct {
        const char *a, *b;
        bool less, greater, equal;
    } cases[] = {
        {"1|2", "2|4", false, false, true}, {"03|4", "3|4", false, false, true}, {"-1|2", "-1|2", false, false, true},
        {"1|2", "1|3", false, true, false}, {"1|3", "1|2", true, false, false},  {"00|5", "00|5", false, false, true},
        {"5", "9|2", false, true, false},
    };
    BigNumber bn;
    for (auto &c : cases) {
        EXPECT_EQ(bn.isFractionLess(c.a, c.b), c.less) << c.a << " " << c.b;
        EXPECT_EQ(bn.isFractionGreater(c.a, c.b), c.greater) << c.a << " " << c.b;
        EXPECT_EQ(bn.isFractionEqual(c.a, c.b), c.equal) << c.a << " " << c.b;
    }
    EXPECT_FALSE(bn.isFractionEqual("-1|2", "1|-2"));  // one sign in front, one inside
}

TEST(Sorting, NumbersAndFractions) {
    BigNumber bn;
    std::vector<std::string> v = {"10", "9", "-1", "2.5", "007", "7"};
    bn.sort_numbers_asc(v);
    EXPECT_EQ(v, (std::vector<std::string>{"-1", "2.5", "007", "7", "9", "10"}));
    std::vector<std::string> big;
    for (int i = 0; i < 40; i++) big.push_back(std::to_string((i * 17) % 40 - 20) + (i % 3 ? ".5" : ""));
    bn.sort_numbers_desc(big);
    for (size_t i = 1; i < big.size(); i++) EXPECT_FALSE(bn.isLessThan(big[i - 1], big[i])) << big[i - 1];
    std::vector<std::string> asc = big;
    bn.sort_numbers_asc(asc);
    for (size_t i = 1; i < asc.size(); i++) EXPECT_FALSE(bn.isLessThan(asc[i], asc[i - 1]));
    bn.setMode(1);
    std::vector<std::string> f = {"0.5", "1|3", "2"};
    bn.sort_numbers_asc(f);
    EXPECT_EQ(f, (std::vector<std::string>{"1|3", "1|2", "2|1"}));
    std::vector<std::string> one = {"0.25"};
    bn.sort_numbers_asc(one);
    EXPECT_EQ(one, (std::vector<std::string>{"1|4"}));
    std::vector<std::string> empty;
    bn.sort_numbers_desc(empty);
    EXPECT_TRUE(empty.empty());
}

// Texts that are not numbers compare without any order ("-x" is less than itself): the
// sort must still end within the vector and give back the same entries.
TEST(Sorting, TextsWithoutOrderStayInBounds) {
    BigNumber bn;
    for (int32_t mode : {0, 1}) {
        bn.setMode(mode);
        for (size_t n : {12, 13, 40}) {
            std::vector<std::string> v(n, "-x");
            v[n / 2] = "3";
            v[1] = "-y";
            std::vector<std::string> before = v;
            bn.sort_numbers_asc(v);
            bn.sort_numbers_desc(before);
            std::sort(v.begin(), v.end());
            std::sort(before.begin(), before.end());
            EXPECT_EQ(v, before) << n;
            EXPECT_EQ(v.size(), n);
        }
    }
    bn.setMode(0);
    std::vector<std::string> v = {"3", "1", "2"};
    bn.sort_numbers_asc_range(v, 0, 3);  // a range past the end sorts nothing
    bn.sort_numbers_asc_range(v, -1, 1);
    EXPECT_EQ(v, (std::vector<std::string>{"3", "1", "2"}));
    EXPECT_EQ(bn.sort_numbers_median3(v, 0, 2), "2");
    EXPECT_EQ(v, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(bn.sort_numbers_median3(v, 1, 1), "");  // no pivot in one entry
    EXPECT_EQ(bn.sort_numbers_median3(v, 0, 7), "");
}

TEST(Fractions, HugePowersOfFractionsStayWritten) {
    // A power whose numerator and denominator would run to hundreds of thousands of digits
    // stays written: every later step would reduce it by a gcd of that size.
    BigNumber bn;
    bn.setMode(1);
    std::string v;
    bn.EvalInfixExprNoOutput("341.1!2.05^25^2", v, 1);
    EXPECT_EQ(v.front(), '(');
    EXPECT_EQ(v.substr(v.size() - 5), ")^625");
    bn.EvalInfixExprNoOutput("(2|3)^(5^2)", v, 1);
    EXPECT_EQ(v, "33554432|847288609443");
}

TEST(Fractions, PowersOfFractionsWithLetters) {
    // A numerator with letters has no gcd and no root: whole powers expand, others stay written.
    BigNumber bn;
    bn.setMode(1);
    std::string v;
    bn.EvalInfixExprNoOutput("(l+1|2)^2", v, 1);
    EXPECT_EQ(v, "2*l*2*l+2*l+2*l+1|4");
    bn.EvalInfixExprNoOutput("(l+1|2)^(1|2)", v, 1);
    EXPECT_EQ(v, "((2*l+1)|2)^(1|2)");
}
