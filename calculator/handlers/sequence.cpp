// The sequence commands: Farey and farey, continued_fraction, fibonacci, Fibonacci, Collatz,
// print3x1Maps.
#include <climits>
#include <sstream>
#include <string>
#include <vector>

#include "Calculator.h"
#include "handlers/families.h"
#include "handlers/handler_frame.h"
#include "handlers/number_arguments.h"
#include "number_routines.h"
#include "tools.h"

namespace {

void answerFarey(Calculator &calculator, bool withContinuedFractions) {
    std::ostream &out = startAnswer(calculator);
    std::string n;
    if (!closedRest(calculator.commandText, n, Close::First)) {
        writeShapeHint(out);
        return;
    }
    std::string order = n;
    if (!BigNumber::isPositiveInteger(order)) {
        writeHint(out, n, Hint::NotPositiveInteger);
        return;
    }
    std::vector<std::string> fractions;
    const std::string count = calculator.core.fareySequence(order, fractions, withContinuedFractions);
    if (isMessageText(count)) {
        // The order is beyond the engine's bound; its message says which.
        out << "hint> " << (count.starts_with("Error> ") ? count.substr(7) : count);
        writeClosing(out);
        return;
    }
    out << "out> (";
    for (size_t i = 0; i < fractions.size(); i++) out << (i ? "," : "") << fractions[i];
    out << ")\n\nTotal = " << count << "\n";
    writeClosingBlock(out);
}

void cmd_Farey(Calculator &calculator) { answerFarey(calculator, false); }
void cmd_farey(Calculator &calculator) { answerFarey(calculator, true); }

bool isOption(const std::string &value, const char *word) {
    return value == word || value == "true" || value == "t";
}

void cmd_continued_fraction(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string argument;
    if (!lastCloseRest(calculator, argument, out)) return;
    std::vector<std::string> items;
    std::string expression, tex;
    if (argument.find(',') != std::string::npos && itemList(calculator, argument, items)) {
        const std::string value = calculator.core.continuedFractionValue(items, expression, tex);
        out << "out> " << value << "\n\nExpression:\n" << expression << "\n\nTeX Code:\n" << tex << "\n";
        writeClosingBlock(out);
        return;
    }
    std::vector<std::string> values;
    if (!calculator.functions.bindArguments("continued_fraction", argument, values)) values.clear();
    values.resize(4);
    std::string detail = values[2];
    expression = values[1];
    tex = values[3];
    const bool showExpression = isOption(values[1], "expression"), showDetail = isOption(values[2], "detail"),
               showTex = isOption(values[3], "tex");
    const std::string expansion = calculator.core.continuedFraction(values[0], expression, detail, tex);
    out << "\nout> " << expansion << "\n";
    if (showExpression) out << "\nExpression:\n" << expression;
    if (showDetail) out << "\n\nDetail:\n" << detail;
    if (showTex) out << "\n\nTeX Code:\n" << tex;
    writeClosingBlock(out);
}

// The index of a Fibonacci number: a real number rounded to an integer, checked before it
// is narrowed to the engine's 32-bit index.
bool fibonacciIndex(Calculator &calculator, std::string text, int32_t &index, std::ostream &out) {
    readBackMinus(text, 2);
    if (!isRealArgument(text)) {
        writeHint(out, text, Hint::Negative);
        return false;
    }
    int64_t value = 0;
    if (!boundedInteger(out, calculator.core.round_real(text), INT32_MIN + 1, INT32_MAX, value)) return false;
    index = int32_t(value);
    return true;
}

const char *const kFibonacciIntroduction =
    "\n斐波那契数列 Fibonacci(n), 或简记为 F(n), 定义为 F(n)=F(n-1)+F(n-2). F(0)=0, F(1)=1. 这里 n 为非负整数.\n"
    "定义 F(-n)=(-1)^{n-1}F(n).\n"
    "Fibonacci 数列的前几个值为:\n 0,1,1,2,3,5,8,13,21,34,55,...\n可以使用下面的函数生成\n Fibonacci(10,yes)\n\n"
    "通项 F_n=F(n) 的公式为:\nF_n = \\frac{1}{\\sqrt{5}}(\\frac{1+\\sqrt{5}}{2})^n-\\frac{1}{\\sqrt{5}}"
    "(\\frac{1-\\sqrt{5}}{2})^n\n"
    "\n由此可以推出\nF_n = \\frac{1}{2^{n-1}}\\cdot(C_n^1+C_n^3\\cdot 5+C_n^5\\cdot 5^2+\\cdots+C_n^m\\cdot "
    "5^{\\frac{m-1}{2}})";

bool isListOption(const std::string &option) {
    for (const char *word : {"True", "true", "T", "t", "Yes", "yes", "Y", "y"})
        if (option == word) return true;
    return false;
}

void cmd_fibonacci(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string text;
    if (!closedRest(calculator.commandText, text, Close::First)) {
        writeShapeHint(out);
        return;
    }
    std::string number = text;
    readBackMinus(number, 2);
    int32_t index = 0;
    std::vector<std::string> terms;
    if (isRealArgument(number)) {
        if (!fibonacciIndex(calculator, text, index, out)) return;
        out << "\nF(" << index << ") = " << fibonacci_iterative(index, calculator.core, terms, false) << "\n";
        writeClosingBlock(out);
        return;
    }
    const size_t comma = text.find(',');
    if (comma == std::string::npos) {
        writeHint(out, number, Hint::Negative);
        return;
    }
    if (!fibonacciIndex(calculator, text.substr(0, comma), index, out)) return;
    const std::string option = text.substr(comma + 1);
    std::string value;
    if (isListOption(option)) {
        value = fibonacci_iterative(index, calculator.core, terms, true);
        out << "\n";
        for (const std::string &term : terms) out << term << ",";
        out << "\n";
    } else if (option == "formula" || option == "intro" || option == "introduction") {
        out << kFibonacciIntroduction << "\n";
        value = fibonacci_iterative(index, calculator.core, terms, false);
    } else {
        value = fibonacci_iterative(index, calculator.core, terms, false);
        out << "Usage:\nFibonacci(n) or Fibonacci(n,true) or Fibonacci(n,formula) \n";
    }
    out << "\n------------------------\n\nF(" << index << ") = " << value << "\n";
    writeClosingBlock(out);
}

void cmd_Fibonacci(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string text;
    if (!closedRest(calculator.commandText, text, Close::First)) {
        writeShapeHint(out);
        return;
    }
    int32_t index = 0;
    if (!fibonacciIndex(calculator, text, index, out)) return;
    out << "\nF(" << index << ")=" << fibonacci_recursive(index, calculator.core) << "\n";
    writeClosingBlock(out);
}

void cmd_Collatz(Calculator &calculator) {
    calculator.core.wideStream.str(L"");
    std::ostream &out = startAnswer(calculator);
    std::string n;
    if (!wholeBracketArgument(calculator.commandText, n, false)) {
        writeShapeHint(out);
        return;
    }
    if (!isInfixValid(n)) {
        writeHint(out, n, Hint::NotInfix);
        return;
    }
    // The orbit of a value that is no positive integer would never reach 1.
    std::string start;
    if (!positiveIntegerValue(calculator, n, start, out)) return;
    std::stringstream orbit;
    const int count = collatz_map(start, orbit);
    out << "out> " << orbit.str() << count << "\n";
    writeClosingBlock(out);
}

void cmd_print3x1Maps(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string from, to;
    if (calculator.commandText.find(')') == std::string::npos ||
        !twoArguments(calculator.commandText, from, to, Close::First)) {
        writeShapeHint(out);
        return;
    }
    if (!isDigitsArgument(from) || !isDigitsArgument(to)) {
        out << "\n----------error--------------\n\n>> ";
        return;
    }
    // The orbits are also appended to the file; the window has no console for them.
    print_3x1_maps(from, to, out);
    out << "\n>> ";
}

constexpr HandlerCase kCases[] = {
    {"Farey", cmd_Farey},
    {"farey", cmd_farey},
    {"continued_fraction", cmd_continued_fraction},
    {"fibonacci", cmd_fibonacci},
    {"Fibonacci", cmd_Fibonacci},
    {"Collatz", cmd_Collatz},
    {"print3x1Maps", cmd_print3x1Maps},
};

} // namespace

std::span<const HandlerCase> sequence_handlers() { return kCases; }
