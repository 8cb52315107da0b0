// Transcripts of the interpreter: typed lines and the exact text the terminal shows, for
// expressions in each calculation mode, calls and the help of the function registry.
#include <gtest/gtest.h>

#include <vector>

#include "calculator_test_support.h"
#include "entry/line_entry.h"

namespace {

struct Row {
    const char *typed;
    std::string shown;
};

// One session: the lines of `before` are typed first (their answers are other tests'
// business), then each row's line, whose shown text must match exactly.
void runTranscript(const std::vector<const char *> &before, const std::vector<Row> &rows) {
    Calculator calculator;
    calculator.setOperatorChars();
    for (const char *typed : before) {
        captureStdout([&] { processInputLine(typed, calculator); });
        shownText(calculator);
    }
    for (const Row &row : rows) {
        captureStdout([&] { processInputLine(row.typed, calculator); });
        EXPECT_EQ(shownText(calculator), row.shown) << "typed: \"" << row.typed << "\"";
    }
}

std::string helpAnswer(const std::string &text) {
    return "out> " + text + "\n\n" + texts::rule + "\n\n" + texts::prompt;
}

TEST(InterpreterTranscript, DefaultMode) {
    runTranscript({},
                  {
                      // Numerical expressions are answered by the script attempt.
                      {"1+2", texts::scriptAnswer("3")},
                      {"1/3", texts::scriptAnswer("0.33333333")},
                      {"2^3^2", texts::scriptAnswer("64")},
                      {"-5!", texts::scriptAnswer("-120")},
                      {"9!6", texts::scriptAnswer("3024")},
                      {"19 mod 7", texts::scriptAnswer("5")},
                      {"7%2", texts::scriptAnswer("3")},
                      {"2^100", texts::scriptAnswer("1267650600228229401496703205376")},
                      {"3$4", texts::notAnExpression},
                      {"foo(1)", texts::notDefined("foo")},
                      // Calls the script's natives answer: the printed value alone, without a prompt.
                      {"gcd(12, 18)", "6"},
                      {"gcd(12,18,5)", "1"},
                      {"avg(1,2)", "1.5"},
                      {"size([1,2,3])", "3"},
                      {"pi()", "3.14159265"},
                      {"pi(10)", "4"},
                      {"factorial(5)", "120"},
                      {"setprecision(20)", "20"},
                      {"1/3", texts::scriptAnswer("0.33333333333333333333")},
                      // A registered name the script does not know goes to its handler.
                      {"xor(101,11)", "out> 110\n\n" + texts::rule + "\n\n" + texts::prompt},
                      // No plugin module is loaded: the call writes only the prompt.
                      {"calc->Print()", "\n" + texts::prompt},
                      {"calc->Print(7)", "\n" + texts::prompt},
                      // A call of a handler that is built.
                      {"det([1,2;3,4])", "out> -2\n\n" + texts::rule + "\n\n" + texts::prompt},
                  });
}

TEST(InterpreterTranscript, Help) {
    runTranscript({},
                  {
                      {":help gcd", helpAnswer("Compute the greatest common divisor of k numbers, where k>=2.\n"
                                               "gcd(n1,n2,...,nk)\n\nUsage:\ngcd(num1,num2)\n")},
                      {"help(gcd)", helpAnswer("Compute the greatest common divisor of k numbers, where k>=2.\n"
                                               "gcd(n1,n2,...,nk)\n\nUsage:\ngcd(num1,num2)\n")},
                      {"help(eq24)", helpAnswer("算廿四\n\nUsage:\neq24(p1,p2,p3,p4)\n")},
                      // A misspelt name lists the registered names that contain it.
                      {"help(prime)",
                       helpAnswer("hint> Function 'prime' not found.\n\n以下是包含 'prime' 的函数名列表:\n" +
                                  texts::rule +
                                  "\nindex_of_prime\nisprime\nispseudoprime\nlistpseudoprimes\nnextMRprime\n"
                                  "nextprime\nprevMRprime\nprevprime\n")},
                      {"help(Gdc)", helpAnswer("hint> Function 'Gdc' not found.\n\n以下是包含 'Gdc' 的函数名列表:\n" +
                                               texts::rule + "\n")},
                      {"help()", "hint>  is invalid function name.\n\n" + texts::rule + "\n\n" + texts::prompt},
                      {"help(2x)", "hint> 2x is invalid function name.\n\n" + texts::rule + "\n\n" + texts::prompt},
                  });
}

TEST(InterpreterTranscript, CalculationModes) {
    runTranscript({":mode cmd"}, {
                                     {"1+2", texts::engineAnswer("3")},
                                     {"19 mod 7", texts::engineAnswer("5")},
                                     {"1/3", texts::engineAnswer("0.33333333")},
                                 });
    runTranscript({":mode fraction"}, {
                                          {"1/2+1/3", "\nout> 5|6\n" + texts::expressionEnd},
                                          {"2/4", "\nout> 1|2\n" + texts::expressionEnd},
                                      });
    runTranscript({":mode fraction", ":expand=on"}, {{"1/2+1/3", "\nout> 5|6\nans: 5|6\n\n" + texts::expressionEnd}});
    runTranscript({":mode complex"}, {{"(1+2i)*(3-i)", texts::engineAnswer("5+5i")}});
    // The LP mode name echoes the line and sets the mode word to 0 (cmd off again).
    runTranscript({":mode LP"}, {{"1+2", "LP>  =\n" + texts::scriptAnswer("3")}});
    runTranscript({":mode cmd", ":mode LP"}, {{"1+2", "LP>  =\n" + texts::scriptAnswer("3")}});
}

// Above the precision limit no script runs.
TEST(InterpreterTranscript, AbovePrecisionLimit) {
    Calculator calculator;
    calculator.setOperatorChars();
    calculator.core.setPrecision(2000);
    for (const Row &row : std::vector<Row>{{"1+2", texts::engineAnswer("3")}, {"foo(1)", texts::notDefined("foo")}}) {
        captureStdout([&] { processInputLine(row.typed, calculator); });
        EXPECT_EQ(shownText(calculator), row.shown) << row.typed;
    }
}

TEST(InterpreterTranscript, VariablesClaimsAndMatrices) {
    runTranscript({"a=1", "b=2", "M=[1 2;3 4]", "N=[1 0;0 1]", ":claim c==a", ":claim d==a+b"},
                  {
                      {"a+b", texts::scriptAnswer("3")},
                      {"a*b-7", texts::scriptAnswer("-5")},
                      // A claimed name that is a variable takes its value; a claim text goes in as it is,
                      // without brackets, and is not substituted again.
                      {"c*2", texts::scriptAnswer("2")},
                      {"d*2", texts::engineAnswer("(a+2*b)")},
                      {"M", "in> M\n1\t2\t\n3\t4\t\n\n" + texts::prompt},
                      {"M.det()", "in> M.det()\n-2\n\n" + texts::prompt},
                      {"M.sort(DESC)", "in> M.sort(DESC)\n4\t3\t\n2\t1\t\n\n" + texts::prompt},
                      {"M+N", "\nout> \n5\t3\t\n2\t2\t\n" + texts::expressionEnd},
                      // A method's value is written, not substituted: beside other terms it is refused.
                      {"M.det()+N.det()", texts::syntaxReport("A matrix method such as M.det(), M.rank() or "
                                                              "M.sort(DESC) stands alone on its line.")},
                      // A point in no number and no method call.
                      {".5*a", texts::syntaxReport("A \".\" stands between two digits or begins a method call "
                                                   "variable.method(argument), such as M.det().")},
                      {"M.det", texts::syntaxReport("A \".\" stands between two digits or begins a method call "
                                                    "variable.method(argument), such as M.det().")},
                      // Without names there is nothing to substitute: the script refuses ".5", the engine reads it.
                      {".5*2", texts::engineAnswer("1.0")},
                  });
}

// Lines the script cannot compile fall through to the engine, which reads them as
// polynomials in the main variable.
TEST(InterpreterTranscript, ScriptFailuresReachTheEngine) {
    runTranscript({}, {
                               {"2pi", texts::engineAnswer("2*pi")},
                               {"2sqrt(2)", texts::engineAnswer("(2)*(sqrt[2])")},
                               {"x^2+1", texts::engineAnswer("x^2+1")},
                               {"(x+1)*(x-1)", texts::engineAnswer("x^2-1")},
                           });
    runTranscript({":mode polyn"}, {{"x^2+2*x+1", texts::engineAnswer("x^2+2x+1")}});
}

// The script attempts run with the machine's error reports off: a failing attempt shows and
// prints nothing of its own.
TEST(InterpreterTranscript, FailedScriptAttemptsAreSilent) {
    Calculator calculator;
    calculator.setOperatorChars();
    for (const char *typed : {"2pi", "2sqrt(2)", "foo(1)", "x^2", "3$4", "gcd(1,"}) {
        ::testing::internal::CaptureStderr();
        std::string out = captureStdout([&] { calculator.dealWithInputCommand({typed}); });
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << typed;
        EXPECT_EQ(out, "") << typed;
        calculator.clearAnswerStreams();
    }
}

// The simplex method prints the problem, every tableau and the solution, with no prompt
// after it.
const char *const kOptimalAtOnce = R"(--------------------
objModel> max
zname> z
objectiveFunction> -x_1
constraints>
[1]  x_1<=2
--------------------

======================
[Analysis]
[basic_vars]: x_1 
The obj polynomial is Linear: -x_1
[1] x_1

------Matrix--A----
	z	x_1	s_1	Solution	
z	1	1	0	0	
s_1	0	1	1	2	

-------------------
When x_1 = 0, s_1 = 2, 
z = 0

====== END ======
)";

const char *const kNotFeasibleAtZero = R"(--------------------
objModel> min
zname> z
objectiveFunction> x_1
constraints>
[1]  x_1>=1
--------------------

======================
[Analysis]
[basic_vars]: x_1 
The obj polynomial is Linear: x_1
min z is found as max -z.
[1] -x_1

------Matrix--A----
	z	x_1	s_1	Solution	
z	1	1	0	0	
s_1	0	-1	1	-1	

-------------------
hint> The constraint [1] does not hold when every variable is 0; the simplex method here starts from that point and cannot solve this problem.

====== END ======
)";

// One pivot; the third is written "1|3" in fraction mode.
const char *const kOnePivot = R"(--------------------
objModel> max
zname> z
objectiveFunction> x_1
constraints>
[1]  3x_1<=1
--------------------

======================
[Analysis]
[basic_vars]: x_1 
The obj polynomial is Linear: x_1
[1] 3x_1

------Matrix--A----
	z	x_1	s_1	Solution	
z	1	-1	0	0	
s_1	0	3	1	1	

-------------------

====== Iteration [1] ======

Step 1.1
Find the minimun value of A[0]: -1
In_var: x_1

Step 1.2
pivot_element = A(1,2) = 3

------Matrix--A----
	z	x_1	s_1	Solution	
z	1	-1	0	0	
s_1	0	3	1	1	

-------------------
r_1/3 ==>

------Matrix--A----
	z	x_1	s_1	Solution	
z	1	-1	0	0	
x_1	0	1	1|3	1|3	

-------------------
Perform elementary row transformations: r_i-A(i,2)* r_1

------Matrix--A----
	z	x_1	s_1	Solution	
z	1	0	1|3	1|3	
x_1	0	1	1|3	1|3	

-------------------
When x_1 = 1|3, s_1 = 0, 
z = 1|3

====== END ======
)";

std::string inDecimals(std::string text) {
    replace_all(text, "1|3", "0.33333333");
    return text;
}

TEST(InterpreterTranscript, LinearPrograms) {
    // A program without its closing ";" is refused at once: nothing waits for more input.
    runTranscript({}, {
                          {"max z=3x_1+2x_2, x_1+x_2<=4", texts::unfinishedProgram},
                          {"Max x", texts::unfinishedProgram},
                          {"max z=-x_1, x_1<=2;", kOptimalAtOnce},
                          {"min z=x_1, x_1>=1;", kNotFeasibleAtZero},
                          {"max z=x_1, 3x_1<=1;", inDecimals(kOnePivot)},
                      });
    // The tableau computes in the engine's mode; the LP mode name sets the mode word to 0 at
    // the next expression line, not at a program line.
    runTranscript({":mode fraction", ":mode LP"}, {
                                                      {"max z=x_1, 3x_1<=1;", kOnePivot},
                                                      {"1+2", "LP>  =\n" + texts::scriptAnswer("3")},
                                                      {"max z=x_1, 3x_1<=1;", inDecimals(kOnePivot)},
                                                  });
}

} // namespace
