// The roads of the interpreter whose owners are not built yet: the command handlers. Each
// answers one "not available yet" text from here; each goes when its owner lands.
#include "pending.h"

#include "Calculator.h"
#include "interpreter/texts.h"

void answerHandlerNotYet(Calculator &calculator, const std::string &name) {
    calculator.output.str("");
    calculator.output << "Error> " << name << " is not available yet.\n" << kPrompt;
}
