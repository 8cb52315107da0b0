#include <gtest/gtest.h>

#include "BigNumber.h"

TEST(Powers, IntPower) {
    struct {
        const char *x;
        int64_t n;
        const char *want;
    } cases[] = {
        {"1", 0, "1"},     {"1", 99, "1"},       {"-1", 5, "-1"},      {"-1", 4, "1"},    {"0", 3, "0"},
        {"0", 0, "0^0 is undefined."},           {"7", 0, "1"},        {"2", 8, "256"},   {"-2", 3, "-8"},
        {"1.5", 2, "2.25"}, {"2.50", 2, "6.25"}, {"2.0", 2, "4.00"},   {"0.5", 2, "0.25"}, {"-0.5", 3, "-0.125"},
        {"2", int64_t(1) << 62, "Warning> n is too big."}, {"", 3, "[empty]^3 is not allowed."},
        {"007", 2, "49"},  {"10", 20, "100000000000000000000"}, {"0.1", 3, "0.001"}, {"00", 2, "0"},
    };
    BigNumber bn;
    for (auto &c : cases) EXPECT_EQ(bn.int_power(c.x, c.n), c.want) << c.x << "^" << c.n;
    EXPECT_EQ(bn.int_power("3", 200).size(), 96u);
}

TEST(Powers, FractionPower) {
    struct {
        const char *x;
        int64_t n;
        const char *want;
    } cases[] = {{"6|4", 2, "9|4"}, {"-2|3", 3, "-8|27"}, {"5", 2, "25|1"}, {"abc", 2, "abc is NOT a fraction."},
                 {"0|5", 0, "0^0 is undefined.|1"}};
    BigNumber bn;
    for (auto &c : cases) EXPECT_EQ(bn.fr_power(c.x, c.n), c.want) << c.x << "^" << c.n;
}

TEST(Powers, GeneralPower) {
    BigNumber bn;
    struct {
        const char *base, *exponent, *want;
    } cases[] = {
        {"x", "3", "x^3"},          {"2", "x", "2^x"},       {"x+y", "0.5", "(x+y)^(0.5)"},
        {"x+y", "-0.5", "(x+y)^(-0.5)"}, {"4", "0.5", "2"}, {"4", "-0.5", "0.5"},
        {"4", "-3|2", "0.125"},     {"-8", "1|3", "-2"},     {"2", "10000000000000000000", "Warning> n is too big."},
        {"2", "4611686018427387904", "Warning> n is too big."}, {"3", "2", "9"}, {"2", "1|0", "Error> a root of degree 0 is not defined."},
    };
    for (auto &c : cases) EXPECT_EQ(bn.power(c.base, c.exponent), c.want) << c.base << "^" << c.exponent;
}

TEST(Powers, DecimalExponentsWithLongDenominatorsFinish) {
    BigNumber bn;
    // 8^0.33333333 would be a 10^8-th root of a power with millions of digits; the answer
    // is the real power to the precision instead.
    EXPECT_EQ(bn.power("8", "0.33333333"), "1.99999999");
    EXPECT_EQ(bn.power("2", "0.123456789"), "1.08934187");
    EXPECT_EQ(bn.power("10", "-0.12345"), "0.75257537");
    bn.setPrecision(20);
    EXPECT_EQ(bn.power("3", "2.718281828"), "19.81299073528270332241");
}

TEST(Powers, LargePowersWithFractionalExponents) {
    BigNumber bn;
    // Past the exact road the real power gives the same digits the exact road would:
    // 2^(30001/2) is the square root of 2^30001.
    std::string exact = bn.nthRootNumeric(bn.int_power("2", 30001), 2);
    EXPECT_EQ(bn.power("2", "15000.5"), exact);
    EXPECT_EQ(bn.power("2", "-15000.5").substr(0, 4), "0.00");
    // A whole exponent written as a decimal needs no root and stays exact.
    EXPECT_EQ(bn.power("3", "65536.0"), bn.int_power("3", 65536) + ".00000000");
    // A real power too long to compute in reasonable time is refused.
    EXPECT_EQ(bn.power("2", "70000.5"), "Warning> n is too big.");
    EXPECT_EQ(bn.power("120", "9700.55"), "Warning> n is too big.");
}

// A real power costs about one logarithm and one exponential at its precision, whatever
// the exponent's decimals: past a cheap root the road through them gives the same digits as
// the exact root (2.30176 is 7193/3125, a root of degree 3125 of a power of 2166 digits).
TEST(Powers, RealPowersTakeTheCheaperRoad) {
    BigNumber bn;
    struct {
        const char *base, *exponent;
        int64_t num, den;
        int precision;
    } cases[] = {
        {"2", "2.30176", 7193, 3125, 30}, {"2", "0.001", 1, 1000, 40},   {"3.7", "0.0123", 123, 10000, 9},
        {"10", "0.25", 1, 4, 50},         {"7", "1.0625", 17, 16, 80},   {"123", "0.09375", 3, 32, 25},
    };
    for (auto &c : cases) {
        bn.setPrecision(c.precision);
        std::string exact = bn.nthRootNumeric(bn.int_power(c.base, c.num), c.den);
        EXPECT_EQ(bn.power(c.base, c.exponent), exact) << c.base << "^" << c.exponent;
        EXPECT_EQ(bn.power(c.base, std::to_string(c.num) + "|" + std::to_string(c.den)), exact) << c.base;
    }
    // exact roots stay bare integers on every road
    bn.setPrecision(100);
    EXPECT_EQ(bn.power("65536", "0.0625"), "2");
    EXPECT_EQ(bn.power("65536", "-0.0625"), "0.5");
    EXPECT_EQ(bn.power("1024", "0.1"), "2");
    // at high precision, where the exact roots took tens of seconds
    bn.setPrecision(30);
    std::string short2 = bn.power("2", "2.30176");
    bn.setPrecision(5000);
    std::string long2 = bn.power("2", "2.30176");
    EXPECT_EQ(long2.size(), 5002u);
    EXPECT_EQ(long2.substr(0, 30), short2.substr(0, 30));
    bn.setPrecision(10000);
    EXPECT_EQ(bn.power("2", "0.001").substr(0, 12), "1.0006933874");
    bn.setMode(1);  // the fraction road tests its roots for exactness on integers
    std::string v;
    bn.EvalInfixExprNoOutput("2^(1/3125)", v, 1);
    EXPECT_EQ(v, "sqrtn(2, 3125)");
    bn.EvalInfixExprNoOutput("(1/2)^(2/3125)", v, 1);
    EXPECT_EQ(v, "1|sqrtn(4, 3125)");
}

TEST(Powers, SymbolicPowersStayWrittenPastAModestLength) {
    // Like terms are not collected, so (l+c)^36 would expand into billions of terms.
    BigNumber bn;
    EXPECT_EQ(bn.power("l+0.00578035", "36"), "(l+0.00578035)^36");
    EXPECT_EQ(bn.power("l+1", "2"), "l*l+l+l+1");
}

TEST(Powers, RealPowersOfBasesNearOne) {
    // Seventeen digits of the base cannot tell its logarithm from zero: the size of the
    // answer comes from the logarithm itself.
    BigNumber bn;
    EXPECT_EQ(bn.power("1.000000000000000000000001", "0.3333333"), "1.00000000");
    EXPECT_EQ(bn.power("0.9999999999999999999999", "0.3333333"), "1.00000000");
    EXPECT_EQ(bn.power("1.0000000000001", "1000000000000.5"), "1.10517092");  // e^0.1
}
