// Colon commands: lines ':name ...' addressed to the interpreter itself. The names are
// compared exactly (case matters) in the order of the table; the first that matches answers.
#include <iterator>

#include "Calculator.h"

namespace {

using ColonHandler = Calculator::LineOutcome (Calculator::*)(const InputStatement &);

} // namespace

Calculator::LineOutcome Calculator::answerColonCommand(const InputStatement &statement) {
    static const struct {
        const char *name;
        ColonHandler handler;
    } kCommands[] = {
        {"quit", &Calculator::quitCommand},
        {"q", &Calculator::quitCommand},
        {"exit", &Calculator::quitCommand},
    };
    for (const auto &command : kCommands)
        if (statement.name == command.name) return (this->*command.handler)(statement);
    return answerPendingColonCommand(statement);
}

Calculator::LineOutcome Calculator::quitCommand(const InputStatement &) {
    return LineOutcome::endBatch(kLineQuit);
}
