// Evaluation of postfix texts over complex numbers, through the term lists in i.
#include <iostream>

#include "BigNumber.h"
#include "complex_terms.h"
#include "engine/engine_internal.h"
#include "tools.h"

using namespace engine;

namespace {

bool isComplexOperator(const std::string &f) {
    static const char *const ops[] = {"+", "-", "*", "/", "%", "@", "^", "!", "<", ">", "[", "]", "~"};
    for (const char *op : ops)
        if (f == op) return true;
    return false;
}

// A list that frees itself.
struct Terms {
    complex_term *list;
    explicit Terms(complex_term *l) : list(l) {}
    Terms(const Terms &) = delete;
    Terms &operator=(const Terms &) = delete;
    ~Terms() { complex_free(list); }
};

std::string applied(complex_term *(*f)(const complex_term *, const complex_term *), const Terms &a,
                    const Terms &b) {
    Terms r(f(a.list, b.list));
    return complex_to_string(r.list);
}

// Negation by text of a lone operand under an operator.
std::string negateOperand(const std::string &operand, const std::string &op) {
    if (isNegative(operand)) return op == "-" ? operand.substr(1) : operand;
    if (startsWith(operand, '+')) return "-" + operand.substr(1);
    return "-" + operand;
}

constexpr int64_t kMaxComplexExponent = 100000;

}  // namespace

// A^k for an integer k by repeated squaring; a negative k gives the reciprocal.
std::string BigNumber::complexPower(const std::string &a, const std::string &b) {
    if (!isIntegerText(b)) return "Error> the exponent of a complex power must be an integer.";
    bool negative = isNegative(b);
    int64_t k;
    if (!checkedInt64(unsignedPart(b), 0, kMaxComplexExponent, k)) return "Warning> n is too big.";
    complex_term *acc = complex_parse("1");
    complex_term *base = complex_parse(a.c_str());
    for (int64_t e = k; e > 0; e >>= 1) {
        if (e & 1) {
            complex_term *t = complex_multiply(acc, base);
            complex_free(acc);
            acc = t;
        }
        if (e > 1) {
            complex_term *t = complex_multiply(base, base);
            complex_free(base);
            base = t;
        }
    }
    complex_free(base);
    if (negative) {
        Terms one(complex_parse("1"));
        complex_term *inverse = complex_divide(one.list, acc);
        complex_free(acc);
        acc = inverse;
    }
    std::string text = complex_to_string(acc);
    complex_free(acc);
    return text;
}

std::string BigNumber::complexBinaryOp(const OperandSlots &slots) {
    const std::string &op = slots[0], &b = slots[1], &a = slots[2];
    if (op == "%" || op == "@") return "Error> % and @ are not defined for complex numbers.";
    if (op == "^") return complexPower(a, b);
    Terms A(complex_parse(a.c_str())), B(complex_parse(b.c_str()));
    if (op == "+") return applied(complex_add, A, B);
    if (op == "-") return applied(complex_subtract, A, B);
    if (op == "*") return applied(complex_multiply, A, B);
    if (op == "/") return applied(complex_divide, A, B);
    if (op == "~") {
        // Equal values, whatever the order or number of the written terms.
        Terms d(complex_subtract(A.list, B.list));
        return complex_to_string(d.list) == "0" ? "1" : "0";
    }
    return "";
}

std::string BigNumber::complexPostfixEval(std::string postfixText) {
    std::cout << "str is :" << postfixText << std::endl;
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t comma; (comma = postfixText.find(',', start)) != std::string::npos; start = comma + 1)
        fields.push_back(postfixText.substr(start, comma - start));
    size_t n = fields.size();
    std::vector<std::string> stack;
    std::string answer;
    for (const std::string &field : fields) {
        stack.push_back(field);
        if (!isComplexOperator(field) || n < 3) continue;
        OperandSlots slots{field, "", ""};
        stack.pop_back();
        if (stack.empty()) {  // an operator with nothing below it
            std::cout << "Error(complexPostfixEval)> The stack is empty." << std::endl;
            break;
        }
        slots[1] = stack.back();
        stack.pop_back();
        if (stack.empty()) {
            stack.push_back(negateOperand(slots[1], field));
            continue;
        }
        slots[2] = stack.back();
        stack.pop_back();
        answer = complexBinaryOp(slots);
        stack.push_back(answer);
    }
    if (n == 1) answer = fields[0];
    return answer;
}
