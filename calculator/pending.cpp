// The roads of the interpreter whose owners are not built yet: the command handlers,
// polynomials in several variables and linear programming. Each answers one "not available
// yet" text from here; each goes when its owner lands.
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

void answerHandlerNotYet(Calculator &calculator, const std::string &name) {
    calculator.output.str("");
    calculator.output << "Error> " << name << " is not available yet.\n" << kPrompt;
}

std::string multiPolynomialValue(BigNumber &) {
    return notAvailableText("polynomials in several variables");
}

void runLinearProgram(Calculator &calculator, const InputStatement &) {
    answerNotYet(calculator.output, "linear programs");
}
