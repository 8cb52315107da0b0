// Construction and start-up of the Calculator, its settings store, its files and its hold
// on the script machine.
#include <gtest/gtest.h>

#include "calculator_test_support.h"
#include "entry/line_entry.h"
#include "kscript.h"

namespace {

TEST(Session, StateAfterConstruction) {
    Calculator calculator;
    EXPECT_EQ(calculator.inputFile, nullptr);
    EXPECT_EQ(calculator.outputFile, nullptr);
    EXPECT_EQ(calculator.core.getResult(), "0");
    EXPECT_EQ(calculator.core.getPrecision(), 8);
    EXPECT_EQ(calculator.core.getMode(), 0);
    EXPECT_EQ(calculator.output.str(), "");
    EXPECT_TRUE(calculator.variables.empty());
    EXPECT_EQ(calculator.settings, (std::map<std::string, std::string>{{"deleteblank", "y"}, {"lock", "0"}}));
    EXPECT_TRUE(calculator.operatorChars.empty()); // until the application sets them
    EXPECT_EQ(calculator.modeName, "");
    EXPECT_TRUE(calculator.pendingLines.empty());
    // The script machine runs, with its own error reports off.
    EXPECT_TRUE(vm_ready());
    EXPECT_EQ(vm_error_report(), 0);

    calculator.setOperatorChars();
    EXPECT_EQ(std::string(calculator.operatorChars.begin(), calculator.operatorChars.end()),
              "+-*/%^@!()<>[]~");
}

TEST(Session, PolynomialRegistryAtStartUp) {
    poly_vars.clear();
    poly_varnames.clear();
    poly_internal_names.clear();
    {
        Calculator first;
        EXPECT_EQ(poly_internal_names, std::vector<std::string>{"x"});
        ASSERT_EQ(poly_varnames.size(), 1u);
        EXPECT_EQ(poly_varnames[0].index, 0);
        EXPECT_EQ(poly_varnames[0].name, "x");
        EXPECT_EQ(poly_varnames[0].internalName, "x");
        EXPECT_TRUE(poly_vars.empty());
    }
    // A second start-up in the process finds entries and empties the registry instead.
    poly_vars["y"] = 1;
    Calculator second;
    EXPECT_TRUE(poly_internal_names.empty());
    EXPECT_TRUE(poly_varnames.empty());
    EXPECT_TRUE(poly_vars.empty());
    second.initSession();
    EXPECT_EQ(poly_internal_names, std::vector<std::string>{"x"});
    EXPECT_EQ(poly_varnames.size(), 1u);
}

TEST(Session, DerivativeRules) {
    Calculator first, second;
    first.fillDerivativeRules();
    ASSERT_EQ(derivative_rules.size(), 4u); // every Calculator fills the table, once
    struct Rule {
        const char *function, *derivative;
        int sign, power;
    };
    const Rule rules[] = {
        {"sin", "cos", 1, 1}, {"cos", "sin", -1, 1}, {"tan", "sec", 1, 2}, {"exp", "exp", 1, 1}};
    for (size_t i = 0; i < 4; i++) {
        EXPECT_EQ(derivative_rules[i].function, rules[i].function);
        EXPECT_EQ(derivative_rules[i].derivative, rules[i].derivative);
        EXPECT_EQ(derivative_rules[i].sign, rules[i].sign);
        EXPECT_EQ(derivative_rules[i].power, rules[i].power);
    }
}

TEST(Session, SessionFiles) {
    Calculator calculator;
    calculator.closeSessionFiles(); // none set: nothing happens
    calculator.inputFile = std::tmpfile();
    calculator.outputFile = std::tmpfile();
    ASSERT_NE(calculator.inputFile, nullptr);
    calculator.closeSessionFiles();
    EXPECT_EQ(calculator.inputFile, nullptr);
    EXPECT_EQ(calculator.outputFile, nullptr);
    calculator.closeSessionFiles(); // a second close finds nothing to close
}

TEST(Session, ScriptMachineRestarts) {
    Calculator calculator;
    // Each restart frees the state before it (the leak check at exit sees any that is lost).
    for (int i = 0; i < 5; i++) {
        vm_set_error_report(1);
        kscriptResetVM(calculator);
        EXPECT_TRUE(vm_ready());
        EXPECT_EQ(vm_error_report(), 0);
    }
    kscriptFreeVM(calculator);
    EXPECT_FALSE(vm_ready());
    kscriptFreeVM(calculator); // freeing a freed machine does nothing
    kscriptResetVM(calculator);
    EXPECT_TRUE(vm_ready());
}

TEST(Settings, LockRule) {
    Calculator calculator;
    struct Step {
        const char *key, *value;
        int result;
    };
    const Step steps[] = {
        {"deleteblank", "n", 1},                     // existing key replaced
        {"colour", "red", 2},                        // new key added
        {"colour", "blue", 1},   {"lock", "yes", 1}, // anything but "1" leaves the store open
        {"size", "9", 2},        {"lock", "1", 1},   // from here on nothing changes
        {"lock", "0", 0},        {"colour", "green", 0}, {"other", "x", 0},
    };
    for (const Step &s : steps)
        EXPECT_EQ(calculator.setConfig(s.key, s.value), s.result) << s.key << "=" << s.value;
    EXPECT_EQ(calculator.getConfig("lock"), "1");
    EXPECT_EQ(calculator.getConfig("colour"), "blue");
    EXPECT_EQ(calculator.getConfig("deleteblank"), "n");
    EXPECT_EQ(calculator.settings.count("other"), 0u);
}

TEST(Settings, ReadingAMissingKeyAddsIt) {
    Calculator calculator;
    EXPECT_EQ(calculator.getConfig("absent"), "");
    EXPECT_EQ(calculator.settings.count("absent"), 1u);
    EXPECT_EQ(calculator.setConfig("absent", "x"), 1); // replaced, not added
    calculator.settings.erase("lock");
    EXPECT_EQ(calculator.setConfig("k", "v"), 2); // a missing lock is an open store
    EXPECT_EQ(calculator.getConfig("lock"), "");
}

} // namespace
