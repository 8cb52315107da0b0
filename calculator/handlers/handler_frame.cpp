#include "handlers/handler_frame.h"

#include <iostream>
#include <sstream>

#include "Calculator.h"
#include "interpreter/texts.h"
#include "text/string_utils.h"
#include "tools.h"

namespace {

constexpr std::string_view kHintMessages[] = {
    " contains non digit char.",
    " contains non digit char, it is regarded as a std::string.",
    " is not a decimal number.",
    " is not a decimal integer.",
    " is not a binary number.",
    " is not a valid infix expression.",
    " is not a positive integer.",
    " must be a nonnegative integer.",
    " is not a prime.",
    " is NOT a polynomial.",
    " is NOT a polynomial of x",
    " is NOT polynomial.",
    " is invalid function name.",
};
static_assert(std::size(kHintMessages) == size_t(Hint::InvalidFunctionName) + 1, "one message a hint");

// Sends a console stream into `target` and puts it back even when the body throws.
class StreamRedirect {
  public:
    StreamRedirect(std::ostream &stream, std::streambuf *target) : stream_(stream), saved_(stream.rdbuf(target)) {}
    ~StreamRedirect() { stream_.rdbuf(saved_); }
    StreamRedirect(const StreamRedirect &) = delete;
    StreamRedirect &operator=(const StreamRedirect &) = delete;

  private:
    std::ostream &stream_;
    std::streambuf *saved_;
};

} // namespace

std::ostream &startAnswer(Calculator &calculator) {
    calculator.output.str("");
    calculator.output.clear();
    return calculator.output;
}

void writeClosing(std::ostream &out) {
    out << "\n";
    writeClosingBlock(out);
}

void writeClosingBlock(std::ostream &out) { out << "\n" << kRule << "\n" << "\n" << kPrompt; }

void writeAnswer(std::ostream &out, std::string_view value) {
    out << "out> " << value;
    writeClosing(out);
}

std::string_view hintMessage(Hint hint) { return kHintMessages[size_t(hint)]; }

void writeHint(std::ostream &out, std::string_view argument, Hint hint) {
    out << "hint> " << argument << hintMessage(hint);
    writeClosing(out);
}

void writeHint(std::ostream &out, std::string_view first, std::string_view second, Hint hint) {
    out << "hint> " << first << " or " << second << hintMessage(hint);
    writeClosing(out);
}

void writeShapeHint(std::ostream &out) {
    out << "hint> the input is wrong.";
    writeClosing(out);
}

void writeRangeHint(std::ostream &out, std::string_view text, int64_t low, int64_t high) {
    // The engine's range message, as a hint.
    const std::string message = integerRangeMessage(text, low, high);
    constexpr std::string_view kEngineHead = "Error> ";
    out << "hint> " << (message.starts_with(kEngineHead) ? message.substr(kEngineHead.size()) : message);
    writeClosing(out);
}

void writeComparisonFailure(std::ostream &out, std::string_view a, std::string_view b) {
    out << "Error: " << a << " is less than " << b << ".";
    writeClosing(out);
}

void writeUsageLine(std::ostream &out, std::string_view form) { out << "syntax> " << form << "\n"; }

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

std::string restAfterOpen(const std::string &text) {
    const size_t open = text.find('(');
    return open == std::string::npos ? text : text.substr(open + 1);
}

bool closedRest(const std::string &text, std::string &argument, Close close) {
    const std::string rest = restAfterOpen(text);
    const size_t end = close == Close::First ? rest.find(')') : rest.rfind(')');
    if (end == std::string::npos || end + 1 != rest.size()) return false;
    argument = rest.substr(0, end);
    return true;
}

bool firstBracketArgument(const std::string &text, std::string &argument) {
    const size_t open = text.find('(');
    if (open == std::string::npos) return false;
    const size_t close = text.find(')');
    if (close != std::string::npos && close < open) return false;
    argument = close == std::string::npos ? text.substr(open + 1) : text.substr(open + 1, close - open - 1);
    return true;
}

bool wholeBracketArgument(const std::string &line, std::string &argument, bool lineEnd) {
    const size_t open = line.find('(');
    const size_t close = line.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) return false;
    if (lineEnd && close + 1 != line.size()) return false;
    argument = line.substr(open + 1, close - open - 1);
    return true;
}

bool twoArguments(const std::string &text, std::string &first, std::string &second, Close close) {
    const size_t open = text.find('(');
    if (open == std::string::npos) return false;
    const size_t comma = text.find(',', open + 1);
    if (comma == std::string::npos) return false;
    size_t end = close == Close::First ? text.find(')') : text.rfind(')');
    if (end != std::string::npos && end < comma) return false;
    if (end == std::string::npos) end = text.size();
    first = text.substr(open + 1, comma - open - 1);
    second = text.substr(comma + 1, end - comma - 1);
    return true;
}

bool itemList(Calculator &calculator, const std::string &argument, std::vector<std::string> &items) {
    items.clear();
    return calculator.core.expandItemList(argument, items, ',');
}

void writeRestDiagnostics(std::ostream &out, const std::string &rest) {
    const size_t last = rest.rfind(')');
    out << "paraLongString = " << rest << "\n"
        << "pos2=" << (last == std::string::npos ? std::string("18446744073709551615") : std::to_string(last)) << "\n"
        << "length=" << rest.size() << "\n";
}

bool boundParameters(Calculator &calculator, const std::string &name, std::vector<std::string> &values,
                     std::ostream &out) {
    values.clear();
    std::string argument;
    if (!closedRest(calculator.commandText, argument, Close::Last)) {
        writeRestDiagnostics(out, restAfterOpen(calculator.commandText));
        writeShapeHint(out);
        return false;
    }
    if (!calculator.functions.bindArguments(name, argument, values)) {
        writeShapeHint(out);
        return false;
    }
    return true;
}

bool readBackMinus(std::string &argument, size_t minLength) {
    if (argument.size() < minLength || !argument.starts_with("0-")) return false;
    argument.erase(0, 1);
    return true;
}

bool cutMinus(std::string &argument, size_t minLength) {
    if (argument.size() < minLength || !argument.starts_with("0-")) return false;
    argument.erase(0, 2);
    return true;
}

bool boundedInteger(std::ostream &out, const std::string &argument, int64_t low, int64_t high, int64_t &value) {
    if (checkedInt64(argument, low, high, value)) return true;
    writeRangeHint(out, argument, low, high);
    return false;
}

bool hasDigit(const std::string &argument) {
    return argument.find_first_of("0123456789") != std::string::npos;
}

bool isRealArgument(const std::string &argument) {
    return hasDigit(argument) && BigNumber::isRealNumber(argument);
}

bool isDigitsArgument(const std::string &argument) { return !argument.empty() && isAllDigits(argument); }

std::string capturedConsole(const std::function<void()> &body) {
    std::ostringstream printed;
    std::cout.flush();
    StreamRedirect out(std::cout, printed.rdbuf());
    StreamRedirect err(std::cerr, printed.rdbuf());
    StreamRedirect log(std::clog, printed.rdbuf());
    body();
    return printed.str();
}
