#include <gtest/gtest.h>

#include "calculator_test_support.h"
#include "entry/line_entry.h"
#include "variables/symbol_table.h"

// Lines in the main variable, as the terminal shows their answers: in polynomial mode, and
// symbolic lines of the numerical mode, which the one-variable polynomial code answers too.
TEST(PolynomialLines, Transcripts) {
    struct Row {
        int32_t mode;
        const char *typed;
        std::string shown;
    };
    const Row rows[] = {
        {2, "(x+1)^3", texts::engineAnswer("x^3+3x^2+3x^1+1")},
        {2, "(x^2-1)/(x-1)", texts::engineAnswer("x^1+1")},
        {2, "(x^3+1) mod x", texts::engineAnswer("1")},
        {2, "(x+1)^100000", texts::engineAnswer("Error> The polynomial is too big.")},
        {3, "(x/2+1)^2", texts::engineAnswer("1|4x^2+x^1+1")},
        {0, "(x-1)*(x+1)", texts::engineAnswer("x^2-1")},
    };
    Calculator calculator;
    for (const Row &row : rows) {
        calculator.core.setMode(row.mode);
        captureStdout([&] { processInputLine(row.typed, calculator); });
        EXPECT_EQ(shownText(calculator), row.shown) << row.typed;
    }
}

// Lines over declared polynomial variables: the names x_k of a line are registered (with a
// notice on standard output), user names are written back in the answers.
class SeveralVariableLines : public ::testing::Test {
  protected:
    void TearDown() override {
        poly_vars.clear();
        poly_varnames.clear();
        poly_internal_names.clear();
    }
    static void declare(std::initializer_list<const char *> names) {
        std::ostringstream ignored;
        for (const char *name : names) ASSERT_EQ(declare_poly_variable(name, ignored), 1) << name;
    }
};

TEST_F(SeveralVariableLines, Transcript) {
    Calculator calculator;
    calculator.setOperatorChars();
    declare({"y", "z"});
    calculator.core.setMode(2);
    const std::string printed = expectTranscript(
        calculator, {
                        {"(x+y)^2", texts::engineAnswer("x^2+2xy+y^2")},
                        {"(y-z)*(y+z)", texts::engineAnswer("y^2+0yz-z^2")},
                        {"-(y+1)*z", texts::engineAnswer("-yz-z")},
                        {"(y+1)^3-(y+1)^3", texts::engineAnswer("0y^3+0y^2+0y+0")},
                        {"y*x_3", texts::engineAnswer("yx_3")},
                        {"x_2+x_1", texts::engineAnswer("x_2+x_1")},
                        {"y^2/3", texts::engineAnswer("")},
                        // a bare x_ (index 0, the main variable) ends before its operator
                        {"x_-1*y", texts::engineAnswer("x-y")},
                        {"x_*y", texts::engineAnswer("xy")},  // no division of several variables
                        {"(2y+z)^1000000000", texts::engineAnswer("Error> The polynomial is too big.")},
                        // an index past 64 bits names no variable
                        {"x_99999999999999999999999+y",
                         texts::engineAnswer("Error> x_99999999999999999999999 is out of range: an integer from "
                                             "0 to 9223372036854775807 is needed here.")},
                        {":poly_vars", "x_1 --> x_5\nx_2 --> x_4\nx_3 --> x_3\ny --> x_1\nz --> x_2\n\n---------------\n"
                                       "x, x_1, x_2, x_3, x_4, x_5, \n---*---*---*---\n\n>> "},
                    });
    EXPECT_NE(printed.find("Add var x_3 to poly_vars.\n"), std::string::npos);
    EXPECT_NE(printed.find("Add var x_2 to poly_vars.\nAdd var x_1 to poly_vars.\n"), std::string::npos);
}

TEST_F(SeveralVariableLines, UserNamesThatAreInternalNames) {
    // x_2 declared first has the internal name x_1, and x_1 the internal name x_2: the line
    // keeps them two variables.
    Calculator calculator;
    calculator.setOperatorChars();
    declare({"x_2", "x_1"});
    calculator.core.setMode(2);
    expectTranscript(calculator, {
                                     {"x_2+x_1", texts::engineAnswer("x_2+x_1")},
                                     {"x_2*x_1^2-x_1^2*x_2", texts::engineAnswer("0x_2x_1^2")},
                                 });
}

TEST_F(SeveralVariableLines, SecondStartUp) {
    Calculator first;
    declare({"y"});
    // A second start-up empties the registry: the main variable alone again.
    Calculator calculator;
    calculator.setOperatorChars();
    calculator.core.setMode(2);
    EXPECT_TRUE(poly_vars.empty());
    expectTranscript(calculator, {{"(x+1)^2", texts::engineAnswer("x^2+2x^1+1")}});
    declare({"y"});
    expectTranscript(calculator, {
                                     {"(x+y)^2", texts::engineAnswer("x^2+2xy+y^2")},
                                     {"x-x", texts::engineAnswer("0x")},
                                 });
    EXPECT_EQ(poly_internal_names, (std::vector<std::string>{"x", "x_1"}));
}
