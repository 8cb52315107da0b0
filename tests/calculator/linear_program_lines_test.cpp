// Transcripts of linear programs typed at the prompt: the whole answer of the simplex
// method, the calculation mode it computes in, and the names it leaves registered.
#include <gtest/gtest.h>

#include "calculator_test_support.h"
#include "globals.h"

namespace {

class LinearProgramLines : public ::testing::Test {
  protected:
    void SetUp() override { clearRegistry(); }
    void TearDown() override { clearRegistry(); }
    static void clearRegistry() {
        poly_vars.clear();
        poly_varnames.clear();
        poly_internal_names.clear();
    }
    // The answer up to its tableau: the problem, the analysis and the rows built.
    static std::string head(const std::string &kind, const std::string &name, const std::string &objective,
                            const std::string &constraints, const std::string &analysis) {
        return "--------------------\nobjModel> " + kind + "\nzname> " + name + "\nobjectiveFunction> " +
               objective + "\nconstraints>\n" + constraints +
               "--------------------\n\n======================\n[Analysis]\n" + analysis;
    }
};

// the answer of a program ends without a prompt
const std::string kEnd = "\n====== END ======\n";

TEST_F(LinearProgramLines, Transcripts) {
    Calculator calculator;
    calculator.setOperatorChars();
    expectTranscript(
        calculator,
        {
            // no constraint limits the objective: no pivot on row 0, no solution line
            {"max z=x_1;",
             head("max", "z", "x_1", "", "[basic_vars]: x_1 \nThe obj polynomial is Linear: x_1\n") +
                 "\n------Matrix--A----\n\tz\tx_1\tSolution\t\nz\t1\t-1\t0\t\n\n-------------------\n"
                 "\n====== Iteration [1] ======\n\nStep 1.1\nFind the minimun value of A[0]: -1\n"
                 "In_var: x_1\n\nStep 1.2\nThe objective is unbounded: no constraint limits x_1.\n" +
                 kEnd},
            // a ">=" with a positive bound does not hold at 0, where the method starts
            {"min w = x_1+x_2, x_1+x_2>=2;",
             head("min", "w", " x_1+x_2", "[1]  x_1+x_2>=2\n",
                  "[basic_vars]: x_1 x_2 \nThe obj polynomial is Linear: x_1+x_2\nmin w is found as max -w.\n"
                  "[1] -x_1-x_2\n") +
                 "\n------Matrix--A----\n\tw\tx_1\tx_2\ts_1\tSolution\t\nw\t1\t1\t1\t0\t0\t\n"
                 "s_1\t0\t-1\t-1\t1\t-2\t\n\n-------------------\n"
                 "hint> The constraint [1] does not hold when every variable is 0; the simplex method here "
                 "starts "
                 "from that point and cannot solve this problem.\n" +
                 kEnd},
            {"max z=x_1^2,x_1<=1;", head("max", "z", "x_1^2", "[1] x_1<=1\n",
                                         "[basic_vars]: x_1 \nThe objective is NOT linear: no tableau is "
                                         "built.\n") +
                                        kEnd},
            {"max z=3x_1+2x_2, x_1+x_2<=4", texts::unfinishedProgram},
        });
}

TEST_F(LinearProgramLines, SolutionsInEachMode) {
    Calculator calculator;
    calculator.setOperatorChars();
    struct Row {
        const char *typed;
        const char *solution;
    } rows[] = {
        {"max z=3x_1+2x_2,x_1+x_2<=4,x_1+3x_2<=6,x_1>=0,x_2>=0;",
         "When x_1 = 4, x_2 = 0, s_1 = 0, s_2 = 2, \nz = 12\n"},
        {"max z=x_1+x_2,x_1-x_2<=0,x_1+x_2<=4;", "When x_1 = 2, x_2 = 2, s_1 = 0, s_2 = 0, \nz = 4\n"},
        {"min z=x_1-x_2,x_2<=3;", "When x_1 = 0, x_2 = 3, s_1 = 0, \nz = -3\n"},
        {"max z=x_9,x_9<=4;", "When x_9 = 4, s_1 = 0, \nz = 4\n"},
        {"max z=x_1+x_2,2x_1+x_2<=3,x_1+2x_2<=3;", "When x_1 = 1.0, x_2 = 1, s_1 = 0, s_2 = 0, \nz = 2.0\n"},
        {":mode fraction", nullptr},
        {"max z=x_1+x_2,2x_1+x_2<=3,x_1+2x_2<=3;", "When x_1 = 1, x_2 = 1, s_1 = 0, s_2 = 0, \nz = 2\n"},
    };
    for (const Row &row : rows) {
        captureStdout([&] { processInputLine(row.typed, calculator); });
        std::string shown = shownText(calculator);
        if (!row.solution) continue;
        EXPECT_NE(shown.find(std::string(row.solution) + kEnd), std::string::npos) << row.typed << "\n"
                                                                                   << shown;
    }
}

// Signs and ratios are decided on exact values: a decimal leftover of 1/3 times 3 is no
// pivot, so these unbounded programs are found unbounded in numerical mode too.
TEST_F(LinearProgramLines, RoundingLeftoversAreNoPivots) {
    Calculator calculator;
    calculator.setOperatorChars();
    const struct {
        const char *typed;
        const char *verdict;
    } rows[] = {
        {"max z=3x_1+5x_2,-3x_1+x_2<=0,8x_2<=7;", "The objective is unbounded: no constraint limits s_1.\n"},
        {"max z=8x_1+8x_2,9x_1-2x_2<=1,5x_1-3x_2<=0,5x_1<=0;",
         "x_1\t0\t1\t-0.6\t0\t0.2\t0\t0\t\n"},  // the printed tableau keeps its decimals
        {"max z=8x_1+8x_2,9x_1-2x_2<=1,5x_1-3x_2<=0,5x_1<=0;",
         "The objective is unbounded: no constraint limits s_2.\n"},
    };
    for (const auto &row : rows) {
        captureStdout([&] { processInputLine(row.typed, calculator); });
        std::string shown = shownText(calculator);
        EXPECT_NE(shown.find(row.verdict), std::string::npos) << row.typed << "\n" << shown;
        EXPECT_EQ(shown.find("pivot_element = A(1,2) = 0.0"), std::string::npos) << shown;
    }
}

TEST_F(LinearProgramLines, NamesStayRegistered) {
    Calculator calculator;
    calculator.setOperatorChars();
    captureStdout([&] { processInputLine("max z=3x_1+2x_2,x_1+x_2<=4,x_1+3x_2<=6;", calculator); });
    std::vector<std::string> names;
    for (const auto &record : poly_varnames) names.push_back(record.name);
    EXPECT_EQ(names, (std::vector<std::string>{"x", "x_1", "x_2", "z", "s_1", "s_2"}));
}

} // namespace
