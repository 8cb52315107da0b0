#include "handlers/number_arguments.h"

#include "Calculator.h"
#include "handlers/handler_frame.h"
#include "tools.h"

bool integerParts(const std::string &text, std::string &digits, bool &negative) {
    const size_t sign = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (text.size() == sign || !isAllDigits(text.substr(sign))) return false;
    negative = sign == 1 && text[0] == '-';
    const size_t first = text.find_first_not_of('0', sign);
    digits = first == std::string::npos ? "0" : text.substr(first);
    if (digits == "0") negative = false;
    return true;
}

bool digitRest(Calculator &calculator, std::string &n, std::ostream &out) {
    if (!closedRest(calculator.commandText, n, Close::First)) {
        writeShapeHint(out);
        return false;
    }
    std::string digits;
    bool negative = false;
    if (!isDigitsArgument(n) || !integerParts(n, digits, negative)) {
        writeHint(out, n, Hint::NonDigit);
        return false;
    }
    n = digits;
    return true;
}

bool lastCloseRest(Calculator &calculator, std::string &argument, std::ostream &out) {
    if (closedRest(calculator.commandText, argument, Close::Last)) return true;
    writeRestDiagnostics(out, restAfterOpen(calculator.commandText));
    writeShapeHint(out);
    return false;
}

bool positiveIntegerValue(Calculator &calculator, const std::string &argument, std::string &value,
                          std::ostream &out) {
    value = argument;
    if (!isAllDigits(argument)) calculator.core.EvalInfixExpression(argument, value);
    std::string digits;
    bool negative = false;
    if (integerParts(value, digits, negative) && !negative && digits != "0") {
        value = digits;
        return true;
    }
    writeHint(out, value, Hint::NotPositiveInteger);
    return false;
}

int LineCappedBuffer::overflow(int c) {
    if (c == traits_type::eof()) return traits_type::not_eof(c);
    if (lines_ >= maxLines_) {
        dropped_ = true;
        return c;
    }
    target_.put(static_cast<char>(c));
    if (c == '\n') lines_++;
    return c;
}

void writeCappedNote(std::ostream &out, size_t maxLines) {
    out << "... only the first " << maxLines << " lines are shown.\n";
}
