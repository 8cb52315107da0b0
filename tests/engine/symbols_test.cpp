#include <gtest/gtest.h>

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
