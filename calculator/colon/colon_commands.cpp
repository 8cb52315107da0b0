// Colon commands: lines ':name ...' addressed to the interpreter itself. The names are
// compared exactly (case matters) in the order of the table; the first that matches answers.
#include "colon/colon_commands.h"

#include "interpreter/interpreter_state.h"
#include "interpreter/texts.h"

namespace {

ColonOutcome quitCommand(Calculator &, const InputStatement &) {
    return ColonOutcome::endBatch(kLineQuit);
}

// ":help" alone shows the short help; ":help name" is answered as the call help(name).
ColonOutcome helpCommand(Calculator &calculator, const InputStatement &statement) {
    if (statement.arg.empty()) {
        calculator.core.printHelp();
        return ColonOutcome::endBatch(kLineDone);
    }
    calculator.inputLine = "help(" + statement.arg + ")";
    return ColonOutcome::restart();
}

using InfoText = void (BigNumber::*)();

// A command answered by a text operation of the engine, or by a handler.
struct ColonCommand {
    const char *name;
    ColonHandler handler;
    InfoText text;
};

const ColonCommand kColonCommands[] = {
    {"quit", quitCommand, nullptr},
    {"q", quitCommand, nullptr},
    {"exit", quitCommand, nullptr},
    {"change", changeCommand, nullptr},
    {"delete", deleteCommand, nullptr},
    {"del", deleteCommand, nullptr},
    {"clear", clearCommand, nullptr},
    {"mode", modeCommand, nullptr},
    {"expand", expandCommand, nullptr},
    {"help", helpCommand, nullptr},
    {"h", helpCommand, nullptr},
    {"more", nullptr, &BigNumber::printMoreHelp},
    {"thanks", nullptr, &BigNumber::printThanks},
    {"kavlo", nullptr, &BigNumber::printLogo},
    {"home", nullptr, &BigNumber::printHomeBanner},
    {"about", nullptr, &BigNumber::printAbout},
    {"v", nullptr, &BigNumber::printVersion},
    {"version", nullptr, &BigNumber::printVersion},
    {"dev_history", nullptr, &BigNumber::printDevHistory},
    {"list", listCommand, nullptr},
    {"poly_vars", polyVarsCommand, nullptr},
    {"claim", claimCommand, nullptr},
    {"show", showCommand, nullptr},
};

} // namespace

Calculator::LineOutcome Calculator::answerColonCommand(const InputStatement &statement) {
    for (const ColonCommand &command : kColonCommands) {
        if (statement.name != command.name) continue;
        if (command.handler != nullptr) return command.handler(*this, statement);
        (core.*command.text)();
        return LineOutcome::endBatch(kLineDone);
    }
    output << "info> Input error, please try again.\n" << kPrompt;
    return LineOutcome::endBatch(kLineDone);
}
