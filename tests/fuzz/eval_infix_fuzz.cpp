// fuzz-links: kavlo_engine
// Arbitrary text through the evaluation driver, in numerical and fraction mode and in the
// polynomial mode, in the main variable and in several variables (with the variables y and
// z declared, through the evaluator's road and through the interpreter's, which registers
// the names x_k of the text), on an engine of small precision: every input must give an
// answer text without a crash, a hang or a sanitizer report. A text of exact operations only
// (numbers, + - * and brackets) must give the same value in numerical and in fraction mode.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <string>

#include "BigNumber.h"
#include "fuzz_checks.h"
#include "globals.h"
#include "multipolyn.h"

namespace {

// Digits, points inside numbers, + - * and brackets (a lone point is no number: the two
// roads read it differently).
bool onlyExactOperations(const std::string &text) {
    if (text.empty() || text.find_first_not_of("0123456789.+-*()") != std::string::npos) return false;
    for (size_t i = 0; i < text.size(); i++)
        if (text[i] == '.' && (i == 0 || i + 1 == text.size() || !std::isdigit(static_cast<unsigned char>(text[i - 1])) ||
                               !std::isdigit(static_cast<unsigned char>(text[i + 1]))))
            return false;
    return true;
}

void emptyRegistry() {
    poly_vars.clear();
    poly_varnames.clear();
    poly_internal_names.clear();
}

void declareVariables() {
    emptyRegistry();
    poly_registry_add("y");
    poly_registry_add("z");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // The evaluators' diagnostics for malformed postfix texts and the traces of the
    // several-variable road go to standard output.
    static const bool quiet = (std::cout.rdbuf(nullptr), true);
    (void)quiet;
    if (size > 4096) return 0;  // long texts add run time, not new paths
    const std::string text(reinterpret_cast<const char *>(data), size);
    std::string answers[3];
    for (int32_t flags : {0, 1, 2}) {  // the polynomial mode reads no fraction bit
        BigNumber bn;
        bn.setPrecision(8);
        bn.setMode(flags & 1);
        bn.EvalInfixExprNoOutput(text, answers[flags], flags);
    }
    declareVariables();
    {
        BigNumber bn;
        bn.setPrecision(8);
        std::string answer;
        bn.EvalInfixExprNoOutput(text, answer, 2);
        bn.setExpression(text);
        if (bn.checkSymbolicInfixSyntax()) bn.multiPolynValue(true, false);
    }
    emptyRegistry();
    if (!onlyExactOperations(text) || size > 200) return 0;
    fuzz::Rational numerical, fraction;
    bool a = fuzz::parseRational(answers[0], numerical), b = fuzz::parseRational(answers[1], fraction);
    if (a && b)
        fuzz::require(fuzz::sameValue(numerical, fraction),
                      "'" + text + "': " + answers[0] + " in numerical mode, " + answers[1] + " in fraction mode");
    return 0;
}
