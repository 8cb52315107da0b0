// The simplifying builders: each folds the cases with a literal 0, 1 or -1 and otherwise
// makes a fresh operator node over its operands. Operands are shared, never changed: a
// negation or a sign moved into a product lands on a fresh copy of the operand.
#include "calculus.h"

namespace {

bool isNumber(const ExprNode *n, const char *v) { return n && n->kind == kExprNumber && n->value == v; }

std::string negatedText(const std::string &t) {
    if (!t.empty() && t[0] == '-') return t.substr(1);
    if (!t.empty() && t[0] == '+') return "-" + t.substr(1);
    return "-" + t;
}

}  // namespace

ExprNode *ExprTree::copyOf(const ExprNode *node) { return &arena.emplace_back(*node); }

ExprNode *ExprTree::detached(ExprNode *node) {
    ExprNode *c = copyOf(node);
    c->argIndex = 0;
    c->parent = nullptr;
    c->nextArg = nullptr;
    return c;
}

ExprNode *ExprTree::withSign(ExprNode *node, int32_t sign) {
    if (node->sign == sign) return node;
    ExprNode *c = detached(node);
    c->sign = sign;
    return c;
}

ExprNode *ExprTree::negatedNumber(ExprNode *node, bool emptyBecomesZero) {
    ExprNode *c = detached(node);
    c->value = c->value.empty() ? (emptyBecomesZero ? "0" : "") : negatedText(c->value);
    c->text = c->value;
    return c;
}

// A fresh operator node over a and b. Products and quotients carry the sign of their
// operands; a difference of a negated b is a sum, and a sum with a negated b (or a call
// whose name begins with "-") a difference.
ExprNode *ExprTree::operatorNode(const char *op, ExprNode *a, ExprNode *b) {
    std::string name = op;
    int32_t sign = 1;
    if (name == "*" || name == "/") {
        sign = a->sign * b->sign;
        a = withSign(a, 1);
        b = withSign(b, 1);
    } else if (name == "-" && b->sign == -1) {
        name = "+";
        b = withSign(b, 1);
    } else if (name == "+") {
        int negations = 0;
        if (b->kind == kExprCall && !b->name.empty() && b->name[0] == '-') {
            b = detached(b);
            b->name.erase(0, 1);
            negations++;
        }
        if (b->sign == -1) {
            b = withSign(b, 1);
            negations++;
        }
        if (negations == 1) name = "-";
    }
    ExprNode *n = make(kExprOperator, name, a, b);
    n->sign = sign;
    a->depth = 1;
    b->depth = 1;
    return n;
}

ExprNode *ExprTree::expr_ln(ExprNode *u) {
    if (!u) return nullptr;
    if (isNumber(u, "1")) return makeNumber("0");
    if (u->kind == kExprVariable && u->varName == "e") return makeNumber("1");
    ExprNode *ln = make(kExprCall, "ln");
    ExprNode *c = detached(u);
    c->role = c->kind;
    c->argIndex = 1;
    c->parent = ln;
    ln->left = c;
    return ln;
}

ExprNode *ExprTree::expr_pow(ExprNode *a, ExprNode *b) {
    if (!a || !b) return nullptr;
    if (isNumber(b, "1") || isNumber(a, "1")) return a;
    ExprNode *n = make(kExprOperator, "^", a, b);
    a->depth = 1;
    b->depth = 1;
    return n;
}

ExprNode *ExprTree::expr_div(ExprNode *a, ExprNode *b) {
    if (!a || !b) return nullptr;
    if (isNumber(a, "0")) return isNumber(b, "0") ? make(kExprUndefined, "NaN") : a;
    if (isNumber(b, "1")) return a;
    if (isNumber(b, "0")) return make(kExprUndefined, "NaN");
    return operatorNode("/", a, b);
}

ExprNode *ExprTree::expr_mul(ExprNode *a, ExprNode *b) {
    if (!a || !b) return nullptr;
    // Tried with the operands in both orders; -1 times a variable stays a product.
    for (int turn = 0; turn < 2; turn++) {
        ExprNode *f = turn == 0 ? a : b, *g = turn == 0 ? b : a;
        if (isNumber(f, "0")) return makeNumber("0");
        if (isNumber(f, "1")) return g;
        if (isNumber(f, "-1")) {
            if (g->kind == kExprNumber) return negatedNumber(g, true);
            if (g->kind != kExprVariable) return withSign(g, -g->sign);
        }
    }
    return operatorNode("*", a, b);
}

ExprNode *ExprTree::expr_sub(ExprNode *a, ExprNode *b) {
    if (!a || !b) return nullptr;
    if (isNumber(b, "0")) return a;
    if (isNumber(a, "0")) return b->kind == kExprNumber ? negatedNumber(b, false) : withSign(b, -b->sign);
    return operatorNode("-", a, b);
}

ExprNode *ExprTree::expr_add(ExprNode *a, ExprNode *b) {
    if (!a || !b) return nullptr;
    if (isNumber(a, "0")) return b;
    if (isNumber(b, "0")) return a;
    return operatorNode("+", a, b);
}
