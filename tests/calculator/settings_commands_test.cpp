// The settings, variables and listing commands as the terminal shows them.
#include <gtest/gtest.h>

#include <sstream>

#include "handler_test_support.h"
#include "tools.h"
#include "variables/symbol_table.h"

namespace {

using namespace handler_texts;

std::string precisionAnswer(int precision) { return "Now the precision is: " + std::to_string(precision) + closing; }

TEST(SettingsCommands, SetAndSelect) {
    Calculator calculator;
    calculator.setOperatorChars();
    expectHandlerTranscript(calculator, {
                                            {"SET(color,red)", answer("新建配置成功")},
                                            {"SET(color,blue)", answer("更新成功")},
                                            {"SELECT(color)", answer("settings[color] = blue")},
                                            {"SELECT(never)", answer("settings[never] = ")},
                                            {"SET(,1)", shapeHint},
                                            {"SET(a)", shapeHint},
                                            {"SELECT()", shapeHint},
                                            {"SET(lock,1)", answer("更新成功")},
                                            {"SET(lock,0)", answer("由于锁定无法更新")},
                                            {"SET(color,green)", answer("由于锁定无法更新")},
                                            {"SELECT(color)", answer("settings[color] = blue")},
                                        });
}

TEST(SettingsCommands, PrecisionAndVariableLock) {
    Calculator calculator;
    calculator.setOperatorChars();
    const std::string cap = std::to_string(precisionCap());
    expectHandlerTranscript(calculator, {
                                            {"getprecision()", precisionAnswer(1001)},
                                            {"getprecision(12)", precisionAnswer(1001)},
                                            {"getprecision(x)", hint("x contains non digit char.")},
                                            {"fix_variables(2)", "Now variables are fixed" + closing},
                                            {"fix_variables(0)", "Now variables can be changed." + closing},
                                            {"fix_variables(99999999999999999999999)", "Now variables are fixed" + closing},
                                            {"fix_variables(x)", hint("x contains non digit char.")},
                                            {"fix_variables()", shapeHint},
                                            {"setprecision(x)", hint("x contains non digit char.")},
                                            {"setprecision(-5)", hint("0-5 contains non digit char.")},
                                        });
    EXPECT_EQ(calculator.core.getFixVariables(), 1);
    // Numbers past the cap, or past every machine integer, change nothing.
    for (const std::string &n : {std::to_string(precisionCap() + 1), std::string("99999999999"),
                                 std::string("1000000000000")}) {
        calculator.core.setPrecision(2000);
        processInputLine("setprecision(" + n + ")", calculator);
        EXPECT_EQ(shownText(calculator), hint(n + " is out of range: an integer from 0 to " + cap + " is needed here."));
        EXPECT_EQ(calculator.core.getPrecision(), 2000);
    }
    const std::vector<std::pair<std::string, int>> set = {{"setprecision(20)", 20}, {"setprecision()", 8},
                                                         {"setprecision(0)", 8}, {"setprecision(" + cap + ")", int(precisionCap())}};
    for (const auto &[typed, precision] : set) {
        calculator.core.setPrecision(2000);
        processInputLine(typed, calculator);
        EXPECT_EQ(shownText(calculator), precisionAnswer(precision)) << typed;
        EXPECT_EQ(calculator.core.getPrecision(), precision);
    }
}

TEST(SettingsCommands, DispLenAndHelp) {
    Calculator calculator;
    calculator.setOperatorChars();
    processInputLine("v=41", calculator);
    shownText(calculator);
    expectHandlerTranscript(calculator, {
                                            {"disp(2.5)", answer("2.5")},
                                            {"disp(1+2)", answer("3")},
                                            {"disp(v)", answer("41")},
                                            {"disp(nothing)", answer("nothing")},
                                            {"disp()", shapeHint},
                                            {"len(ab)", answer("2")},
                                            {"len(é)", answer("2")},
                                            {"len(a(b),c)", answer("6")},
                                            {"len()", answer("0")},
                                            {"help()", hint(" is invalid function name.")},
                                            {"help(1x)", hint("1x is invalid function name.")},
                                            {"help(xor)", answer("Return the bitwise exclusive or of two binary numbers.\nxor(10110,1101)\n\nUsage:\nxor(num1,num2)\n")},
                                        });
}

TEST(SettingsCommands, Sort) {
    Calculator calculator;
    calculator.setOperatorChars();
    const std::string end = "\n" + texts::rule + "\n\n" + texts::prompt;
    expectHandlerTranscript(calculator, {
                                            {"sort(3,1,2)", "1,2,3" + end},
                                            {"sort(3,1,2;desc)", "3,2,1" + end},
                                            {"sort(10,9,100;std::string)", "10,100,9" + end},
                                            {"sort(10,9,100;std::string|desc)", "9,100,10" + end},
                                            {"sort(3,1,2;DESC)", "1,2,3" + end},
                                            {"sort(-1,2,1/2)", "-1,0.5,2" + end},
                                            {"sort(5)", "5\n"},
                                            {"sort(b,a)", "b,a\n"},
                                        });
}

TEST(SettingsCommands, ListFunctions) {
    Calculator calculator;
    calculator.setOperatorChars();
    calculator.core.setPrecision(kHandlerPrecision);
    processInputLine("listfunctions()", calculator);
    std::string names;
    for (const std::string &name : calculator.functionNames) names += name + "\n";
    const std::string end = "\n" + texts::rule + "\n\n" + texts::prompt;
    EXPECT_EQ(shownText(calculator), names + "\n" + end);
    processInputLine("listfunctions(1)", calculator);
    std::string signatures;
    for (const std::string &s : calculator.functionSignatures) signatures += s + "\n";
    EXPECT_EQ(shownText(calculator), signatures + "\n\nTotal: " + std::to_string(calculator.functionSignatures.size()) +
                                         "\n" + end);
}

// The address the variable listing shows finds the variable; no memory is read through it.
TEST(SettingsCommands, ValueFromTheListedAddress) {
    Calculator calculator;
    calculator.setOperatorChars();
    for (const char *line : {"n=7", "x=2.5"}) {
        processInputLine(line, calculator);
        shownText(calculator);
    }
    calculator.core.setPrecision(kHandlerPrecision);
    struct Row {
        const char *name;
        const char *value;
    };
    for (const Row &row : {Row{"n", "7"}, Row{"x", "2.500000"}}) {
        ASSERT_TRUE(calculator.variables.count(row.name)) << row.name;
        std::ostringstream address;
        address << valueAddress(calculator.variables.at(row.name));
        processInputLine("getValueFromMemAddr(" + address.str() + ")", calculator);
        EXPECT_EQ(shownText(calculator), std::string(row.value) + "\n\n" + texts::prompt) << row.name;
    }
    processInputLine("getValueFromMemAddr(0x1)", calculator);
    EXPECT_EQ(shownText(calculator), "\n" + texts::prompt);
}

// At the default precision the script's natives answer these lines first: the same refusals
// hold on that road, and the precision stays.
TEST(SettingsCommands, ScriptRoadRefusesTheSame) {
    Calculator calculator;
    calculator.setOperatorChars();
    const std::string cap = std::to_string(precisionCap());
    expectTranscript(calculator,
                     {
                         {"setprecision(1000000000000)",
                          "Error> 1000000000000 is out of range: an integer from 1 to " + cap + " is needed here."},
                         {"setprecision(0)", "Error> 0 is out of range: an integer from 1 to " + cap + " is needed here."},
                         {"round(1.5,2147483648)", "Usage: round(x)"},
                         {"sqrt(8,18446744073709551617)", "Error> 18446744073709551617 is out of range: an integer "
                                                           "from -2147483648 to 2147483647 is needed here."},
                         {"truncate(1.5,-5)", "1.5"},
                         {"ith_char(\"abc\",-1)", " "},
                         {"setprecision(20)", "20"},
                     });
    EXPECT_EQ(calculator.core.getPrecision(), 20);
}

} // namespace
