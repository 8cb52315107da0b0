// The commands of the prime table and the prime listings: Primes, p, index_of_prime,
// list_pi_x, listpseudoprimes, goldbach.
#include <cmath>
#include <cstdint>
#include <string>

#include "Calculator.h"
#include "handlers/families.h"
#include "handlers/handler_frame.h"
#include "handlers/number_arguments.h"
#include "number_routines.h"
#include "tools.h"

namespace {

// The sieve keeps the primes below 2^32; there are 203280221 of them.
constexpr int64_t kLargestSieved = 4294967295;
constexpr int64_t kTablePrimes = 203280221;
// Listings longer than this are cut: their length grows with the argument.
constexpr size_t kMaxListedLines = 10000;
// The pseudoprime search tries every odd composite up to its bound.
constexpr int64_t kMaxPseudoprimeBound = 100000000;

constexpr const char *kPrimesUsage = "Primes(num) or Primes(num,true) or Primes(num,false).\n";

void writeBeyondTable(std::ostream &out) {
    out << "hint> The prime table holds only the primes below 4294967296 (the first " << kTablePrimes << ").";
    writeClosing(out);
}

void writePrimesRefusal(std::ostream &out, const std::string &num) {
    out << "hint> `" << num << "` may contain non digit char, it is regarded as a std::string.\n"
        << "usage> " << kPrimesUsage << "\n------------------------\n\n>> ";
}

bool isYes(std::string flag) {
    for (char &c : flag) c = char(std::tolower(static_cast<unsigned char>(c)));
    return flag == "true" || flag == "yes";
}

void cmd_Primes(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    const std::string &text = calculator.commandText;
    const size_t open = text.find('('), comma = text.find(','), close = text.find(')');
    if (open == std::string::npos || close == std::string::npos) {
        out << "hint> " << kPrimesUsage << "\n------------------------\n\n>> ";
        return;
    }
    std::string num, flag = "0";
    if (comma == std::string::npos) {
        if (close > open + 1) {
            num = text.substr(open + 1, close - open - 1);
            flag = "true";
        }
    } else if (comma > open + 1 && close > comma + 1) {
        num = text.substr(open + 1, comma - open - 1);
        flag = text.substr(comma + 1, close - comma - 1);
    }
    // Only an integer says how far to sieve.
    std::string digits;
    bool negative = false;
    if (flag == "0" || !integerParts(num, digits, negative)) {
        writePrimesRefusal(out, num);
        return;
    }
    int64_t n = 0;
    if (negative) digits = "0";
    if (!boundedInteger(out, digits, 0, INT64_MAX, n)) return;
    calculator.core.primeTable.clear();
    int64_t count = 0;
    const std::string printed = capturedConsole([&] { count = calculator.core.Primes(n, isYes(flag)); });
    if (count == BigNumber::kRefusedBound) {
        out << calculator.core.getErrorMessage();
        writeClosing(out);
        return;
    }
    out << printed;
    writeAnswer(out, std::to_string(count));
}

// The argument of p and index_of_prime: the rest after "(" whose last ")" ends it, digits.
bool tableArgument(Calculator &calculator, std::string &n, std::ostream &out) {
    if (!closedRest(calculator.commandText, n, Close::Last)) {
        writeShapeHint(out);
        return false;
    }
    if (!isDigitsArgument(n)) {
        writeHint(out, n, Hint::TakenAsString);
        return false;
    }
    return true;
}

// p(n): the n-th prime from the table.
void cmd_p(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string n;
    int64_t index = 0;
    if (!tableArgument(calculator, n, out) || !boundedInteger(out, n, 0, INT64_MAX, index)) return;
    const auto &table = calculator.core.primeTable;
    if (index == 0) {
        writeAnswer(out, "The parameter n in function p(n) should be a positive integer.");
    } else if (index > kTablePrimes) {
        writeBeyondTable(out);
    } else if (uint64_t(index) > table.size()) {
        // About twice n ln n reaches the n-th prime.
        int64_t bound = index <= 25 ? 100 : 2 * int64_t(double(index) * std::log(double(index)));
        if (bound > kLargestSieved) bound = kLargestSieved;
        out << "hint> You should call function Primes(" << bound << ") first.";
        writeClosing(out);
    } else {
        writeAnswer(out, std::to_string(table[size_t(index - 1)]));
    }
}

void cmd_index_of_prime(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string q;
    if (!tableArgument(calculator, q, out)) return;
    if (!calculator.core.isPrime(q)) {
        writeHint(out, q, Hint::NotPrime);
        return;
    }
    int64_t v = 0;
    if (!checkedInt64(q, 0, kLargestSieved, v)) {
        writeBeyondTable(out);
        return;
    }
    const auto &table = calculator.core.primeTable;
    if (table.empty() || table.back() < uint64_t(v)) {
        out << "hint> You should call function Primes(" << (table.empty() && v < 100 ? 100 : v) << ") first.";
        writeClosing(out);
        return;
    }
    writeAnswer(out, std::to_string(calculator.core.indexOfPrime(uint32_t(v))));
}

void cmd_list_pi_x(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string a, b;
    if (calculator.commandText.find(')') == std::string::npos ||
        !twoArguments(calculator.commandText, a, b, Close::First)) {
        writeShapeHint(out);
        return;
    }
    if (!isDigitsArgument(a) || !isDigitsArgument(b)) {
        out << "\n----------error--------------\n\n>> ";
        return;
    }
    // The table goes to the engine's stream (its length is bounded there), shown before this.
    out << "\n";
    calculator.core.listPiX(a, b);
    out << ">> ";
}

void cmd_listpseudoprimes(Calculator &calculator) {
    calculator.clearAnswerStreams();
    std::ostream &out = startAnswer(calculator);
    std::string n;
    int64_t v = 0;
    if (!digitRest(calculator, n, out) || !boundedInteger(out, n, 0, kMaxPseudoprimeBound, v)) return;
    const int count = list_pseudoprimes(v, out, 2);
    out << "\n------------------------\nTotal: " << (count < 0 ? 0 : count) << " pseudo primes.\n\n>> ";
}

void cmd_goldbach(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string n;
    if (!digitRest(calculator, n, out)) return;
    LineCappedBuffer capped(out, kMaxListedLines);
    std::ostream listing(&capped);
    int64_t v = 0;
    const bool small = checkedInt64(n, 0, INT64_MAX, v);
    const int64_t count = small ? calculator.core.goldbach_decompose(v, listing)
                                : calculator.core.goldbach_decompose_big(n, false, "3", listing);
    listing.flush();
    if (capped.dropped()) writeCappedNote(out, kMaxListedLines);
    out << "\nTotal: " << count;
    if (!small) out << "\n";
    out << "\n------------------------\n\n>> ";
}

constexpr HandlerCase kCases[] = {
    {"Primes", cmd_Primes},
    {"p", cmd_p},
    {"index_of_prime", cmd_index_of_prime},
    {"list_pi_x", cmd_list_pi_x},
    {"listpseudoprimes", cmd_listpseudoprimes},
    {"goldbach", cmd_goldbach},
};

} // namespace

std::span<const HandlerCase> prime_table_handlers() { return kCases; }
