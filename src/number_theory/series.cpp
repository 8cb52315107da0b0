// Terms of a general term printed or summed over a range of its index. The index steps
// by one from the first bound while it is at most the last bound, compared by value, so
// every range ends: one whose last bound lies below the first has no term.
#include <iostream>

#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "number_routines.h"
#include "number_theory/routines_internal.h"
#include "stop_request.h"
#include "tools.h"

using namespace engine;
using routines::kMaxRangeItems;
using routines::modeValue;
using routines::numericalValue;

namespace {

const char *const kBoundsError = "Error: the bounds of a series should be numbers.";
const std::string kTooManyTerms = "Error: a series is limited to " + std::to_string(kMaxRangeItems) + " terms.";

// The number of index values from `from` to `to` (0 for an empty range) as an integer
// text; false when a bound is no number.
bool termCount(BigNumber &bn, const std::string &from, const std::string &to, std::string &count) {
    if (!routines::isNumberText(from) || !routines::isNumberText(to)) return false;
    std::string span = bn.real_subtraction(to, from);
    if (isNegative(span)) {
        count = "0";
        return true;
    }
    std::string whole = bn.floor_real(span);
    count = bn.addition(whole, "1");
    return true;
}

bool tooManyTerms(BigNumber &bn, const std::string &count) {
    return bn.isGreaterThan(count, std::to_string(kMaxRangeItems));
}

// The walk of the index values, calling visit(i, last) for each until it answers false.
template <typename Visit> void walkIndex(BigNumber &bn, const std::string &from, const std::string &to, Visit visit) {
    for (std::string i = from; bn.isLessOrEqual(i, to);) {
        engineStopPoint();
        std::string next = bn.addition(i, "1");
        if (!visit(i, bn.isGreaterThan(next, to))) return;
        i = next;
    }
}

void writeSeparator(std::ostream &out, const std::string &delimiter) {
    if (delimiter == "\\n") out << std::endl;
    else if (delimiter == "\\t") out << "\t";
    else out << delimiter;
}

// The sum of a constant term: its value times the number of terms.
std::string constantSum(BigNumber &bn, const std::string &value, const std::string &count) {
    if (!(bn.getMode() & kFractionBit)) return bn.multiplication(value, count);
    std::string fraction = bn.decimal_to_fraction(value);
    return bn.fr_multiplication(fraction, count + "|1");
}

// The sum before its first term (fraction arithmetic reads "0" as the fraction 0|1).
const char *const kNoTerms = "0";

}  // namespace

void BigNumber::printSeriesTerms(const std::string &term, const std::string &variable, const std::string &minValue,
                                 const std::string &maxValue, const std::string &delimiter, bool constantTerm,
                                 std::ostream &out) {
    std::string count;
    if (!termCount(*this, minValue, maxValue, count)) {
        out << kBoundsError << std::endl;
        return;
    }
    if (tooManyTerms(*this, count)) {
        out << kTooManyTerms << std::endl;
        return;
    }
    bool fractions = mode & kFractionBit;
    if (constantTerm) {
        int64_t n = string2longlong(count);
        if (n == 0) {
            out << std::endl;
            return;
        }
        std::string value = numericalValue(*this, term);
        if (fractions) value = decimal_to_fraction(value);
        for (int64_t k = 1; k < n; k++) {
            out << value;
            writeSeparator(out, delimiter);
        }
        out << value << "\n" << std::endl;
        return;
    }
    walkIndex(*this, minValue, maxValue, [&](const std::string &i, bool) {
        std::string substituted = term;
        replaceAll(substituted, variable, i);
        out << modeValue(*this, substituted);
        writeSeparator(out, delimiter);
        return true;
    });
    out << std::endl;
}

std::string BigNumber::sumSeries(const std::string &term, const std::string &variable, const std::string &from,
                                 const std::string &to, bool constantTerm, bool expand, std::ostream &out) {
    std::string count;
    if (!termCount(*this, from, to, count)) return kBoundsError;
    if (constantTerm) {
        if (count == "0") return kNoTerms;
        return constantSum(*this, numericalValue(*this, term), count);
    }
    if (tooManyTerms(*this, count)) return kTooManyTerms;
    bool fractions = mode & kFractionBit;
    std::string sum = kNoTerms;
    walkIndex(*this, from, to, [&](const std::string &i, bool last) {
        std::string substituted = term;
        replaceAll(substituted, variable, i);
        if (expand) out << substituted << (last ? "" : "+");
        std::string value = modeValue(*this, substituted);
        if (isMessageText(value)) {  // an error ends the sum: it is its answer
            sum = value;
            return false;
        }
        sum = fractions ? fr_addition(sum, value) : addition(sum, value);
        return true;
    });
    return sum;
}

std::string sum_general_term(BigNumber &engine, const std::string &generalTerm, const std::string &variable,
                             const std::string &minValue, const std::string &maxValue, std::ostream &out,
                             bool expand) {
    std::string term = generalTerm;
    deleteBlanks(term);
    std::string count;
    if (!termCount(engine, minValue, maxValue, count)) return kBoundsError;
    bool fractions = engine.getMode() & kFractionBit;
    std::string constant = term;
    if (has_only_expr_chars(constant)) {
        std::string sum = count == "0" ? kNoTerms : constantSum(engine, numericalValue(engine, term), count);
        if (expand) out << "out> " << sum << std::endl;
        return sum;
    }
    if (tooManyTerms(engine, count)) return kTooManyTerms;
    std::string name;
    bool call = function_call_name(term, name);
    std::string sum = kNoTerms;
    walkIndex(engine, minValue, maxValue, [&](const std::string &i, bool last) {
        std::string substituted = term;
        BigNumber::replaceAll(substituted, variable, i);
        if (expand) out << substituted << (last ? "" : "+");
        std::string value = fractions ? routines::fractionValue(engine, substituted) : numericalValue(engine, substituted);
        // A power the fraction arithmetic left written out is added by its value.
        if (fractions && !call && value.find('^') != std::string::npos) value = numericalValue(engine, value);
        if (isMessageText(value)) {  // an error ends the sum: it is its answer
            sum = value;
            return false;
        }
        sum = fractions ? engine.fr_addition(sum, value) : engine.addition(sum, value);
        return true;
    });
    if (expand) out << "\nout> " << sum << std::endl;
    return sum;
}
