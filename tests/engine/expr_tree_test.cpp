#include <gtest/gtest.h>

#include <string>

#include "calculus_test_support.h"

using calculus_test::plainOf;
using calculus_test::rendered;
using calculus_test::tokens;

namespace {

std::string repeated(const std::string &first, const std::string &step, int times) {
    std::string out = first;
    for (int i = 0; i < times; i++) out += step;
    return out;
}

}  // namespace

TEST(ExpressionTree, ParsedAndRendered) {
    const struct {
        const char *tokens, *plain, *bracketed;
    } cases[] = {
        {"x 2 ^", "x^2", "x^2"},
        {"x 1 - 2 ^", "(x-1)^2", "{x-1}^2"},
        {"ln[ x 1 + ]", "ln((x+1))", "ln[{x+1}]"},
        {"f[ x ; y ]", "f(x,y)", "f[x,y]"},
        {"f[ x ; y 1 + ]", "f(x,y+1)", "f[x,y+1]"},  // a later argument keeps the parser's depth
        {"g[ f[ x ] ; y ]", "g(f(x),y)", "g[f[x],y]"},
        {"f[ x ] 1 +", "f(x)+1", "f[x]+1"},
        {"2.5 x *", "2.5*x", "2.5*x"},
        {"x_1 1|2 +", "x_1+1|2", "x_1+1|2"},
        {"x y z + -", "x-(y+z)", "x-{y+z}"},
        {"x 2 ^ 3 ^", "(x^2)^3", "(x^2)^3"},
        {"x y 2 ^ ^", "x^(y^2)", "x^(y^2)"},
        {"a b c * /", "a/(b*c)", "a/(b*c)"},
        // Bases and divisors that would otherwise bind differently get brackets too.
        {"x y * 2 ^", "(x*y)^2", "(x*y)^2"},
        {"a b c / /", "a/(b/c)", "a/(b/c)"},
        {"x", "x", "x"},
    };
    for (const auto &c : cases) {
        ExprTree tree;
        ASSERT_NE(tree.expr_parse(tokens(c.tokens)), nullptr) << c.tokens;
        EXPECT_EQ(tree.parseStatus(), ExprTree::ParseStatus::Ok);
        auto [plain, bracketed] = rendered(tree, tree.root);
        EXPECT_EQ(plain, c.plain) << c.tokens;
        EXPECT_EQ(bracketed, c.bracketed) << c.tokens;
    }
}

TEST(ExpressionTree, NodesOfACall) {
    ExprTree tree;
    ExprNode *f = tree.expr_parse(tokens("f[ x ; y ]"));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->kind, kExprCall);
    EXPECT_EQ(f->name, "f");
    EXPECT_EQ(f->argCount, 2);
    ASSERT_NE(f->left, nullptr);
    ExprNode *x = f->left, *y = x->nextArg;
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(x->varName, "x");
    EXPECT_EQ(x->argIndex, 2);
    EXPECT_EQ(x->parent, f);
    EXPECT_EQ(y->argIndex, 1);
    EXPECT_EQ(y->role, kRoleClosing);

    ExprTree operands;
    ExprNode *sum = operands.expr_parse(tokens("2.5 x_1 +"));
    ASSERT_NE(sum, nullptr);
    EXPECT_EQ(sum->left->kind, kExprNumber);
    EXPECT_EQ(sum->left->value, "2.5");
    EXPECT_EQ(sum->right->kind, kExprVariable);
    EXPECT_EQ(sum->right->varName, "x_1");
}

TEST(ExpressionTree, NodeStack) {
    ExprTree tree;
    ExprNode *stack = nullptr;
    EXPECT_EQ(ExprTree::expr_pop(stack), nullptr);
    ExprNode *a = tree.makeNumber("1"), *b = tree.makeNumber("2");
    ExprTree::expr_push(stack, a);
    ExprTree::expr_push(stack, b);
    EXPECT_EQ(b->next, a);
    EXPECT_EQ(ExprTree::expr_pop(stack), b);
    EXPECT_EQ(ExprTree::expr_pop(stack), a);
    EXPECT_EQ(ExprTree::expr_pop(stack), nullptr);
}

TEST(ExpressionTree, TokenListsThatFormNoTree) {
    ExprTree empty;
    EXPECT_EQ(empty.expr_parse({}), nullptr);
    EXPECT_EQ(empty.parseStatus(), ExprTree::ParseStatus::Empty);
    EXPECT_EQ(rendered(empty, empty.root), (std::pair<std::string, std::string>{"", ""}));
    // Too few operands, a closing token without an open call, a call without arguments or
    // left open, operands left over or not separated, operators the tree does not know.
    for (const char *list : {"+", "x +", "]", "x ]", "f[ ]", "f[", "f[ x", "x y", "f[ x y ]", "x 1 + (",
                             "f[ x ] (", "x 1 %", "x 1 !"}) {
        ExprTree tree;
        EXPECT_EQ(tree.expr_parse(tokens(list)), nullptr) << list;
        EXPECT_EQ(tree.parseStatus(), ExprTree::ParseStatus::Unreadable) << list;
        EXPECT_EQ(tree.root, nullptr);
    }
}

TEST(ExpressionTree, HeightIsBounded) {
    // A sum of n terms is n levels high; a call counts its own level and its arguments.
    ExprTree sum;
    EXPECT_NE(sum.expr_parse(tokens(repeated("x", " x +", ExprTree::kMaxHeight - 1))), nullptr);
    ExprTree longer;
    EXPECT_EQ(longer.expr_parse(tokens(repeated("x", " x +", ExprTree::kMaxHeight))), nullptr);
    EXPECT_EQ(longer.parseStatus(), ExprTree::ParseStatus::TooDeep);
    ExprTree nested;
    EXPECT_EQ(nested.expr_parse(tokens(repeated("", "sin[ ", 300) + "x" + repeated("", " ]", 300))), nullptr);
    EXPECT_EQ(nested.parseStatus(), ExprTree::ParseStatus::TooDeep);
    ExprTree manyArguments;
    EXPECT_EQ(manyArguments.expr_parse(tokens("f[ " + repeated("x", " ; x", 600) + " ]")), nullptr);
    EXPECT_EQ(manyArguments.parseStatus(), ExprTree::ParseStatus::TooDeep);
}

TEST(ExpressionTree, RenderingIsBoundedInLength) {
    // A product that uses itself twice at every level doubles in length 25 times.
    ExprTree tree;
    ExprNode *n = tree.make(kExprVariable, "x");
    for (int i = 0; i < 25; i++) n = tree.make(kExprOperator, "*", n, n);
    std::ostringstream plain, bracketed;
    EXPECT_FALSE(tree.expr_print(n, plain, bracketed));
    EXPECT_EQ(plain.str(), "");
    EXPECT_EQ(bracketed.str(), "");
}

TEST(ExpressionTree, NegatedNodesRender) {
    // The builders may leave a variable, a sum or a call negated; each shows its minus.
    ExprTree tree;
    ExprNode *y = tree.make(kExprVariable, "y");
    y->sign = -1;
    EXPECT_EQ(plainOf(tree, y), "-y");
    ExprNode *sum = tree.make(kExprOperator, "+", tree.make(kExprVariable, "a"), tree.make(kExprVariable, "b"));
    sum->sign = -1;
    EXPECT_EQ(rendered(tree, sum), (std::pair<std::string, std::string>{"-(a+b)", "-{a+b}"}));
    EXPECT_EQ(plainOf(tree, tree.make(kExprOperator, "^", y, tree.makeNumber("2"))), "(-y)^2");
    EXPECT_EQ(plainOf(tree, tree.make(kExprOperator, "*", tree.makeNumber("3"), sum)), "3*-(a+b)");
}

TEST(ExpressionBuilders, FoldsAndFreshNodes) {
    ExprTree t;
    auto num = [&](const char *v) { return t.makeNumber(v); };
    auto var = [&](const char *v) { return t.make(kExprVariable, v); };
    auto call = [&](const char *f) {
        ExprNode *u = var("x");
        ExprNode *q = t.make(kExprCall, f, u);
        u->argIndex = 1;
        u->parent = q;
        q->argCount = 1;
        return q;
    };
    const struct {
        ExprNode *made;
        const char *plain;
    } cases[] = {
        {t.expr_mul(num("0"), var("x")), "0"},
        {t.expr_mul(num("1"), var("x")), "x"},
        {t.expr_mul(var("x"), num("1")), "x"},
        {t.expr_mul(num("-1"), num("-3")), "3"},
        {t.expr_mul(num("-1"), var("x")), "-1*x"},
        {t.expr_mul(num("-1"), call("f")), "-f(x)"},
        {t.expr_mul(num("2"), num("3")), "2*3"},
        {t.expr_mul(t.expr_sub(num("0"), call("f")), call("g")), "-f(x)*g(x)"},
        {t.expr_sub(var("x"), num("0")), "x"},
        {t.expr_sub(num("0"), num("5")), "-5"},
        {t.expr_sub(num("0"), var("y")), "-y"},
        {t.expr_sub(num("0"), call("f")), "-f(x)"},
        {t.expr_sub(var("a"), t.expr_sub(num("0"), call("f"))), "a+f(x)"},
        {t.expr_add(num("0"), var("y")), "y"},
        {t.expr_add(var("y"), num("0")), "y"},
        {t.expr_add(var("a"), t.expr_sub(num("0"), call("f"))), "a-f(x)"},
        {t.expr_add(var("a"), call("-f")), "a-f(x)"},
        {t.expr_add(var("a"), t.expr_sub(num("0"), call("-f"))), "a+f(x)"},  // two negations cancel
        {t.expr_div(var("x"), num("0")), "NaN"},
        {t.expr_div(num("0"), num("0")), "NaN"},
        {t.expr_div(var("x"), num("1")), "x"},
        {t.expr_div(num("1"), t.expr_sub(num("0"), call("f"))), "-1/f(x)"},
        {t.expr_pow(var("x"), num("1")), "x"},
        {t.expr_pow(num("1"), var("x")), "1"},
        {t.expr_pow(var("x"), var("y")), "x^y"},
        {t.expr_ln(num("1")), "0"},
        {t.expr_ln(var("e")), "1"},
        {t.expr_ln(var("x")), "ln(x)"},
        {t.expr_ln(t.expr_add(var("x"), num("1"))), "ln((x+1))"},
    };
    for (const auto &c : cases) EXPECT_EQ(plainOf(t, c.made), c.plain);
}

TEST(ExpressionBuilders, OperandsAreNeverChanged) {
    // A builder that negates or moves a sign works on a copy: the operand may stand
    // elsewhere in the same derivative and must read the same there.
    ExprTree t;
    ExprNode *three = t.makeNumber("-3");
    ExprNode *negated = t.expr_mul(t.makeNumber("-1"), three);
    EXPECT_EQ(negated->value, "3");
    EXPECT_EQ(three->value, "-3");

    ExprNode *zero = t.makeNumber("0");
    EXPECT_EQ(t.expr_div(zero, t.make(kExprVariable, "x")), zero);

    ExprNode *b = t.make(kExprVariable, "b");
    b->sign = -1;
    ExprNode *difference = t.expr_add(t.make(kExprVariable, "a"), b);
    EXPECT_EQ(plainOf(t, difference), "a-b");
    EXPECT_EQ(difference->right->sign, 1);
    EXPECT_EQ(b->sign, -1);

    ExprNode *product = t.expr_mul(b, b);
    EXPECT_EQ(product->sign, 1);
    EXPECT_EQ(b->sign, -1);
    EXPECT_EQ(plainOf(t, product), "b*b");
}
