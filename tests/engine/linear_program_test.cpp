// Linear programs by the simplex method: reading, the printed tableaux, the solutions, and
// the cases where no optimum can be reported.
#include <gtest/gtest.h>

#include <sstream>

#include "linear_program.h"

namespace {

struct LpRun {
    LpOutcome outcome;
    std::string text;
    LpProblem problem{1, "z"};
};

// Runs "kind z=text" as the interpreter does, in the given mode word.
LpRun solve(const std::string &kind, const std::string &text, int32_t mode = 0) {
    LpRun run;
    run.problem = LpProblem(kind == "max" ? 1 : 0, "z");
    run.problem.setArithmeticMode(mode);
    std::ostringstream out;
    EXPECT_TRUE(lp_parse_problem(run.problem, "z", text, kind + " z="));
    run.outcome = lp_run(run.problem, out);
    run.text = out.str();
    return run;
}

const char *const kExampleTranscript = R"(--------------------
objModel> max
zname> z
objectiveFunction> 3x_1+2x_2
constraints>
[1] x_1+x_2<=4
[2] x_1+3x_2<=6
[3] x_1>=0
[4] x_2>=0
--------------------

======================
[Analysis]
[basic_vars]: x_1 x_2 
The obj polynomial is Linear: 3x_1+2x_2
[1] x_1+x_2
[2] x_1+3x_2

------Matrix--A----
	z	x_1	x_2	s_1	s_2	Solution	
z	1	-3	-2	0	0	0	
s_1	0	1	1	1	0	4	
s_2	0	1	3	0	1	6	

-------------------

====== Iteration [1] ======

Step 1.1
Find the minimun value of A[0]: -3
In_var: x_1

Step 1.2
pivot_element = A(1,2) = 1

------Matrix--A----
	z	x_1	x_2	s_1	s_2	Solution	
z	1	-3	-2	0	0	0	
s_1	0	1	1	1	0	4	
s_2	0	1	3	0	1	6	

-------------------
r_1/1 ==>

------Matrix--A----
	z	x_1	x_2	s_1	s_2	Solution	
z	1	-3	-2	0	0	0	
x_1	0	1	1	1	0	4	
s_2	0	1	3	0	1	6	

-------------------
Perform elementary row transformations: r_i-A(i,2)* r_1

------Matrix--A----
	z	x_1	x_2	s_1	s_2	Solution	
z	1	0	1	3	0	12	
x_1	0	1	1	1	0	4	
s_2	0	0	2	-1	1	2	

-------------------
When x_1 = 4, x_2 = 0, s_1 = 0, s_2 = 2, 
z = 12

====== END ======
)";

TEST(LinearProgram, WorkedExamplePrintsEveryTableau) {
    for (int32_t mode : {0, 1}) {
        LpRun run = solve("max", "3x_1+2x_2,x_1+x_2<=4,x_1+3x_2<=6,x_1>=0,x_2>=0;", mode);
        EXPECT_EQ(run.outcome, LpOutcome::Optimal);
        EXPECT_EQ(run.text, kExampleTranscript) << "mode " << mode;
    }
}

TEST(LinearProgram, FractionExampleTakesTwoIterations) {
    LpRun run = solve("max", "x_1+x_2,2x_1+x_2<=3,x_1+2x_2<=3;", 1);
    ASSERT_EQ(run.outcome, LpOutcome::Optimal);
    for (const char *line : {"====== Iteration [2] ======", "In_var: x_2", "pivot_element = A(2,3) = 3|2",
                             "x_1\t0\t1\t1|2\t1|2\t0\t3|2\t\n", "x_2\t0\t0\t1\t-1|3\t2|3\t1\t\n",
                             "When x_1 = 1, x_2 = 1, s_1 = 0, s_2 = 0, \nz = 2\n"})
        EXPECT_NE(run.text.find(line), std::string::npos) << line;
    EXPECT_EQ(run.text.find("Iteration [3]"), std::string::npos);
    // a mode word other than exactly 1 computes in decimals
    LpRun decimals = solve("max", "x_1+x_2,2x_1+x_2<=3,x_1+2x_2<=3;", 3);
    EXPECT_NE(decimals.text.find("0.5"), std::string::npos);
    EXPECT_EQ(decimals.text.find("1|2"), std::string::npos);
}

struct SolvedCase {
    const char *kind;
    const char *text;
    const char *solution; // the "When ..." line and the objective line
};

TEST(LinearProgram, Optima) {
    const SolvedCase cases[] = {
        // a row whose ratio is 0 limits the entering variable too
        {"max", "x_1+x_2,x_1-x_2<=0,x_1+x_2<=4;", "When x_1 = 2, x_2 = 2, s_1 = 0, s_2 = 0, \nz = 4\n"},
        // min is max of the negated objective, the value negated back
        {"min", "x_1-x_2,x_2<=3,x_1+x_2<=5;", "When x_1 = 0, x_2 = 3, s_1 = 0, s_2 = 2, \nz = -3\n"},
        {"min", "x_1+x_2,x_1<=3;", "When x_1 = 0, x_2 = 0, s_1 = 3, \nz = 0\n"},
        // columns found by name: any order, any number, variables only in constraints
        {"max", "x_9,x_9<=4;", "When x_9 = 4, s_1 = 0, \nz = 4\n"},
        {"max", "2x_2+x_1,x_1+x_2<=3;", "When x_2 = 3, x_1 = 0, s_1 = 0, \nz = 6\n"},
        {"max", "x_1,x_1+x_7<=4,x_1<=3;", "When x_1 = 3, x_7 = 0, s_1 = 1, s_2 = 0, \nz = 3\n"},
        {"max", "x_1+x_1+x_2,x_1+x_2<=2;", "When x_1 = 2, x_2 = 0, s_1 = 0, \nz = 4\n"},
        // constants on either side move to the right-hand side
        {"max", "x_1,4-x_1>=0;", "When x_1 = 4, s_1 = 0, \nz = 4\n"},
        {"max", "x_1,4>=x_1+1;", "When x_1 = 3, s_1 = 0, \nz = 3\n"},
        {"max", "x_1,2*x_1<=1/2+1;", "When x_1 = 0.75, s_1 = 0, \nz = 0.75\n"},
        // sign constraints take no row, wherever they stand
        {"max", "x_1+x_2,x_1>=0,x_1<=2,-x_2<=0,x_2<=3;",
         "When x_1 = 2, x_2 = 3, s_1 = 0, s_2 = 0, \nz = 5\n"},
        // a constraint that is not linear takes no row
        {"max", "x_1,x_1^2+x_2<=4,x_1<=1;", "When x_1 = 1, s_1 = 0, \nz = 1\n"},
        {"max", "x_1,x_1+x_2=4,x_1<=1;", "When x_1 = 1, s_1 = 0, \nz = 1\n"},
        // trailing and doubled commas
        {"max", "x_1,x_1<=1,;", "When x_1 = 1, s_1 = 0, \nz = 1\n"},
    };
    for (const auto &c : cases) {
        LpRun run = solve(c.kind, c.text);
        EXPECT_EQ(run.outcome, LpOutcome::Optimal) << c.text;
        EXPECT_NE(run.text.find(c.solution), std::string::npos) << c.text << "\n" << run.text;
    }
}

TEST(LinearProgram, RowMessages) {
    LpRun run = solve("max", "x_1,x_1^2+x_2<=4,x_1*x_2>=1,x_1+x_2=4,,x_1<=1;");
    for (const char *line : {"[1] is NOT linear.\n", "<2> is NOT linear.\n",
                             "[3] has neither \"<=\" nor \">=\" and is left out.\n",
                             "[4] has neither \"<=\" nor \">=\" and is left out.\n", "[1] x_1\n"})
        EXPECT_NE(run.text.find(line), std::string::npos) << line << "\n" << run.text;
    EXPECT_EQ(run.problem.getConstraintCount(), 1u);
}

// Beale's program cycles under the most-negative rule with ties to the upper row; a zero
// ratio switches to the smallest-index rule, which reaches the optimum 5/4.
TEST(LinearProgram, DegenerateProgramDoesNotCycle) {
    LpRun run = solve(
        "max", "3/4x_4-20x_5+1/2x_6-6x_7,1/4x_4-8x_5-x_6+9x_7<=0,1/2x_4-12x_5-1/2x_6+3x_7<=0,x_6<=1;", 1);
    ASSERT_EQ(run.outcome, LpOutcome::Optimal);
    EXPECT_EQ(lp_objective_value(run.problem), "5|4");
    EXPECT_EQ(lp_variable_value(run.problem, "x_4"), "1");
    EXPECT_EQ(lp_variable_value(run.problem, "x_6"), "1");
}

struct FailedCase {
    const char *kind;
    const char *text;
    LpOutcome outcome;
    const char *message;
};

TEST(LinearProgram, NoOptimumIsReported) {
    const FailedCase cases[] = {
        {"max", "x_1+x_2,x_1<=4;", LpOutcome::Unbounded,
         "The objective is unbounded: no constraint limits x_2.\n"},
        {"max", "x_1;", LpOutcome::Unbounded, "The objective is unbounded: no constraint limits x_1.\n"},
        {"min", "-x_1,x_1-x_2<=1;", LpOutcome::Unbounded, "no constraint limits x_2"},
        {"max", "x_1^2,x_1<=4;", LpOutcome::NotLinear, "The objective is NOT linear: no tableau is built.\n"},
        {"max", "x_1+1,x_1<=4;", LpOutcome::NotLinear, "The objective is NOT linear"},
        {"max", "sin(x_1),x_1<=4;", LpOutcome::NotLinear, "The objective is NOT linear"},
        {"max", "x_1,x_1<=4,x_1>=1;", LpOutcome::InfeasibleStart,
         "hint> The constraint [2] does not hold when every variable is 0"},
        {"max", "z+x_1,x_1<=4;", LpOutcome::Refused,
         "hint> The name z is both the objective's name and a variable.\n"},
        {"max", "s_1,s_1<=4;", LpOutcome::Refused, "hint> The name s_1 is kept for a slack variable.\n"},
    };
    for (const auto &c : cases) {
        LpRun run = solve(c.kind, c.text);
        EXPECT_EQ(run.outcome, c.outcome) << c.text;
        EXPECT_NE(run.text.find(c.message), std::string::npos) << c.text << "\n" << run.text;
        EXPECT_EQ(run.text.find("When "), std::string::npos) << c.text;
        EXPECT_EQ(run.text.substr(run.text.size() - 19), "\n====== END ======\n") << c.text;
    }
}

TEST(LinearProgram, RefusesTooBigTableauxAndUnfinishedText) {
    std::string text = "x_1";
    for (int k = 0; k < 80; k++) text += ",x_1+x_" + std::to_string(k + 2) + "<=" + std::to_string(k + 1);
    LpRun run = solve("max", text + ";");
    EXPECT_EQ(run.outcome, LpOutcome::Refused);
    EXPECT_NE(run.text.find("hint> The linear program is too big"), std::string::npos);

    // many distinct names in one constraint are read and refused in time
    std::string wide = "x_1,x_1";
    for (int k = 2; k < 20000; k++) wide += "+x_" + std::to_string(k);
    LpRun many = solve("max", wide + "<=1;");
    EXPECT_EQ(many.outcome, LpOutcome::Refused);

    LpProblem unfinished(1, "z");
    EXPECT_FALSE(lp_parse_problem(unfinished, "z", "3x_1+2x_2,x_1+x_2<=4", "max z="));
    EXPECT_TRUE(unfinished.constraints.empty());
}

TEST(LinearProgram, ReadsLinearForms) {
    struct Case {
        const char *text;
        bool linear;
        const char *form;
        const char *constant;
    } cases[] = {
        {"3x_1+2x_2", true, "3x_1+2x_2", "0"},
        {"x_1 - x_2 + 5", true, "x_1-x_2", "5"},
        {"-x_1--x_2", true, "-x_1+x_2", "0"},
        {"2*y+1|2z", true, "2y+1|2z", "0"},
        {"x_1+x_1-2x_1", true, "0x_1", "0"},
        {"", true, "0", "0"},
        {"x_1^1", true, "x_1", "0"},
        {"x_1^2", false, "", ""},
        {"x_1*x_2", false, "", ""},
        {"x_1+", false, "", ""},
        {"(x_1)", false, "", ""},
        {"1/0x_1", false, "", ""},
        {"_a", false, "", ""},
    };
    for (const auto &c : cases) {
        LinearForm form = lp_read_linear(c.text, true);
        EXPECT_EQ(form.linear, c.linear) << c.text;
        if (!c.linear) continue;
        EXPECT_EQ(lp_linear_text(form), c.form) << c.text;
        EXPECT_EQ(form.constant, c.constant) << c.text;
    }
}

} // namespace
