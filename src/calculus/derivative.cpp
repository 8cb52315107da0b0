// The symbolic derivative: the sum, difference, product, quotient and general power rules,
// the chain rule of the named functions, and formal derivatives of any other call.
//
// sin, cos, tan and exp are differentiated by the rules of `derivative_rules`, which the
// calculator fills at start-up; the engine's own table below holds the other named
// functions. A call of any other name, or a named function called with more or fewer than
// one argument, gets the formal derivative f'(u)*u' (f_1(...)*a_1'+f_2(...)*a_2'+...).
#include <string_view>

#include "calculus.h"
#include "globals.h"
#include "stop_request.h"
#include "tools.h"

namespace {

// How a named function's derivative is built from its argument u (and the call q itself).
enum class Shape {
    Chain,         // sign * g(u)^power * u'
    Product,       // sign * g(u)*h(u) * u'
    OverTwiceSelf, // u' / (2*q)
    OverArgument,  // u' / u
    OverRoot,      // u' / (sign * sqrt((1-u^2)))
    OverSum,       // u' / (sign * (1+u^2))
    OneMinusSquare // (1-q^2) * u'
};

struct NamedRule {
    std::string_view function;
    Shape shape;
    std::string_view g = {}, h = {};
    int32_t sign = 1;
    int32_t power = 1;
};

constexpr NamedRule kNamedRules[] = {
    {"cot", Shape::Chain, "csc", {}, -1, 2},
    {"sec", Shape::Product, "sec", "tan"},
    {"csc", Shape::Product, "csc", "cot", -1},
    {"sqrt", Shape::OverTwiceSelf},
    {"ln", Shape::OverArgument},
    {"arcsin", Shape::OverRoot},
    {"arccos", Shape::OverRoot, {}, {}, -1},
    {"arctan", Shape::OverSum},
    {"arccot", Shape::OverSum, {}, {}, -1},
    {"sinh", Shape::Chain, "cosh"},
    {"cosh", Shape::Chain, "sinh"},
    {"tanh", Shape::OneMinusSquare},
    {"coth", Shape::OneMinusSquare},
};

// The rule of a one-argument call named `function`: the calculator's table first.
bool findRule(const std::string &function, NamedRule &rule, std::string &g) {
    for (const DerivativeRule &r : derivative_rules)
        if (r.function == function) {
            g = r.derivative;
            rule = NamedRule{{}, Shape::Chain, {}, {}, r.sign, r.power};
            return true;
        }
    for (const NamedRule &r : kNamedRules)
        if (r.function == function) {
            rule = r;
            g = std::string(r.g);
            return true;
        }
    return false;
}

}  // namespace

ExprNode *ExprTree::expr_derivative(ExprNode *node, std::string var) { return derive(node, var); }

ExprNode *ExprTree::expr_derivative_tree(std::string var) { return derive(root, var); }

ExprNode *ExprTree::derive(ExprNode *n, const std::string &var) {
    if (!n) return nullptr;
    engineStopPoint();
    switch (n->kind) {
    case kExprNumber: return makeNumber("0");
    case kExprVariable: return makeNumber(n->varName == var ? "1" : "0");
    case kExprCall: return deriveCall(n, var);
    case kExprOperator: break;
    default: return nullptr;
    }
    ExprNode *L = n->left, *R = n->right;
    const std::string &op = n->name;
    if (op == "+" || op == "-") {
        ExprNode *dR = derive(R, var);
        ExprNode *dL = derive(L, var);
        return op == "+" ? expr_add(dL, dR) : expr_sub(dL, dR);
    }
    if (op != "*" && op != "/" && op != "^") return nullptr;
    ExprNode *dL = derive(L, var);
    ExprNode *dR = derive(R, var);
    if (op == "*") {
        ExprNode *p1 = expr_mul(dL, R);
        ExprNode *p2 = expr_mul(L, dR);
        return expr_add(p2, p1);
    }
    if (op == "/") {
        ExprNode *p1 = expr_mul(L, dR);
        ExprNode *p2 = expr_mul(dL, R);
        ExprNode *d = expr_sub(p2, p1);
        ExprNode *s = expr_mul(R, R);
        return expr_div(d, s);
    }
    // L^R times (R' ln L + R L'/L), for a constant exponent too.
    ExprNode *p = expr_pow(L, R);
    ExprNode *g = expr_ln(L);
    ExprNode *a = expr_mul(dR, g);
    ExprNode *q1 = expr_div(dL, L);
    ExprNode *b = expr_mul(R, q1);
    ExprNode *s = expr_add(a, b);
    return expr_mul(p, s);
}

ExprNode *ExprTree::deriveCall(ExprNode *q, const std::string &var) {
    NamedRule rule;
    std::string g;
    if (q->argCount != 1 || !findRule(q->name, rule, g)) return deriveFormal(q, var);
    ExprNode *u = q->left;
    if (!u) return nullptr;
    // The new calls take u itself as their argument: u closes them as it closed q. Where u
    // or q stands outside a call, a detached copy stands there, which closes nothing.
    auto call = [&](std::string_view name, ExprNode *arg) { return make(kExprCall, std::string(name), arg); };
    auto square = [&](ExprNode *base) { return make(kExprOperator, "^", base, makeNumber("2")); };
    ExprNode *f = nullptr;
    switch (rule.shape) {
    case Shape::Chain:
        f = call(g, u);
        if (rule.power != 1) f = make(kExprOperator, "^", f, makeNumber(int64ToString(rule.power)));
        if (rule.sign == -1) f = expr_sub(makeNumber("0"), f);
        return expr_mul(f, derive(u, var));
    case Shape::Product:
        f = make(kExprOperator, "*", call(g, u), call(rule.h, u));
        f->sign = rule.sign;
        return expr_mul(f, derive(u, var));
    case Shape::OverTwiceSelf:
        f = make(kExprOperator, "*", makeNumber("2"), detached(q));
        return expr_div(derive(u, var), f);
    case Shape::OverArgument:
        f = detached(u);
        return expr_div(derive(u, var), f);
    case Shape::OverRoot: {
        ExprNode *m = make(kExprOperator, "-", makeNumber("1"), square(detached(u)));
        m->role = kRoleClosing;  // closes the square root around it
        f = call("sqrt", m);
        f->sign = rule.sign;
        return expr_div(derive(u, var), f);
    }
    case Shape::OverSum:
        f = make(kExprOperator, "+", makeNumber("1"), square(detached(u)));
        f->sign = rule.sign;
        return expr_div(derive(u, var), f);
    case Shape::OneMinusSquare:
        f = make(kExprOperator, "-", makeNumber("1"), square(detached(q)));
        return expr_mul(f, derive(u, var));
    }
    return nullptr;
}

ExprNode *ExprTree::deriveFormal(ExprNode *q, const std::string &var) {
    const int32_t n = q->argCount;
    if (n < 1 || !q->left) return nullptr;
    if (n == 1) {
        ExprNode *g = make(kExprCall, q->name + "'", q->left, q->right);
        ExprNode *du = derive(q->left, var);
        return du ? make(kExprOperator, "*", g, du) : nullptr;
    }
    // One partial derivative per argument, each call over the whole argument list.
    ExprNode *sum = nullptr;
    ExprNode *a = q->left;
    for (int32_t i = 1; i <= n && a; i++, a = a->nextArg) {
        ExprNode *g = make(q->kind, q->text, q->left, q->right);
        g->name = q->name + "_" + int64ToString(i);
        ExprNode *d = derive(a, var);
        if (!d) return nullptr;
        ExprNode *p = make(kExprOperator, "*", g, d);
        sum = sum ? make(kExprOperator, "+", sum, p) : p;
    }
    return sum;
}
