#include <gtest/gtest.h>

#include <sstream>

#include "BigNumber.h"

namespace {

struct LinearCase {
    int mode;
    const char *c0, *c1;
    int code;
    const char *root;
};

struct QuadraticCase {
    int mode;
    const char *c0, *c1, *c2; // c2*x^2 + c1*x + c0 = 0
    int code;
    const char *x1, *x2;
};

} // namespace

TEST(LinearEquation, VerdictsAndRootsInBothModes) {
    const LinearCase cases[] = {
        {1, "0", "0", 0, "any real number"},
        {1, "5", "0", -1, "NO solution."},
        {1, "4", "2", 1, "-2"},
        {1, "-3", "2", 1, "3|2"},
        {0, "-3", "2", 1, "1.5"},
        {0, "4", "2", 1, "-2"},
        {1, "0", "3", 1, "-0"}, // the dividend is "-0" on its text
        // a zero slope written otherwise is still zero: no "Inf" root
        {1, "5", "-0", -1, "NO solution."},
        {1, "0|1", "0.0", 0, "any real number"},
    };
    for (const LinearCase &c : cases) {
        BigNumber bn;
        bn.setMode(c.mode);
        std::string root;
        std::ostringstream out;
        EXPECT_EQ(bn.solve_linear_equation({c.c0, c.c1}, root, out), c.code) << c.c1 << "x+" << c.c0;
        EXPECT_EQ(root, c.root) << c.c1 << "x+" << c.c0;
        EXPECT_EQ(out.str(), "");
    }
}

TEST(QuadraticEquation, RationalRadicalAndComplexRoots) {
    const QuadraticCase cases[] = {
        {1, "2", "-3", "1", 1, "2", "1"},
        {1, "1", "-3", "2", 1, "1", "1|2"},
        {1, "2", "4", "2", 0, "-1", "-1"}, // divided by 2 first
        {1, "-4", "0", "1", 1, "2", "-2"}, // m = -0: the roots stay as written
        {1, "0", "0", "1", 0, "0", "-0"},
        {1, "4", "0", "-1", 1, "-2", "+2"},
        {1, "-1", "-2", "1", 1, "1+sqrt(2)", "1-sqrt(2)"},
        {1, "-1", "1", "1", 1, "-1|2+sqrt(5)/2", "-1|2-sqrt(5)/2"},
        {1, "1", "1", "-1", 1, "1|2+sqrt(5)/(-2)", "1|2-sqrt(5)/(-2)"},
        {1, "-5", "0", "2", 1, "sqrt(10)|2", "-sqrt(10)|2"}, // 2*sqrt(10) over 4
        {1, "-9", "0", "2", 1, "3sqrt(2)|2", "-3sqrt(2)|2"}, // 6*sqrt(2) over 4
        {1, "-27", "0", "2", 1, "3sqrt(6)|2", "-3sqrt(6)|2"},
        {1, "-18", "0", "4", 1, "3sqrt(2)|2", "-3sqrt(2)|2"}, // divided by 2 first: 2x^2 - 9
        {1, "1", "0", "1", -1, "1i", "-1i"},
        {1, "5", "2", "1", -1, "-1+2i", "-1-2i"},
        {1, "1", "1", "1", -1, "-1|2+sqrt(3)/2i", "-1|2-sqrt(3)/2i"},
        // D = -15|4: the radical of a fraction is taken above and below the bar
        {1, "15|16", "0", "1", -1, "sqrt(15)|2/2i", "-sqrt(15)|2/2i"},
        {0, "15|16", "0", "1", -1, "sqrt(15)|4i", "-sqrt(15)|4i"},
        // D = -3|2: a denominator that is no square moves into the radical, sqrt(6)/(2*2)
        {1, "3|8", "0", "1", -1, "sqrt(6)/4i", "-sqrt(6)/4i"},
        {1, "1|8", "1", "1", 1, "-1|2+sqrt(2)/4", "-1|2-sqrt(2)/4"},
        {0, "-4", "0", "1", 1, "2", "-2"},
        {0, "2", "-3", "1", 1, "2.0", "1.0"}, // the decimal evaluation of 3|2 plus and minus 1|2
        // cancelled square terms: the linear answer for both roots
        {1, "0", "0", "0", 0, "any real number", "any real number"},
        {1, "-4", "2", "0", 1, "2", "2"},
    };
    for (const QuadraticCase &c : cases) {
        BigNumber bn;
        bn.setMode(c.mode);
        std::vector<std::string> roots;
        std::ostringstream out;
        std::string label =
            std::string(c.c2) + "x^2+" + c.c1 + "x+" + c.c0 + " mode " + std::to_string(c.mode);
        EXPECT_EQ(bn.solve_eqn_of_deg2({c.c0, c.c1, c.c2}, roots, out), c.code) << label;
        ASSERT_EQ(roots.size(), 2u) << label;
        EXPECT_EQ(roots[0], c.x1) << label;
        EXPECT_EQ(roots[1], c.x2) << label;
        EXPECT_EQ(out.str(), "") << label;
    }
}

TEST(QuadraticEquation, AppendsToTheRootsItIsGivenAndKeepsTheMode) {
    BigNumber bn;
    bn.setMode(1);
    std::vector<std::string> roots = {"kept"};
    std::ostringstream out;
    bn.solve_eqn_of_deg2({"2", "-3", "1"}, roots, out);
    EXPECT_EQ(roots, (std::vector<std::string>{"kept", "2", "1"}));
    EXPECT_EQ(bn.getMode(), 1);
}

TEST(ClosedFormSolvers, TextsThatAreNoNumbersGiveTextsWithoutACrash) {
    const char *const texts[] = {"", "x", "1/0", "Inf", "-", "NaN", "((", "3|0", "0.5", "-2|3", "+", "|"};
    for (const char *a : texts) {
        for (const char *b : texts) {
            for (const char *c : {"1", "x", "", "3|0", "-2"}) {
                BigNumber bn;
                bn.setMode(1);
                std::vector<std::string> roots;
                std::ostringstream out;
                std::string root;
                bn.solve_linear_equation({a, b}, root, out);
                bn.solve_eqn_of_deg2({c, b, a}, roots, out);
                bn.solve_cubic_equation({c, b, a, "1"}, roots, out);
                EXPECT_EQ(roots.size(), 6u) << a << " " << b << " " << c;
                EXPECT_EQ(bn.getMode(), 1);
            }
        }
    }
    BigNumber bn;
    std::vector<std::string> roots;
    std::ostringstream out;
    bn.solve_eqn_of_deg2({}, roots, out); // an empty list reads as zeros
    EXPECT_EQ(roots, (std::vector<std::string>{"any real number", "any real number"}));
}
