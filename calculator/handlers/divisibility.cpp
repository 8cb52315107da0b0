// The divisibility commands: gcd, lcm, gcd2, EulerBrackets, expmod, multiplicativeOrder.
#include <string>
#include <vector>

#include "Calculator.h"
#include "handlers/families.h"
#include "handlers/handler_frame.h"
#include "handlers/number_arguments.h"
#include "number_routines.h"
#include "tools.h"

namespace {

// The items of a gcd or lcm list as magnitudes: the sign changes neither.
bool magnitudes(std::vector<std::string> &items, std::ostream &out) {
    for (std::string &item : items) {
        std::string digits;
        bool negative = false;
        if (!integerParts(item, digits, negative)) {
            writeHint(out, item, Hint::NotDecimalInteger);
            return false;
        }
        item = digits;
    }
    return true;
}

// gcd(0,0) is 0: every integer divides 0, and 0 is the largest in the order of divisibility.
std::string gcdOf(BigNumber &core, const std::string &a, const std::string &b) {
    if (a == "0" && b == "0") return "0";
    return core.gcd(a, b);
}

std::string lcmOf(BigNumber &core, const std::string &a, const std::string &b) { return core.lcm(a, b); }

struct ListFold {
    const char *syntax;
    std::string (*step)(BigNumber &, const std::string &, const std::string &);
    bool stopAtOne; // no later item changes a gcd of 1
};

// gcd and lcm: the list after "(" must end with its last ")" and hold a ","; the answer is
// stored as the last answer and written bare.
void answerListFold(Calculator &calculator, const ListFold &fold) {
    std::ostream &out = startAnswer(calculator);
    std::string argument;
    if (!lastCloseRest(calculator, argument, out)) return;
    std::vector<std::string> items;
    if (argument.find(',') == std::string::npos || !itemList(calculator, argument, items) || items.size() < 2) {
        out << "syntax> " << fold.syntax;
        writeClosing(out);
        return;
    }
    if (!magnitudes(items, out)) return;
    std::string value = items[0];
    for (size_t i = 1; i < items.size(); i++) {
        value = fold.step(calculator.core, value, items[i]);
        if (fold.stopAtOne && value == "1") break;
    }
    calculator.core.setResult(value);
    out << calculator.core.getResult();
    writeClosing(out);
}

void cmd_gcd(Calculator &calculator) {
    answerListFold(calculator, {"gcd(num1,num2,num3,...,numK)", gcdOf, true});
}

void cmd_lcm(Calculator &calculator) {
    answerListFold(calculator, {"lcm(num1,num2,num3,...,numK)", lcmOf, false});
}

// a and b of gcd2 and multiplicativeOrder: digits, not empty, leading zeros dropped.
bool digitPair(Calculator &calculator, std::string &a, std::string &b, std::ostream &out) {
    if (!twoArguments(calculator.commandText, a, b, Close::First)) {
        writeShapeHint(out);
        return false;
    }
    std::string x, y;
    bool negative = false;
    if (!isDigitsArgument(a) || !isDigitsArgument(b) || !integerParts(a, x, negative) ||
        !integerParts(b, y, negative)) {
        writeHint(out, a, b, Hint::NonDigit);
        return false;
    }
    a = x;
    b = y;
    return true;
}

void cmd_gcd2(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string a, b;
    if (!digitPair(calculator, a, b, out)) return;
    // Euclid's steps go to the engine's stream, shown before the answer.
    writeAnswer(out, a == "0" && b == "0" ? std::string("0") : calculator.core.gcd_with_steps(a, b));
}

void cmd_multiplicativeOrder(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string a, m;
    if (!digitPair(calculator, a, m, out)) return;
    std::string order;
    const std::string printed = capturedConsole([&] { order = calculator.core.orderModulo(a, m); });
    if (order.empty()) {
        // No order: a modulus of 0, or a and m not coprime; the engine said which.
        std::string reason = printed;
        while (!reason.empty() && reason.back() == '\n') reason.pop_back();
        out << "hint> " << reason;
        writeClosing(out);
        return;
    }
    writeAnswer(out, order);
}

void writeEulerBracketsUsage(std::ostream &out) {
    for (const char *line : {"syntax error> \nhint> EulerBrackets(k1,k2,...,km)",
                             "example> input `EulerBrackets(3,1,2,4,1,2)` will return 166.\n",
                             "try\n>> EulerBrackets(3,1,2,4,1,2)", "Note> EulerBrackets(3,4,...,10) is equivalent to ",
                             "    > EulerBrackets(3,4,5,6,7,8,9,10)."})
        out << line << "\n";
    writeClosing(out);
}

void cmd_EulerBrackets(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    const std::string rest = restAfterOpen(calculator.commandText);
    std::string argument;
    if (!closedRest(calculator.commandText, argument, Close::Last)) {
        out << "Functions Name: EulerBrackets\n";
        writeRestDiagnostics(out, rest);
        writeShapeHint(out);
        return;
    }
    std::string value = "1";
    if (!argument.empty()) {
        std::vector<std::string> items;
        if (!itemList(calculator, argument, items)) {
            writeEulerBracketsUsage(out);
            return;
        }
        value = euler_brackets(items);
    }
    calculator.core.setResult(value);
    out << calculator.core.getResult();
    writeClosing(out);
}

void writeExpmodRefusal(std::ostream &out, const std::string &a, const std::string &m, const std::string &p) {
    out << "hint> " << a << ", " << m << ", " << p << ", one of them is not a decimal number. \n"
        << "Furthermore, the parameters in function exp_mod(a, m, p) are required to satisfies:\n"
        << "\t a should be a decimal number.\n"
        << "\t m and p should be positive numbers.\n"
        << "\n------------------------\n\n"
        << ">> ";
}

void cmd_expmod(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    const std::string &text = calculator.commandText;
    const size_t open = text.find('(');
    const size_t comma1 = open == std::string::npos ? open : text.find(',', open + 1);
    const size_t comma2 = comma1 == std::string::npos ? comma1 : text.find(',', comma1 + 1);
    const size_t close = comma2 == std::string::npos ? comma2 : text.find(')', comma2 + 1);
    auto piece = [&](size_t from, size_t to) {
        if (from == std::string::npos) return std::string();
        return text.substr(from + 1, to == std::string::npos ? std::string::npos : to - from - 1);
    };
    std::string a = piece(open, comma1), m = piece(comma1, comma2), p = piece(comma2, close);
    out << "calculate: " << a << "^" << m << "(mod " << p << ")\n";
    const size_t firstClose = text.find(')');
    if (open == std::string::npos || comma2 == std::string::npos ||
        (firstClose != std::string::npos && firstClose < open)) {
        writeShapeHint(out);
        return;
    }
    std::string base, power, modulus;
    bool negative = false, powerNegative = false, modulusNegative = false;
    // The power may be 0 (a^0 = 1); the modulus must be positive.
    if (!integerParts(a, base, negative) || !isDigitsArgument(m) || !integerParts(m, power, powerNegative) ||
        !isDigitsArgument(p) || !integerParts(p, modulus, modulusNegative) || modulus == "0") {
        writeExpmodRefusal(out, a, m, p);
        return;
    }
    if (negative) base = "-" + base;
    writeAnswer(out, calculator.core.int_expmod(base, power, modulus));
}

constexpr HandlerCase kCases[] = {
    {"gcd", cmd_gcd},
    {"lcm", cmd_lcm},
    {"gcd2", cmd_gcd2},
    {"EulerBrackets", cmd_EulerBrackets},
    {"expmod", cmd_expmod},
    {"multiplicativeOrder", cmd_multiplicativeOrder},
};

} // namespace

std::span<const HandlerCase> divisibility_handlers() { return kCases; }
