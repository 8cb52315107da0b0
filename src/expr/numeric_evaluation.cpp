// Numerical evaluation of a comma-separated postfix text over decimal number texts: a stack
// walk in which every two-operand operator goes to the arithmetic through numericBinaryOp
// and the function tokens "sin" and "cos" replace the value on top. The answer is the one
// value the walk leaves on the stack; a postfix that leaves none or several is malformed
// and answers an error text instead of a value.
#include <iostream>
#include <string>
#include <vector>

#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "globals.h"
#include "tools.h"

namespace {

const std::string kMinusOne = "-1";

bool isFunction(const std::string &field) { return field == "sin" || field == "cos"; }

bool isOperatorField(const std::string &field) {
    if (field.size() == 1) return engine::inSet("+-*/%@^!<>[]~", field[0]);
    return isFunction(field);
}

using Apply = std::string (*)(BigNumber &, const std::string &, const std::string &);

std::string powerStep(BigNumber &bn, const std::string &a, const std::string &b) {
    if (a == "0" && b == "0") return "undefined";
    if (b == "0" || a == "1") return "1";
    return bn.power(a, b);
}

// a increased by the fraction b, and a decreased by it (the right operand of x+n% and x-n%
// is already n/100).
std::string increaseStep(BigNumber &bn, const std::string &a, const std::string &b) {
    std::string factor = bn.addition(b, cst_1);
    return bn.multiplication(a, factor);
}

std::string decreaseStep(BigNumber &bn, const std::string &a, const std::string &b) {
    std::string negated = bn.multiplication(b, kMinusOne);
    std::string factor = bn.addition(cst_1, negated);
    return bn.multiplication(a, factor);
}

struct BinaryRule {
    char op;
    Apply apply;
};

const BinaryRule kBinaryRules[] = {
    {'+', [](BigNumber &bn, const std::string &a, const std::string &b) -> std::string { return bn.addition(a, b); }},
    {'-', [](BigNumber &bn, const std::string &a, const std::string &b) -> std::string {
         return bn.real_subtraction(a, b);
     }},
    {'*', [](BigNumber &bn, const std::string &a, const std::string &b) -> std::string {
         return bn.multiplication(a, b);
     }},
    {'/', [](BigNumber &bn, const std::string &a, const std::string &b) -> std::string {
         return bn.real_division(a, b);
     }},
    {'%', [](BigNumber &bn, const std::string &a, const std::string &b) -> std::string {
         return bn.quotient_operator(a, b);
     }},
    {'@', [](BigNumber &bn, const std::string &a, const std::string &b) -> std::string {
         return bn.int_remainder(a, b);
     }},
    {'^', powerStep},
    {'!', [](BigNumber &bn, const std::string &a, const std::string &b) -> std::string {
         return bn.factorial_operator(a, b);
     }},
    {'<', [](BigNumber &bn, const std::string &a, const std::string &b) { return bn.lessThanText(a, b); }},
    {'>', [](BigNumber &bn, const std::string &a, const std::string &b) { return bn.greaterThanText(a, b); }},
    {'~', [](BigNumber &bn, const std::string &a, const std::string &b) { return bn.equalToText(a, b); }},
    {'[', increaseStep},
    {']', decreaseStep},
};

std::string applyFunction(BigNumber &bn, const std::string &name, const std::string &x) {
    return name == "sin" ? bn.sine(x) : bn.cosine(x);
}

// An operator with a single operand: "-" negates, "+" keeps, a function applies, and any
// other operator is written around its operand, as in *(5).
std::string singleOperandStep(BigNumber &bn, const std::string &op, const std::string &x) {
    if (op == "-") return bn.multiplication(x, kMinusOne);
    if (op == "+") return x;
    if (isFunction(op)) return applyFunction(bn, op, x);
    return op + "(" + x + ")";
}

// The stack walk shared by both evaluators; `who` names the evaluator in its messages.
std::string walk(BigNumber &bn, std::vector<std::string> &fields, const std::string &who) {
    std::vector<std::string> stack;
    BigNumber::OperandSlots slots;
    for (std::string &field : fields) {
        if (!isOperatorField(field)) {
            stack.push_back(std::move(field));
            continue;
        }
        slots[0] = field;
        if (stack.empty()) {
            std::string error = "Error(" + who + ")> The stack is empty.";
            std::cout << "temp[0]=" << field << "\n" << error << std::endl;
            return error;
        }
        slots[1] = std::move(stack.back());
        stack.pop_back();
        if (stack.empty()) {
            stack.push_back(singleOperandStep(bn, slots[0], slots[1]));
        } else if (isFunction(field)) {
            stack.push_back(applyFunction(bn, field, slots[1]));
        } else {
            slots[2] = std::move(stack.back());
            stack.pop_back();
            stack.push_back(bn.numericBinaryOp(slots));
        }
        if (isMessageText(stack.back())) return std::move(stack.back());
    }
    if (stack.size() == 1) return std::move(stack.back());
    return "Error(" + who + ")> The expression leaves " + std::to_string(stack.size()) +
           " values on the stack instead of one.";
}

}  // namespace

std::string BigNumber::numericBinaryOp(const OperandSlots &slots) {
    const std::string &op = slots[0], &a = slots[2], &b = slots[1];
    if (op.size() != 1) return "";
    for (const BinaryRule &rule : kBinaryRules)
        if (rule.op == op[0]) return rule.apply(*this, a, b);
    return "";
}

std::string BigNumber::EvalPostfixExprNoOutput(std::string postfixText) {
    size_t takenLength = postfixText.size();
    if (takenLength > 0 && postfixText.back() == ',') takenLength--;
    std::string taken = postfixText.substr(0, takenLength);
    if (isRealNumber(taken)) return taken;
    // One field before each comma, empty fields included; text after the last comma is none.
    std::vector<std::string> fields;
    for (size_t start = 0, comma; (comma = postfixText.find(',', start)) != std::string::npos; start = comma + 1)
        fields.emplace_back(postfixText, start, comma - start);
    return walk(*this, fields, "EvalPostfixExprNoOutput");
}

std::string BigNumber::EvalPostfixExpression(std::string postfixText) {
    std::string taken = postfixText.empty() ? postfixText : postfixText.substr(0, postfixText.size() - 1);
    std::string answer;
    if (isRealNumber(taken)) {
        answer = taken;
    } else {
        std::vector<std::string> fields;  // empty fields skipped, the text after the last comma kept
        split_tokens(postfixText.data(), ",", fields);
        answer = walk(*this, fields, "EvalPostfixExpression");
    }
    outStream << answer << "\n";
    return answer;
}
