// Infix syntax checks: one check with three character sets. They test adjacent operators,
// the admitted characters, the last character and repeated points; they do not evaluate
// and do not test bracket balance.
#include <vector>

#include "BigNumber.h"
#include "text_helpers.h"

using engine::inSet;
using engine::isDigit;
using engine::isLetter;

namespace {

constexpr const char *kOperatorSet = "+-*/|%@()^!.<>~";
constexpr const char *kPairStart = "+-*/@^<>";
constexpr const char *kPairEnd = "+-*/%@^<>";
constexpr const char *kPointSeparators = "+-*/|%@^!<>~";

struct Family {
    bool letters;     // letters admitted, also as the last character
    bool underscore;  // '_' admitted
    bool blanks;      // ' ' admitted and skipped by the operator-pair test
};

// Shared body of the three checks; the error text must already be cleared.
bool checkWith(const std::string &t, const Family &f, std::string &error) {
    if (t.empty()) return false;
    std::vector<size_t> points;
    for (size_t i = 0; i < t.size(); i++) {
        if (f.blanks && t[i] == ' ') continue;
        if (t[i] == '.') points.push_back(i);
        if (i + 1 < t.size() && inSet(kPairStart, t[i]) && inSet(kPairEnd, t[i + 1])) {
            error = "Two operators occur consecutively\n    > at index: " + std::to_string(i) + ", " +
                    std::to_string(i + 1);
            return false;
        }
    }
    bool charsOk = true;
    for (char c : t) {
        bool counted = isDigit(c) || inSet(kOperatorSet, c) || (f.letters && isLetter(c)) ||
                       (f.underscore && c == '_') || (f.blanks && c == ' ');
        if (!counted) charsOk = false;
    }
    char last = t.back();
    bool lastOk = isDigit(last) || last == '!' || last == ')' || last == '%' || (f.letters && isLetter(last));
    bool pointsOk = true;
    for (size_t k = 0; k + 1 < points.size(); k++) {
        size_t p = points[k], q = points[k + 1];
        bool separated = false;
        for (size_t i = p + 1; i < q; i++)
            if (inSet(kPointSeparators, t[i])) separated = true;
        if (!separated) {
            error = "two points '.' should not occur continuously.\n    > at position: " + std::to_string(p) +
                    ", " + std::to_string(q);
            pointsOk = false;
            break;
        }
    }
    return charsOk && lastOk && pointsOk;
}

}  // namespace

bool BigNumber::checkInfixSyntax(const std::string &text) {
    if (text.empty()) return false;  // leaves the error text as it was
    errorMessage.clear();
    return checkWith(text, {true, false, false}, errorMessage);
}

bool BigNumber::checkSymbolicInfixSyntax() {
    errorMessage.clear();
    return checkWith(expression, {true, true, false}, errorMessage);
}

bool BigNumber::checkNumericInfixSyntax() {
    errorMessage.clear();
    return checkWith(expression, {false, false, true}, errorMessage);
}

bool BigNumber::hasParenthesis(const std::string &text) { return text.find_first_of("()") != std::string::npos; }

bool BigNumber::hasPlusOrMinus(const std::string &text) { return text.find_first_of("+-") != std::string::npos; }
