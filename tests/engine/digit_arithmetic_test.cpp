#include <gtest/gtest.h>

#include <cmath>

#include "BigNumber.h"

namespace {
struct Case {
    const char *a, *b, *want;
};
}  // namespace

TEST(DigitArithmetic, Addition) {
    const Case cases[] = {
        {"999", "1", "1000"}, {"5", "5", "10"},   {"007", "5", "012"}, {"0", "0", "0"},
        {"", "42", "42"},     {"", "", ""},       {"0042", "", "0042"},
        {"99999999999999999999", "1", "100000000000000000000"},  // past one machine word
        {"0000000000000000000001", "9", "0000000000000000000010"},
    };
    BigNumber bn;
    for (const Case &c : cases) EXPECT_EQ(bn.int_addition(c.a, c.b), c.want) << c.a << "+" << c.b;
}

TEST(DigitArithmetic, Subtraction) {
    const Case cases[] = {
        {"1000", "1", "999"}, {"1", "1000", "-999"}, {"42", "42", "0"}, {"10", "9", "1"},
        {"9", "10", "-1"},    {"100", "99", "1"},    {"0", "7", "-7"},  {"09", "10", "-1"},
        {"10", "09", "1"},
        // Leading zeros do not make an operand the larger, equal values give "0".
        {"007", "8", "-1"},   {"007", "7", "0"},     {"00", "0", "0"},
        {"100000000000000000000000", "1", "99999999999999999999999"},
        {"1", "100000000000000000000000", "-99999999999999999999999"},
    };
    BigNumber bn;
    for (const Case &c : cases) EXPECT_EQ(bn.int_subtraction(c.a, c.b), c.want) << c.a << "-" << c.b;
}

TEST(DigitArithmetic, Multiplication) {
    const Case cases[] = {
        {"12", "12", "144"}, {"-3", "4", "-12"}, {"-3", "-4", "12"}, {"0", "-5", "0"}, {"5", "0", "0"},
        {"25", "4", "100"},
        // The schoolbook width: leading zeros of the factors can survive in the product.
        {"00", "5", "00"},   {"12", "05", "060"}, {"05", "3", "15"}, {"-0", "5", "-0"},
        {"00", "-5", "-00"}, {"", "12", "0"},
        {"123456789012345678901234567890", "987654321098765432109876543210",
         "121932631137021795226185032733622923332237463801111263526900"},
        {"000000000000000000001", "000000000000000000001", "00000000000000000000000000000000000000001"},
    };
    BigNumber bn;
    for (const Case &c : cases) EXPECT_EQ(bn.int_multiplication(c.a, c.b), c.want) << c.a << "*" << c.b;
}

TEST(DigitArithmetic, NonDigitsDoNotCrash) {
    BigNumber bn;
    // Meaningless answers, but answers: the per-character path.
    EXPECT_FALSE(bn.int_addition("+5", "3").empty());
    EXPECT_FALSE(bn.int_subtraction("x1", "2").empty());
    EXPECT_FALSE(bn.int_multiplication("1a", "2.5").empty());
}

TEST(DigitArithmetic, SignTools) {
    BigNumber bn;
    const std::pair<const char *, const char *> negations[] = {
        {"5", "-5"}, {"-5", "5"}, {"+5", "-5"}, {"0", "-0"}, {"-0", "0"}, {"", "-"}};
    for (auto [in, want] : negations) EXPECT_EQ(bn.negate(in), want) << in;
    for (auto in : {"-7", "+7", "7"}) EXPECT_EQ(bn.absolute(in), "7") << in;
    EXPECT_EQ(bn.absolute("--7"), "-7");  // one sign only
    std::string s = "abc", e;
    EXPECT_EQ(BigNumber::reverse_string(s), "cba");
    EXPECT_EQ(BigNumber::reverse_string(e), "");
}

TEST(DigitArithmetic, ResultIsTheEnginesText) {
    BigNumber bn;
    std::string &r = bn.int_addition("1", "2");
    bn.int_addition("5", "5");
    EXPECT_EQ(r, "10");
}

TEST(DigitArithmetic, SqrtByDigitsAndPow10) {
    EXPECT_NEAR(BigNumber::sqrt_by_digits(2), 1.41421356, 1e-8);
    EXPECT_DOUBLE_EQ(BigNumber::sqrt_by_digits(100), 10);
    EXPECT_DOUBLE_EQ(BigNumber::sqrt_by_digits(0), 0);
    EXPECT_NEAR(BigNumber::sqrt_by_digits(0.25), 0.5, 1e-12);
    // From 10^18 on the units place is no longer counted up one at a time.
    EXPECT_DOUBLE_EQ(BigNumber::sqrt_by_digits(1e18), 1e9);
    EXPECT_DOUBLE_EQ(BigNumber::sqrt_by_digits(4e30), 2e15);
    EXPECT_DOUBLE_EQ(BigNumber::sqrt_by_digits(1e300), std::floor(std::sqrt(1e300)));
    double big = 123456789012345678.0 * 1000;  // not a square
    double r = BigNumber::sqrt_by_digits(big);
    EXPECT_LE(r * r, big);
    EXPECT_GT((r + 1) * (r + 1), big);
    EXPECT_DOUBLE_EQ(BigNumber::pow10_double(0), 1);
    EXPECT_DOUBLE_EQ(BigNumber::pow10_double(3), 1000);
    EXPECT_DOUBLE_EQ(BigNumber::pow10_double(-2), 0.1 * 0.1);
    EXPECT_EQ(BigNumber::pow10_double(100000), HUGE_VAL);
    EXPECT_EQ(BigNumber::pow10_double(-100000), 0.0);
}
