// Transcripts of the command solve: polynomial equations of degree 1 to 3, the search of a
// range, and matrix equations A*x==b with the variables they leave.
#include <gtest/gtest.h>

#include <sstream>

#include "calculator_test_support.h"
#include "engine/root_values.h"
#include "matrix/matrix_variables.h"
#include "solvers/solve_command.h"

namespace {

const std::string kClosing = "\n" + texts::rule + "\n\n" + texts::prompt;

std::string linearAnswer(const std::string &normalForm, const std::string &root) {
    return "\n这是一个一元一次方程.\n\n  " + normalForm + " == 0\n\n\nsolution>\n\tx = " + root + "\n\t\n" +
           kClosing;
}

TEST(SolveCommand, PolynomialEquations) {
    Calculator calculator;
    calculator.setOperatorChars();
    expectTranscript(
        calculator, {
                        {"solve(x^2+7x+8==0)",
                         "\n这是一个一元二次方程.\n\n  x^2+7x^1+8 == 0\n\n\nsolution>\n\tx1 = -7|2+sqrt(17)/2"
                         "\n\tx2 = -7|2-sqrt(17)/2\n" +
                             kClosing},
                        {"solve(x==0)", linearAnswer("x^1", "-0")},
                        {"solve(x==x)", linearAnswer("0", "any real number")},
                        // a cancelled cube is 0 == 0, never a division by its zero coefficient
                        {"solve(x^3==x^3)", linearAnswer("0", "any real number")},
                        // a quotient: its numerator, a constant other than 0, has no root
                        {"solve(1/x==0)", "\n(1)/(x^1) == 0\n\nsolution>\n\tx = NO solution.\n\t\n" + kClosing},
                        // 1/x == 2 is 1 - 2x == 0, whose root is no pole
                        {"solve(1/x==2)", linearAnswer("-2x^1+1", "0.5")},
                        {"solve(2x^3+4x==0)",
                         "\nIt is a univariate cubic equation.\n\n  2x^3+4x^1 == 0\n\nAnswer:\n\tp = 2\n"
                         "\tq = 0\n\nsolution>\n\tx1 = 0\n\tx2 = sqrt(2)*i\n\tx3 = -sqrt(2)*i\n\n" +
                             kClosing},
                    });
}

// A command text that does not end in ")" (the line entry refuses unbalanced lines before).
TEST(SolveCommand, HandlerRefusesAnUnclosedCall) {
    Calculator calculator;
    for (const char *text : {"solve(x^2-1~0", "solve", "solve(x)+1"}) {
        calculator.commandText = text;
        cmd_solve(calculator);
        EXPECT_EQ(calculator.output.str(),
                  "hint> the input is wrong.\n" + kClosing + "syntax> solve(equation,x,minValue,maxValue)\n" + kClosing)
            << text;
    }
}

TEST(SolveCommand, SearchesARange) {
    Calculator calculator;
    calculator.setOperatorChars();
    const std::string both = "ans>> x=-1\nans>> x=1\n" + kClosing;
    const std::string refused =
        "hint> The search needs a variable name and two numbers: solve(equation,x,minValue,maxValue).\n" +
        kClosing;
    expectTranscript(calculator, {
                                     // maxValue itself is not tried
                                     {"solve(x^4==1,x,-3,1)", "ans>> x=-1\n" + kClosing},
                                     {"solve(x^4==1,x,-3,3)", both},
                                     // the search ends once it passes maxValue, however that is written
                                     {"solve(x^4==1,x,-3,+3)", both},
                                     {"solve(x^4==1,x,-3,2.5)", both},
                                     // a reversed or empty range is refused, never searched
                                     {"solve(x^4==1,x,3,-3)",
                                      "hint> The range from 3 to -3 is empty: minValue must be less than maxValue.\n" +
                                          kClosing},
                                     {"solve(2^x==8,x,5,1)",
                                      "hint> The range from 5 to 1 is empty: minValue must be less than maxValue.\n" +
                                          kClosing},
                                     {"solve(2^x==8,x,1,1)",
                                      "hint> The range from 1 to 1 is empty: minValue must be less than maxValue.\n" +
                                          kClosing},
                                     {"solve(2^x==8,x,1,5)", "ans>> x=3\n" + kClosing},
                                     {"solve(x^4==1,,-3,3)", refused},
                                     {"solve(x^4==1,x,a,3)", refused},
                                     // a constant equation holds for every value of the range
                                     {"solve(x^2+1,x,0,3)", "ans>> x=0\nans>> x=1\nans>> x=2\n" + kClosing},
                                     {"solve(x^(341-1)mod341==1,x,1,9)",
                                      "ans>> x=1\nans>> x=2\nans>> x=4\nans>> x=8\n" + kClosing},
                                 });
}

TEST(SolveCommand, MatrixEquations) {
    Calculator calculator;
    calculator.setOperatorChars();
    const std::string solution =
        "\nThe solution is:\nx= E_0 + \nwhere E_0 is the special solution and the others form "
        "the base of the solution:\n---------------\nE_0\t\n------------------------\n-4\t\n9|2\t\n" +
        kClosing;
    const std::string heading = "The augmented matrix is:\n1\t2\t5\t\n3\t4\t6\t\n\n-----------------------\n";
    expectTranscript(
        calculator,
        {
            {"A=[1,2;3,4]", "--------------------\n\n1\t2\t\n3\t4\t\n\n--------------------\n>> "},
            {"b=[5;6]", "--------------------\n\n5\t\n6\t\n\n--------------------\n>> "},
            {"B=[1,2;3,4]", "--------------------\n\n1\t2\t\n3\t4\t\n\n--------------------\n>> "},
            // the heading only once Ab exists
            {"solve(A*x==b)", "1\t2\t5\t\n3\t4\t6\t\n" + solution},
            {"solve(A*x==b)", heading + solution},
            // b of two columns: nothing but the closing
            {"solve(A*x==B)", kClosing},
        });
    // names of any length are read without recursion; an unknown A answers nothing
    std::ostringstream out;
    solveEquation(calculator, std::string(200000, 'a') + "*x~b", "", "", "", out);
    EXPECT_EQ(out.str(), "");
    const KV_Matrix *x = matrixValueOf(calculator, "x_solution");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->cells, (std::vector<std::string>{"-4", "9|2"}));
    const KV_Matrix *ab = matrixValueOf(calculator, "Ab");
    ASSERT_NE(ab, nullptr);
    EXPECT_EQ(ab->cells, (std::vector<std::string>{"1", "2", "5", "3", "4", "6"}));
}

} // namespace

namespace {

// The typed form of c[3] x^3 + c[2] x^2 + c[1] x + c[0] == 0.
std::string typedCubic(const std::vector<std::string> &c) {
    std::string text = (c[3] == "1" ? "" : c[3]) + "x^3";
    const char *const powers[] = {"", "x", "x^2"};
    for (int k = 2; k >= 0; k--)
        if (c[size_t(k)] != "0") text += (c[size_t(k)][0] == '-' ? "" : "+") + c[size_t(k)] + powers[k];
    return "solve(" + text + "==0)";
}

// The texts after "\tx1 = ", "\tx2 = " and "\tx3 = " in an answer.
std::vector<std::string> shownRoots(const std::string &shown) {
    std::vector<std::string> roots;
    for (const char *name : {"\tx1 = ", "\tx2 = ", "\tx3 = "}) {
        size_t at = shown.find(name);
        if (at == std::string::npos) return roots;
        at += std::char_traits<char>::length(name);
        roots.push_back(shown.substr(at, shown.find('\n', at) - at));
    }
    return roots;
}

} // namespace

// Cubics with a rational discriminant and irrational cube roots, typed as equations: every
// side of every printed root is substituted back (in fraction mode the leading coefficient
// is not 1, and the equation is divided by it exactly).
TEST(SolveCommand, CubicRootsWithIrrationalCubeRootsDenoteRoots) {
    std::mt19937 rng(770);
    root_values::ComplexEngine ce;
    for (const char *mode : {":mode numerical", ":mode fraction"}) {
        Calculator calculator;
        calculator.setOperatorChars();
        captureStdout([&] { processInputLine(mode, calculator); });
        calculator.clearAnswerStreams();
        const bool scaled = std::string(mode) == ":mode fraction";
        for (int n = 0; n < 12; n++) {
            std::vector<std::string> c = root_values::cubicWithRationalDelta(rng);
            if (scaled)
                for (std::string &k : c) k = std::to_string(std::stol(k) * (2 + n % 3));
            const std::string typed = typedCubic(c);
            captureStdout([&] { processInputLine(typed, calculator); });
            const std::string shown = shownText(calculator);
            const std::vector<std::string> roots = shownRoots(shown);
            ASSERT_EQ(roots.size(), 3u) << typed << "\n" << shown;
            root_values::checkRoots(ce, c, roots, 3, typed + "\n" + shown);
        }
    }
}
