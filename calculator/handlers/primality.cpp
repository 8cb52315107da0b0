// The primality commands: isprime, iscomposite, ispseudoprime, and the prime steps nextprime,
// prevprime, nextMRprime, prevMRprime.
#include <sstream>
#include <string>

#include "Calculator.h"
#include "handlers/families.h"
#include "handlers/handler_frame.h"
#include "handlers/number_arguments.h"
#include "tools.h"

namespace {

// The Mersenne lines of isprime for n written as an expression; v receives its value.
void writeMersenneLines(BigNumber &core, const std::string &n, std::string &v, std::ostream &out) {
    std::string exponent;
    const bool form = core.isMersenneForm(n, exponent);
    const bool prime = core.lucasLehmerTest(n, v);
    if (prime) {
        out << "\n" << n << " is a Mersenne number, we use Lucas-Lehmer test.\n" << n << " is a Mersenne prime.";
        writeClosing(out);
    } else if (form) {
        out << "\nwe use Lucas-Lehmer test.\n"
            << n << " is a Mersenne number, but\n"
            << n << "=" << v << " is NOT a Mersenne prime.\n"
            << "\n------------------------\n\n>> ";
    } else if (exponent == "1") {
        out << n << "is NOT a Mersenne number, of course, it is NOT a Mersenne prime.";
        writeClosing(out);
    }
}

void cmd_isprime(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    out << "This is function isprime\n";
    std::string n;
    if (!closedRest(calculator.commandText, n, Close::Last)) {
        writeShapeHint(out);
        return;
    }
    if (n.empty() || !isInfixValid(n)) {
        writeHint(out, n, Hint::NonDigit);
        return;
    }
    std::string v = n;
    if (!isAllDigits(n)) writeMersenneLines(calculator.core, n, v, out);
    std::string digits;
    bool negative = false;
    if (!integerParts(v, digits, negative) || negative) {
        writeHint(out, v, Hint::NotPositiveInteger);
        return;
    }
    if (digits == "0" || digits == "1") {
        out << n << " = " << v << " is neither prime nor composite.";
        writeClosing(out);
        return;
    }
    const int divisor = calculator.core.smallestSmallDivisor(digits);
    if (divisor >= 2) {
        out << n << " = " << v << " is a composite number.\nIt has a divisor: " << divisor;
        writeClosing(out);
    } else if (divisor == 1) {
        out << n << " = " << v << " is a prime number.\n";
        writeClosingBlock(out);
    } else {
        std::ostringstream report;
        calculator.core.isprimeVerbose(digits, report);
        out << report.str() << "\n";
        writeClosingBlock(out);
    }
}

void cmd_iscomposite(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string n;
    if (!digitRest(calculator, n, out)) return;
    // 0 and 1 are neither prime nor composite.
    const int divisor = n == "0" || n == "1" ? 0 : calculator.core.smallestSmallDivisor(n);
    if (divisor >= 2) {
        out << n << " is a composite number.\nIt has a divisor: " << divisor;
        writeClosing(out);
        return;
    }
    const bool composite = n != "0" && n != "1" && calculator.core.isComposite(n);
    writeAnswer(out, composite ? "1" : "0");
}

void cmd_ispseudoprime(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string n;
    if (!digitRest(calculator, n, out)) return;
    out << (calculator.core.isPseudoprime(n) ? "true" : "false");
    writeClosing(out);
}

using PrimeStep = std::string &(BigNumber::*)(std::string &);

void answerPrimeStep(Calculator &calculator, PrimeStep step) {
    std::ostream &out = startAnswer(calculator);
    std::string n;
    if (!digitRest(calculator, n, out)) return;
    writeAnswer(out, (calculator.core.*step)(n));
}

void cmd_nextprime(Calculator &calculator) { answerPrimeStep(calculator, &BigNumber::nextPrime); }
void cmd_prevprime(Calculator &calculator) { answerPrimeStep(calculator, &BigNumber::prevPrime); }
void cmd_nextMRprime(Calculator &calculator) { answerPrimeStep(calculator, &BigNumber::nextMRprime); }
void cmd_prevMRprime(Calculator &calculator) { answerPrimeStep(calculator, &BigNumber::prevMRprime); }

constexpr HandlerCase kCases[] = {
    {"isprime", cmd_isprime},         {"iscomposite", cmd_iscomposite}, {"ispseudoprime", cmd_ispseudoprime},
    {"nextprime", cmd_nextprime},     {"prevprime", cmd_prevprime},     {"nextMRprime", cmd_nextMRprime},
    {"prevMRprime", cmd_prevMRprime},
};

} // namespace

std::span<const HandlerCase> primality_handlers() { return kCases; }
