// Construction, start-up and shutdown of the interpreter object.
#include <algorithm>
#include <iterator>

#include "Calculator.h"
#include "claims/claims.h"
#include "plugins/plugin_loader.h"
#include "session/script_machine.h"

namespace {

// The characters that end a name when a line is scanned for variables.
constexpr char kOperatorChars[] = "+-*/%^@!()<>[]~";

const char kMainVariable[] = "x";

// d/dx f(u) = sign * g(u)^power * u'
const DerivativeRule kDerivativeRules[] = {
    {"sin", "cos", 1, 1},
    {"cos", "sin", -1, 1},
    {"tan", "sec", 1, 2},
    {"exp", "exp", 1, 1},
};

// The polynomial registry starts with its main variable; a registry that already holds
// entries (a second start-up in the process) is emptied instead.
void resetPolynomialVariables() {
    if (poly_internal_names.empty()) {
        poly_internal_names.push_back(kMainVariable);
    } else {
        poly_internal_names.clear();
        poly_vars.clear();
    }
    if (poly_varnames.empty()) {
        poly_varnames.push_back({0, kMainVariable, kMainVariable});
    } else {
        poly_varnames.clear();
    }
}

} // namespace

Calculator::Calculator() {
    set_equality_claim_reader(claimed_right_side_of);
    initSession();
    fillDerivativeRules();
}

Calculator::~Calculator() = default;

void Calculator::initSession() {
    inputFile = nullptr;
    outputFile = nullptr;
    restartScriptMachine();
    settings.emplace("lock", "0");
    settings.emplace("deleteblank", "y");
    loadPlugins(); // its failures are reported inside; start-up goes on
    registerSessionFunctions();
    resetPolynomialVariables();
}

void Calculator::setOperatorChars() {
    operatorChars.assign(std::begin(kOperatorChars), std::end(kOperatorChars) - 1);
}

void Calculator::closeSessionFiles() {
    // Cleared after closing, so a second quit cannot close a handle twice.
    if (inputFile != nullptr) std::fclose(inputFile);
    if (outputFile != nullptr) std::fclose(outputFile);
    inputFile = nullptr;
    outputFile = nullptr;
}

void Calculator::fillDerivativeRules() {
    // The table is global and every Calculator fills it: a rule already there is kept once.
    for (const DerivativeRule &rule : kDerivativeRules) {
        bool present = std::any_of(derivative_rules.begin(), derivative_rules.end(),
                                   [&](const DerivativeRule &r) { return r.function == rule.function; });
        if (!present) derivative_rules.push_back(rule);
    }
}
