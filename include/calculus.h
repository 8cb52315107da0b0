// Symbolic calculus: expression trees built from postfix tokens, their simplifying builders
// and printer, the symbolic derivative, and the two workers behind the commands diff and
// lim/limit.
//
// Every node of one command lives in the arena of one ExprTree: the parse, the builders and
// the derivative allocate there, nothing is freed before the tree goes, and nodes may be
// shared freely between the input tree and its derivative. The builders never change a node
// that they did not make: where a sign or a number must turn, they turn a fresh copy, so a
// subtree that the derivative uses twice reads the same both times.
//
// The recursive walks (derivative, printer) are bounded by the height that the parser
// allows; the printer stops at a length bound, so a derivative that would be huge to write
// is answered by a message instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <ostream>
#include <string>
#include <vector>

// ---- answers of the workers ----
inline constexpr const char *kLimitNotPolynomial = "The numerator or denominator is NOT a polynomial.";
inline constexpr const char *kLimitDoesNotExist = "The limit does not exist.";
inline constexpr const char *kLimitPointNotNumber = "Error> The point of the limit is not a number.";
inline constexpr const char *kExprUnreadable =
    "Error> The expression cannot be read: a bracket, an argument or an operator (+ - * / ^) is out of place.";
inline constexpr const char *kExprTooDeep = "Error> The expression nests too deeply.";
inline constexpr const char *kExprTooLong = "Error> The derivative is too long to write.";

// ---- nodes ----
enum ExprKind : int32_t {
    kExprNumber = 0,
    kExprVariable = 1,
    kExprOperator = 3,  // name "+", "-", "*", "/" or "^"
    kExprCall = 4,      // first argument in `left`, further ones chained through `nextArg`
    kExprUndefined = 8, // rendered as its text, "NaN"
};

// Roles in an argument list; a call whose role still equals kExprCall is open.
enum ExprRole : int32_t {
    kRoleFirstArgument = 1,
    kRoleSeparated = 2,  // followed by the separator ";"
    kRoleClosing = 5,    // a closed call, a last argument, or a node that closes the call around it
};

struct ExprNode {
    int32_t kind = kExprNumber;
    int32_t role = kExprNumber;
    std::string text = "0";  // rendered only for kinds other than number, variable, operator, call
    int32_t sign = 1;        // -1 for a negation still pending on this node
    ExprNode *parent = nullptr;  // the call of which this node is the first argument
    ExprNode *left = nullptr;
    ExprNode *right = nullptr;
    ExprNode *next = nullptr;     // link of the node stack
    ExprNode *nextArg = nullptr;  // the next argument of a call
    std::string name;     // operator character or function name
    std::string varName;  // of a variable
    std::string value;    // of a number
    int32_t argCount = 0;
    int32_t argIndex = 0;  // position counted from the last argument (last = 1); 0 for no argument
    int32_t depth = 0;     // the printer groups sums and differences whose depth is above 0
    int32_t height = 1;    // levels of the subtree as parsed (a call counts its arguments too)

    ExprNode() = default;
    explicit ExprNode(int32_t k) : kind(k), role(k) {}
    ExprNode(int32_t k, const std::string &t, ExprNode *l = nullptr, ExprNode *r = nullptr);
};

// ---- the tree of one command ----
class ExprTree {
public:
    // Levels the parser accepts (a sum of 500 terms, a call nested 250 deep): the derivative
    // and the printer recurse along them.
    static constexpr int32_t kMaxHeight = 512;
    // Characters of one rendering.
    static constexpr size_t kMaxRenderedChars = size_t(1) << 20;

    enum class ParseStatus { Empty, Ok, Unreadable, TooDeep };

    ExprNode *root = nullptr;

    ExprTree() = default;
    explicit ExprTree(ExprNode *r) : root(r) {}
    ExprTree(const ExprTree &) = delete;
    ExprTree &operator=(const ExprTree &) = delete;

    // The node stack: pop answers null on an empty stack.
    static ExprNode *expr_pop(ExprNode *&stack);
    static void expr_push(ExprNode *&stack, ExprNode *node);

    // Builds the tree of a postfix token list into `root` and returns it. A list that does
    // not form one tree (too few operands, a closing token without an open call, a call
    // without arguments, tokens left over, a bracket inside an operand) or that nests
    // deeper than kMaxHeight gives null; parseStatus() tells which.
    ExprNode *expr_parse(const std::vector<std::string> &tokens);
    ParseStatus parseStatus() const { return status; }

    // The simplifying builders of the derivative rules.
    ExprNode *expr_ln(ExprNode *u);
    ExprNode *expr_pow(ExprNode *a, ExprNode *b);
    ExprNode *expr_div(ExprNode *a, ExprNode *b);
    ExprNode *expr_mul(ExprNode *a, ExprNode *b);
    ExprNode *expr_sub(ExprNode *a, ExprNode *b);
    ExprNode *expr_add(ExprNode *a, ExprNode *b);

    // Renders the subtree at `node`: the plain form into `plain`, the form with [] for calls
    // and {} for groups into `bracketed` (standard output when not given). Writes the depth
    // of every node it renders below `node`. A rendering longer than kMaxRenderedChars
    // writes nothing and returns false.
    bool expr_print(ExprNode *node, std::ostream &plain, std::ostream &bracketed);
    bool expr_print(ExprNode *node, std::ostream &plain);
    bool expr_print_tree(std::ostream &plain);

    // The derivative of the subtree at `node` with respect to the variable `var`; null for
    // null and for nodes no rule covers. The result shares nodes with the input, whose
    // depths the printer changes: render the input before its derivative.
    ExprNode *expr_derivative(ExprNode *node, std::string var);
    ExprNode *expr_derivative_tree(std::string var);

    // A fresh node in this tree's arena.
    ExprNode *make(int32_t kind, const std::string &text, ExprNode *left = nullptr, ExprNode *right = nullptr);
    ExprNode *makeNumber(const std::string &value) { return make(kExprNumber, value); }
    size_t nodeCount() const { return arena.size(); }

private:
    ExprNode *derive(ExprNode *node, const std::string &var);
    ExprNode *deriveCall(ExprNode *q, const std::string &var);
    ExprNode *deriveFormal(ExprNode *q, const std::string &var);
    ExprNode *copyOf(const ExprNode *node);
    ExprNode *detached(ExprNode *node);
    ExprNode *withSign(ExprNode *node, int32_t sign);
    ExprNode *negatedNumber(ExprNode *node, bool emptyBecomesZero);
    ExprNode *operatorNode(const char *op, ExprNode *a, ExprNode *b);

    std::deque<ExprNode> arena;  // owns every node of the command; addresses never move
    ParseStatus status = ParseStatus::Empty;
};

// ---- the workers ----
// The derivative of the argument of diff with respect to the main-variable letter, written
// to `out` and returned: a polynomial through the one-variable polynomial code, any other
// expression through an expression tree, whose trace "input> ... diff> ..." goes to `trace`
// (standard output when not given).
std::string diff_expression(const std::string &argument, std::ostream &out, std::ostream &trace);
std::string diff_expression(const std::string &argument, std::ostream &out);
// The limit of a polynomial or of a quotient "(p)/(q)" of polynomials in the main variable
// at the point (a number, a fraction, or Inf, inf, Infinity, infinity). The variable name
// matters only for (0-1)^n. Writes nothing.
std::string Limit(const std::string &expression, const std::string &variable, const std::string &point);
