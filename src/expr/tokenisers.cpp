// Tokenisers: they rewrite a normalised infix text into the token text that the postfix
// converters split without a lexer of their own. A grave accent ends every number and name,
// "#" marks a unary minus, "!" always gets a right operand, percentages become divisions by
// 100 (or the increase/decrease operators "[" and "]"), and the polynomial roads group the
// top-level terms and mark their signs and powers. Every pass is one linear scan that builds
// a new text, so long expressions cost no repeated insertions.
#include <string>
#include <vector>

#include "BigNumber.h"
#include "expr/expression_chars.h"

using expr::inSet;
using expr::isDigit;
using expr::isNameChar;
using expr::kRunEnd;

namespace {

// Every "!" gets the right operand 1 unless a digit follows it (x!1 is the factorial of x);
// the vertical bar becomes division except on the fraction road.
std::string giveFactorialsOperand(const std::string &e, bool barToSlash) {
    std::string out;
    out.reserve(e.size() + 8);
    for (size_t i = 0; i < e.size(); i++) {
        char c = e[i];
        bool examined = i + 1 < e.size();  // the last character is never rewritten
        if (examined && barToSlash && c == '|') c = '/';
        out += c;
        if (examined && c == '!' && !isDigit(e[i + 1])) out += '1';
    }
    if (e.size() > 1 && e.back() == '!') out += '1';
    return out;
}

// Numerical and fraction roads: end marks after numbers, and after names before an operator.
std::string markNumericRunEnds(const std::string &e, bool fraction) {
    std::string out;
    out.reserve(e.size() * 2);
    for (size_t i = 0; i < e.size(); i++) {
        char c = e[i];
        out += c;
        if (i + 1 >= e.size()) break;
        char next = e[i + 1];
        bool numberGoesOn = isDigit(next) || next == '.' || (fraction && next == '|');
        if ((isDigit(c) && !numberGoesOn) || (isNameChar(c) && inSet("+-*/)", next))) out += kRunEnd;
    }
    if (!out.empty() && isDigit(out.back())) out += kRunEnd;
    return out;
}

// A leading minus becomes "#", a leading plus goes; after that every sign that does not
// follow an ended operand is unary: "-" becomes "#", "+" is dropped (and the character that
// moves into its place is not examined again).
std::string markUnarySigns(const std::string &e) {
    std::string t = e;
    if (!t.empty() && t[0] == '-') t[0] = '#';
    else if (!t.empty() && t[0] == '+') t.erase(0, 1);
    if (t.empty()) return t;
    std::string out;
    out.reserve(t.size());
    out += t[0];
    for (size_t i = 1; i < t.size(); i++) {
        char c = t[i];
        bool afterOperand = out.back() == kRunEnd || out.back() == ')';
        if (c == '-' && !afterOperand) {
            out += '#';
        } else if (c == '+' && !afterOperand) {
            if (i + 1 < t.size()) out += t[++i];
        } else {
            out += c;
        }
    }
    return out;
}

// Symbolic road: end marks, and "*" for the implicit products 2(…) and 2x (a digit inside a
// name such as a2x stays part of the name).
std::string markSymbolicRunEnds(std::string e) {
    std::string out;
    out.reserve(e.size() * 2);
    for (size_t i = 0; i < e.size(); i++) {
        char c = e[i];
        out += c;
        if (i + 1 >= e.size()) break;
        char &next = e[i + 1];
        if (isDigit(c)) {
            if (next == '(') out += "`*";
            else if (BigNumber::isOperatorChar(next)) out += kRunEnd;
            else if (isNameChar(next) && (i == 0 || BigNumber::isOperatorChar(out[out.size() - 2]))) out += "`*";
        } else if (isNameChar(c) && BigNumber::isOperatorChar(next)) {
            out += kRunEnd;
        }
    }
    if (!out.empty() && (isDigit(out.back()) || isNameChar(out.back()))) out += kRunEnd;
    return out;
}

// Polynomial roads: every top-level "+" or "-" closes a group and opens the next, and the
// whole text is one more group.
std::string groupTopLevelTerms(const std::string &e) {
    std::string out = "(";
    out.reserve(e.size() * 2);
    long depth = 0;
    for (char c : e) {
        if (c == '(') depth++;
        else if (c == ')') depth--;
        if ((c == '+' || c == '-') && depth == 0) {
            out += ')';
            out += c;
            out += '(';
        } else {
            out += c;
        }
    }
    out += ')';
    return out;
}

// One-variable polynomial road: a name before "(" is a call, marked "[`".
std::string markPolynRunEnds(std::string e) {
    std::string out;
    out.reserve(e.size() * 2);
    for (size_t i = 0; i + 1 < e.size(); i++) {
        char c = e[i];
        out += c;
        char &next = e[i + 1];
        if (isDigit(c)) {
            if (next == '(') out += "`*";
            else if (BigNumber::isOperatorChar(next)) out += kRunEnd;
            else if (isNameChar(next)) out += "`*";
            else if (next == ',') out += kRunEnd;
        } else if (isNameChar(c)) {
            if (next == '(') out += "[`";
            else if (BigNumber::isOperatorChar(next) || next == ',') out += kRunEnd;
        }
    }
    if (!e.empty()) out += e.back();
    return out;
}

std::string markMultiPolynRunEnds(std::string e) {
    std::string out;
    out.reserve(e.size() * 2);
    for (size_t i = 0; i + 1 < e.size(); i++) {
        char c = e[i];
        out += c;
        char &next = e[i + 1];
        if (isDigit(c)) {
            if (next == '(') out += "`*";
            else if (BigNumber::isOperatorChar(next)) out += kRunEnd;
            else if (isNameChar(next)) out += "`*";
        } else if ((isNameChar(c) || c == '_') && BigNumber::isOperatorChar(next)) {
            // a bare "x_" ends too, or the number after its operator would become its index
            out += kRunEnd;
        }
    }
    if (!e.empty()) out += e.back();
    return out;
}

bool followsOperand(char left) { return left == kRunEnd || left == ')'; }

// One-variable polynomial signs: unary "-", "+" and a power without a base become the
// markers "#", "$" and "&", which stay inside the operand that follows.
std::string markPolynSigns(const std::string &e) {
    std::string out = e;
    for (size_t i = 1; i < out.size(); i++) {
        if (followsOperand(out[i - 1])) continue;
        if (out[i] == '-') out[i] = '#';
        else if (out[i] == '+') out[i] = '$';
        else if (out[i] == '^') out[i] = '&';
    }
    return out;
}

// Multi-variable signs: a minus right after "(" is a subtraction from zero.
std::string markMultiPolynSigns(const std::string &e) {
    std::string out;
    out.reserve(e.size() + 16);
    if (!e.empty()) out += e[0];
    for (size_t i = 1; i < e.size(); i++) {
        char c = e[i];
        char left = out.back();
        if (c == '-' && left == '(') out += "0`-";
        else if (c == '+' && !followsOperand(left)) out += '$';
        else if (c == '^' && !followsOperand(left)) out += '&';
        else out += c;
    }
    return out;
}

// A percent sign between two operands written with digits (a number or a bracket on the
// left) is the integer quotient; a run of percent signs after a digit that is followed by a
// digit gets an explicit product before that digit.
std::string maskQuotients(const std::string &text, std::vector<char> &quotient) {
    const size_t n = text.size();
    std::string t;
    t.reserve(n + 8);
    quotient.clear();
    quotient.reserve(n + 8);
    for (size_t i = 0; i < n; i++) {
        char c = text[i];
        bool guarded = c == '%' && i >= 1 && i + 1 < n && isDigit(text[i - 1]);
        bool quotientAfterBracket = c == '%' && i >= 1 && i + 1 < n && text[i - 1] == ')' && isDigit(text[i + 1]);
        if ((guarded && isDigit(text[i + 1])) || quotientAfterBracket) {
            t += c;
            quotient.push_back(1);
            continue;
        }
        if (guarded && text[i + 1] == '%') {
            size_t j = i;
            for (; j < n && text[j] == '%'; j++) {
                t += '%';
                quotient.push_back(0);
            }
            if (j < n && isDigit(text[j])) {
                t += '*';
                quotient.push_back(0);
            }
            i = j - 1;
            continue;
        }
        t += c;
        quotient.push_back(0);
    }
    return t;
}

// x+n% and x-n%: the sign before the percentage becomes "[" (increase) or "]" (decrease).
// Only a sign with an operand on its left is such an operator; a sign at the start or
// after "(" or another operator is unary, and the percentage then is a plain n/100.
void markPercentOperators(std::string &t, const std::vector<char> &quotient) {
    for (size_t k = t.size(); k-- > 1;) {
        if (t[k] != '%' || quotient[k]) continue;
        size_t j = k - 1;
        while (j > 0 && isDigit(t[j])) j--;
        bool binary = j > 0 && !inSet("(+-*/|@^<>~", t[j - 1]);
        if (binary && t[j] == '+') t[j] = '[';
        else if (binary && t[j] == '-') t[j] = ']';
    }
}

}  // namespace

bool BigNumber::isOperatorChar(char &c) {
    if (!inSet("+-*/|%@()^!<>~", c)) return false;
    if (c == '|') c = '/';
    return true;
}

int BigNumber::countPercentSigns(const std::string &text) {
    if (text.empty()) return -1;
    int n = 0;
    for (char c : text) n += c == '%';
    return n;
}

int BigNumber::percentToFraction(std::string &text) {
    if (text.empty()) return -1;
    if (text.find('%') == std::string::npos) return 0;
    std::vector<char> quotient;
    std::string t = maskQuotients(text, quotient);
    markPercentOperators(t, quotient);
    std::string out;
    out.reserve(t.size() + 16);
    for (size_t i = 0; i < t.size(); i++) {
        if (t[i] != '%' || i == 0 || quotient[i]) {
            out += t[i];
            continue;
        }
        out += "/100";
        if (i + 1 < t.size() && isDigit(t[i + 1])) out += '*';  // never glue 100 to the next number
    }
    text = std::move(out);
    return 1;
}

bool BigNumber::isBracketBalanced(const std::string &text) {
    std::string open;
    for (char c : text) {
        if (c == '(' || c == '[' || c == '{') {
            open += c;
        } else if (c == ')' || c == ']' || c == '}') {
            char opener = c == ')' ? '(' : c == ']' ? '[' : '{';
            if (open.empty() || open.back() != opener) return false;  // a closer left over never pairs again
            open.pop_back();
        }
    }
    return open.empty();
}

std::string BigNumber::tokenizeInfix() {
    std::string e = giveFactorialsOperand(expression, true);
    percentToFraction(e);
    expression = markUnarySigns(markNumericRunEnds(e, false));
    return expression;
}

std::string BigNumber::tokenizeFractionInfix() {
    std::string e = giveFactorialsOperand(expression, false);
    percentToFraction(e);
    expression = markUnarySigns(markNumericRunEnds(e, true));
    return expression;
}

std::string BigNumber::tokenizeSymbolicInfix() {
    expression = markUnarySigns(markSymbolicRunEnds(giveFactorialsOperand(expression, true)));
    return expression;
}

std::string BigNumber::tokenizePolynInfix() {
    std::string e = groupTopLevelTerms(giveFactorialsOperand(expression, true));
    expression = markPolynSigns(markPolynRunEnds(std::move(e)));
    return expression;
}

std::string BigNumber::tokenizeMultiPolynInfix() {
    std::string e = groupTopLevelTerms(giveFactorialsOperand(expression, true));
    expression = markMultiPolynSigns(markMultiPolynRunEnds(std::move(e)));
    return expression;
}
