// The commands eq24, suo and suo24 as the terminal shows them, and their verdicts against a
// brute-force search over every expression of the four numbers.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <numeric>
#include <vector>

#include "handler_test_support.h"

namespace {

using namespace handler_texts;

// An exact rational, small enough for four one- or two-digit numbers.
struct Ratio {
    int64_t n, d; // d > 0
};
Ratio reduced(int64_t n, int64_t d) {
    if (d < 0) n = -n, d = -d;
    const int64_t g = std::gcd(n < 0 ? -n : n, d);
    return {n / g, d / g};
}

// True when some expression of the values with + - * / and brackets equals the target.
bool reachable(std::vector<Ratio> values, Ratio target) {
    if (values.size() == 1) return values[0].n == target.n && values[0].d == target.d;
    for (size_t i = 0; i < values.size(); i++)
        for (size_t j = 0; j < values.size(); j++) {
            if (i == j) continue;
            std::vector<Ratio> rest;
            for (size_t k = 0; k < values.size(); k++)
                if (k != i && k != j) rest.push_back(values[k]);
            const Ratio a = values[i], b = values[j];
            std::vector<Ratio> results = {reduced(a.n * b.d + b.n * a.d, a.d * b.d),
                                          reduced(a.n * b.d - b.n * a.d, a.d * b.d), reduced(a.n * b.n, a.d * b.d)};
            if (b.n != 0) results.push_back(reduced(a.n * b.d, a.d * b.n));
            for (const Ratio &r : results) {
                rest.push_back(r);
                if (reachable(rest, target)) return true;
                rest.pop_back();
            }
        }
    return false;
}

std::string shownFor(Calculator &calculator, const std::string &typed) {
    calculator.core.setPrecision(kHandlerPrecision);
    captureStdout([&] { processInputLine(typed, calculator); });
    return shownText(calculator);
}

TEST(Game24Commands, VerdictsAgreeWithABruteForceSearch) {
    Calculator calculator;
    calculator.setOperatorChars();
    struct Set {
        std::array<int, 4> numbers;
        int target;
    };
    const Set sets[] = {
        {{4, 6, 1, 1}, 24}, {{1, 1, 1, 1}, 24}, {{3, 3, 8, 8}, 24}, {{1, 5, 5, 5}, 24},
        {{1, 1, 2, 2}, 24}, {{1, 3, 4, 6}, 24}, {{1, 1, 1, 1}, 5},
    };
    for (const Set &set : sets) {
        std::string typed = "eq24(";
        std::vector<Ratio> values;
        for (int n : set.numbers) {
            typed += std::to_string(n) + ",";
            values.push_back({n, 1});
        }
        typed.back() = ';';
        typed += std::to_string(set.target) + ")";
        const std::string shown = shownFor(calculator, typed);
        const bool solvable = reachable(values, {set.target, 1});
        EXPECT_EQ(shown.find("Total: ") != std::string::npos, solvable) << typed << "\n" << shown;
        EXPECT_EQ(shown.find("No solution.") != std::string::npos, !solvable) << typed;
        // Every line written is a solution: the engine agrees that it equals the target.
        std::istringstream lines(shown);
        for (std::string line; std::getline(lines, line);) {
            const size_t eq = line.find("==");
            if (eq == std::string::npos) continue;
            std::string value;
            calculator.core.EvalInfixExprNoOutput(line.substr(0, eq), value, 1);
            EXPECT_EQ(value, std::to_string(set.target)) << line;
        }
    }
}

TEST(Game24Commands, Transcript) {
    Calculator calculator;
    calculator.setOperatorChars();
    const std::string end = "\n" + texts::rule + "\n\n";
    const std::string noSolution = "\nNo solution.\n\n" + texts::prompt;
    expectHandlerTranscript(
        calculator,
        {
            {"eq24(1,2,3,4)", "\n(1+3)*(2+4)==24\n1*2*3*4==24\n2*3*4/1==24\n(1+2+3)*4==24\n" + end + "Total: 4\n\n" +
                                  texts::prompt},
            {"suo(1,2,3,4)", "\n(1+3)*(2+4)==24\n1*2*3*4==24\n2*3*4/1==24\n(1+2+3)*4==24\n" + end + "Total: 4\n\n" +
                                 texts::prompt},
            {"eq24(1,1,1,1)", noSolution},
            {"eq24(1,2,3)", shapeHint},
            {"eq24(1,2,x,4)", "hint> x is not a decimal number.\n" + end + texts::prompt},
            {"eq24(a,2,3,b)", "hint> a is not a decimal number.\nhint> b is not a decimal number.\n" + end + texts::prompt},
            {"eq24(1,2,3,)", "hint>  is not a decimal number.\n" + end + texts::prompt},
        });
    // suo24 answers as eq24 does; a target of 24 given or not is the same call.
    for (const char *same : {"suo24(3,3,8,8)", "eq24(3,3,8,8;24)"})
        EXPECT_EQ(shownFor(calculator, same), shownFor(calculator, "eq24(3,3,8,8)")) << same;
    // A target that is no plain number is compared by value: (1-2)*(4-3) is -1.
    const std::string negative = shownFor(calculator, "eq24(1,2,3,4;-1)");
    EXPECT_NE(negative.find("2*(3-4)+1==(-1)\n"), std::string::npos) << negative;
    EXPECT_NE(shownFor(calculator, "eq24(1,2,3,4;1/2)").find("Total: "), std::string::npos);
    // A negative number reaches the solver in brackets.
    EXPECT_NE(shownFor(calculator, "eq24(-3,1,2,9)").find("9*(1+2)+(0-3)==24\n"), std::string::npos);
}

// The solver's templates never touch the user's variables.
TEST(Game24Commands, UserVariablesStay) {
    Calculator calculator;
    calculator.setOperatorChars();
    processInputLine("a=5", calculator);
    shownText(calculator);
    shownFor(calculator, "eq24(1,2,3,4)");
    calculator.core.setPrecision(8);
    processInputLine("a", calculator);
    EXPECT_NE(shownText(calculator).find("5"), std::string::npos);
    ASSERT_TRUE(calculator.variables.count("a"));
    EXPECT_EQ(calculator.variables.at("a").valueText, "5");
    EXPECT_FALSE(calculator.variables.count("b"));
}

} // namespace
