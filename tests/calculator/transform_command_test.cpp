// transform(A, op) as transcripts: the typed call, the answer, the standard output, and the
// matrix the variable holds afterwards.
#include <gtest/gtest.h>

#include "calculator_test_support.h"
#include "matrix/matrix_commands.h"
#include "matrix_test_support.h"
#include "tools.h"

namespace {

struct Row {
    const char *line;
    const char *shown;
    const char *value; // A's value text afterwards
};

class Transform : public ::testing::Test {
  protected:
    void SetUp() override {
        transformKind = 0;
        calculator.setOperatorChars();
        defineMatrix(calculator, "A", {"1", "2", "3", "4", "5", "6", "7", "8", "0"}, 3, 3);
        SymbolEntry &k = calculator.variables["k"];
        k.typeName = "int";
        k.name = "k";
        k.valueText = "4";
    }
    void TearDown() override { transformKind = 0; }
    std::string run(const std::string &line) {
        std::string compact = line;
        deleteBlanks(compact);
        calculator.inputLine = compact;
        calculator.output << "stale answer";
        return captureStdout([&] { cmd_transform(calculator); });
    }
    void run(const std::vector<Row> &rows) {
        for (const Row &row : rows) {
            EXPECT_EQ(run(row.line), "") << row.line;
            EXPECT_EQ(calculator.output.str(), row.shown) << row.line;
            EXPECT_EQ(valueTextOf(calculator, "A"), row.value) << row.line;
        }
    }
    Calculator calculator;
};

const std::string usageLines =
    "where ... means the operation to matrix A.\n It can be r1+r2*k, r1-r2, and etc.\n\n------------------------\n\n>> ";
const std::string usage = "hint> usage: transform(A, ...)\n" + usageLines;
const std::string start = "[1,2,3;4,5,6;7,8,0]";

TEST_F(Transform, StepsOfAReductionInDecimals) {
    run({
        {"transform(A, r2-r1*4)", "1\t2\t3\t\n0\t-3\t-6\t\n7\t8\t0\t\n\n>> ", "[1,2,3;0,-3,-6;7,8,0]"},
        {"transform(A, r3-r1*7)", "1\t2\t3\t\n0\t-3\t-6\t\n0\t-6\t-21\t\n\n>> ", "[1,2,3;0,-3,-6;0,-6,-21]"},
        {"transform(A, r3-2*r2)", "1\t2\t3\t\n0\t-3\t-6\t\n0\t0\t-9\t\n\n>> ", "[1,2,3;0,-3,-6;0,0,-9]"},
        {"transform(A, c1<-->c3)", "3\t2\t1\t\n-6\t-3\t0\t\n-9\t0\t0\t\n\n>> ", "[3,2,1;-6,-3,0;-9,0,0]"},
        {"transform(A, -2*c1)", "-6\t2\t1\t\n12\t-3\t0\t\n18\t0\t0\t\n\n>> ", "[-6,2,1;12,-3,0;18,0,0]"},
        {"transform(A, c1-8*c3)", "-14\t2\t1\t\n12\t-3\t0\t\n18\t0\t0\t\n\n>> ", "[-14,2,1;12,-3,0;18,0,0]"},
        {"transform(A, r1+r2)", "-2\t-1\t1\t\n12\t-3\t0\t\n18\t0\t0\t\n\n>> ", "[-2,-1,1;12,-3,0;18,0,0]"},
        {"transform(A, r1-r2)", "-14\t2\t1\t\n12\t-3\t0\t\n18\t0\t0\t\n\n>> ", "[-14,2,1;12,-3,0;18,0,0]"},
        {"transform(A, c3/2)", "-14\t2\t0.5\t\n12\t-3\t0.0\t\n18\t0\t0.0\t\n\n>> ", "[-14,2,0.5;12,-3,0.0;18,0,0.0]"},
    });
    VariableBase *a = nullptr;
    ASSERT_TRUE(getMatrixVariable(calculator, "A", a));
    EXPECT_EQ(a->getText(), "27"); // the changed matrix's determinant
}

TEST_F(Transform, Divisors) {
    run({
        {"transform(A, r3+r1/2)", "1\t2\t3\t\n4\t5\t6\t\n7.5\t9.0\t1.5\t\n\n>> ", "[1,2,3;4,5,6;7.5,9.0,1.5]"},
        // a zero divisor is the factor "Inf", which the cell arithmetic takes as it can
        {"transform(A, r1/0)", "Inf\t2*Inf\t3*Inf\t\n4\t5\t6\t\n7.5\t9.0\t1.5\t\n\n>> ",
         "[Inf,2*Inf,3*Inf;4,5,6;7.5,9.0,1.5]"},
    });
}

TEST_F(Transform, FactorsInFractionMode) {
    calculator.core.setMode(1);
    run({
        {"transform(A, c2*(-1/3))", "1\t-2|3\t3\t\n4\t-5|3\t6\t\n7\t-8|3\t0\t\n\n>> ", "[1,-2|3,3;4,-5|3,6;7,-8|3,0]"},
        {"transform(A, r1/3)", "1|3\t-2|9\t1\t\n4\t-5|3\t6\t\n7\t-8|3\t0\t\n\n>> ", "[1|3,-2|9,1;4,-5|3,6;7,-8|3,0]"},
        // a divisor between two lines is exact in fraction mode too
        {"transform(A, r2-r1/(1/3))", "1|3\t-2|9\t1\t\n3\t-1\t3\t\n7\t-8|3\t0\t\n\n>> ",
         "[1|3,-2|9,1;3,-1,3;7,-8|3,0]"},
        {"transform(A, r3+r1*(3))", "1|3\t-2|9\t1\t\n3\t-1\t3\t\n8\t-10|3\t3\t\n\n>> ",
         "[1|3,-2|9,1;3,-1,3;8,-10|3,3]"},
    });
}

// Cells in x: a factor in x makes the operations symbolic, and they stay so until an
// exchange.
TEST_F(Transform, SymbolicKindsStayUntilAnExchange) {
    defineMatrix(calculator, "X", {"x^2", "2", "x", "1"}, 2, 2);
    struct Step {
        const char *line;
        int32_t kind;
        const char *value;
    };
    const Step steps[] = {
        {"transform(X, r1-r2*x)", 11, "[0,-1x^1+2;x,1]"},
        {"transform(X, r2+r1*3)", 11, "[0,-1x^1+2;x^1,-3x^1+7]"},
        {"transform(X, r1+r2)", 15, "[x^1,-4x^1+9;x^1,-3x^1+7]"},
        {"transform(X, c2*(-1))", 14, "[x^1,4x^1-9;x^1,3x^1-7]"},
        {"transform(X, c1<-->c2)", 8, "[4x^1-9,x^1;3x^1-7,x^1]"},
        // numeric again: the decimal arithmetic sums the terms it can
        {"transform(X, r1-r2)", 5, "[4x^1-3x^1-2,0;3x^1-7,x^1]"},
    };
    for (const Step &step : steps) {
        run(step.line);
        EXPECT_EQ(transformKind, step.kind) << step.line;
        EXPECT_EQ(valueTextOf(calculator, "X"), step.value) << step.line;
    }
}

// An operation that names no kind changes nothing: before, the kind of the previous call
// ran again on line 1 with an empty factor.
TEST_F(Transform, UnrecognisedOperationsLeaveTheMatrix) {
    run({{"transform(A, r2-r1*4)", "1\t2\t3\t\n0\t-3\t-6\t\n7\t8\t0\t\n\n>> ", "[1,2,3;0,-3,-6;7,8,0]"}});
    for (const char *line : {"transform(A, r1+c2*3)", "transform(A, c1<-->r2)", "transform(A, swap)",
                             "transform(A, r1*(3)", "transform(A, r1+r2*3y)", "transform(A, )",
                             "transform(A, r1+r2*)", "transform(A, *r1)", "transform(A, r1+r2*(x)"}) {
        run({{line, usage.c_str(), "[1,2,3;0,-3,-6;7,8,0]"}});
        EXPECT_EQ(transformKind, 1) << line;
    }
}

TEST_F(Transform, LinesOutsideTheMatrixChangeNothing) {
    const std::string unchanged = "1\t2\t3\t\n4\t5\t6\t\n7\t8\t0\t\n\n>> ";
    run({
        {"transform(A, r4+r1*2)", unchanged.c_str(), start.c_str()},
        {"transform(A, r0<-->r1)", unchanged.c_str(), start.c_str()},
        {"transform(A, c1+c99999999999999999999999)", unchanged.c_str(), start.c_str()},
        {"transform(A, r18446744073709551617*2)", unchanged.c_str(), start.c_str()},
    });
}

TEST_F(Transform, ArgumentsAndTheUsage) {
    run({
        {"transform(A)", usage.c_str(), start.c_str()},
        {"transform", usage.c_str(), start.c_str()},
        {"transform(A, r1+r2)x,", ("hint> the input is wrong.\n\tusage: transform(A, ...)\n" + usageLines).c_str(),
         start.c_str()},
        {"transform(B, r1+r2)", "B\n", start.c_str()},
        {"transform(2, r1+r2)", "2\n>> ", start.c_str()},
        {"transform(k, r1+r2)", "\n>> ", start.c_str()},
    });
    EXPECT_EQ(run("transform([1,2;3,4], r1<-->r2)"), "1\t2\t\n3\t4\t\nafter transformation ... \n3\t4\t\n1\t2\t\n");
    EXPECT_EQ(calculator.output.str(), "\n------------------------\n\n>> ");
    EXPECT_EQ(calculator.variables.count("__Matrix__"), 0u);
}

}  // namespace
