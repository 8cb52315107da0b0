// lim and limit (one handler), diff, solve and InfixToPostfix: the limit of a quotient of
// polynomials, the derivative of an expression, an equation solved, and the postfix form
// the evaluator converts an expression into.
// The interpreter keeps the blanks of a call in its command text; these commands read none,
// so each handler drops them first.
#include <sstream>
#include <vector>

#include "BigNumber.h"
#include "Calculator.h"
#include "calculus.h"
#include "handlers/bound_usage.h"
#include "handlers/families.h"
#include "handlers/handler_frame.h"
#include "solvers/solve_command.h"
#include "text/string_utils.h"
#include "tools.h"

namespace {

void limitUsage(std::ostream &out) {
    writeUsageLine(out, "lim(expr, x->x_0) or limit(expr, x->x_0)");
    writeClosingBlock(out);
}

// Both names bind to the parameters registered for "limit". The worker answers nothing for
// a text that is no polynomial; the answer then says so.
void cmd_limit(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    std::vector<std::string> a;
    if (!bindWithUsage(calculator, "limit", limitUsage, out, a)) return;
    if (a[0].empty() || a[1].empty() || a[2].empty()) return writeShapeHintAndUsage(out, limitUsage);
    const std::string limit = Limit(a[0], a[1], a[2]);
    out << "result> " << (limit.empty() ? kLimitNotPolynomial : limit);
    writeClosing(out);
}

// A polynomial's derivative comes back as "out> " and its text; any other expression's as
// the worker's own lines "input> ... diff> ...", which it prints.
void cmd_diff(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    std::string expression;
    if (!wholeBracketArgument(calculator.commandText, expression, false) || expression.empty())
        return writeShapeHint(out);
    std::ostringstream derivative, trace;
    diff_expression(expression, derivative, trace);
    if (trace.str().empty())
        out << "out> " << derivative.str();
    else
        out << trace.str();
    writeClosing(out);
}

void cmd_InfixToPostfix(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    std::string expression;
    if (!wholeBracketArgument(calculator.commandText, expression, false) || expression.empty())
        return writeShapeHint(out);
    BigNumber &core = calculator.core;
    core.setExpression(expression);
    core.setExpression(core.tokenizeInfix());
    core.ConvertInfixToPostfix();
    std::string postfix = core.getPostfix();
    string_replace_all(postfix, "`", " ");
    out << "in> " << expression << "\n"
        << "out> " << postfix << "\n";
    writeClosingBlock(out);
}

constexpr HandlerCase kCases[] = {
    {"lim", cmd_limit},
    {"limit", cmd_limit},
    {"diff", cmd_diff},
    {"solve", cmd_solve},
    {"InfixToPostfix", cmd_InfixToPostfix},
};

}  // namespace

std::span<const HandlerCase> calculus_handlers() { return kCases; }
