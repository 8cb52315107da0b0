// Substitution of variables into expression texts.
#include <gtest/gtest.h>

#include "calculator_test_support.h"
#include "matrix_test_support.h"
#include "substitution/substitution.h"

namespace {

TEST(Substitution, Table) {
    Calculator calculator;
    calculator.setOperatorChars();
    auto define = [&](const char *name, const char *value, int code) { defineEntry(calculator, name, value, code); };
    define("a", "2", kIntType);
    define("b", "3", kIntType);
    define("d", "0.5", kDoubleType);
    defineMatrix(calculator, "M", {"1", "2", "3", "4"}, 2, 2);
    defineMatrix(calculator, "N", {"1"}, 1, 1);
    struct Row {
        const char *in;
        int code;
        const char *out;
        std::set<std::string> used, undefined;
    };
    const Row rows[] = {
        {"(a+b)*c", 0, "(2+3)*c", {"a", "b"}, {"c"}},
        {"2.5*a", 1, "2.5*2", {"a"}, {}},
        {"a*d", 3, "2*0.5", {"a", "d"}, {}},
        {"sin(a)", 0, "sin(2)", {"a"}, {"sin"}},
        {"M", 6, "M=[1,2;3,4]", {"M"}, {}},
        {"M+N", kMatrixExpression, "M+N", {"M", "N"}, {}},
        {"2*M", kMatrixExpression, "2*M", {"M"}, {}},
        {"a!", 1, "2!", {"a"}, {}},
        {"-a", 1, "-2", {"a"}, {}},
        {"1,2;3,4", 0, "1,2;3,4", {}, {"1,2;3,4"}},
        {"", 1, "", {}, {}},
    };
    for (const Row &row : rows) {
        std::set<std::string> used = {"stale"}, undefined = {"stale"};
        std::string out;
        EXPECT_EQ(substitute_variables(row.in, calculator.operatorChars, used, undefined, calculator.variables, out),
                  row.code)
            << row.in;
        EXPECT_EQ(out, row.out) << row.in;
        EXPECT_EQ(used, row.used) << row.in;
        EXPECT_EQ(undefined, row.undefined) << row.in;
    }
}

} // namespace
