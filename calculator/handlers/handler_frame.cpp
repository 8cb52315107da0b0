#include "handlers/handler_frame.h"

#include "Calculator.h"
#include "interpreter/texts.h"

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
    size_t depth = 1, at = open + 1;
    for (; at < text.size(); at++) {
        if (text[at] == '(') depth++;
        else if (text[at] == ')' && --depth == 0) break;
    }
    if (depth != 0) {
        out << "hint> the input is wrong (missing ')' or mismatched parentheses).";
        writeClosing(out);
        return false;
    }
    argument = text.substr(open + 1, at - open - 1);
    return true;
}
