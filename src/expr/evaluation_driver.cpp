// The one entry that turns an infix text into a value text. It normalises the text, lets
// the numerical validator or the symbolic syntax check pick the road (numerical, fraction,
// symbolic, one- or multi-variable polynomial), then tokenises, converts and evaluates.
// The arithmetic calls back into the driver on the same engine while an evaluation runs,
// so every evaluator gets its own copy of the postfix text and never rereads the engine's.
#include <string>

#include "BigNumber.h"
#include "globals.h"
#include "polynomial.h"
#include "tools.h"

namespace {


// The arithmetic re-enters the driver while it evaluates; a few levels are normal. A chain of
// re-entries that keeps going is a cycle between operations, answered with an error text
// instead of running out of stack.
constexpr int kMaxNesting = 32;
thread_local int nesting = 0;

struct NestingLevel {
    NestingLevel() { nesting++; }
    ~NestingLevel() { nesting--; }
    NestingLevel(const NestingLevel &) = delete;
    NestingLevel &operator=(const NestingLevel &) = delete;
};

std::string numericalRoad(BigNumber &bn) {
    bn.setExpression(bn.tokenizeInfix());
    bn.ConvertInfixToPostfix();
    return bn.EvalPostfixExprNoOutput(bn.getPostfix());
}

std::string fractionRoad(BigNumber &bn) {
    bn.setExpression(bn.tokenizeFractionInfix());
    bn.ConvertFractionInfixToPostfix();
    return bn.EvalFractionPostfixExprNoOutput(bn.InsertCommaInPostfix());
}

std::string symbolicRoad(BigNumber &bn, bool fraction) {
    bn.setExpression(bn.tokenizeSymbolicInfix());
    if (!fraction) {
        bn.ConvertInfixToPostfix();
        return bn.EvalPostfixExprNoOutput(bn.getPostfix());
    }
    bn.ConvertFractionInfixToPostfix();
    return bn.EvalFractionPostfixExprNoOutput(bn.InsertCommaInPostfix());
}

std::string polynRoad(BigNumber &bn) {
    bn.preparePolynExpression();
    if (isMessageText(bn.getExpression())) return bn.getExpression();
    bn.setExpression(bn.tokenizePolynInfix());
    bn.ConvertPolynInfixToPostfix();
    return polyn_eval_postfix(bn.InsertCommaInPolynPostfix(), true);
}

std::string symbolicOrPolynRoad(BigNumber &bn, int32_t flags) {
    if (!(flags & kPolynBit)) return symbolicRoad(bn, flags & kFractionBit);
    // The trace lines of the several-variable road go to standard output only, never to the
    // engine's stream.
    return poly_vars.empty() ? polynRoad(bn) : bn.multiPolynValue(false, true);
}

std::string replaced(const std::string &subject, const std::string &from, const std::string &to) {
    std::string out;
    out.reserve(subject.size());
    size_t pos = 0;
    for (size_t hit; (hit = subject.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
        out.append(subject, pos, hit - pos);
        out += to;
    }
    out.append(subject, pos, std::string::npos);
    return out;
}

}  // namespace

void BigNumber::EvalInfixExprNoOutput(const std::string &e, std::string &v, int32_t flags) {
    NestingLevel level;
    if (nesting > kMaxNesting) {
        v = "Error(EvalInfixExprNoOutput)> The evaluation nests too deeply.";
        return;
    }
    const std::string input = e;  // the roads are chosen by the caller's text, which may alias ours
    expression = input;
    replaceInExpression("mod", "@");
    replaceInExpression("==", "~");
    prepareExpression();
    bool numerical = isInfixValid(input);
    if (!numerical && !checkInfixSyntax(input)) {
        v = input;
        return;
    }
    if (isMessageText(expression)) {
        v = expression;
        return;
    }
    if (numerical) v = (flags & kFractionBit) ? fractionRoad(*this) : numericalRoad(*this);
    else v = symbolicOrPolynRoad(*this, flags);
}

void BigNumber::EvalInfixExpression(const std::string &e, std::string &v) {
    expression = e;
    replaceInExpression("mod", "@");
    replaceInExpression("==", "~");
    const std::string normalised = prepareExpression();
    outStream << "in> " << normalised << "\n";
    if (isMessageText(normalised)) {
        outStream << "\nout> " << normalised << "\n";
        v = normalised;
        return;
    }
    setExpression(tokenizeInfix());
    std::string postfixCopy;
    if (mode & kFractionBit) {
        ConvertFractionInfixToPostfix();
        postfixCopy = InsertCommaInPostfix();
    } else {
        ConvertInfixToPostfix();
        postfixCopy = postfix;
    }
    outStream << "\nout> ";
    v = EvalPostfixExpression(std::move(postfixCopy));
}

void BigNumber::replaceInExpression(const std::string &from, const std::string &to) {
    if (from.empty() || to.empty()) return;
    expression = replaced(expression, from, to);
}

void BigNumber::replaceAll(std::string &subject, const std::string &from, const std::string &to) {
    if (from.empty()) return;
    subject = replaced(subject, from, to);
}

std::string BigNumber::charToString(char c) { return std::string(1, c); }
