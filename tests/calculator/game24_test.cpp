// The 24 game on the Calculator: answers, and the variables a to d afterwards.
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

TEST(Game24OnTheCalculator, TheVariablesAToDAreGoneAfterwards) {
    Calculator calc;
    std::ostringstream messages;
    ASSERT_TRUE(define_variable("a", "7", used_variable_names, calc.variables, messages, 0));
    ASSERT_TRUE(define_variable("d", "9", used_variable_names, calc.variables, messages, 0));
    ASSERT_TRUE(define_variable("e", "5", used_variable_names, calc.variables, messages, 0));
    // A user's a = 7 does not stand in for the number given as a.
    EXPECT_EQ(play(calc, "(-3)", "1", "2", "9"), 8);
    EXPECT_EQ(calc.output.str().substr(0, 18), "9*(1+2)+(-3)==24\n1");
    for (const char *name : {"a", "b", "c", "d"}) {
        EXPECT_FALSE(variable_exists(name, calc.variables)) << name;
        EXPECT_EQ(used_variable_names.count(name), 0u) << name;
    }
    EXPECT_TRUE(variable_exists("e", calc.variables));
    EXPECT_TRUE(remove_variable("e", used_variable_names, calc.variables));
}

TEST(Game24OnTheCalculator, AMatrixNamedBDoesNotHideTheNumber) {
    Calculator calc;
    SymbolEntry entry;
    entry.typeName = "matrix";
    entry.name = "b";
    entry.valueText = "[1,2;3,4]";
    entry.typeCode = kMatrixType;
    entry.slots[kMatrixType] = std::make_unique<Variable<KV_Matrix>>();
    calc.variables.emplace("b", std::move(entry));
    used_variable_names.insert("b");
    EXPECT_EQ(play(calc, "3", "3", "8", "8"), 4);
    EXPECT_FALSE(variable_exists("b", calc.variables));
}

} // namespace
