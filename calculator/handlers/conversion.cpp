// The number-base, digit and rounding commands: each cuts one or two number texts, checks
// them and answers the engine's rewrite of them.
#include <string>

#include "Calculator.h"
#include "handlers/families.h"
#include "handlers/handler_frame.h"
#include "tools.h"

namespace {

using Rewrite = std::string (*)(BigNumber &core, const std::string &argument);

// The bases a positional text can be written in: digits 0-9, then a-z.
constexpr int64_t kLowestBase = 2;
constexpr int64_t kHighestBase = 36;

// The answer to a rounding argument that is no number: its length, after saying so.
void answerLength(std::ostream &out, const std::string &argument) {
    out << "hint> " << argument << hintMessage(Hint::TakenAsString) << "\n";
    writeAnswer(out, std::to_string(argument.size()));
}

void answerRounding(std::ostream &out, BigNumber &core, const std::string &argument, Rewrite rewrite) {
    if (!isRealArgument(argument)) return answerLength(out, argument);
    writeAnswer(out, rewrite(core, argument));
}

void cmd_round(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string x;
    if (!getParenArgument(calculator, x, out)) return;
    readBackMinus(x, 2);
    answerRounding(out, calculator.core, x, [](BigNumber &core, const std::string &a) { return core.round_real(a); });
}

// ceil and floor read the typed line, where a minus stands as typed.
void answerTypedRounding(Calculator &calculator, Rewrite rewrite) {
    std::ostream &out = startAnswer(calculator);
    std::string x;
    if (!closedRest(calculator.inputLine, x, Close::Last)) return writeShapeHint(out);
    answerRounding(out, calculator.core, x, rewrite);
}

void cmd_ceil(Calculator &calculator) {
    answerTypedRounding(calculator, [](BigNumber &core, const std::string &a) { return core.ceil_real(a); });
}

void cmd_floor(Calculator &calculator) {
    answerTypedRounding(calculator, [](BigNumber &core, const std::string &a) { return core.floor_real(a); });
}

void cmd_trimzeros(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string x;
    if (!getParenArgument(calculator, x, out)) return;
    if (!isRealArgument(x)) return writeHint(out, x, Hint::NonDigit);
    writeAnswer(out, BigNumber::trimZeros(x));
}

void cmd_xor(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string a, b;
    if (!twoArguments(calculator.commandText, a, b, Close::First)) return writeShapeHint(out);
    if (!hasDigit(a) || !hasDigit(b) || !BigNumber::isBinaryString(a) || !BigNumber::isBinaryString(b))
        return writeHint(out, a, b, Hint::NotBinary);
    writeAnswer(out, calculator.core.binary_xor(a, b));
}

// The commands of one first-bracket argument: the checks in order, then the rewrite.
struct Check {
    bool (*passes)(const std::string &argument);
    Hint hint;
};

void answerFirstBracket(Calculator &calculator, std::initializer_list<Check> checks, Rewrite rewrite) {
    std::ostream &out = startAnswer(calculator);
    std::string x;
    if (!firstBracketArgument(calculator.commandText, x) || x.empty()) return writeShapeHint(out);
    for (const Check &check : checks)
        if (!check.passes(x)) return writeHint(out, x, check.hint);
    writeAnswer(out, rewrite(calculator.core, x));
}

bool isSignedDigits(const std::string &x) {
    const size_t start = x[0] == '-' || x[0] == '+' ? 1 : 0;
    return isDigitsArgument(x.substr(start));
}
bool isBinary(const std::string &x) { return hasDigit(x) && BigNumber::isBinaryString(x); }
bool isAnything(const std::string &) { return true; }

void cmd_octal2decimal(Calculator &calculator) {
    answerFirstBracket(calculator, {{isAnything, Hint::NonDigit}},
                       [](BigNumber &core, const std::string &x) { return core.octal_to_decimal(x); });
}

void cmd_hex2decimal(Calculator &calculator) {
    answerFirstBracket(calculator, {{isAnything, Hint::NonDigit}},
                       [](BigNumber &core, const std::string &x) { return core.hex_to_decimal(x); });
}

void cmd_decimal2octal(Calculator &calculator) {
    answerFirstBracket(calculator, {{isSignedDigits, Hint::NotDecimalNumber}},
                       [](BigNumber &core, const std::string &x) { return core.decimal_to_octal(x); });
}

void cmd_decimal2hex(Calculator &calculator) {
    answerFirstBracket(calculator, {{isSignedDigits, Hint::NotDecimalInteger}},
                       [](BigNumber &core, const std::string &x) { return core.decimal_to_hex(x); });
}

void cmd_decimal2binary(Calculator &calculator) {
    answerFirstBracket(calculator, {{isRealArgument, Hint::NotDecimalNumber}},
                       [](BigNumber &core, const std::string &x) { return core.decimal_to_binary(x); });
}

void cmd_binary2decimal(Calculator &calculator) {
    answerFirstBracket(calculator, {{isRealArgument, Hint::NonDigit}, {isBinary, Hint::NotBinary}},
                       [](BigNumber &core, const std::string &x) { return core.binary_to_decimal(x); });
}

void cmd_binary2graycode(Calculator &calculator) {
    answerFirstBracket(calculator, {{isDigitsArgument, Hint::NonDigit}, {isBinary, Hint::NotBinary}},
                       [](BigNumber &core, const std::string &x) { return core.binary_to_gray(x); });
}

void cmd_graycode2binary(Calculator &calculator) {
    answerFirstBracket(calculator, {{isDigitsArgument, Hint::NonDigit}, {isBinary, Hint::NotBinary}},
                       [](BigNumber &core, const std::string &x) { return core.gray_to_binary(x); });
}

// decimal2any and any2decimal: a number and its base, 2 to 36 (the engine would divide by 0
// or 1 for a smaller base).
using BaseRewrite = std::string &(BigNumber::*)(const std::string &x, const std::string &p);

void answerBase(Calculator &calculator, BaseRewrite rewrite) {
    std::ostream &out = startAnswer(calculator);
    std::string number, base;
    if (!twoArguments(calculator.commandText, number, base, Close::First) || number.empty())
        return writeShapeHint(out);
    readBackMinus(number);
    if (!isDigitsArgument(base)) return writeHint(out, base, Hint::NonDigit);
    int64_t radix = 0;
    if (!boundedInteger(out, base, kLowestBase, kHighestBase, radix)) return;
    writeAnswer(out, (calculator.core.*rewrite)(number, std::to_string(radix)));
}

void cmd_decimal2any(Calculator &calculator) { answerBase(calculator, &BigNumber::decimal_to_base); }
void cmd_any2decimal(Calculator &calculator) { answerBase(calculator, &BigNumber::base_to_decimal); }

// decimalToFraction and decimal2fraction: a decimal, or an expression evaluated first.
using FractionRewrite = std::string (BigNumber::*)(const std::string &x);

void answerFraction(Calculator &calculator, FractionRewrite rewrite) {
    std::ostream &out = startAnswer(calculator);
    std::string x;
    if (!firstBracketArgument(calculator.commandText, x) || x.empty()) return writeShapeHint(out);
    if (!isRealArgument(x)) {
        if (!isInfixValid(x)) return writeHint(out, x, Hint::NotDecimalNumber);
        std::string value;
        calculator.core.EvalInfixExprNoOutput(x, value, 0);
        // An expression without a value (a division by zero) answers the engine's message.
        if (!isRealArgument(value)) return writeAnswer(out, value);
        x = value;
    }
    writeAnswer(out, (calculator.core.*rewrite)(x));
}

void cmd_decimalToFraction(Calculator &calculator) { answerFraction(calculator, &BigNumber::decimal_to_fraction); }
void cmd_decimal2fraction(Calculator &calculator) { answerFraction(calculator, &BigNumber::decimal_to_fraction2); }

constexpr HandlerCase kCases[] = {
    {"any2decimal", cmd_any2decimal},
    {"binary2decimal", cmd_binary2decimal},
    {"binary2graycode", cmd_binary2graycode},
    {"ceil", cmd_ceil},
    {"decimal2any", cmd_decimal2any},
    {"decimal2binary", cmd_decimal2binary},
    {"decimal2fraction", cmd_decimal2fraction},
    {"decimal2hex", cmd_decimal2hex},
    {"decimal2octal", cmd_decimal2octal},
    {"decimalToFraction", cmd_decimalToFraction},
    {"floor", cmd_floor},
    {"graycode2binary", cmd_graycode2binary},
    {"hex2decimal", cmd_hex2decimal},
    {"octal2decimal", cmd_octal2decimal},
    {"round", cmd_round},
    {"trimzeros", cmd_trimzeros},
    {"xor", cmd_xor},
};

} // namespace

std::span<const HandlerCase> conversion_handlers() { return kCases; }
