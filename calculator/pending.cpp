// The roads of the interpreter whose owners are not built yet: the function registry and
// the plugins at start-up, colon commands other than quitting, assignments, calls,
// expressions and linear programs. Each answers one "not available yet" text from here;
// each goes when its owner lands.
#include "pending.h"

#include "Calculator.h"
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

Calculator::LineOutcome Calculator::answerPendingColonCommand(const InputStatement &) {
    return answerNotYet(output, "colon commands");
}

Calculator::LineOutcome Calculator::answerAssignment(const std::string &) {
    return answerNotYet(output, "assignments");
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
