#include "substitution/substitution.h"

#include <algorithm>
#include <iostream>

#include "Calculator.h"
#include "interpreter/texts.h"
#include "tools.h"
#include "variables/symbol_table.h"

namespace {

// A piece that is a number text and so names nothing: digits only (the empty piece too),
// a signed integer or a decimal number.
bool isNumberPiece(const std::string &piece) {
    return isAllDigits(piece) || isSignedInteger(piece) || is_decimal_number(piece);
}

} // namespace

bool isSubstitutionOperator(const std::vector<char> &operatorChars, char c) {
    return std::find(operatorChars.begin(), operatorChars.end(), c) != operatorChars.end();
}

int substitute_variables(const std::string &expression, const std::vector<char> &operatorChars,
                         std::set<std::string> &used, std::set<std::string> &undefined,
                         const VariableTable &table, std::string &out) {
    used.clear();
    undefined.clear();
    auto isOperator = [&](char c) { return isSubstitutionOperator(operatorChars, c); };
    std::string text;
    int matrices = 0, others = 0, lastCode = -1;
    std::string lastToken;
    for (size_t start = 0, k = 0; k < expression.size(); k++) {
        bool last = k + 1 == expression.size();
        char c = expression[k];
        if (!isOperator(c) && !last) continue;
        // At the last character a final "!" or ")" still ends the piece before it; any other
        // last character belongs to the piece.
        bool ends = isOperator(c) && (!last || c == '!' || c == ')');
        std::string token = expression.substr(start, k - start + (ends ? 0 : 1));
        std::string tail = ends ? std::string(1, c) : "";
        auto it = table.find(token);
        if (it != table.end()) {
            used.insert(token);
            if (it->second.typeCode == kMatrixType) {
                text = token + "=";
                matrices++;
            } else {
                others++;
            }
            text += it->second.valueText + tail;
            lastCode = it->second.typeCode;
        } else {
            text += token + tail;
            if (!isNumberPiece(token)) undefined.insert(token);
            if (!token.empty()) others++;
            lastCode = -1;
        }
        lastToken = token;
        start = k + 1;
    }
    if (matrices > 1 || (matrices == 1 && others > 0)) {
        out = expression;
        return kMatrixExpression;
    }
    out = !text.empty() && text.back() == '=' ? lastToken : text;
    if (!undefined.empty()) return 0;
    return lastCode < 0 ? 1 : lastCode + 1;
}

std::string syntaxReportText(const std::string &reason) {
    return "hint> ===*=== syntax error ===*===\n\t > " + reason + "\n\t > type `:help` to view some rules.\n" + "\n" +
           kRule + "\n";
}

std::string report_undefined_variables(BigNumber &engine, std::string &expression, std::string &substituted,
                                       const std::vector<char> &operatorChars, std::set<std::string> &used,
                                       std::set<std::string> &undefined, const VariableTable &table,
                                       std::string &substitution) {
    deleteBlanks(expression);
    std::string plain = expression;
    if (has_only_expr_chars(plain)) {
        substitution = expression;
    } else if (substitute_variables(expression, operatorChars, used, undefined, table, substitution) == 0) {
        substituted = substitution;
        std::cout << "Here are Undefined variables: ";
        for (const std::string &name : undefined) std::cout << name << ", ";
        std::cout << "\n";
        return substituted;
    }
    substituted = substitution;
    engine.setExpression(substitution);
    engine.replaceInExpression("mod", "@");
    engine.replaceInExpression("==", "~");
    engine.prepareExpression();
    if (!engine.checkNumericInfixSyntax()) return syntaxReportText(engine.getErrorMessage());
    // Its callers take a decimal value: the fraction rules only shape the postfix.
    std::string postfix;
    if (engine.getMode() & kFractionBit) {
        engine.setExpression(engine.tokenizeFractionInfix());
        engine.ConvertFractionInfixToPostfix();
        postfix = engine.InsertCommaInPostfix();
    } else {
        engine.setExpression(engine.tokenizeInfix());
        engine.ConvertInfixToPostfix();
        postfix = engine.getPostfix();
    }
    return engine.EvalPostfixExprNoOutput(postfix);
}
