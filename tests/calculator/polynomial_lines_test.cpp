#include <gtest/gtest.h>

#include "calculator_test_support.h"
#include "entry/line_entry.h"

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
