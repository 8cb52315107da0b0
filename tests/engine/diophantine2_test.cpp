#include <gtest/gtest.h>

#include <sstream>

#include "solvers.h"

namespace {

struct TwoVariableCase {
    const char *a, *b, *c;
    int result;
    const char *printed;
};

const char *const kEnd = "\n\n-----------end---------\n";

} // namespace

TEST(LinearDiophantine2, WorkedSolutions) {
    const TwoVariableCase cases[] = {
        {"7", "3", "1", 1,
         "Solve the equation: 7*x+3*y = 1\n7==2*3+1\n2 \ntest: -1==3*2-7*1\n7*1-3*2 == 1\nx = 1+3t\ny = "
         "-2-7t\n"},
        {"5", "3", "1", 1,
         "Solve the equation: 5*x+3*y = 1\n5==1*3+2\n3==1*2+1\n1 1 \ntest: 1==3*2-5*1\n3*2-5*1 == 1\n"
         "x = -1+3t\ny = 2-5t\n"},
        {"3", "5", "-2", 1,
         "Solve the equation: -3*x-5*y = 2\n5==1*3+2\n3==1*2+1\n1 1 \ntest: -1==5*1-3*2\n3*4-5*2 == 2\n"
         "x = -4+5t\ny = 2-3t\n"},
        {"6", "10", "4", 1,
         "Solve the equation: 6*x+10*y = 4\n5==1*3+2\n3==1*2+1\n1 1 \ntest: -1==5*1-3*2\n3*4-5*2 == 2\n"
         "x = 4+5t\ny = -2-3t\n"},
        {"-7", "3", "1", 1,
         "Solve the equation: -7*x+3*y = 1\n7==2*3+1\n2 \ntest: -1==3*2-7*1\n7*1-3*2 == 1\nx = -1+3t\n"
         "y = -2+7t\n"},
        {"-5", "-3", "1", 1,
         "Solve the equation: -5*x-3*y = 1\n5==1*3+2\n3==1*2+1\n1 1 \ntest: 1==3*2-5*1\n3*2-5*1 == 1\n"
         "x = 1+3t\ny = -2-5t\n"},
        // a reduced coefficient of magnitude 1 or 0: the solution written out directly
        {"5", "1", "1", 1, "Solve the equation: 5*x+1*y = 1\n5*0+1*1 == 1\nx = 0+1t\ny = 1-5t\n"},
        {"-1", "4", "3", 1, "Solve the equation: -1*x+4*y = 3\n-1*(-3)+4*0 == 3\nx = -3+4t\ny = 0+1t\n"},
        {"0", "3", "6", 1, "Solve the equation: 0*x+3*y = 6\n0*0+1*2 == 2\nx = 0+1t\ny = 2\n"},
        {"3", "0", "-6", 1, "Solve the equation: -3*x+0*y = 6\n-1*(-2)+0*0 == 2\nx = -2\ny = 0+1t\n"},
    };
    for (const TwoVariableCase &c : cases) {
        std::ostringstream out;
        EXPECT_EQ(solve_linear_diophantine2(c.a, c.b, out, c.c), c.result) << c.a << "," << c.b << ";" << c.c;
        EXPECT_EQ(out.str(), std::string(c.printed) + kEnd) << c.a << "," << c.b << ";" << c.c;
    }
}

TEST(LinearDiophantine2, ShortAnswers) {
    const TwoVariableCase cases[] = {
        {"4", "6", "1", 0, "Solve the equation: 4*x+6*y = 1\nNo solution.\n"},
        {"6", "6", "12", 1, "Solve the equation: 6*x+6*y = 12\ny=-x+2\n"},
        {"-1", "-1", "1", 1, "Solve the equation: -1*x-1*y = 1\ny=-x-1\n"},
        {"-2", "2", "6", 1, "Solve the equation: -2*x+2*y = 6\ny=x+3\n"},
        {"1", "-1", "1", 1, "Solve the equation: 1*x-1*y = 1\ny=x-1\n"},
        {"0", "0", "0", 1, "Solve the equation: 0*x+0*y = 0\nEvery pair of integers x, y is a solution.\n"},
        {"0", "0", "5", 0, "Solve the equation: 0*x+0*y = 5\nNo solution.\n"},
        {"0", "4", "2", 0, "Solve the equation: 0*x+4*y = 2\nNo solution.\n"},
        {"2.5", "3", "1", 0, "Error> the coefficients and the right side must be integers.\n"},
        {"2", "3", "x", 0, "Error> the coefficients and the right side must be integers.\n"},
        {"", "3", "1", 0, "Error> the coefficients and the right side must be integers.\n"},
    };
    for (const TwoVariableCase &c : cases) {
        std::ostringstream out;
        EXPECT_EQ(solve_linear_diophantine2(c.a, c.b, out, c.c), c.result) << c.a << "," << c.b << ";" << c.c;
        EXPECT_EQ(out.str(), c.printed) << c.a << "," << c.b << ";" << c.c;
    }
}
