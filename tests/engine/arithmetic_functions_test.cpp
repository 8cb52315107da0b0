#include <gtest/gtest.h>

#include "BigNumber.h"
#include "number_routines.h"

namespace {

std::string takeOut(BigNumber &bn) {
    std::string text = bn.outStream.str();
    bn.outStream.str("");
    return text;
}

}  // namespace

TEST(Gcd, ZerosOnesAndSigns) {
    struct {
        const char *a, *b, *gcd;
    } cases[] = {
        {"12", "18", "6"}, {"0", "5", "5"},   {"5", "0", "5"},     {"0", "0", "Inf"},
        {"17", "5", "1"},  {"-12", "8", "4"}, {"12", "-8", "4"},   {"8", "-4", "-4"},  // divisor as written
        {"x", "4", "NaN"}, {"1.5", "3", "NaN"},
    };
    BigNumber bn;
    for (auto &c : cases) EXPECT_EQ(bn.gcd(c.a, c.b), c.gcd) << c.a << " " << c.b;
}

TEST(Gcd, WithStepsWritesEuclidsDivisions) {
    struct {
        const char *a, *b, *gcd, *text;
    } cases[] = {
        {"12", "8", "4", "12==1*8+4\n8==2*4+0\n(12,8,4,0)\ngcd = 4\n\n"},
        {"17", "5", "1", "17==3*5+2\n5==2*2+1\n(17,5,2,1)\ngcd = 1\n\n"},
        {"8", "4", "4", "8==2*4+0\n(8,4,0)\ngcd = 4\n\n"},
        // a zero divisor has no division: gcd(a, 0) is a
        {"5", "0", "5", "(5,0)\ngcd = 5\n\n"},
        {"0", "0", "Inf", "(0,0)\ngcd = Inf\n\n"},
        // every line stays true for negative operands
        {"-12", "8", "4", "-12==-2*8+4\n8==2*4+0\n(-12,8,4,0)\ngcd = 4\n\n"},
        {"12", "-8", "4", "12==-1*-8+4\n-8==-2*4+0\n(12,-8,4,0)\ngcd = 4\n\n"},
    };
    BigNumber bn;
    for (auto &c : cases) {
        EXPECT_EQ(bn.gcd_with_steps(c.a, c.b), c.gcd) << c.a << " " << c.b;
        EXPECT_EQ(takeOut(bn), c.text) << c.a << " " << c.b;
    }
    EXPECT_EQ(bn.gcd_with_steps("12", "y"), "NaN");
    // the text of the steps grows with the square of the length: long numbers are refused
    EXPECT_EQ(bn.gcd_with_steps(std::string(2001, '7'), "12"),
              "Error: Euclid's steps are written for numbers of at most 2000 digits.");
    EXPECT_EQ(takeOut(bn), "");
    EXPECT_EQ(bn.gcd_with_steps(std::string(2000, '7'), "12"), "1");
}

TEST(Lcm, ProductOverGcd) {
    BigNumber bn;
    EXPECT_EQ(bn.lcm("4", "6"), "12");
    EXPECT_EQ(bn.lcm("0", "7"), "0");
    EXPECT_EQ(bn.lcm("0", "0"), "0");
    EXPECT_EQ(bn.lcm("21", "6"), "42");
    EXPECT_EQ(bn.lcm("123456789012345678901234567890", "10"), "123456789012345678901234567890");
    EXPECT_EQ(bn.lcm("4", "z"), "NaN");
}

TEST(ModularPower, RemaindersOfPowers) {
    struct {
        const char *base, *power, *N, *value;
    } cases[] = {
        {"3", "200", "1000", "1"},
        {"5", "0", "7", "1"},
        {"5", "0", "1", "1"},  // the power 0 answers 1 whatever the modulus
        {"2", "10", "1000", "24"},
        {"-2", "3", "7", "6"},  // -8 leaves 6
        {"-2", "2", "7", "4"},
        {"7", "5", "-10", "7"},  // the sign of the modulus is not looked at
        {"4", "3", "1", "0"},
        {"4", "3", "0", "Inf"},
        {"2", "-3", "7", "Error: the exponent of a modular power should not be negative."},
        {"2", "x", "7", "NaN"},
    };
    BigNumber bn;
    for (auto &c : cases) EXPECT_EQ(bn.int_expmod(c.base, c.power, c.N), c.value) << c.base << "^" << c.power;
}

TEST(FloorLog, LargestPowerNotAbove) {
    BigNumber bn;
    EXPECT_EQ(bn.floor_log("1000", 10), 3);
    EXPECT_EQ(bn.floor_log("999", 10), 2);
    EXPECT_EQ(bn.floor_log("1", 2), 0);
    EXPECT_EQ(bn.floor_log("0.5", 2), -1);
    EXPECT_EQ(bn.floor_log("1024.7", 2), 10);
    EXPECT_EQ(takeOut(bn), "");
    // products of 0 or 1 never pass n: refused with a message
    for (int64_t base : {1, 0, -3}) {
        EXPECT_EQ(bn.floor_log("100", base), -1) << base;
        EXPECT_EQ(takeOut(bn), "Error: the base of the logarithm should be at least 2.\n") << base;
    }
}

TEST(ExactDivisions, Multiplicity) {
    BigNumber bn;
    EXPECT_EQ(bn.count_exact_divisions("48", 2), 4);
    EXPECT_EQ(bn.count_exact_divisions("7", 2), 0);
    EXPECT_EQ(bn.count_exact_divisions("0", 2), 0);
    EXPECT_EQ(bn.count_exact_divisions("-81", 3), 4);
    EXPECT_EQ(bn.count_exact_divisions("1267650600228229401496703205376", 2), 100);
    EXPECT_EQ(takeOut(bn), "");
    EXPECT_EQ(bn.count_exact_divisions("48", 1), 0);  // 1 divides forever: refused
    EXPECT_EQ(takeOut(bn), "Error: p should be at least 2, not 1.\n");
}

TEST(ArithmeticFunctions, PhiMobiusTauAndLargestFactor) {
    struct {
        const char *n, *phi;
        int mobius, tau;
        const char *largest;
    } cases[] = {
        {"36", "12", 0, 9, "3"},  {"97", "96", -1, 2, "97"}, {"1", "1", 1, 1, "1"},
        {"6", "2", 1, 4, "3"},    {"30", "8", -1, 8, "5"},   {"12", "4", 0, 6, "3"},
        {"360", "96", 0, 24, "5"}, {"0", "0", 1, 0, "0"},
        {"1000000007", "1000000006", -1, 2, "1000000007"},
        {"600851475143", "591194251200", 1, 16, "6857"},
    };
    BigNumber bn;
    for (auto &c : cases) {
        EXPECT_EQ(bn.euler_phi(c.n), c.phi) << c.n;
        EXPECT_EQ(bn.mobius_value(c.n), c.mobius) << c.n;
        std::string largest = "unset";
        EXPECT_EQ(bn.divisor_count(c.n, largest), c.tau) << c.n;
        EXPECT_EQ(largest, c.largest) << c.n;
        EXPECT_EQ(bn.biggest_prime_factor(c.n), c.largest) << c.n;
    }
    EXPECT_EQ(takeOut(bn), "");
    const std::string refusal = "Error> `-6` is not a non-negative integer.";
    EXPECT_EQ(bn.euler_phi("-6"), refusal);
    EXPECT_EQ(bn.biggest_prime_factor("-6"), refusal);
    EXPECT_EQ(bn.mobius_value("-6"), 0);
    std::string largest = "kept";
    EXPECT_EQ(bn.divisor_count("-6", largest), 0);
    EXPECT_EQ(largest, "kept");
    EXPECT_EQ(takeOut(bn), refusal + "\n" + refusal + "\n");
}

TEST(ArithmeticFunctions, MultiplicativeOrder) {
    struct {
        const char *a, *m, *order, *printed;
    } cases[] = {
        {"2", "7", "3", ""},
        {"3", "7", "6", ""},
        {"10", "7", "6", ""},
        {"-1", "7", "2", ""},
        {"3", "1", "1", ""},  // modulo 1 every power is 1
        {"5", "-1", "1", ""},
        {"2", "1000000007", "500000003", ""},
        {"2", "4", "", "The number 2 and 4 should be coprime.\n"},
        {"7", "0", "", "The modulus should not be 0.\n"},
        {"x", "7", "NaN", ""},
    };
    BigNumber bn;
    for (auto &c : cases) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(bn.orderModulo(c.a, c.m), c.order) << c.a << " " << c.m;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.printed) << c.a << " " << c.m;
    }
}

TEST(ArithmeticFunctions, FactorialPrimePowers) {
    BigNumber bn;
    EXPECT_EQ(bn.factorial_factorization("10"), "3628800");
    EXPECT_EQ(takeOut(bn), "expr> 2^8*3^4*5^2*7^1\n");
    EXPECT_EQ(bn.factorial_decomposition("5"), "120");
    EXPECT_EQ(takeOut(bn), "expr = 2^3*3^1*5^1\n\n");
    EXPECT_EQ(bn.factorial_factorization("1"), "1");
    EXPECT_EQ(takeOut(bn), "expr> \n");
    EXPECT_EQ(bn.factorial_decomposition("0"), "1");
    EXPECT_EQ(takeOut(bn), "expr = \n\n");
    // the table is refilled only when it does not reach n, and longer tables serve too
    EXPECT_EQ(bn.factorial_factorization("30").size(), 33u);
    EXPECT_EQ(takeOut(bn), "expr> 2^26*3^14*5^7*7^4*11^2*13^2*17^1*19^1*23^1*29^1\n");
    EXPECT_EQ(bn.factorial_factorization("6"), "720");
    EXPECT_EQ(takeOut(bn), "expr> 2^4*3^2*5^1\n");
    EXPECT_EQ(bn.factorial_factorization("x"), "Error> `x` is not a non-negative integer.");
    EXPECT_EQ(bn.factorial_factorization("10000000"), "Warning> n is too big.");
    EXPECT_EQ(takeOut(bn), "");
}
