// Infix-to-postfix conversion by the shunting-yard method. The numerical converter reads
// whole runs and writes the comma-separated postfix itself; the character converters copy
// operand characters through and leave the cutting into fields to the comma inserters.
// Operator strength, strongest first: "!" and "^" (both right-associative), "*" "/" "%",
// "+" "-", then every other operator, and last "~", which only ")" or the end emits.
#include <string>
#include <vector>

#include "BigNumber.h"
#include "expr/expression_chars.h"

using expr::inSet;
using expr::isDigit;
using expr::isNameChar;
using expr::kRunEnd;

namespace {

bool isFunction(const std::string &token) { return token == "sin" || token == "cos"; }

bool isProductOperator(char c) { return c == '*' || c == '/' || c == '%'; }

// Once brackets and functions are settled: does the operator on the stack bind at least as
// strongly as the incoming one (left association), or strictly more ("!" and "^")?
bool operatorOutranks(char top, char incoming) {
    if ((top == '!' && incoming == '!') || (top == '^' && incoming == '^')) return false;
    if (top == '!') return true;
    if (incoming == '!') return false;
    if (top == '^') return true;
    if (incoming == '^') return false;
    if (isProductOperator(top)) return true;
    if (isProductOperator(incoming)) return false;
    if (top == '+' || top == '-') return true;
    if (incoming == '+' || incoming == '-') return false;
    return top != '~';
}

char operatorChar(const std::string &token) { return token.size() == 1 ? token[0] : '\0'; }

// Shared body of the fraction, multi-variable and complex converters.
void convertByCharacter(const std::string &e, std::string &postfix, bool (*isOperand)(char)) {
    postfix.clear();
    postfix.reserve(e.size());
    std::string stack;
    for (char c : e) {
        if (isOperand(c)) {
            postfix += c;
            continue;
        }
        while (!stack.empty() && BigNumber::hasHigherCharPriority(stack.back(), c)) {
            postfix += stack.back();
            stack.pop_back();
        }
        if (stack.empty() || c != ')') stack += c;
        else stack.pop_back();  // the matching "("
    }
    while (!stack.empty()) {
        postfix += stack.back();
        stack.pop_back();
    }
}

// Comma inserters of forms B and M: a comma after every operator and for every end mark.
std::string insertCommas(const std::string &raw, bool polynMarkers) {
    std::string out;
    out.reserve(raw.size() * 2);
    for (char c : raw) {
        if (c == kRunEnd) {
            out += ',';
        } else if (inSet("+-*/%@^!<>[]~", c)) {
            out += c;
            out += ',';
        } else if (c == '#') {
            out += '-';
        } else if (polynMarkers && c == '$') {
            out += '+';
        } else if (polynMarkers && c == '&') {
            out += '^';
        } else {
            out += c;
        }
    }
    return out;
}

// The numerical converter's handling of one operator token.
void pushOperator(const std::string &token, std::vector<std::string> &stack, std::string &postfix) {
    while (!stack.empty() && BigNumber::hasHigherPriority(stack.back(), token)) {
        postfix += ',';
        postfix += stack.back();
        stack.pop_back();
    }
    if (stack.empty() || token != ")") {
        stack.push_back(token);
        return;
    }
    stack.pop_back();  // the matching "("
    if (!stack.empty() && isFunction(stack.back())) {
        postfix += ',';
        postfix += stack.back();
        stack.pop_back();
    }
}

// One-variable polynomial converter, at a character that is neither an operand nor "[" or ",".
// `callBracket` tells the "(" that the tokeniser writes right after a call's "[": that one is
// the call's own and is not pushed; a "(" that opens a group inside the argument is.
void polynOperator(char c, bool callBracket, std::string &stack, std::string &postfix) {
    while (!stack.empty() && BigNumber::hasHigherCharPriority(stack.back(), c)) {
        char top = stack.back();
        stack.pop_back();
        if (top == '[' && c == ')') {  // the call's closing bracket ends its group
            postfix += ']';
            return;
        }
        postfix += top;
    }
    if (!stack.empty() && c == ')') stack.pop_back();
    else if (stack.empty() && c != ')') stack += c;
    else if (!stack.empty() && !(c == '(' && callBracket)) stack += c;
}

}  // namespace

bool BigNumber::isOperandChar(char c) {
    return isDigit(c) || isNameChar(c) || c == '.' || c == '_' || c == kRunEnd;
}

bool BigNumber::isFractionOperandChar(char c) { return isOperandChar(c) || c == '|'; }

bool BigNumber::isPolynOperandChar(char c) { return isFractionOperandChar(c) || c == '#' || c == '$' || c == '&'; }

bool BigNumber::isMultiPolynOperandChar(char c) { return isPolynOperandChar(c); }

bool BigNumber::isComplexOperandChar(char c) { return isPolynOperandChar(c); }

bool BigNumber::hasHigherPriority(const std::string &top, const std::string &incoming) {
    if (top == "(") return false;
    if (incoming == "(" || isFunction(incoming)) return false;
    if (incoming == ")") return true;
    if (isFunction(top) && incoming == "*") return false;
    return operatorOutranks(operatorChar(top), operatorChar(incoming));
}

bool BigNumber::hasHigherCharPriority(char top, char incoming) {
    if (top == '(') return false;
    if (top == '[') return incoming == ')';
    if (incoming == '(') return false;
    if (incoming == ')') return true;
    return operatorOutranks(top, incoming);
}

void BigNumber::ConvertInfixToPostfix() {
    postfix.clear();
    postfix.reserve(expression.size() + 2);
    std::vector<std::string> stack;
    const std::string &e = expression;
    size_t i = 0;
    while (i < e.size()) {
        if (!isOperandChar(e[i])) {
            pushOperator(std::string(1, e[i]), stack, postfix);
            i++;
            continue;
        }
        size_t end = i;
        while (end < e.size() && e[end] != kRunEnd && isOperandChar(e[end])) end++;
        std::string token = e.substr(i, end - i);
        // Past the end mark; any other character that stopped the run is the next token.
        i = end < e.size() && e[end] == kRunEnd ? end + 1 : end;
        if (isFunction(token)) {
            pushOperator(token, stack, postfix);
        } else if (postfix.empty()) {
            postfix = std::move(token);
        } else {
            postfix += ',';
            postfix += token;
        }
    }
    while (!stack.empty()) {
        postfix += ',';
        postfix += stack.back();
        stack.pop_back();
    }
    postfix += ',';
}

void BigNumber::ConvertFractionInfixToPostfix() { convertByCharacter(expression, postfix, isFractionOperandChar); }

void BigNumber::ConvertMultiPolynInfixToPostfix() {
    convertByCharacter(expression, postfix, isMultiPolynOperandChar);
}

void BigNumber::ConvertComplexInfixToPostfix() { convertByCharacter(expression, postfix, isComplexOperandChar); }

void BigNumber::ConvertPolynInfixToPostfix() {
    postfix.clear();
    postfix.reserve(expression.size() + 8);
    std::string stack;
    bool afterCall = false;  // no character but run ends since the last "["
    for (char c : expression) {
        const bool callBracket = afterCall && c == '(';
        afterCall = afterCall && c == kRunEnd;
        if (isPolynOperandChar(c)) {
            postfix += c;
        } else if (c == '[') {
            stack += c;
            postfix += c;
            afterCall = true;
        } else if (c == ',') {
            // Between two arguments only the topmost operator is emitted.
            char top = stack.empty() ? '\0' : stack.back();
            if (top != '(' && isOperatorChar(top)) {
                stack.pop_back();
                postfix += top;
                postfix += ',';
            } else if (top == '[') {
                postfix += ";,";
            }
        } else {
            polynOperator(c, callBracket, stack, postfix);
        }
    }
    while (!stack.empty()) {
        postfix += stack.back();
        stack.pop_back();
    }
}

std::string BigNumber::InsertCommaInPostfix() {
    postfix = insertCommas(postfix, false);
    return postfix;
}

std::string BigNumber::InsertCommaInMultiPolynPostfix() {
    postfix = insertCommas(postfix, true);
    return postfix;
}

std::string BigNumber::InsertCommaInPolynPostfix() {
    const std::string &p = postfix;
    std::string out;
    out.reserve(p.size() * 2);
    for (size_t i = 0; i < p.size(); i++) {
        char c = p[i];
        bool hasNext = i + 1 < p.size();
        char next = hasNext ? p[i + 1] : '\0';
        if (c == kRunEnd) {
            if (next == ',') {
                out += ",;,";
                i++;
            } else if (hasNext) {
                out += ',';
            }
        } else if (inSet("+-*/%@^!<>]~", c)) {
            out += c;
            if (hasNext) out += next == ',' ? ",;" : ",";
        } else if (c == '#') {
            out += '-';
        } else if (c == '$') {
            out += '+';
        } else if (c == '&') {
            out += '^';
        } else {
            out += c;
        }
    }
    postfix = std::move(out);
    return postfix;
}
