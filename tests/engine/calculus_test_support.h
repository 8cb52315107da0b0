// Helpers of the calculus tests: the derivative rules that the calculator appends at
// start-up, token lists written with blanks, and both renderings of a node.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "calculus.h"
#include "globals.h"

namespace calculus_test {

// sin, cos, tan and exp are differentiated by the rules the calculator appends to the
// global table; a test of the engine alone appends the same four and takes them out again.
class WithDerivativeRules : public testing::Test {
protected:
    void SetUp() override {
        saved = derivative_rules;
        const DerivativeRule rules[] = {
            {"sin", "cos", 1, 1}, {"cos", "sin", -1, 1}, {"tan", "sec", 1, 2}, {"exp", "exp", 1, 1}};
        for (const DerivativeRule &rule : rules) {
            bool present = false;
            for (const DerivativeRule &r : derivative_rules) present = present || r.function == rule.function;
            if (!present) derivative_rules.push_back(rule);
        }
    }
    void TearDown() override { derivative_rules = saved; }

private:
    std::vector<DerivativeRule> saved;
};

inline std::vector<std::string> tokens(const std::string &blankSeparated) {
    std::istringstream in(blankSeparated);
    std::vector<std::string> out;
    for (std::string t; in >> t;) out.push_back(t);
    return out;
}

// {plain, bracketed}; both empty when the printer refused.
inline std::pair<std::string, std::string> rendered(ExprTree &tree, ExprNode *node) {
    std::ostringstream plain, bracketed;
    if (!tree.expr_print(node, plain, bracketed)) return {};
    return {plain.str(), bracketed.str()};
}

inline std::string plainOf(ExprTree &tree, ExprNode *node) { return rendered(tree, node).first; }

}  // namespace calculus_test
