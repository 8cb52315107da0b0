#include "handlers/bound_usage.h"

#include "Calculator.h"
#include "handlers/handler_frame.h"

bool bindWithUsage(Calculator &calculator, const char *name, UsageWriter usage, std::ostream &out,
                   std::vector<std::string> &values) {
    std::string rest;
    if (!closedRest(calculator.commandText, rest, Close::Last)) {
        writeRestDiagnostics(out, restAfterOpen(calculator.commandText));
        writeShapeHintAndUsage(out, usage);
        return false;
    }
    if (!calculator.functions.bindArguments(name, rest, values)) {
        usage(out);
        return false;
    }
    return true;
}

void writeShapeHintAndUsage(std::ostream &out, UsageWriter usage) {
    writeShapeHint(out);
    usage(out);
}
