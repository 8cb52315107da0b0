// The factorial, binomial and digit-reversal commands: factorial, Factorial, binom, reverse,
// reverse_plus.
#include <string>

#include "Calculator.h"
#include "handlers/families.h"
#include "handlers/handler_frame.h"
#include "handlers/number_arguments.h"
#include "tools.h"

namespace {

void cmd_factorial(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string n;
    if (!digitRest(calculator, n, out)) return;
    // 0! = 1, the empty product.
    writeAnswer(out, n == "0" ? std::string("1") : calculator.core.falling_factorial(n, "1"));
}

void cmd_Factorial(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string n;
    if (!digitRest(calculator, n, out)) return;
    // 0! and 1! have no prime in their product: both are 1.
    writeAnswer(out, n == "0" || n == "1" ? std::string("1") : calculator.core.factorial_decomposition(n));
}

void cmd_binom(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string n, k;
    if (!twoArguments(calculator.commandText, n, k, Close::First) || n.empty() || k.empty()) {
        writeShapeHint(out);
        return;
    }
    readBackMinus(n, 3);
    readBackMinus(k, 3);
    std::string nDigits, kDigits;
    bool negative = false;
    if (isAllDigits(n) && isAllDigits(k) && integerParts(n, nDigits, negative) && integerParts(k, kDigits, negative)) {
        // No way to choose more items than there are.
        writeAnswer(out, calculator.core.isLessThan(nDigits, kDigits) ? std::string("0")
                                                                       : calculator.core.binom_value(nDigits, kDigits));
        return;
    }
    writeAnswer(out, calculator.core.expand_factorial_expr(n, k));
}

void cmd_reverse(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string s;
    // The text as typed, before the minus and decimal points were rewritten.
    if (!closedRest(calculator.core.getOriginalExpression(), s, Close::Last)) {
        writeShapeHint(out);
        return;
    }
    writeAnswer(out, BigNumber::reverse_string(s));
}

// An argument of reverse_plus reversed: its sign stays in front, shown in parentheses.
void reversedPart(const std::string &argument, std::string &reversed, std::string &shown) {
    const bool signed_ = argument[0] == '+' || argument[0] == '-';
    std::string digits = argument.substr(signed_ ? 1 : 0);
    BigNumber::reverse_string(digits);
    reversed = (signed_ ? argument.substr(0, 1) : "") + digits;
    shown = signed_ ? "(" + reversed + ")" : reversed;
}

void cmd_reverse_plus(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string a, b;
    if (!twoArguments(calculator.commandText, a, b, Close::First)) {
        writeShapeHint(out);
        return;
    }
    readBackMinus(a, 2);
    readBackMinus(b, 2);
    if (!isRealArgument(a) || !isRealArgument(b)) {
        writeHint(out, a, b, Hint::NonDigit);
        return;
    }
    std::string reversedA, shownA, reversedB, shownB;
    reversedPart(a, reversedA, shownA);
    reversedPart(b, reversedB, shownB);
    out << "hint> " << shownA << "+" << shownB << "\n";
    writeAnswer(out, calculator.core.addition(reversedA, reversedB));
}

constexpr HandlerCase kCases[] = {
    {"factorial", cmd_factorial}, {"Factorial", cmd_Factorial},       {"binom", cmd_binom},
    {"reverse", cmd_reverse},     {"reverse_plus", cmd_reverse_plus},
};

} // namespace

std::span<const HandlerCase> factorial_handlers() { return kCases; }
