// Expression trees: the nodes, the node stack, the parser of postfix token lists and the
// printer. The parser walks the tokens with an explicit stack and checks what the token
// list promises (two operands for an operator, an open call for a closing token, one tree
// at the end); the printer walks a tree whose height the parser bounded.
#include <algorithm>
#include <iostream>
#include <sstream>
#include <string_view>

#include "calculus.h"
#include "tools.h"

ExprNode::ExprNode(int32_t k, const std::string &t, ExprNode *l, ExprNode *r)
    : kind(k), role(k), text(t), left(l), right(r) {
    if (k == kExprNumber) value = t;
    else if (k == kExprVariable) varName = t;
    else if (k == kExprOperator || k == kExprCall) name = t;
}

ExprNode *ExprTree::make(int32_t kind, const std::string &text, ExprNode *left, ExprNode *right) {
    return &arena.emplace_back(kind, text, left, right);
}

ExprNode *ExprTree::expr_pop(ExprNode *&stack) {
    ExprNode *top = stack;
    if (top) {
        stack = top->next;
        top->next = nullptr;
    }
    return top;
}

void ExprTree::expr_push(ExprNode *&stack, ExprNode *node) {
    node->next = stack;
    stack = node;
}

namespace {

bool isOpenCall(const ExprNode *n) { return n->kind == kExprCall && n->role == kExprCall; }

bool isOperatorToken(const std::string &t) { return t.size() == 1 && std::string_view("+-*/^").find(t[0]) != std::string_view::npos; }

// Characters that no number or name holds: such an operand is a bracket or an operator
// that the conversion left over.
bool isStrayOperand(const std::string &t) { return t.find_first_of("()[]{};%@!<>~") != std::string::npos; }

// The parse in progress: the node stack and how many nodes it holds.
struct ParseStack {
    ExprNode *top = nullptr;
    size_t size = 0;

    ExprNode *pop() {
        if (size) size--;
        return ExprTree::expr_pop(top);
    }
    void push(ExprNode *n) {
        ExprTree::expr_push(top, n);
        size++;
    }
};

using Status = ExprTree::ParseStatus;

Status heightChecked(const ExprNode *n) {
    return n->height > ExprTree::kMaxHeight ? Status::TooDeep : Status::Ok;
}

Status pushOperator(ExprTree &tree, ParseStack &stack, const std::string &token) {
    ExprNode *right = stack.pop();
    ExprNode *left = stack.pop();
    if (!right || !left || isOpenCall(right) || isOpenCall(left)) return Status::Unreadable;
    ExprNode *node = tree.make(kExprOperator, token, left, right);
    node->depth = right->depth;
    right->depth++;
    left->depth = right->depth;
    node->height = 1 + std::max(left->height, right->height);
    stack.push(node);
    return heightChecked(node);
}

// Hangs the arguments above the innermost open call on it: the first in its `left`, each
// linked to the next through `nextArg`, the last marked as closing; argIndex counts from
// the last argument (1) upwards.
Status closeCall(ParseStack &stack) {
    ExprNode *x = stack.pop();
    if (!x || isOpenCall(x)) return Status::Unreadable;  // a call without arguments
    x->role = kRoleClosing;
    stack.push(x);
    int32_t k = 0, tallest = 0;
    for (;;) {
        x = stack.pop();
        x->argIndex = ++k;
        tallest = std::max(tallest, x->height);
        ExprNode *y = stack.pop();
        if (!y) return Status::Unreadable;  // no open call below the arguments
        if (isOpenCall(y)) {
            y->left = x;
            x->parent = y;
            x->depth = y->depth + 1;
            x->role = kRoleFirstArgument;
            y->role = kRoleClosing;
            y->argCount = k;
            y->height = 1 + tallest + k;
            stack.push(y);
            return heightChecked(y);
        }
        bool linkable = (y->kind == kExprCall && (y->role == kRoleSeparated || y->role == kRoleClosing)) ||
                        y->role == kRoleSeparated;
        if (!linkable || y->nextArg) return Status::Unreadable;  // an operand no separator ends
        y->nextArg = x;
        x->depth = y->depth;
        stack.push(y);
    }
}

Status pushOperand(ExprTree &tree, ParseStack &stack, const std::string &token) {
    if (isStrayOperand(token)) return Status::Unreadable;
    stack.push(tree.make(isValidIdentifier(token) ? kExprVariable : kExprNumber, token));
    return Status::Ok;
}

Status parseToken(ExprTree &tree, ParseStack &stack, const std::string &token) {
    if (isOperatorToken(token)) return pushOperator(tree, stack, token);
    if (!token.empty() && token.back() == '[') {
        stack.push(tree.make(kExprCall, token.substr(0, token.size() - 1)));
        return Status::Ok;
    }
    if (token == "]") return closeCall(stack);
    if (token == ";") {
        if (ExprNode *top = stack.pop()) {
            top->role = kRoleSeparated;
            stack.push(top);
        }
        return Status::Ok;
    }
    return pushOperand(tree, stack, token);
}

}  // namespace

ExprNode *ExprTree::expr_parse(const std::vector<std::string> &tokens) {
    root = nullptr;
    status = Status::Empty;
    if (tokens.empty()) return nullptr;
    ParseStack stack;
    for (const std::string &token : tokens) {
        status = parseToken(*this, stack, token);
        if (status != Status::Ok) return nullptr;
    }
    if (stack.size != 1 || isOpenCall(stack.top)) {
        status = Status::Unreadable;
        return nullptr;
    }
    root = stack.top;
    return root;
}

namespace {

// The two renderings side by side, cut off once the plain one passes the limit.
struct Rendering {
    std::string plain, bracketed;
    size_t limit = 0;
    bool cut = false;

    void put(std::string_view s) {
        plain += s;
        bracketed += s;
        cut = cut || plain.size() > limit;
    }
    void put(char plainChar, char bracketedChar) {
        plain += plainChar;
        bracketed += bracketedChar;
        cut = cut || plain.size() > limit;
    }
    void openCall() { put('(', '['); }
    void closeCall() { put(')', ']'); }
    void openGroup() { put('(', '{'); }
    void closeGroup() { put(')', '}'); }
};

bool isOperator(const ExprNode *n) { return n && n->kind == kExprOperator; }
bool named(const ExprNode *n, const char *op) { return n && n->name == op; }
bool isSum(const ExprNode *n) { return isOperator(n) && (n->name == "+" || n->name == "-"); }

// A base that "^" would otherwise bind into: a product, a quotient or a power, anything
// negated, a negative number.
bool needsBracketAsBase(const ExprNode *b) {
    if (!b) return false;
    if (isOperator(b) && (b->name == "*" || b->name == "/" || b->name == "^")) return true;
    return b->sign == -1 || (b->kind == kExprNumber && !b->value.empty() && b->value[0] == '-');
}

// A divisor that would otherwise divide only its first factor.
bool needsBracketAsDivisor(const ExprNode *n) {
    return named(n, "/") && isOperator(n->right) && (n->right->name == "*" || n->right->name == "/");
}

void render(ExprNode *n, Rendering &out) {
    while (n && !out.cut) {
        const bool op = isOperator(n), call = n->kind == kExprCall, sum = isSum(n);
        // A negated sum is written -(...) even at the top.
        const bool grouped = sum && (n->depth > 0 || n->sign == -1);
        if (call) {
            if (n->sign == -1) out.put("-");
            out.put(n->name);
            out.openCall();
        } else if (!op && n->sign == -1) {
            out.put("-");
        }
        if (n->left) n->left->depth = n->depth + 1;
        bool baseBracket = false;
        if (op) {
            if (sum && n->sign == -1) out.put("-");
            if (grouped) out.openGroup();
            if (!sum && n->sign == -1) out.put("-");
            baseBracket = n->name == "^" && needsBracketAsBase(n->left);
            if (baseBracket) out.put("(");
        }
        render(n->left, out);
        if (op && n->name == "^") {
            if (baseBracket) out.put(")");
            out.put("^");
            if (isOperator(n->right)) out.put("(");
        } else if (op) {
            out.put(n->name);
        } else if (n->kind == kExprVariable) {
            out.put(n->varName);
        } else if (n->kind == kExprNumber) {
            out.put(n->value);
        } else if (!call) {
            out.put(n->text);
        }
        if (n->right) n->right->depth = n->depth + 1;
        const bool divisorBracket = needsBracketAsDivisor(n);
        if (divisorBracket) out.put("(");
        render(n->right, out);
        if (grouped) {
            out.closeGroup();
            if (n->role == kRoleClosing) out.closeCall();
        }
        if (divisorBracket) out.put(")");
        if (named(n, "^") && op && isOperator(n->right)) out.put(")");
        if (n->nextArg) {
            out.put(",");
            n = n->nextArg;  // the next argument is rendered in this same walk
            continue;
        }
        if (n->argIndex > 0 && ((n->parent && n->parent->kind == kExprCall) || n->role == kRoleClosing))
            out.closeCall();
        return;
    }
}

}  // namespace

bool ExprTree::expr_print(ExprNode *node, std::ostream &plain, std::ostream &bracketed) {
    Rendering r;
    r.limit = kMaxRenderedChars;
    render(node, r);
    if (r.cut) return false;
    plain << r.plain;
    bracketed << r.bracketed;
    return true;
}

bool ExprTree::expr_print(ExprNode *node, std::ostream &plain) { return expr_print(node, plain, std::cout); }

bool ExprTree::expr_print_tree(std::ostream &plain) { return expr_print(root, plain); }
