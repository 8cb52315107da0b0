// The first terms of a sequence given by a recurrence a(next) = f(a(current), index).
#include "BigNumber.h"
#include "number_routines.h"
#include "number_theory/routines_internal.h"
#include "tools.h"
#include "stop_request.h"

using routines::fractionValue;
using routines::kMaxRangeItems;
using routines::numericalValue;

namespace {

struct Printer {
    std::ostream &out;
    const SeriesSettings &settings;
    std::string separator;

    void line(const std::string &number, const std::string &value) const {
        if (settings.lineNumber) out << "[" << number << "]\t";
        out << value << separator;
    }
};

std::string separatorOf(const std::string &delimiter) {
    if (delimiter == "\\n") return "\n";
    if (delimiter == "\\t") return "\t";
    if (delimiter == "\\n\\n") return "\n\n";
    return delimiter;
}

// The index name: the text after the first "_" of the item, without one pair of braces.
std::string indexNameOf(const std::string &item) {
    size_t bar = item.find('_');
    std::string name = item.substr(bar + 1);
    if (name.size() >= 2 && name.front() == '{' && name.back() == '}') name = name.substr(1, name.size() - 2);
    return name.empty() ? "i" : name;
}

// A fraction value as an operand of the next expression: "/" for the bar, a leading minus
// kept inside parentheses.
std::string fractionOperand(std::string p) {
    size_t bar = p.find('|');
    if (bar != std::string::npos) p[bar] = '/';
    return !p.empty() && p[0] == '-' ? "(" + p + ")" : p;
}

// The number of the first term. A start index that is no integer of a machine word's
// reach has no meaning; it counts from 1 rather than wrapping.
int64_t firstNumber(const std::string &startIndex) {
    constexpr int64_t kReach = 1000000000000000000;
    int64_t k = 1;
    checkedInt64(startIndex, -kReach, kReach, k);
    return k;
}

std::string substituted(std::string text, const std::string &from, const std::string &to) {
    BigNumber::replaceAll(text, from, to);
    return text;
}

}  // namespace

void BigNumber::print_recursive_series(std::ostream &out, SeriesSettings &settings, bool constantExpression,
                                       bool plain) {
    // A count below one has no term; the countdown of the printer would never meet zero.
    int64_t c = settings.numberOfItems;
    if (c < 1) return;
    if (c > kMaxRangeItems) {
        out << "Error: a series is limited to " << kMaxRangeItems << " terms." << std::endl;
        return;
    }
    const Printer printer{out, settings, separatorOf(settings.delimiter)};
    const std::string &E = settings.iterationExpression;
    const std::string &item = settings.generalItem;
    bool hasIndex = item.find('_') != std::string::npos;
    std::string N = hasIndex ? indexNameOf(item) : "i";
    std::string P = settings.initialValue;
    bool fractions = mode & kFractionBit;
    int64_t k = firstNumber(settings.startIndex);

    if (constantExpression) {
        std::string X = substituted(E, item, P);
        std::string value = plain ? X : fractions ? fractionValue(*this, X) : numericalValue(*this, X);
        for (; c > 1; c--, k++) printer.line(longlong2string(k), value);
        out << value << "\n\n";
        return;
    }
    if (plain && !fractions) {
        printer.line(longlong2string(k), P);
        int64_t j = k;
        for (c--; c > 0; c--) {
            engineStopPoint();
            std::string term = substituted(E, item, P);
            if (hasIndex) term = substituted(term, N, longlong2string(j++));
            printer.line(longlong2string(++k), term);
            P = "(" + term + ")";
        }
        out << std::endl;
        return;
    }
    if (plain) {
        printer.line(longlong2string(k), fractionValue(*this, P));
        uint64_t j = 1;
        for (c--; c > 0; c--) {
            engineStopPoint();
            P = fractionOperand(P);
            std::string term = substituted(E, item, P);
            if (hasIndex) term = substituted(term, N, ull2string(j++));
            std::string value = fractionValue(*this, term);
            printer.line(longlong2string(++k), value);
            P = "(" + value + ")";
        }
        out << std::endl;
        return;
    }
    if (settings.indexStep.empty()) settings.indexStep = N + "+1";
    printer.line(longlong2string(k), fractions ? fractionValue(*this, P) : numericalValue(*this, P));
    std::string F = settings.startIndex;
    for (c--; c > 0; c--) {
        engineStopPoint();
        std::string value;
        if (fractions) {
            P = fractionOperand(P);
            std::string term = substituted(E, item, P);
            if (hasIndex) term = substituted(term, N, F);
            value = fractionValue(*this, term);
        } else {
            std::string term = substituted(E, item, "(" + P + ")");
            if (hasIndex) term = substituted(term, N, F);
            value = numericalValue(*this, term);
        }
        std::string number;
        if (hasIndex) {
            F = numericalValue(*this, substituted(settings.indexStep, N, F));
            number = F;
        } else {
            number = longlong2string(++k);
        }
        printer.line(number, value);
        P = "(" + value + ")";
    }
    out << std::endl;
}
