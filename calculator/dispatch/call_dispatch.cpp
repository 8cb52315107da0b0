// Calls 'name(arguments)' of registered functions. While the precision allows, the line is
// first run as a script print statement, whose printed value answers it; otherwise the call
// text is prepared for the handlers and the handler is chosen by the name's dispatch key.
#include <iostream>

#include "Calculator.h"
#include "dispatch/builtin_handlers.h"
#include "interpreter/texts.h"
#include "session/script_machine.h"
#include "tools.h"

namespace {

// The handlers' view of "mod" is the operator "@"; the name expmod must survive that.
const char *const kCallRewrites[][2] = {
    {"expmod", "expdom"}, {"mod", "@"}, {"expdom", "expmod"}, {"==", "~"}, {")(", ")*("},
};

} // namespace

Calculator::LineOutcome Calculator::answerCall(const InputStatement &statement) {
    core.setExpression(inputLine);
    if (scriptAttemptAllowed(core)) {
        if (getConfig("deleteblank") == "y") deleteBlanks(inputLine);
        const int status = runPrintStatement(core, inputLine);
        clearAnswerStreams();
        if (status == 0) {
            output << printedValue();
            return LineOutcome::nextLine();
        }
    }
    // The engine's expression is still the line with its blanks: only inputLine lost them.
    for (const auto &rewrite : kCallRewrites) core.replaceInExpression(rewrite[0], rewrite[1]);
    commandText = core.prepareExpression();
    if (!functions.functionExists(statement.name)) {
        output << ">> function " << statement.name << "() is not defined.\n" << "\n" << kPrompt;
        return LineOutcome::nextLine();
    }
    const HandlerCase *handlerCase = find_handler_case(statement.name);
    if (handlerCase == nullptr) {
        // A plugin module's name: plugin functions are called as module->command(...).
        std::cout << "input...> " << inputLine << "\n";
        output << "Default..." << "\n";
    } else {
        handlerCase->handler(*this);
        joinEngineLines();
    }
    return LineOutcome::nextLine();
}
