// The factorisation commands and the functions of a factorisation: factorise, Factorise,
// Factorise_analysis, firstfactor, tau, biggest_factor, mobius, EulerVarphi, q_duanwu,
// q_DuanwuPlus.
#include <sstream>
#include <string>

#include "Calculator.h"
#include "handlers/families.h"
#include "handlers/handler_frame.h"
#include "handlers/number_arguments.h"
#include "number_routines.h"
#include "tools.h"

namespace {

// The argument of factorise and mobius: the rest after "(" up to its first ")", which must
// end it; an expression whose value is a positive integer.
bool firstCloseValue(Calculator &calculator, std::string &value, std::ostream &out) {
    std::string n;
    if (!closedRest(calculator.commandText, n, Close::First)) {
        writeShapeHint(out);
        return false;
    }
    if (!isInfixValid(n)) {
        writeHint(out, n, Hint::NotInfix);
        return false;
    }
    return positiveIntegerValue(calculator, n, value, out);
}

void cmd_factorise(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string v;
    if (!firstCloseValue(calculator, v, out)) return;
    writeAnswer(out, calculator.core.factoriseText(v, 12, true));
}

void cmd_mobius(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string v;
    if (!firstCloseValue(calculator, v, out)) return;
    writeAnswer(out, std::to_string(calculator.core.mobius_value(v)));
}

using ValueAnswer = std::string (*)(BigNumber &, const std::string &);

// Factorise, Factorise_analysis, tau and biggest_factor: an expression, or m! with m all
// digits, which all four answer with the value of m! and its prime powers.
void answerFactorialForm(Calculator &calculator, const std::string &n, ValueAnswer answer, std::ostream &out) {
    if (isInfixValid(n)) {
        std::string v;
        if (positiveIntegerValue(calculator, n, v, out)) writeAnswer(out, answer(calculator.core, v));
        return;
    }
    const std::string m = n.empty() ? n : n.substr(0, n.size() - 1);
    if (!n.empty() && n.back() == '!' && isDigitsArgument(m)) {
        out << m << "!=";
        writeAnswer(out, calculator.core.factorial_factorization(m));
        return;
    }
    writeHint(out, n, Hint::TakenAsString);
}

void answerLastClose(Calculator &calculator, ValueAnswer answer) {
    std::ostream &out = startAnswer(calculator);
    std::string n;
    if (!closedRest(calculator.commandText, n, Close::Last)) {
        writeShapeHint(out);
        return;
    }
    answerFactorialForm(calculator, n, answer, out);
}

std::string withExponents(BigNumber &core, const std::string &v) { return core.factorise_with_exponents(v); }
std::string analysis(BigNumber &core, const std::string &v) { return core.factorise_analysis(v); }

std::string divisorCount(BigNumber &core, const std::string &v) {
    std::string largest = "1";
    return std::to_string(core.divisor_count(v, largest));
}

std::string largestFactor(BigNumber &core, const std::string &v) {
    std::string largest = "1";
    core.divisor_count(v, largest);
    return largest;
}

void cmd_Factorise(Calculator &calculator) { answerLastClose(calculator, withExponents); }
void cmd_Factorise_analysis(Calculator &calculator) { answerLastClose(calculator, analysis); }
void cmd_biggest_factor(Calculator &calculator) { answerLastClose(calculator, largestFactor); }

void cmd_tau(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string n;
    if (!getParenArgument(calculator, n, out)) return;
    answerFactorialForm(calculator, n, divisorCount, out);
}

// A number text that must be a positive integer; its plain digits on success.
bool positiveDigits(std::string &n, std::ostream &out) {
    std::string digits;
    bool negative = false;
    if (!integerParts(n, digits, negative) || negative || digits == "0") {
        writeHint(out, n, Hint::NotPositiveInteger);
        return false;
    }
    n = digits;
    return true;
}

void cmd_firstfactor(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string n;
    if (!digitRest(calculator, n, out) || !positiveDigits(n, out)) return;
    out << calculator.core.firstFactor(n, "2", 14);
    writeClosing(out);
}

void cmd_EulerVarphi(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string n;
    if (!closedRest(calculator.commandText, n, Close::Last)) {
        writeShapeHint(out);
        return;
    }
    if (!isRealArgument(n)) {
        writeHint(out, n, Hint::TakenAsString);
        return;
    }
    if (!positiveDigits(n, out)) return;
    writeAnswer(out, calculator.core.euler_phi(n));
}

using FactorWalk = int (*)(const std::string &, std::ostream &);

// q_duanwu and q_DuanwuPlus: each factorisation of the walk on a line, then the number of
// factorisations; the walk says where it stopped when it reached no prime.
void answerFactorWalk(Calculator &calculator, FactorWalk walk) {
    std::ostream &out = startAnswer(calculator);
    std::string n;
    if (!firstBracketArgument(calculator.commandText, n)) {
        writeShapeHint(out);
        return;
    }
    const size_t sign = !n.empty() && (n[0] == '+' || n[0] == '-') ? 1 : 0;
    if (n.size() == sign || !isAllDigits(n.substr(sign))) {
        writeHint(out, n, Hint::NotDecimalNumber);
        return;
    }
    if (!positiveDigits(n, out)) return;
    std::ostringstream steps;
    const int count = walk(n, steps);
    out << steps.str();
    writeAnswer(out, std::to_string(count));
}

int joinFactors(const std::string &n, std::ostream &out) { return duanwu_join_factors(n, out); }
int addFactors(const std::string &n, std::ostream &out) { return duanwu_add_factors(n, out); }

void cmd_q_duanwu(Calculator &calculator) { answerFactorWalk(calculator, joinFactors); }
void cmd_q_DuanwuPlus(Calculator &calculator) { answerFactorWalk(calculator, addFactors); }

constexpr HandlerCase kCases[] = {
    {"factorise", cmd_factorise},
    {"Factorise", cmd_Factorise},
    {"Factorise_analysis", cmd_Factorise_analysis},
    {"firstfactor", cmd_firstfactor},
    {"tau", cmd_tau},
    {"biggest_factor", cmd_biggest_factor},
    {"mobius", cmd_mobius},
    {"EulerVarphi", cmd_EulerVarphi},
    {"q_duanwu", cmd_q_duanwu},
    {"q_DuanwuPlus", cmd_q_DuanwuPlus},
};

} // namespace

std::span<const HandlerCase> factorisation_handlers() { return kCases; }
