// The 24 game on the Calculator: answers, targets compared by value, and the user's
// variables left alone.
#include <gtest/gtest.h>

#include "calculator_test_support.h"
#include "interpreter/interpreter_state.h"
#include "solvers/game24.h"
#include "variables/symbol_table.h"

namespace {

int play(Calculator &calc, const std::string &a, const std::string &b, const std::string &c,
         const std::string &d, const std::string &target = "24") {
    return solve24(calc.core, calc.operatorChars, used_variable_names, undefined_names, calc.variables, a, b,
                   c, d, target, calc.output);
}

TEST(Game24OnTheCalculator, AnswersFollowTheOutputAlreadyWritten) {
    Calculator calc;
    calc.output << "\n";
    EXPECT_EQ(play(calc, "1", "2", "3", "4"), 4);
    EXPECT_EQ(calc.output.str(), "\n(1+3)*(2+4)==24\n1*2*3*4==24\n2*3*4/1==24\n(1+2+3)*4==24\n");
    calc.output.str("");
    EXPECT_EQ(play(calc, "8", "6", "6", "4", "28"), 4);
    EXPECT_EQ(play(calc, "1", "1", "1", "1"), 0);
}

TEST(Game24OnTheCalculator, TheUsersVariablesAreUntouched) {
    Calculator calc;
    std::ostringstream messages;
    for (const char *name : {"a", "b", "d"}) used_variable_names.erase(name); // names are global
    ASSERT_TRUE(define_variable("a", "7", used_variable_names, calc.variables, messages, 0));
    ASSERT_TRUE(define_variable("d", "9", used_variable_names, calc.variables, messages, 0));
    SymbolEntry matrix;
    matrix.typeName = "matrix";
    matrix.name = "b";
    matrix.valueText = "[1,2;3,4]";
    matrix.typeCode = kMatrixType;
    matrix.slots[kMatrixType] = std::make_unique<Variable<KV_Matrix>>();
    calc.variables.emplace("b", std::move(matrix));
    used_variable_names.insert("b");
    // A user's a = 7 or matrix b does not stand in for the numbers given.
    EXPECT_EQ(play(calc, "(-3)", "1", "2", "9"), 8);
    EXPECT_EQ(calc.output.str().substr(0, 18), "9*(1+2)+(-3)==24\n1");
    EXPECT_EQ(calc.variables.at("a").valueText, "7");
    EXPECT_EQ(calc.variables.at("d").valueText, "9");
    EXPECT_EQ(calc.variables.at("b").valueText, "[1,2;3,4]");
    EXPECT_FALSE(variable_exists("c", calc.variables));
    for (const char *name : {"a", "b", "d"}) EXPECT_TRUE(remove_variable(name, used_variable_names, calc.variables));
}

// A target that is an expression is compared by its value, not by its text.
TEST(Game24OnTheCalculator, TargetsAreComparedByValue) {
    Calculator calc;
    EXPECT_GT(play(calc, "1", "2", "3", "4", "(0-1)"), 0);
    EXPECT_NE(calc.output.str().find("==(0-1)\n"), std::string::npos);
    EXPECT_GT(play(calc, "1", "2", "3", "4", "(1/2)"), 0);
    EXPECT_EQ(play(calc, "3", "3", "8", "8", "24"), play(calc, "3", "3", "8", "8", "(48/2)"));
}

} // namespace
