// The worker of the command diff. A polynomial is expanded and differentiated by the
// one-variable polynomial code; any other expression is converted to postfix tokens, built
// into an expression tree and differentiated symbolically.
#include <iostream>
#include <optional>
#include <sstream>

#include "BigNumber.h"
#include "calculus.h"
#include "globals.h"
#include "multipolyn.h"
#include "polynomial.h"
#include "tools.h"

namespace {

constexpr int32_t kPolynomialMode = 2;  // the evaluation flag of polynomial expansion

// The derivative polynomial, when the text expands to a polynomial. A text the polynomial
// reader takes but whose expansion is none (1/x expands to a quotient) is left to the tree.
std::optional<std::string> polynomialDerivative(const std::string &argument) {
    bool ok = false;
    TermList typed(polyn_parse(argument, ok));
    if (!ok) return std::nullopt;
    BigNumber bn;
    std::string expanded;
    bn.EvalInfixExprNoOutput(argument, expanded, kPolynomialMode);
    if (isMessageText(expanded)) return std::nullopt;
    TermList list(polyn_parse(expanded, ok));
    if (!ok) return std::nullopt;
    TermList derivative(polyn_derivative(list.get()));
    return polyn_to_string(derivative.get());
}

void onePolynomialChain(BigNumber &bn) {
    bn.preparePolynExpression();
    bn.setExpression(bn.tokenizePolynInfix());
    bn.ConvertPolynInfixToPostfix();
}

// The postfix text of the argument: a numerical expression as its value, otherwise the
// tokens of the one-variable chain (which marks calls) or, with variables registered, of
// the several-variable chain.
std::string postfixOf(const std::string &argument) {
    BigNumber bn;
    bn.setExpression(argument);
    bn.replaceInExpression("mod", "@");
    bn.replaceInExpression("==", "~");
    bn.prepareExpression();
    if (isMessageText(bn.getExpression())) return bn.getExpression();
    if (isInfixValid(argument)) {
        bn.setExpression(bn.tokenizeInfix());
        bn.ConvertInfixToPostfix();
        return bn.EvalPostfixExprNoOutput(bn.getPostfix());
    }
    if (!bn.checkInfixSyntax(argument) || poly_vars.empty()) {
        onePolynomialChain(bn);
        return bn.InsertCommaInPolynPostfix();
    }
    std::string substituted;
    multipolyn_substitute(bn.getExpression(), substituted);
    bn.setExpression(substituted);
    bn.preparePolynExpression();
    bn.setExpression(bn.tokenizeMultiPolynInfix());
    bn.ConvertMultiPolynInfixToPostfix();
    return bn.InsertCommaInMultiPolynPostfix();
}

std::string treeDerivative(const std::string &argument, std::ostream &trace) {
    // The conversion passes over brackets that do not pair; the tree would then be some
    // other expression than the one typed.
    if (!BigNumber::isBracketBalanced(argument)) return kExprUnreadable;
    std::string postfix = postfixOf(argument);
    if (isMessageText(postfix)) return postfix;
    if (!postfix.empty() && postfix.back() == ',') postfix.pop_back();
    std::vector<std::string> tokens;
    split_tokens(postfix.data(), ",", tokens);
    ExprTree tree;
    ExprNode *root = tree.expr_parse(tokens);
    switch (tree.parseStatus()) {
    case ExprTree::ParseStatus::Empty: return "";
    case ExprTree::ParseStatus::Unreadable: return kExprUnreadable;
    case ExprTree::ParseStatus::TooDeep: return kExprTooDeep;
    case ExprTree::ParseStatus::Ok: break;
    }
    // The input is rendered before it is differentiated: the derivative's rendering reads
    // the depths that this rendering leaves on the nodes the two share.
    std::ostringstream plain, bracketed;
    if (!tree.expr_print(root, plain, bracketed)) return kExprTooLong;
    trace << "input> " << bracketed.str() << "\ndiff> ";
    ExprNode *derivative = tree.expr_derivative_tree(BigNumber::charToString(main_var));
    plain.str("");
    bracketed.str("");
    if (!tree.expr_print(derivative, plain, bracketed)) return kExprTooLong;
    trace << bracketed.str();
    return plain.str();
}

}  // namespace

std::string diff_expression(const std::string &argument, std::ostream &out, std::ostream &trace) {
    std::optional<std::string> polynomial = polynomialDerivative(argument);
    std::string answer = polynomial ? *polynomial : treeDerivative(argument, trace);
    out << answer;
    return answer;
}

std::string diff_expression(const std::string &argument, std::ostream &out) {
    return diff_expression(argument, out, std::cout);
}
