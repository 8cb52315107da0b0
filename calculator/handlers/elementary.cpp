// The elementary-function commands: trigonometry, exp, ln and log, square and k-th roots, pi
// and deg2rad, each answering one value of the engine.
#include <cstdint>
#include <string>

#include "Calculator.h"
#include "globals.h"
#include "handlers/families.h"
#include "handlers/handler_frame.h"
#include "substitution/substitution.h"
#include "tools.h"

namespace {

using Function = std::string &(BigNumber::*)(const std::string &x);

// The trigonometric functions read the typed line, whose last ")" must end it; sin says where
// it found the brackets before its hint.
void answerTrigonometry(Calculator &calculator, Function function, bool positionLine) {
    std::ostream &out = startAnswer(calculator);
    std::string angle;
    if (!wholeBracketArgument(calculator.inputLine, angle, true) || angle.empty()) {
        if (positionLine)
            out << "pos1=" << calculator.inputLine.find('(') << ", pos2=" << calculator.inputLine.rfind(')') << "\n";
        return writeShapeHint(out);
    }
    writeAnswer(out, (calculator.core.*function)(angle));
}

void cmd_sin(Calculator &calculator) { answerTrigonometry(calculator, &BigNumber::sine, true); }
void cmd_cos(Calculator &calculator) { answerTrigonometry(calculator, &BigNumber::cosine, false); }
void cmd_tan(Calculator &calculator) { answerTrigonometry(calculator, &BigNumber::tangent, false); }
void cmd_cot(Calculator &calculator) { answerTrigonometry(calculator, &BigNumber::cotangent, false); }

void cmd_exp(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string x;
    if (!closedRest(calculator.commandText, x, Close::First)) return writeShapeHint(out);
    if (x.empty()) return writeAnswer(out, "1"); // e to the power of nothing: e^0
    readBackMinus(x);
    if (!isRealArgument(x)) return writeHint(out, x, Hint::NonDigit);
    writeAnswer(out, calculator.core.exponential(x));
}

// ln and log: the natural logarithm; the minus is not read back, so a negative argument is
// named with its "0".
void cmd_ln(Calculator &calculator) {
    calculator.core.outStream.str("");
    calculator.core.wideStream.str(L"");
    std::ostream &out = startAnswer(calculator);
    std::string x;
    if (!closedRest(calculator.commandText, x, Close::First) || x.empty()) return writeShapeHint(out);
    if (!isRealArgument(x)) return writeHint(out, x, Hint::NonDigit);
    writeAnswer(out, calculator.core.naturalLog(x));
}

void cmd_sqrt(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string a;
    if (!getParenArgument(calculator, a, out)) return;
    if (a.empty()) return writeShapeHint(out);
    std::string number = a;
    const std::string sign = cutMinus(number, 2) ? "-" : "";
    const bool fraction = BigNumber::isFraction(number);
    if (isRealArgument(number) || fraction) return writeAnswer(out, calculator.core.sqrt_signed(sign + number, fraction));
    if (!isInfixValid(a)) return writeHint(out, a, Hint::NotInfix);
    std::string expression = a;
    if (!has_only_expr_chars(expression)) {
        std::string substituted, substitution;
        expression = a;
        // The names it cannot replace are listed on the standard output: the answer shows them.
        out << capturedConsole([&] {
            a = report_undefined_variables(calculator.core, expression, substituted, calculator.operatorChars,
                                           used_variable_names, undefined_names, calculator.variables, substitution);
        });
    }
    std::string value;
    calculator.core.EvalInfixExprNoOutput(a, value, 0);
    writeAnswer(out, calculator.core.sqrt_signed(value, false));
}

void cmd_sqrtn(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string num, k;
    if (!twoArguments(calculator.commandText, num, k, Close::Last)) return writeShapeHint(out);
    // Lines the command writes for every call of the right shape.
    out << "num1=" << num << ", num2=" << k << "\n"
        << "A.get_precision()=" << calculator.core.getPrecision() << "\n";
    std::string number = num;
    const std::string sign = cutMinus(number, 2) ? "-" : "";
    const bool fraction = BigNumber::isFraction(number);
    if (!(isRealArgument(number) || fraction) || !isDigitsArgument(k)) return writeHint(out, num, k, Hint::NonDigit);
    int64_t degree = 0;
    if (!boundedInteger(out, k, 1, INT64_MAX, degree)) return;
    writeAnswer(out, calculator.core.complexRootsText(sign + number, degree, fraction));
}

// The constant pi to the precision (nothing between the brackets), else the count of primes
// up to the argument.
void cmd_pi(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string x;
    if (!closedRest(calculator.commandText, x, Close::First)) return writeShapeHint(out);
    if (!x.empty() && !isRealArgument(x)) return writeHint(out, x, Hint::NonDigit);
    writeAnswer(out, calculator.core.piFunction(x));
}

void cmd_deg2rad(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string degrees;
    if (!wholeBracketArgument(calculator.inputLine, degrees, false) || degrees.empty()) return writeShapeHint(out);
    writeAnswer(out, calculator.core.deg2radText(degrees));
}

constexpr HandlerCase kCases[] = {
    {"cos", cmd_cos},     {"cot", cmd_cot}, {"deg2rad", cmd_deg2rad}, {"exp", cmd_exp},
    {"ln", cmd_ln},       {"log", cmd_ln},  {"pi", cmd_pi},           {"sin", cmd_sin},
    {"sqrt", cmd_sqrt},   {"sqrtn", cmd_sqrtn}, {"tan", cmd_tan},
};

} // namespace

std::span<const HandlerCase> elementary_handlers() { return kCases; }
