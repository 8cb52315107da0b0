// Normalisation of an expression text before it is checked and tokenised: a minus that opens
// the text, a bracket or the right side of "~" is written as a subtraction from zero, bare
// decimal points get their missing zero, and a prefix "!n" becomes the factorial sum
// 1!+2!+...+n!. A malformed point or exclamation mark turns the text into a message.
#include <string>

#include "BigNumber.h"
#include "expr/expression_chars.h"
#include "nat/nat.h"
#include "tools.h"

using expr::isDigit;

namespace {

// Largest n accepted in "!n": the sum needs n products of ever longer integers.
constexpr int32_t kMaxFactorialSumOperand = 5000;

std::string position(size_t i) { return std::to_string(i); }

// A minus at the start, after "(" or after "~" becomes "0-".
std::string zeroBeforeUnaryMinus(const std::string &e) {
    std::string out;
    out.reserve(e.size() + 8);
    if (e[0] == '-') out += '0';
    for (size_t i = 0; i < e.size(); i++) {
        out += e[i];
        if (i + 1 < e.size() && (e[i] == '(' || e[i] == '~') && e[i + 1] == '-') out += '0';
    }
    return out;
}

// Value of a digit run for "!n", or -1 when it exceeds the accepted operand.
int32_t factorialSumOperand(const std::string &run) {
    int64_t n;
    return checkedInt64(run, 0, kMaxFactorialSumOperand, n) ? int32_t(n) : -1;
}

}  // namespace

std::string &BigNumber::prepareExpression() {
    originalExpression = expression;
    if (expression.empty()) {
        expression = "`` is empty";
        return expression;
    }
    if (expression.size() == 1) return expression;
    expression = expandFactorialSums(fixDecimalPoints(zeroBeforeUnaryMinus(expression)));
    return expression;
}

std::string &BigNumber::preparePolynExpression() {
    originalExpression = expression;
    if (expression.size() > 1) expression = expandFactorialSums(fixDecimalPoints(expression));
    return expression;
}

std::string BigNumber::fixDecimalPoints(const std::string &text) {
    const size_t n = text.size();
    std::string out;
    out.reserve(n + 8);
    for (size_t i = 0; i < n; i++) {
        char c = text[i];
        if (c != '.') {
            out += c;
            continue;
        }
        bool nextDigit = i + 1 < n && isDigit(text[i + 1]);
        if (i == 0) {
            if (!nextDigit) return "[error 5776] `" + text + "` is wrong at position : 1";
            out += "0.";
        } else if (i + 1 == n) {
            if (!isDigit(text[i - 1]))
                return "[error 5822: last charactor is not a digit]\n`" + text + "` is wrong at position : " +
                       position(i);
            out += ".0";
        } else if (text[i - 1] == '.' || text[i + 1] == '.') {
            out += '.';  // two points in a row are the syntax check's to report
        } else if (nextDigit && !isDigit(text[i - 1])) {
            out += "0.";
        } else if (isDigit(text[i - 1]) && !nextDigit) {
            out += ".0";
        } else {
            out += '.';
        }
    }
    return out;
}

std::string BigNumber::expandFactorialSums(const std::string &text) {
    const size_t n = text.size();
    std::string out;
    out.reserve(n + 16);
    for (size_t i = 0; i < n; i++) {
        char c = text[i];
        bool nextDigit = i + 1 < n && isDigit(text[i + 1]);
        bool isPrefix = c == '!' && nextDigit && (i == 0 || !isDigit(text[i - 1]));
        if (isPrefix) {
            size_t end = i + 1;
            while (end < n && isDigit(text[end])) end++;
            std::string run = text.substr(i + 1, end - i - 1);
            int32_t count = factorialSumOperand(run);
            if (count < 0)
                return "[error 5875] `" + text + "`: the factorial sum !" + run + " is too big (at most " +
                       std::to_string(kMaxFactorialSumOperand) + ")";
            out += factorialSum(count);
            i = end - 1;
            continue;
        }
        if (c == '!' && i == 0) return "[error 5874] `" + text + "` is wrong at position : 1";
        if (c == '!' && i + 1 == n && text[i - 1] != ')' && !isDigit(text[i - 1]))
            return "[error 5917]`" + text + "` is wrong at position : " + position(i - 1);
        out += c;
    }
    return out;
}

std::string BigNumber::factorialSum(int32_t n) {
    if (n < 0) return "";
    if (n == 0) return "1";
    // On machine words: the exact integer, the same text as digit-text products and sums.
    nat::Nat term = nat::from_u64(1), sum;
    for (int32_t k = 1; k <= n; k++) {
        nat::mul_small(term, nat::Limb(k));
        sum = nat::add(sum, term);
    }
    return nat::to_decimal(sum);
}
