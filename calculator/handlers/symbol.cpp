// The symbol and p-adic commands: Legendre, Jacobi, ord_p, norm_p.
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

struct SymbolCommand {
    const char *name;
    const char *syntax;
    // The check of the lower argument: the text of its hint when it fails, else empty.
    std::string (*lowerCheck)(BigNumber &, const std::string &digits, bool negative);
    int (*symbol)(const std::string &a, const std::string &p, bool show, std::ostream &steps);
};

std::string oddPrimeCheck(BigNumber &core, const std::string &p, bool negative) {
    if (negative || p == "2" || !core.isPrime(p)) return " is not an odd prime.";
    return "";
}

std::string oddPositiveCheck(BigNumber &, const std::string &n, bool negative) {
    if (negative || n == "0" || (n.back() - '0') % 2 == 0) return " is not an odd positive integer.";
    return "";
}

int legendre(const std::string &a, const std::string &p, bool show, std::ostream &steps) {
    return legendre_symbol(a, p, show, steps);
}

int jacobi(const std::string &a, const std::string &n, bool show, std::ostream &steps) {
    return jacobi_symbol(a, n, show, steps);
}

void answerSymbol(Calculator &calculator, const SymbolCommand &command) {
    std::ostream &out = startAnswer(calculator);
    std::string argument;
    if (!lastCloseRest(calculator, argument, out)) return;
    std::vector<std::string> values;
    if (!calculator.functions.bindArguments(command.name, argument, values) || values.size() < 3) {
        out << "syntax> " << command.syntax;
        writeClosing(out);
        return;
    }
    std::string a = values[0], p = values[1], aDigits, pDigits;
    readBackMinus(a, 3);
    bool aNegative = false, pNegative = false;
    if (!integerParts(a, aDigits, aNegative)) {
        writeHint(out, a, Hint::NotDecimalInteger);
        return;
    }
    readBackMinus(p, 3);
    if (!integerParts(p, pDigits, pNegative)) {
        writeHint(out, p, Hint::NotDecimalInteger);
        return;
    }
    const std::string refusal = command.lowerCheck(calculator.core, pDigits, pNegative);
    if (!refusal.empty()) {
        out << "hint> " << p << refusal;
        writeClosing(out);
        return;
    }
    const bool show = values[2] == "show";
    std::ostringstream steps;
    const int symbol = command.symbol((aNegative ? "-" : "") + aDigits, pDigits, show, steps);
    if (show) out << steps.str() << "\n-------\n";
    out << "result> " << symbol;
    writeClosing(out);
}

void cmd_Legendre(Calculator &calculator) {
    answerSymbol(calculator, {"Legendre", "Legendre(a,p) or Legendre(a,p,show)", oddPrimeCheck, legendre});
}

void cmd_Jacobi(Calculator &calculator) {
    answerSymbol(calculator, {"Jacobi", "Jacobi(a,p) or Jacobi(a,p,show)", oddPositiveCheck, jacobi});
}

// num and p of ord_p and norm_p: num an integer or a fraction a/b (a|b) with b not 0, in its
// plain form; p a prime that fits the engine's 32-bit order routines.
bool padicArguments(Calculator &calculator, std::string &num, int32_t &p, bool &zero, std::ostream &out) {
    std::string pText;
    if (!twoArguments(calculator.commandText, num, pText, Close::First)) {
        writeShapeHint(out);
        return false;
    }
    readBackMinus(num, 3);
    std::string numerator, denominator, top, bottom = "1";
    bool negative = false, bottomNegative = false;
    const bool fraction = BigNumber::isFraction(num);
    if (fraction) BigNumber::splitFraction(num, numerator, denominator);
    else numerator = num;
    if (!integerParts(numerator, top, negative) ||
        (fraction && (!integerParts(denominator, bottom, bottomNegative) || bottom == "0"))) {
        writeHint(out, num, Hint::NonDigit);
        return false;
    }
    int64_t prime = 0;
    if (!checkedInt64(pText, 2, INT32_MAX, prime) || !calculator.core.isPrime(std::to_string(prime))) {
        writeHint(out, pText, Hint::NotPrime);
        return false;
    }
    p = int32_t(prime);
    zero = top == "0";
    num = (negative ? "-" : "") + top + (fraction ? "/" + bottom : "");
    return true;
}

void cmd_ord_p(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string num;
    int32_t p = 0;
    bool zero = false;
    if (!padicArguments(calculator, num, p, zero, out)) return;
    if (zero) {
        // Every power of p divides 0.
        out << "hint> 0 has no prime factorisation: its order is infinite.";
        writeClosing(out);
        return;
    }
    if (num[0] == '-') num.erase(0, 1); // the order does not see the sign
    writeAnswer(out, std::to_string(ord_p_rational(num, p)));
}

void cmd_norm_p(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string num;
    int32_t p = 0;
    bool zero = false;
    if (!padicArguments(calculator, num, p, zero, out)) return;
    writeAnswer(out, norm_p_rational(num, p));
}

constexpr HandlerCase kCases[] = {
    {"Legendre", cmd_Legendre},
    {"Jacobi", cmd_Jacobi},
    {"ord_p", cmd_ord_p},
    {"norm_p", cmd_norm_p},
};

} // namespace

std::span<const HandlerCase> symbol_handlers() { return kCases; }
