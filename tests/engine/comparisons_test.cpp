#include <gtest/gtest.h>

#include "BigNumber.h"

TEST(Comparisons, LessThan) {
    struct {
        const char *a, *b;
        bool less;
    } cases[] = {
        {"2", "10", true},   {"-3", "-2", true},  {"0.5", "0.50", false}, {"7", "7", false},
        {"007", "7", false}, {"-0", "0", true},   {"0", "-0", false},     {"1", "+5", true},
        {"+5", "1", false},  {"-5", "+1", true},  {"1.25", "1.3", true},  {"-1.3", "-1.25", true},
        {"10", "9.999", false}, {".5", "0.6", true},
    };
    BigNumber bn;
    for (auto &c : cases) {
        EXPECT_EQ(bn.isLessThan(c.a, c.b), c.less) << c.a << " < " << c.b;
        EXPECT_EQ(bn.isGreaterThan(c.b, c.a), c.less) << c.b << " > " << c.a;
    }
    EXPECT_TRUE(bn.isLessOrEqual("7", "007"));
    EXPECT_FALSE(bn.isLessOrEqual("8", "7"));
}

TEST(Comparisons, Equality) {
    struct {
        const char *a, *b;
        bool equal;
        const char *text;
    } cases[] = {
        {"007.50", "7.5", true, "1"}, {"-0", "0", true, "0"}, {"+0", "0", true, "1"},
        {"2.5", "1", false, "0"},     {"1.5", "1.0", false, "0"}, {"3", "3.0", true, "1"},
        {"-2", "2", false, "0"},      {".5", "0.5", true, "1"},   {"2.5", "2.50", true, "1"},
        {"1", "2", false, "0"},       {"-2.5", "-2.50", true, "1"},
    };
    BigNumber bn;
    for (auto &c : cases) {
        EXPECT_EQ(bn.isEqualTo(c.a, c.b), c.equal) << c.a << " == " << c.b;
        EXPECT_EQ(bn.equalToText(c.a, c.b), c.text) << c.a << " ~ " << c.b;
    }
}

TEST(Comparisons, TextAnswersAndBelowOne) {
    BigNumber bn;
    EXPECT_EQ(bn.lessThanText("1", "2"), "1");
    EXPECT_EQ(bn.lessThanText("2", "2"), "0");
    EXPECT_EQ(bn.greaterThanText("3", "2"), "1");
    EXPECT_EQ(bn.greaterThanText("-3", "2"), "0");
    struct {
        const char *a, *b;
        bool less;
    } below[] = {{"0.25", "0.3", true},   {"0.3", "0.25", false}, {"0.5", "0.50", false},
                 {"0.5", "0.501", true},  {"0.5", "0.5", false},  {"1.5", "0.3", false},
                 {"0.", "0.1", false},    {"0.125", "0.12", false}};
    for (auto &c : below) EXPECT_EQ(BigNumber::isLessBelowOne(c.a, c.b), c.less) << c.a << " " << c.b;
}
