// Expression statements: the line is made evaluable (claims and variables substituted, a
// "[" line turned into a matrix assignment), then answered by the calculation mode:
// numerically, with exact fractions, as a polynomial, with complex numbers or as an
// expression over matrix variables. A numerical expression (cmd mode off, precision within
// the limit) and a symbolic one outside the polynomial and complex modes are first run as
// a script print statement, whose printed value answers them. A line that no evaluator
// accepts may still be a plugin call module->command(...).
#include <cstring>

#include "Calculator.h"
#include "assignments/assignment.h"
#include "classifier/classifier.h"
#include "interpreter/texts.h"
#include "kscript.h"
#include "plugins/plugin_loader.h"
#include "polynomial.h"
#include "session/script_machine.h"
#include "substitution/substitution.h"
#include "text/string_utils.h"

namespace {

constexpr char kSeparator[] = "\n------------------------\n";
constexpr char kMatrixLinePrefix[] = "__Matrix__=";
constexpr char kNotAnExpression[] = "[plugin] It is NOT a valid expression!";

const char *const kExpressionRewrites[][2] = {{"mod", "@"}, {"==", "~"}, {")(", ")*("}};

// Literals of a "[" line that combines them ("[1,2]+[3,4]") are held under this name, followed
// by a number, while the line is answered: matrix expressions take names of letters and
// digits only.
constexpr char kLiteralNamePrefix[] = "MatrixLiteral";
constexpr char kLiteralOperators[] = "+-*/^";

// One past the "]" that closes the "[" at `open`, or npos when the text never closes it.
size_t pastLiteral(const std::string &text, size_t open) {
    size_t depth = 0;
    for (size_t i = open; i < text.size(); i++) {
        if (text[i] == '[') depth++;
        else if (text[i] == ']' && --depth == 0) return i + 1;
    }
    return std::string::npos;
}

// Whether a line that begins with a literal goes on with an operator: an expression of
// literals rather than one literal to store.
bool combinesLiterals(const std::string &text) {
    size_t end = pastLiteral(text, 0);
    if (end == std::string::npos) return false;
    end = text.find_first_not_of(' ', end);
    return end != std::string::npos && std::strchr(kLiteralOperators, text[end]) != nullptr;
}

} // namespace

Calculator::LineOutcome Calculator::answerLiteralExpression(const InputStatement &statement,
                                                            const std::string &statementText) {
    std::string rewritten;
    std::vector<std::string> names;
    size_t number = 0;
    for (size_t i = 0; i < statementText.size();) {
        size_t end = statementText[i] == '[' ? pastLiteral(statementText, i) : std::string::npos;
        if (end == std::string::npos) {
            rewritten += statementText[i++];
            continue;
        }
        std::string name; // a name the user holds is passed over
        do name = kLiteralNamePrefix + std::to_string(++number);
        while (variables.count(name));
        storeMatrixLiteral(*this, name, statementText.substr(i, end - i));
        names.push_back(name);
        rewritten += name;
        i = end;
    }
    LineOutcome outcome = answerExpression(statement, rewritten);
    for (const std::string &name : names) variables.erase(name);
    return outcome;
}

Calculator::LineOutcome Calculator::answerExpression(const InputStatement &statement, std::string &statementText) {
    if (statementText.empty()) return LineOutcome::endBatch(kLineDone);
    // before the echo, which the rewritten line writes
    if (statementText[0] == '[' && combinesLiterals(statementText))
        return answerLiteralExpression(statement, statementText);
    if (modeName == "LP") writeProgramEcho(statement.name);
    std::string text = statementText;
    for (const auto &rewrite : kExpressionRewrites) string_replace_all(text, rewrite[0], rewrite[1]);
    if (!text.empty() && text[0] == '[') {
        inputLine = kMatrixLinePrefix + text;
        return LineOutcome::restart();
    }
    // What the matrix methods write during the substitution is kept apart, so that the echo
    // comes first and each text is shown once.
    const std::string before = output.str();
    output.str("");
    KV_Matrix matrix;
    int code = 0;
    if (has_only_expr_chars(text)) {
        inputLine = text;
    } else {
        code = inputcmd2expr(*this, text, used_variable_names, undefined_names, inputLine, matrix);
    }
    const std::string written = output.str();
    output.str("");
    output << before;

    core.setExpression(inputLine);
    const int32_t mode = core.getMode();
    if (code == kSubstitutionSyntaxError) {
        output << syntaxReportText(core.getErrorMessage()) << "\n";
    } else if (code == kMatrixAlone) {
        output << "in> " << inputLine << "\n";
        matrix.printTo(output);
    } else if (code == kMatrixMethodAnswered) {
        output << "in> " << inputLine << "\n" << written << "\n";
    } else if (core.checkNumericInfixSyntax()) {
        if (answerNumerical(mode)) return LineOutcome::endBatch(kLineDone);
    } else if (core.checkSymbolicInfixSyntax()) {
        if (answerSymbolic(mode, code == kMatrixExpression, statementText)) return LineOutcome::endBatch(kLineDone);
    } else {
        answerPluginCall();
    }
    output << "\n" << kPrompt;
    return LineOutcome::nextLine();
}

bool Calculator::answeredByScript(const std::string &text, bool clearStreams) {
    const int status = runPrintStatement(core, text);
    if (clearStreams) clearAnswerStreams();
    if (status != 0) return false;
    output << printedValue() << "\n" << kPrompt;
    return true;
}

bool Calculator::answerNumerical(int32_t mode) {
    commandText = core.prepareExpression();
    if (mode & kFractionBit) {
        core.setExpression(core.tokenizeFractionInfix());
        core.ConvertFractionInfixToPostfix();
        const std::string postfix = core.InsertCommaInPostfix();
        output << "\nout> ";
        const std::string value = core.EvalFractionPostfixExpression(postfix);
        output << value << "\n";
        if (core.getExpand() == 1) output << "ans: " << expandedFraction(value) << "\n" << "\n";
    } else {
        if (!(mode & kCmdBit) && scriptAttemptAllowed(core)) {
            if (answeredByScript(inputLine, false)) return true;
            vm_print_result_clear();
            core.setExpression(commandText); // the script's arithmetic may have used the engine
        }
        core.setExpression(core.tokenizeInfix());
        core.ConvertInfixToPostfix();
        const std::string postfix = core.getPostfix();
        output << "\nout> " << core.EvalPostfixExpression(postfix);
    }
    output << kSeparator << "\n";
    return false;
}

bool Calculator::answerSymbolic(int32_t mode, bool matrixExpression, const std::string &statementText) {
    if (mode & kPolynBit) {
        if (poly_vars.empty()) {
            core.prepareExpression();
            core.setExpression(core.tokenizePolynInfix());
            core.ConvertPolynInfixToPostfix();
            output << "\nout> " << polyn_eval_postfix(core.InsertCommaInPolynPostfix(), true);
        } else {
            output << "\nout> " << core.multiPolynValue(true, false);
        }
    } else if (mode & kComplexBit) {
        core.preparePolynExpression();
        core.setExpression(core.tokenizeMultiPolynInfix());
        core.ConvertComplexInfixToPostfix();
        output << "\nout> " << core.complexPostfixEval(core.InsertCommaInMultiPolynPostfix());
    } else {
        // Symbols are tried on the line as typed: the script knows its own names.
        if (answeredByScript(statementText, true)) return true;
        core.setExpression(inputLine);
        core.prepareExpression();
        if (mode & kFractionBit) {
            core.setExpression(core.tokenizeSymbolicInfix());
            core.ConvertFractionInfixToPostfix();
            const std::string postfix = core.InsertCommaInPostfix();
            output << "\nout> ";
            if (matrixExpression) {
                writeMatrixExpression(postfix);
            } else {
                const std::string value = core.EvalFractionPostfixExpression(postfix);
                output << value;
                if (core.getExpand() == 1) output << " ==> " << expandedFraction(value) << "\n" << "\n";
            }
        } else {
            core.setExpression(core.tokenizePolynInfix());
            core.ConvertPolynInfixToPostfix();
            const std::string postfix = core.InsertCommaInPolynPostfix();
            output << "\nout> ";
            if (matrixExpression) writeMatrixExpression(postfix);
            else output << polyn_eval_postfix(postfix, true);
        }
    }
    output << kSeparator << "\n";
    return false;
}

void Calculator::writeMatrixExpression(const std::string &postfix) {
    if (EvalMatrixPostfixExpression(postfix, output) < 0) output << "\nerror> ";
}

// A fraction n|d shown with its numerator and denominator evaluated apart.
std::string Calculator::expandedFraction(const std::string &value) {
    auto evaluate = [this](const std::string &text) {
        std::string v;
        core.EvalInfixExprNoOutput(text, v, 0);
        return v;
    };
    const size_t bar = value.find('|');
    if (bar == std::string::npos) return evaluate(value);
    return evaluate(value.substr(0, bar)) + "|" + evaluate(value.substr(bar + 1));
}

void Calculator::answerPluginCall() {
    std::vector<std::string> groups;
    if (!match_plugin_call_pattern(inputLine, groups)) {
        core.setErrorMessage(kNotAnExpression);
        output << syntaxReportText(core.getErrorMessage()) << "\n";
        return;
    }
    // The argument text (group 5) is not passed on.
    callPluginModules(*this, groups[1], groups[3]);
}
