#include <gtest/gtest.h>

#include <string>

#include "calculus_test_support.h"

using calculus_test::plainOf;
using calculus_test::tokens;

namespace {

// The plain rendering of the derivative of a postfix token list, the input rendered first
// as the diff worker does.
std::string derivativeOf(const std::string &list, const std::string &var = "x") {
    ExprTree tree;
    ExprNode *root = tree.expr_parse(tokens(list));
    EXPECT_NE(root, nullptr) << list;
    plainOf(tree, root);
    return plainOf(tree, tree.expr_derivative(root, var));
}

struct Case {
    const char *tokens, *derivative;
};

class Derivative : public calculus_test::WithDerivativeRules {};

}  // namespace

TEST_F(Derivative, NamedFunctions) {
    const Case cases[] = {
        {"sin[ x ]", "cos(x)"},
        {"cos[ x ]", "-sin(x)"},
        {"tan[ x ]", "sec(x)^2"},
        {"cot[ x ]", "-csc(x)^2"},
        {"sec[ x ]", "sec(x)*tan(x)"},
        {"csc[ x ]", "-csc(x)*cot(x)"},
        {"sqrt[ x ]", "1/(2*sqrt(x))"},
        {"exp[ x ]", "exp(x)"},
        {"ln[ x ]", "1/x"},
        {"arcsin[ x ]", "1/sqrt((1-x^2))"},
        {"arccos[ x ]", "-1/sqrt((1-x^2))"},
        {"arctan[ x ]", "1/(1+x^2)"},
        {"arccot[ x ]", "-1/(1+x^2)"},
        {"sinh[ x ]", "cosh(x)"},
        {"cosh[ x ]", "sinh(x)"},
        {"tanh[ x ]", "1-tanh(x)^2"},
        {"coth[ x ]", "1-coth(x)^2"},
        {"f[ x ]", "f'(x)*1"},
        {"h[ x ; y ]", "h_1(x,y)*1+h_2(x,y)*0"},
        {"g[ x ; x 2 ^ ; y ]", "(g_1(x,x^2,y)*1+g_2(x,x^2,y)*x^2*2*1/x)+g_3(x,x^2,y)*0"},
        // A named function with another number of arguments is a function like any other.
        {"sin[ x ; y ]", "sin_1(x,y)*1+sin_2(x,y)*0"},
        {"cos[ f[ x ] ]", "-sin(f(x))*f'(x)*1"},
        {"sin[ x 2 * ]", "cos(x*2)*2"},
        {"sin[ cos[ x ] ]", "-cos(cos(x))*sin(x)"},
        {"ln[ x 1 + ]", "1/(x+1)"},
        {"arctan[ x y * ]", "y/(1+(x*y)^2)"},
    };
    for (const auto &c : cases) EXPECT_EQ(derivativeOf(c.tokens), c.derivative) << c.tokens;
}

TEST_F(Derivative, Operators) {
    const Case cases[] = {
        {"x 2 ^", "x^2*2*1/x"},
        {"x y *", "y"},
        {"1 x /", "-1/(x*x)"},
        {"x sin[ x ] /", "(sin(x)-x*cos(x))/(sin(x)*sin(x))"},
        {"2 x ^", "2^x*ln(2)"},
        {"x x ^", "x^x*(ln(x)+x*1/x)"},
        {"5 x -", "-1"},
        {"2 x * 3 +", "2"},
        {"x 0 /", "NaN"},
        {"0 x /", "0"},
        {"y y *", "0"},
        {"sin[ y ]", "0"},
        {"7", "0"},
        {"2.5 x *", "2.5"},
    };
    for (const auto &c : cases) EXPECT_EQ(derivativeOf(c.tokens), c.derivative) << c.tokens;
}

TEST_F(Derivative, SharedSubtreesReadTheSameEverywhere) {
    // The derivative uses parts of its input several times. Each of these came out wrong
    // when a builder negated a shared operand in place, or when a call or an argument was
    // written outside its argument list with the bracket that closed the list.
    const Case cases[] = {
        {"0 x - sin[ x ] /", "(-sin(x)-(0-x)*cos(x))/(sin(x)*sin(x))"},
        {"x arcsin[ x ] *", "x*1/sqrt((1-x^2))+arcsin(x)"},
        {"x arctan[ x ] *", "x*1/(1+x^2)+arctan(x)"},
        {"sqrt[ sqrt[ x ] ]", "1/(2*sqrt(x))/(2*sqrt(sqrt(x)))"},
        {"exp[ exp[ x ] ]", "exp(exp(x))*exp(x)"},
        {"tanh[ tanh[ x ] ]", "(1-tanh(tanh(x))^2)*(1-tanh(x)^2)"},
        {"f[ sqrt[ x ] ; x ]", "f_1(sqrt(x),x)*1/(2*sqrt(x))+f_2(sqrt(x),x)*1"},
        {"2 x * 3 ^", "(2*x)^3*3*2/(2*x)"},
        {"x 2 / 3 ^", "(x/2)^3*3*2/(2*2)/(x/2)"},
    };
    for (const auto &c : cases) EXPECT_EQ(derivativeOf(c.tokens), c.derivative) << c.tokens;
}

TEST_F(Derivative, WithRespectToTheGivenVariable) {
    EXPECT_EQ(derivativeOf("sin[ t ]", "t"), "cos(t)");
    EXPECT_EQ(derivativeOf("sin[ x ]", "t"), "0");
    EXPECT_EQ(derivativeOf("f[ t 2 ^ ]", "t"), "f'(t^2)*t^2*2*1/t");
    EXPECT_EQ(derivativeOf("f[ t 2 ^ ]", "x"), "f'(t^2)*0");
}

TEST_F(Derivative, NullAndUndefinedNodes) {
    ExprTree tree;
    EXPECT_EQ(tree.expr_derivative(nullptr, "x"), nullptr);
    EXPECT_EQ(tree.expr_derivative_tree("x"), nullptr);
    EXPECT_EQ(tree.expr_derivative(tree.make(kExprUndefined, "NaN"), "x"), nullptr);
    ExprNode *modulo = tree.make(kExprOperator, "%", tree.make(kExprVariable, "x"), tree.makeNumber("2"));
    EXPECT_EQ(tree.expr_derivative(modulo, "x"), nullptr);
    // A rule over a part that has no derivative has none either.
    ExprNode *product = tree.make(kExprOperator, "*", modulo, tree.make(kExprVariable, "x"));
    EXPECT_EQ(tree.expr_derivative(product, "x"), nullptr);
}

TEST(DerivativeRules, TheCalculatorsTableDecides) {
    // Without the rules the calculator appends, sin is a function like any other.
    std::vector<DerivativeRule> saved = derivative_rules;
    derivative_rules.clear();
    EXPECT_EQ(derivativeOf("sin[ x ]"), "sin'(x)*1");
    EXPECT_EQ(derivativeOf("cot[ x ]"), "-csc(x)^2");
    derivative_rules = {{"sin", "cos", -1, 3}};
    EXPECT_EQ(derivativeOf("sin[ x 2 * ]"), "-cos(x*2)^3*2");
    derivative_rules = saved;
}
