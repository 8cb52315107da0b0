// The roads of the interpreter whose owners are not built yet: the function registry and
// the plugins at start-up, claims, the substitution behind string variables, calls,
// expressions and linear programs. Each answers one "not available yet" text from here;
// each goes when its owner lands.
#include "pending.h"

#include "Calculator.h"
#include "assignments/assignment.h"
#include "colon/colon_commands.h"
#include "interpreter/texts.h"

namespace {

Calculator::LineOutcome answerNotYet(std::ostream &output, const char *road) {
    output << notAvailableText(road) << "\n" << kPrompt;
    return Calculator::LineOutcome::nextLine();
}

} // namespace

std::string notAvailableText(const std::string &road) {
    return "info> " + road + ": not available yet";
}

// Start-up registers no functions until the registry and the plugin loader exist.
void Calculator::registerSessionFunctions() {}

// The computed text of string variables needs the substitution of variables.
std::string stringVariableText(Calculator &, const std::string &) {
    return notAvailableText("substitution");
}

Calculator::LineOutcome Calculator::answerCall(const InputStatement &) {
    return answerNotYet(output, "function calls");
}

Calculator::LineOutcome Calculator::answerExpression(const InputStatement &, std::string &) {
    return answerNotYet(output, "expressions");
}

Calculator::LineOutcome Calculator::answerProgram(const InputStatement &) {
    return answerNotYet(output, "linear programs");
}

ColonOutcome claimCommand(Calculator &calculator, const InputStatement &) {
    return answerNotYet(calculator.output, "claims");
}

ColonOutcome showCommand(Calculator &calculator, const InputStatement &) {
    return answerNotYet(calculator.output, "claims");
}
