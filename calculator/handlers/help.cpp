#include "handlers/help.h"

#include "Calculator.h"
#include "handlers/handler_frame.h"
#include "variables/symbol_table.h"

void cmd_help(Calculator &calculator) {
    std::ostream &out = calculator.output;
    calculator.output.str("");
    std::string name;
    if (!getParenArgument(calculator, name, out)) return;
    if (!is_identifier(name)) {
        out << "hint> " << name << " is invalid function name.";
        writeClosing(out);
        return;
    }
    std::string text;
    calculator.functions.printFunctionHelp(name, text);
    out << "out> " << text;
    writeClosing(out);
}
