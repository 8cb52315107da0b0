// The evaluator's multi-variable mode: one operator on two operand texts, a postfix text
// evaluated on a stack of internal-name texts, and the road from an infix expression with
// the user's names to the text of its value.
#include <cstring>
#include <iostream>
#include <sstream>
#include <vector>

#include "BigNumber.h"
#include "globals.h"
#include "multipolyn.h"
#include "polynomial.h"
#include "tools.h"

namespace {

bool isOperatorToken(const std::string &g) { return g.size() == 1 && std::strchr("+-*/%@^!<>[]~", g[0]); }

std::vector<std::string> tokensOf(const std::string &postfix) {
    std::vector<char> buffer(postfix.begin(), postfix.end());
    buffer.push_back('\0');
    std::vector<std::string> tokens;
    split_tokens(buffer.data(), ",", tokens);
    return tokens;
}

// The operand read (its "power=" lines written) and, for an operator that computes,
// normalised; a text the reader refuses gives its message list.
MultiPolyn operand(const std::string &text, bool normalise, std::ostream &diagnostics) {
    uint8_t ok = 0;
    MultiPolyn list(multipolyn_parse(text, ok));
    if (!ok) diagnostics << text << " is NOT a polynomial\n";
    if (!normalise || multipolyn_message(list.get())) return list;
    return MultiPolyn(multipolyn_normalize(list.release(), 0));
}

}  // namespace

poly_pt *multipolyn_apply_op(const std::array<std::string, 3> &slots, std::ostream &diagnostics) {
    const std::string &op = slots[0], &right = slots[1], &left = slots[2];
    diagnostics << "left: " << left << "\nright: " << right << "\n";
    const bool computes = op == "+" || op == "-" || op == "*" || (op == "^" && isAllDigits(right));
    MultiPolyn a = operand(left, computes, diagnostics), b = operand(right, computes, diagnostics);
    if (multipolyn_message(a.get())) return a.release();
    if (multipolyn_message(b.get())) return b.release();
    if (!computes) return nullptr;
    if (op == "+") return multipolyn_add(a.release(), b.release());
    if (op == "-") return multipolyn_subtract(a.release(), b.release());
    if (op == "*") return multipolyn_multiply(a.get(), b.get());
    int64_t n = 0;
    if (!right.empty() && !checkedInt64(right, 0, INT32_MAX, n))
        return multipolyn_message_list(integerRangeMessage(right, 0, INT32_MAX));
    poly_pt *power = multipolyn_power(a.get(), int32_t(n));
    if (power == a.get()) a.release();
    return power;
}

poly_pt *multipolyn_eval_postfix(const std::string &postfix, int, bool *wellFormed) {
    std::vector<std::string> stack;
    std::array<std::string, 3> slots;
    MultiPolyn last;
    bool computed = false, formed = true;
    auto pop = [&stack] {
        std::string top = std::move(stack.back());
        stack.pop_back();
        return top;
    };
    for (const std::string &g : tokensOf(postfix)) {
        if (!isOperatorToken(g)) {
            stack.push_back(g);
            continue;
        }
        // An operator needs its right operand, and its left one unless it is a sign.
        formed = !stack.empty() && (stack.size() >= 2 || g == "-" || g == "+");
        if (!formed) break;
        slots = {g, pop(), stack.empty() ? "0" : pop()};
        std::ostringstream scratch;
        last.reset(multipolyn_apply_op(slots, scratch));
        computed = true;
        if (multipolyn_message(last.get())) break;
        stack.push_back(multipolyn_to_internal_string(last.get()));
    }
    if (!multipolyn_message(last.get())) formed = formed && stack.size() == 1;
    if (wellFormed) *wellFormed = formed;
    if (!formed) return nullptr;
    if (computed) return last.release();
    uint8_t ok = 0;
    return multipolyn_parse(stack.front(), ok);
}

std::string multipolyn_eval_postfix_text(const std::string &postfix) {
    bool formed = false;
    MultiPolyn value(multipolyn_eval_postfix(postfix, 0, &formed));
    return formed ? multipolyn_to_string(value.get()) : "error";
}

std::string multipolyn_apply_op_text(const std::array<std::string, 3> &slots) {
    std::ostringstream scratch;
    MultiPolyn value(multipolyn_apply_op(slots, scratch));
    return multipolyn_to_string(value.get());
}

std::string BigNumber::multiPolynValue(bool registerNames, bool trace) {
    const std::string typed = getExpression();
    if (trace) std::cout << "replace" << typed << "\n";
    if (registerNames) multipolyn_add_var(typed);
    std::string substituted = typed;
    multipolyn_substitute(typed, substituted);
    if (trace) std::cout << "after: " << substituted << "\n";
    setExpression(substituted);
    preparePolynExpression();
    if (isMessageText(getExpression())) return getExpression();
    setExpression(tokenizeMultiPolynInfix());
    ConvertMultiPolynInfixToPostfix();
    std::string answer = multipolyn_eval_postfix_text(InsertCommaInMultiPolynPostfix());
    if (trace) std::cout << "rs = " << answer << "\n-------------\n\n";
    return answer;
}
