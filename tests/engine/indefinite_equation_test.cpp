#include <gtest/gtest.h>

#include <sstream>

#include "solvers.h"

namespace {

struct IndefiniteCase {
    std::vector<std::string> coefficients;
    const char *b;
    int result;
    const char *printed;
    std::vector<std::string> lines;
};

// The printed text is `printed` after `before`; the list handed in is replaced.
void expectAnswer(const IndefiniteCase &c, const std::string &before) {
    std::vector<std::string> lines = {"stale"};
    std::ostringstream out;
    std::string label = testing::PrintToString(c.coefficients) + ";" + c.b;
    EXPECT_EQ(solve_indefinite_equation(c.coefficients, c.b, lines, out), c.result) << label;
    EXPECT_EQ(out.str(), before + c.printed) << label;
    EXPECT_EQ(lines, c.lines) << label;
}

} // namespace

TEST(IndefiniteEquation, ReductionSteps) {
    const char *header = "Solve the indefinite equation :\n";
    const IndefiniteCase cases[] = {
        {{"6", "10", "15"},
         "1",
         1,
         "6*X1+10*X2+15*X3 = 1\n\nX2=1-3*u2\n",
         {"X3 = -2*u0-1*X2+u2", "X1 = -1*X2-2*X3+u0"}},
        {{"3", "5", "7"},
         "1",
         1,
         "3*X1+5*X2+7*X3 = 1\n\nu0=1-X3-2*u1\n",
         {"X2 = -1*u0+u1", "X3 = +X3", "X1 = -1*X2-2*X3+u0"}},
        {{"1", "1", "0"}, "5", 1, "1*X1+1*X2+0*X3 = 5\n\nX2=5-X1\n", {"X1 = +X1"}},
        {{"2", "3", "3"}, "1", 1, "2*X1+3*X2+3*X3 = 1\n\nX3=1-X2-2*u0\n", {"X2 = +X2", "X1 = -1*X2-1*X3+u0"}},
        {{"3", "-5", "+7"},
         "2",
         1,
         "3*X1-5*X2+7*X3 = 2\n\nu0=2-X3-2*u1\n",
         {"X2 = +1*u0-u1", "X3 = +X3", "X1 = +1*X2-2*X3+u0"}},
        // the gcd 2 divides 4: the equation is divided by it first
        {{"2", "4", "6"}, "4", 1, "2*X1+4*X2+6*X3 = 4\n\nX3=2-X1-2*u1\n", {"X2 = -1*X3+u1", "X1 = +X1"}},
        // a coefficient -1
        {{"3", "-1", "5"},
         "1",
         1,
         "3*X1-1*X2+5*X3 = 1\n\nu0=1+X2-2*u2\n",
         {"X3 = -1*u0+u2", "X1 = -1*X3+u0", "X2 = +X2"}},
        {{"-1", "2", "3"}, "4", 1, "-1*X1+2*X2+3*X3 = 4\n\nX3=4+X1-2*u1\n", {"X2 = -1*X3+u1", "X1 = +X1"}},
        {{"-1", "2", "4"}, "4", 1, "-1*X1+2*X2+4*X3 = 4\n\nX1=-4+2*X2+4*X3\n", {}},
        // a coefficient 1 whose companions are not coprime is expressed by them at once
        {{"1", "2", "4"}, "7", 1, "1*X1+2*X2+4*X3 = 7\n\nX1=7-2*X2-4*X3\n", {}},
        {{"0", "1", "1"}, "5", 1, "0*X1+1*X2+1*X3 = 5\n\nX3=5-X2\n", {"X2 = +X2"}},
        // a position reduced twice: its first u becomes the parameter under its own name
        {{"5", "7", "8"},
         "1",
         1,
         "5*X1+7*X2+8*X3 = 1\n\nX3=1-u0-2*u1\n",
         {"u0 = +u0", "X2 = -2*u0-1*X3+u1", "X1 = -1*X2-1*X3+u0"}},
        {{"2", "4", "6"}, "1", 1, "2*X1+4*X2+6*X3 = 1\n\nNo solution.\n", {}},
        {{"0", "0", "0"}, "0", 1, "0*X1+0*X2+0*X3 = 0\n\n", {"X1 = +X1", "X2 = +X2", "X3 = +X3"}},
        {{"0", "0", "0"}, "3", 1, "0*X1+0*X2+0*X3 = 3\n\nNo solution.\n", {}},
    };
    for (const IndefiniteCase &c : cases) expectAnswer(c, header);
}

TEST(IndefiniteEquation, OneNonZeroCoefficientAndRefusals) {
    const IndefiniteCase cases[] = {
        {{"0", "0", "5"}, "10", 1, "X3 = 2\n", {}},
        {{"-4", "0", "0"}, "8", 1, "X1 = -2\n", {}},
        {{"0", "0", "5"}, "7", 1, "No solution.\n", {}},
        {{}, "1", 0, "", {}},
        {{"2", "", "3"}, "1", 0, "", {}},
        {{"2", "3.5", "3"}, "1", 0, "Error> the coefficients and the right side must be integers.\n", {}},
        {{"2", "3", "5"}, "1/2", 0, "Error> the coefficients and the right side must be integers.\n", {}},
    };
    for (const IndefiniteCase &c : cases) expectAnswer(c, "");
}
