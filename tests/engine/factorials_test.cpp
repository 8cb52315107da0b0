#include <gtest/gtest.h>

#include "BigNumber.h"

namespace {
const std::string kOrder = "\nhint> ===*=== error ===*===\n    > `";
}

TEST(Factorials, FallingProducts) {
    struct {
        const char *x, *y, *want;
    } cases[] = {{"5", "1", "120"}, {"5", "3", "60"}, {"5", "5", "5"},   {"5", "0", "0"},
                 {"1", "1", "1"},   {"3", "5", "3 is less than 5"}, {"2.5", "1", "3.75"},
                 {"20", "1", "2432902008176640000"}, {"05", "5", "1"}, {"-1.5", "-3.5", "-13.125"}};
    BigNumber bn;
    for (auto &c : cases) EXPECT_EQ(bn.falling_factorial(c.x, c.y), c.want) << c.x << "!" << c.y;
    EXPECT_EQ(bn.falling_factorial("1000", "1").size(), 2568u);
    EXPECT_EQ(bn.falling_factorial("100000000000", "1"), "Warning> n is too big.");
}

// The falling product of decimals is computed at once; it must give the texts of the walk
// that multiplies factor by factor and subtracts one at a time.
TEST(Factorials, DecimalProductsMatchTheWalk) {
    BigNumber bn, walker;
    auto walk = [&](const std::string &x, const std::string &y) {
        std::string p = "1", r = x;
        while (walker.isGreaterThan(r, y)) {
            p = walker.multiplication(p, r);
            r = walker.real_subtraction(r, "1");
        }
        if (r == y) p = walker.multiplication(p, r);
        return p;
    };
    const char *xs[] = {"2.5", "5.0", "0.5", "-0.5", "3.25", "007.5", "-2.50", "10.001", "1.0", "0.0", "4.5"};
    const char *ys[] = {"1", "0.5", "-0.5", "1.0", "-3.5", "0", "0.0", "2.25", "-1", "4.5", "-0.50"};
    for (const char *x : xs)
        for (const char *y : ys) {
            if (bn.isLessThan(x, y)) continue;
            EXPECT_EQ(bn.falling_factorial(x, y), walk(x, y)) << x << "!" << y;
        }
}

TEST(Factorials, Operators) {
    BigNumber bn;
    EXPECT_EQ(bn.factorial_operator("0", "1"), "1");
    EXPECT_EQ(bn.factorial_operator("5", "1"), "120");
    EXPECT_EQ(bn.factorial_operator("3", "5"), kOrder + "3` should be greater than `5`.");
    EXPECT_EQ(bn.getErrorMessage(), kOrder + "3` should be greater than `5`.");
    EXPECT_EQ(bn.factorial_operator("x", "1"),
              "\nhint> ===*=== syntax error ===*===\n    > the operand `x` is not a valid infix.");
    EXPECT_EQ(bn.fr_factorial_operator("0", "1"), "1");
    EXPECT_EQ(bn.fr_factorial_operator("5", "1"), "120");
    EXPECT_EQ(bn.fr_factorial_operator("5", "3"), "60");
    EXPECT_EQ(bn.fr_factorial_operator("5|2", "1|2"), "15|8");
    EXPECT_EQ(bn.fr_factorial_operator("1|2", "5|2"), kOrder + "1|2` should be greater than `5|2`.");
    // The walk in fractions: landing on y or not, whole numbers written n|1, negatives.
    EXPECT_EQ(bn.fr_falling_factorial("5|1", "5|1"), "5|1");
    EXPECT_EQ(bn.fr_falling_factorial("5|2", "2|1"), "5|2");
    EXPECT_EQ(bn.fr_falling_factorial("7|2", "0|1"), "105|16");
    EXPECT_EQ(bn.fr_falling_factorial("1|2", "-5|2"), "-15|16");
    EXPECT_EQ(bn.fr_falling_factorial("3|1", "-1|1"), "0");
    EXPECT_EQ(bn.fr_factorial_operator("x", "1"),
              "\nhint> ===*=== syntax error ===*===\n    > the operand `x` is not a valid infix.");
    EXPECT_NE(bn.fr_factorial_operator("2120.02", "1").find('|'), std::string::npos);  // 2120 factors, at once
    // A zero denominator is no number: answered at once rather than walked down forever.
    EXPECT_EQ(bn.fr_factorial_operator("1|0", "0"), "NaN");
    EXPECT_EQ(bn.fr_factorial_operator("5", "0|00"), "NaN");
}

TEST(Factorials, Binomials) {
    struct {
        const char *n, *k, *want;
    } cases[] = {{"5", "2", "10"}, {"5", "3", "10"}, {"5", "5", "1"}, {"5", "0", "1"}, {"0", "0", "1"},
                 {"4", "2", "6"},  {"2", "5", "0"},  {"52", "5", "2598960"},
                 {"100", "50", "100891344545564193334812497256"}};
    BigNumber bn;
    for (auto &c : cases) EXPECT_EQ(bn.binom_value(c.n, c.k), c.want) << c.n << " " << c.k;
    EXPECT_EQ(bn.expand_factorial_expr("7", "2"), "(7)!/((2)!*(5)!)");
    bn.setMode(1);
    EXPECT_EQ(bn.expand_factorial_expr("n", "2"), "(n)!/((2)!*((n-2))!)");
}
