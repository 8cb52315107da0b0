// Sums of a general term over an integer range of its index.
#include <iostream>

#include "BigNumber.h"
#include "engine/engine_internal.h"

using namespace engine;

std::string BigNumber::sumSeries(const std::string &term, const std::string &variable, const std::string &from,
                                 const std::string &to, bool constantTerm, bool expand) {
    bool fractions = mode & 1;
    auto evaluate = [&](const std::string &text) {
        std::string v;
        if (!fractions) {
            EvalInfixExprNoOutput(text, v, 0);
            return v;
        }
        setExpression(text);
        std::string tokens = tokenizeFractionInfix();
        setExpression(tokens);
        ConvertFractionInfixToPostfix();
        return EvalFractionPostfixExprNoOutput(InsertCommaInPostfix());
    };
    if (constantTerm) {
        std::string difference = int_subtraction(to, from);
        std::string count = int_addition(difference, "1");
        std::string value = evaluate(term);
        if (!fractions) return multiplication(value, count);
        return fr_multiplication(decimal_to_fraction(value), count + "|1");
    }
    std::string sum = fractions ? "0|1" : "0";
    std::string end = addition(to, "1");
    // The index steps by one until it reaches to + 1; bounds that never meet it end the
    // walk once the index has passed that value.
    for (std::string i = from; i != end && !isGreaterThan(i, end); i = addition(i, "1")) {
        std::string substituted = term;
        replaceAll(substituted, variable, i);
        if (expand) std::cout << substituted << (i == to ? "" : "+");
        std::string value = evaluate(substituted);
        sum = fractions ? fr_addition(sum, value) : addition(sum, value);
    }
    return sum;
}
