// sum, printSeries and printRecursiveSeries: a general term summed or listed over a range
// of its index, and the first terms of a sequence given by a recurrence. The arguments are
// bound to the registered parameters; a call of the wrong shape is answered by the hint and
// then the command's usage, too many arguments by the usage alone.
// The interpreter keeps the blanks of a call in its command text; these commands read none,
// so each handler drops them first.
#include <array>
#include <climits>
#include <vector>

#include "Calculator.h"
#include "handlers/bound_usage.h"
#include "handlers/families.h"
#include "handlers/handler_frame.h"
#include "number_routines.h"
#include "text_helpers.h"
#include "tools.h"

namespace {

void sumUsage(std::ostream &out) {
    writeUsageLine(out, "sum(general_term,n,minValue,maxValue)");
    writeClosingBlock(out);
}

void printSeriesUsage(std::ostream &out) {
    writeUsageLine(out, "printSeries(general_term,n,minValue,maxValue,delimiter)");
    writeClosingBlock(out);
}

void recursiveSeriesUsage(std::ostream &out) {
    writeUsageLine(out, "printRecursiveSeries(Iteration_expression, general_item, initialValue, numberOfItems, "
                        "delimiter)");
    out << "example: \n"
        << "        printRecursiveSeries((a_n+n+1)/(1+a_n*(n+1)),a_n,2,100)\n"
        << "     or: \n"
        << "        printRecursiveSeries(a_{n+d}=(a_n+n+1)/(1+a_n*(n+1)),a_3=2,100,\\n,lineno)\n";
    writeClosingBlock(out);
}

// The term and the index name must be there: an empty one is the shape hint and the usage.
bool haveTermAndIndex(const std::string &term, const std::string &index, UsageWriter usage, std::ostream &out) {
    if (!term.empty() && !index.empty()) return true;
    writeShapeHintAndUsage(out, usage);
    return false;
}

// The index steps by one from the lower bound, so both bounds are integers; the engine
// caps the number of terms.
bool integerBounds(const std::string &lower, const std::string &upper, std::ostream &out) {
    for (const std::string *bound : {&lower, &upper}) {
        if (!hasDigit(*bound) || !isSignedInteger(*bound)) {
            writeHint(out, *bound, Hint::NotDecimalInteger);
            return false;
        }
    }
    return true;
}

void cmd_sum(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    std::vector<std::string> a;
    if (!bindWithUsage(calculator, "sum", sumUsage, out, a)) return;
    if (!haveTermAndIndex(a[0], a[1], sumUsage, out) || !integerBounds(a[2], a[3], out)) return;
    out << sum_general_term(calculator.core, a[0], a[1], a[2], a[3], out, a[4] == "expand");
    writeClosingBlock(out);
}

void cmd_printSeries(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    std::vector<std::string> a;
    if (!bindWithUsage(calculator, "printSeries", printSeriesUsage, out, a)) return;
    if (!haveTermAndIndex(a[0], a[1], printSeriesUsage, out) || !integerBounds(a[2], a[3], out)) return;
    std::string delimiter = a[4].empty() ? "," : a[4] == "\\b" ? " " : a[4] == "\\null" ? "" : a[4];
    std::string term = a[0];
    const bool constant = has_only_expr_chars(term);
    calculator.core.printSeriesTerms(term, a[1], a[2], a[3], delimiter, constant, out);
    writeClosingBlock(out);
}

bool isLineNumberWord(const std::string &word) {
    return word == "linenumber" || word == "lineNumber" || word == "line_number";
}

// The text between the first "{" and the last "}" when both are there in that order; else,
// when there is no brace at all, the text after the first "_" (all of it without one).
// `found` is false in the remaining cases.
std::string subscriptOf(const std::string &text, bool &found) {
    const size_t open = text.find('{'), close = text.rfind('}');
    found = true;
    if (open != std::string::npos && close != std::string::npos && open < close)
        return text.substr(open + 1, close - open - 1);
    if (open == std::string::npos && close == std::string::npos) {
        const size_t bar = text.find('_');
        return bar == std::string::npos ? text : text.substr(bar + 1);
    }
    found = false;
    return "";
}

// The recurrence form: the left side a_{n+1} before "~" (the interpreter's "=="), then the
// initial condition such as a_3=2.
void readRecurrence(const std::vector<std::string> &a, size_t mark, SeriesSettings &s, std::ostream &out) {
    const std::string left = a[0].substr(0, mark);
    bool found = false;
    s.indexStep = subscriptOf(left, found);
    size_t letter = 0;
    while (letter < s.indexStep.size() && !engine::isLetter(s.indexStep[letter])) letter++;
    if (letter < s.indexStep.size())
        s.indexLetter = s.indexStep[letter];
    else if (s.indexStep.size() == 1)
        s.indexLetter = s.indexStep[0];
    const size_t bar = left.find('_');
    s.generalItem = (bar == std::string::npos ? std::string() : left.substr(0, bar + 1)) + s.indexLetter;
    s.iterationExpression = a[0].substr(mark + 1);
    s.initialSpec = a[1];
    const size_t equals = a[1].find('=');
    if (equals == std::string::npos) {
        s.initialValue = "1";
        return;
    }
    s.initialName = a[1].substr(0, equals);
    const std::string start = subscriptOf(s.initialName, found);
    if (found && !start.empty()) s.startIndex = start;
    const std::string value = a[1].substr(equals + 1);
    s.initialValue = value.empty() ? "1" : "(" + value + ")";
    out << "initialValue=" << s.initialValue << "\n";
}

void cmd_printRecursiveSeries(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    std::vector<std::string> a;
    if (!bindWithUsage(calculator, "printRecursiveSeries", recursiveSeriesUsage, out, a)) return;
    const size_t mark = a[0].find('~');
    const bool recurrence = mark != std::string::npos;
    // The plain form's arguments sit one place further right than the recurrence form's.
    const size_t shift = recurrence ? 0 : 1;
    if (a[0].empty() || (!recurrence && (a[1].empty() || a[2].empty()))) {
        return writeShapeHintAndUsage(out, recursiveSeriesUsage);
    }
    int64_t count = 0;
    if (!boundedInteger(out, a[2 + shift], 1, INT32_MAX, count)) return;
    SeriesSettings s;
    s.numberOfItems = int32_t(count);
    if (recurrence) {
        readRecurrence(a, mark, s, out);
    } else {
        s.iterationExpression = a[0];
        s.generalItem = a[1];
        s.initialValue = "(" + a[2] + ")";
    }
    s.delimiter = a[3 + shift];
    s.lineNumber = isLineNumberWord(a[4 + shift]);
    const bool plain = a[4 + shift] == "plain" || a[5 + shift] == "plain";
    s.plain = plain;
    if (s.delimiter.empty()) s.delimiter = ",";
    if (s.delimiter == "\\b") s.delimiter = " ";
    const bool constant = has_only_expr_chars(s.iterationExpression);
    calculator.core.print_recursive_series(out, s, constant, plain);
    writeClosingBlock(out);
}

constexpr HandlerCase kCases[] = {
    {"sum", cmd_sum},
    {"printSeries", cmd_printSeries},
    {"printRecursiveSeries", cmd_printRecursiveSeries},
};

}  // namespace

std::span<const HandlerCase> series_handlers() { return kCases; }
