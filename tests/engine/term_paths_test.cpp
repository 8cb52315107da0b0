// Sums, differences, products and quotients of texts with letters: the arithmetic folds
// their numeric terms through the evaluation driver on the same engine.
#include <gtest/gtest.h>

#include "BigNumber.h"

namespace {

struct TermCase {
    const char *a, *b, *answer;
};

void expectTerms(std::string &(BigNumber::*op)(const std::string &, const std::string &), const char *name,
                 const std::vector<TermCase> &cases) {
    for (auto &c : cases) {
        BigNumber bn;
        EXPECT_EQ((bn.*op)(c.a, c.b), c.answer) << c.a << " " << name << " " << c.b;
    }
}

}  // namespace

TEST(TermPaths, Addition) {
    expectTerms(&BigNumber::addition, "+",
                {{"x+1", "2", "x+3"},
                 {"2", "x", "x+2"},
                 {"x", "-x", "x-x"},
                 {"x+1", "-1", "x+0"},
                 {"1+x", "2+y", "x+y+3"},
                 {"2*(x+1+1)", "1", "2*(x+1+1)+1"},
                 {"(x+1)*2", "3", "(x+1)*2+3"},
                 {"Inf", "1", "Inf+1"},
                 {"x+0.5", "0.25", "x+0.75"}});
}

TEST(TermPaths, Subtraction) {
    expectTerms(&BigNumber::real_subtraction, "-",
                {{"x", "x", "0"},
                 {"x", "0", "x"},
                 {"0", "x", "-x"},
                 {"x", "1", "x-1"},
                 {"x+1", "x", "x-x+1"},
                 {"x+3", "1", "x+2"},
                 {"NaN", "1", "NaN-1"}});
}

TEST(TermPaths, Multiplication) {
    expectTerms(&BigNumber::multiplication, "*",
                {{"x", "x", "x*x"},
                 {"2x", "x", "2*x*x"},
                 {"x", "2x", "2*x*x"},
                 {"2x", "3y", "6*x*y"},
                 {"2", "3x", "6*x"},
                 {"3x", "2", "6*x"},
                 {"1x", "1", "x"},
                 {"2*x", "3", "3*2*x"},  // an explicit product keeps coefficient 1
                 {"-1", "y", "-y"},
                 {"x", "0", "0"},
                 {"-x", "0", "-0"},
                 {"3", "(x+1)", "3*(x+1)"},
                 {"(x+1)", "(x-1)", "(x+1)*(x-1)"},
                 {"x+1", "x+1", "x*x+x+x+1"},
                 {"x-1", "x+1", "x*x+x-x-1"},
                 {"x+1", "2", "2*x+2"},
                 {"2", "x+1", "2*x+2"},
                 {"Inf", "2", "2*Inf"}});
}

TEST(TermPaths, Division) {
    expectTerms(&BigNumber::real_division, "/",
                {{"x", "2", "x/2"},
                 {"x-y", "2", "x/2-y/2"},
                 {"x+4", "2", "x/2+2"},
                 {"x+4", "-2", "-x/2-2"},
                 {"-x", "-2", "x/2"},
                 {"-a-b", "-2", "a/2+b/2"},
                 {"a-b", "-2", "-a/2+b/2"},
                 {"2+3", "2", "+2.5"},
                 {"Inf", "2", "Inf/2"},
                 {"x", "0", "Inf"},
                 {"x", "y", "+x/y"},
                 {"2", "x", "+2/x"},
                 {"x", "-y", "+x/-y"},
                 {"x", "y+1", "+x/(y+1)"},
                 {"x+1", "y", "(x+1)/y"},
                 {"x+1", "-y", "(x+1)/(-y)"}});
}
