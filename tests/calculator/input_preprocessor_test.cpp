// The preprocessor of expression statements (claims, variables, matrix methods) and the
// one-step substitution and evaluation of report_undefined_variables.
#include <gtest/gtest.h>

#include "calculator_test_support.h"
#include "claims/claims.h"
#include "matrix_test_support.h"
#include "substitution/substitution.h"

namespace {

class Preprocessor : public ::testing::Test {
  protected:
    void SetUp() override {
        equality_claims.clear();
        calculator.setOperatorChars();
        define("x", "5", kIntType);
        define("y", "4", kIntType);
        define("d", "0.5", kDoubleType);
        define("s", "e+1", kStringType);
        defineMatrix(calculator, "M", {"1", "2", "3", "4"}, 2, 2);
        defineMatrix(calculator, "N", {"1"}, 1, 1);
        store_claim("a", "==", "b+1");
        store_claim("c", "==", "x");
        store_claim("e", "==", "9");
    }
    void TearDown() override { equality_claims.clear(); }

    void define(const char *name, const char *value, int code) { defineEntry(calculator, name, value, code); }

    Calculator calculator;
};

TEST_F(Preprocessor, Substitution) {
    struct Row {
        const char *in;
        int code;
        const char *out;
        std::set<std::string> used;
    };
    const Row rows[] = {
        {"-x", 1, "-5", {"x"}},
        {"x+y", 1, "5+4", {"x", "y"}},
        {"2.5*y", 1, "2.5*4", {"y"}},
        {"1.5+y!", 1, "1.5+4!", {"y"}},
        {"d*2", 3, "0.5*2", {"d"}},
        {"(x+z)*w", 1, "(5+z)*w", {"x"}},
        // A claim goes in without brackets; a claimed name that is a variable takes its value.
        {"a*2", 1, "b+1*2", {}},
        {"c+1", 1, "5+1", {"x"}},
        // The claims are applied once more to the whole text at the end, to whole names only.
        {"s*2", 4, "9+1*2", {"s"}},
        {"tan(a)+2a+a2+e_", 1, "tan(b+1)+2b+1+a2+e_", {}},
        {"M", kMatrixAlone, "M", {"M"}},
        {"M+N", kMatrixExpression, "M+N", {"M", "N"}},
        {"2*M", kMatrixExpression, "2*M", {"M"}},
        // A method on a variable that holds no matrix is kept as typed.
        {"y.foo(1)", 1, "y.foo(1)", {"y"}},
        {"", 1, "", {}},
    };
    for (const Row &row : rows) {
        std::set<std::string> used = {"stale"}, undefined = {"stale"};
        std::string out;
        KV_Matrix matrix;
        EXPECT_EQ(inputcmd2expr(calculator, row.in, used, undefined, out, matrix), row.code) << row.in;
        EXPECT_EQ(out, row.out) << row.in;
        EXPECT_EQ(used, row.used) << row.in;
        EXPECT_TRUE(undefined.empty()) << row.in;
        EXPECT_EQ(calculator.output.str(), "") << row.in;
    }
}

TEST_F(Preprocessor, MatrixMethods) {
    struct Row {
        const char *in;
        int code;
        std::string written;
        const char *valueAfter;
    };
    const Row rows[] = {
        {"M.det()", kMatrixMethodAnswered, "-2", "[1,2;3,4]"},
        {"M.rank()", kMatrixMethodAnswered, "2", "[1,2;3,4]"},
        {"M.sort(DESC)", kMatrixAlone, "4\t3\t\n2\t1\t\n", "[4,3;2,1]"},
        {"M.sort()", kMatrixAlone, "1\t2\t\n3\t4\t\n", "[1,2;3,4]"},
        {"M.sort(up)", kMatrixAlone, "", "[1,2;3,4]"},
        {"M.trace()", kMatrixAlone, "", "[1,2;3,4]"},
        // Brackets around the call are no other name: the method still stands alone.
        {"(M.det())", kMatrixMethodAnswered, "-2", "[1,2;3,4]"},
    };
    for (const Row &row : rows) {
        defineMatrix(calculator, "M", {"1", "2", "3", "4"}, 2, 2);
        calculator.output.str("");
        std::set<std::string> used, undefined;
        std::string out;
        KV_Matrix matrix;
        EXPECT_EQ(inputcmd2expr(calculator, row.in, used, undefined, out, matrix), row.code) << row.in;
        EXPECT_EQ(out, row.in) << row.in;
        EXPECT_EQ(calculator.output.str(), row.written) << row.in;
        EXPECT_EQ(valueTextOf(calculator, "M"), row.valueAfter) << row.in;
        std::ostringstream literal;
        matrix.printLiteral(literal);
        EXPECT_EQ(literal.str(), row.valueAfter) << row.in;
    }
}

// Lines the preprocessor refuses, with the reason left in the engine's error text and
// nothing written or changed: a "." that is neither in a number nor in a method call on a
// variable (refused before any position arithmetic on a missing "(" or ")"), and a matrix
// method beside another matrix, a name or a number (its value is written, not substituted,
// so it must stand alone; it is refused before it runs, so M stays unsorted).
TEST_F(Preprocessor, RefusedLines) {
    const std::string strayPoint = "A \".\" stands between two digits or begins a method call "
                                   "variable.method(argument), such as M.det().";
    const std::string methodBeside =
        "A matrix method such as M.det(), M.rank() or M.sort(DESC) stands alone on its line.";
    const std::pair<const char *, const std::string &> rows[] = {
        {".5*y", strayPoint},  {"y*.5", strayPoint},      {"M.det", strayPoint},     {"q.b", strayPoint},
        {"M.d+t(1)", strayPoint},  {"M.sort)x(", strayPoint}, {"2.", strayPoint},    {"y.", strayPoint},
        {".", strayPoint},     {"M.(1)", strayPoint},
        {"M.det()+N.det()", methodBeside}, {"N+M.det()", methodBeside},      {"M.det()*2", methodBeside},
        {"2*M.rank()", methodBeside},      {"M.sort(DESC)+N", methodBeside}, {"M.det()M.det()", methodBeside},
        {"M.sort(DESC)+x", methodBeside},
    };
    for (const auto &[in, reason] : rows) {
        std::set<std::string> used, undefined;
        std::string out;
        KV_Matrix matrix;
        calculator.core.setErrorMessage("");
        EXPECT_EQ(inputcmd2expr(calculator, in, used, undefined, out, matrix), kSubstitutionSyntaxError) << in;
        EXPECT_EQ(out, in);
        EXPECT_EQ(calculator.core.getErrorMessage(), reason) << in;
        EXPECT_EQ(calculator.output.str(), "") << in;
        EXPECT_EQ(valueTextOf(calculator, "M"), "[1,2;3,4]") << in;
    }
}

TEST_F(Preprocessor, ReportUndefinedVariables) {
    struct Row {
        const char *in;
        int mode;
        std::string value;
        const char *substituted;
        const char *printed;
    };
    const Row rows[] = {
        {"1 + 2", 0, "3", "1+2", ""},
        {"x * y", 0, "20", "5*4", ""},
        {"1/2+y", 1, "4.5", "1/2+4", ""},
        {"x+u+v", 0, "5+u+v", "5+u+v", "Here are Undefined variables: u, v, \n"},
        // "mod" is no operator character: it stays part of the name.
        {"x mod 3", 0, "xmod3", "xmod3", "Here are Undefined variables: xmod3, \n"},
        {"x+*y", 0, "hint>", "5+*4", ""},
    };
    for (const Row &row : rows) {
        calculator.core.setMode(row.mode);
        std::string expression = row.in, substituted, substitution, value;
        std::set<std::string> used, undefined;
        std::string printed = captureStdout([&] {
            value = report_undefined_variables(calculator.core, expression, substituted, calculator.operatorChars,
                                               used, undefined, calculator.variables, substitution);
        });
        if (row.value.rfind("hint>", 0) == 0) EXPECT_EQ(value.rfind("hint> ===*=== syntax error", 0), 0u) << value;
        else EXPECT_EQ(value, row.value) << row.in;
        EXPECT_EQ(substituted, row.substituted) << row.in;
        EXPECT_EQ(substitution, row.substituted) << row.in;
        EXPECT_EQ(printed, row.printed) << row.in;
    }
}

} // namespace
