#include "handlers/handler_frame.h"

#include "Calculator.h"
#include "interpreter/texts.h"
#include "text/string_utils.h"

void writeClosing(std::ostream &out) {
    out << "\n" << "\n" << kRule << "\n" << "\n" << kPrompt;
}

bool getParenArgument(Calculator &calculator, std::string &argument, std::ostream &out) {
    out.clear();
    argument.clear();
    const std::string &text = calculator.commandText;
    const size_t open = text.find('(');
    if (open == std::string::npos) {
        out << "hint> the input is wrong (missing '(').";
        writeClosing(out);
        return false;
    }
    const size_t close = matching_close_paren(text, open);
    if (close == std::string::npos) {
        out << "hint> the input is wrong (missing ')' or mismatched parentheses).";
        writeClosing(out);
        return false;
    }
    argument = text.substr(open + 1, close - open - 1);
    return true;
}
