#include <gtest/gtest.h>
#include <sstream>

#include "BigNumber.h"
#include "number_routines.h"

TEST(PAdic, OrderAndNorm) {
    struct {
        const char *x;
        int32_t p;
        int order;
        const char *norm;
    } cases[] = {
        {"24/9", 3, -1, "3"},   {"12|5", 2, 2, "1|4"}, {"0", 7, 0, "0"},     {"12", 2, 2, "1|4"},
        {"7", 2, 0, "1"},       {"0", 5, 0, "0"},      {"-48", 2, 4, "1|16"}, {"1/1024", 2, -10, "1024"},
        {"0/5", 5, -1, "0"},    // zero is zero, whatever its denominator
        {"5", 7, 0, "1"},       {"3/0", 3, 1, "Error: Invalid number input."},
        {"abc", 3, 0, "Error: Invalid number input."},
    };
    for (auto &c : cases) {
        EXPECT_EQ(ord_p_rational(c.x, c.p), c.order) << c.x << " " << c.p;
        EXPECT_EQ(norm_p_rational(c.x, c.p), c.norm) << c.x << " " << c.p;
    }
    EXPECT_EQ(ord_p_integer("1000000000000000000000000000000", 10), 30);
    EXPECT_EQ(ord_p_integer("x", 3), 0);
}

TEST(PAdic, PrimesBelowTwoAreRefused) {
    for (int32_t p : {1, 0, -1, -7}) {
        EXPECT_EQ(ord_p_integer("12", p), 0) << p;
        EXPECT_EQ(ord_p_rational("12/5", p), 0) << p;
        EXPECT_EQ(norm_p_rational("12", p), padic_prime_error(p)) << p;
    }
    EXPECT_EQ(padic_prime_error(1), "Error: p should be at least 2, not 1.");
    EXPECT_EQ(padic_prime_error(2), "");
}

namespace {

int jacobi(const char *a, const char *n) { return jacobi_symbol(a, n, false); }
int legendre(const char *a, const char *p) { return legendre_symbol(a, p, false); }

std::string jacobiSteps(const char *a, const char *n, int &value) {
    std::ostringstream out;
    value = jacobi_symbol(a, n, true, out);
    return out.str();
}

std::string legendreSteps(const char *a, const char *p, int &value) {
    std::ostringstream out;
    value = legendre_symbol(a, p, true, out);
    return out.str();
}

}  // namespace

TEST(Symbols, JacobiValues) {
    struct {
        const char *a, *n;
        int value;
    } cases[] = {
        {"1", "9", 1},   {"1", "15", 1},  {"5", "1", 1},    {"0", "1", 1},   {"4", "3", 1},  {"10", "3", 1},
        {"5", "3", -1},  {"6", "9", 0},   {"2", "9", 1},    {"2", "15", 1},  {"3", "10", 0}, {"2", "3", -1},
        {"-1", "7", -1}, {"-1", "5", 1},  {"-3", "7", 1},   {"-4", "7", -1}, {"3", "-7", -1}, {"0", "7", 0},
        {"1001", "9907", -1}, {"x", "7", 0}, {"3", "", 0},
    };
    for (auto &c : cases) EXPECT_EQ(jacobi(c.a, c.n), c.value) << c.a << " " << c.n;
}

TEST(Symbols, JacobiSteps) {
    int value;
    EXPECT_EQ(jacobiSteps("10", "3", value), "(10|3) = \n   (1|3) = \n(1|3) = (3|1) = (0|1) = 1");
    EXPECT_EQ(value, 1);
    EXPECT_EQ(jacobiSteps("3", "10", value), "The denominator should be an odd number.\n");
    EXPECT_EQ(value, 0);
    EXPECT_EQ(jacobiSteps("5", "3", value), "(5|3) = \n   (2|3) = \n(2|3) = (2|3)(1|3)\n(2|3) = -1\n");
    EXPECT_EQ(value, -1);
    // other common factors surface deeper down, naming the deeper pair
    EXPECT_EQ(jacobiSteps("6", "9", value),
              "\n(6|9) = (2|9)(3|9)\n0 and 3 should be coprime numbers.\n\n(3|9) = (9|3) = (0|3) = 0");
    EXPECT_EQ(value, 0);
    EXPECT_EQ(jacobiSteps("2", "15", value), "\n(2|15) = (2|3)(2|5)\n\n(2|3) = -1\n(2|5) = -1");
    EXPECT_EQ(value, 1);
    EXPECT_EQ(jacobiSteps("7", "15", value), "\n(7|15) = -(15|7) = -(1|7) = -1");
    EXPECT_EQ(value, -1);
    // a prime of 16 digits or more: its value, no step text
    EXPECT_EQ(jacobiSteps("2", "1000000000000037", value), "");
    EXPECT_EQ(value, -1);
    EXPECT_EQ(jacobiSteps("9", "3", value), "9 and 3 should be coprime numbers.\n");
}

TEST(Symbols, LegendreValuesAndSteps) {
    struct {
        const char *a, *p;
        int value;
    } cases[] = {
        {"1", "7", 1},  {"1", "1", 0},   {"4", "3", 1},   {"3", "9", 0},  {"3", "2", 0},  {"22", "23", -1},
        {"22", "29", 1}, {"-1", "13", 1}, {"-1", "7", -1}, {"2", "7", 1},  {"6", "7", -1}, {"14", "7", 0},
        {"-3", "7", 1}, {"x", "7", 0},   {"2", "-7", 0},
    };
    for (auto &c : cases) EXPECT_EQ(legendre(c.a, c.p), c.value) << c.a << " " << c.p;
    int value;
    EXPECT_EQ(legendreSteps("3", "9", value), "");  // 9 is no prime: no text
    EXPECT_EQ(legendreSteps("22", "29", value),
              "\n(22|29) = (11|29)(2|29)\n\n(7|11) = (7|11)\n\n(7|11) = -(11|7) = -(4|7) = -1\n\n(11|29) = (29|11) = "
              "(7|11) = -1\n"
              "\n(2|29) = -1\n");
    EXPECT_EQ(value, 1);
    EXPECT_EQ(legendreSteps("14", "7", value), "14 and 7 should be coprime numbers.\n");
    EXPECT_EQ(legendreSteps("8", "7", value), "(8|7) = \n   (1|7) = ");
    EXPECT_EQ(value, 1);
}
