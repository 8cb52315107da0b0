// fuzz-links: kavlo_engine
// Arbitrary text through the evaluation driver, in numerical and fraction mode and in the
// polynomial mode, in the main variable and in several variables (with the variables y and
// z declared, through the evaluator's road and through the interpreter's, which registers
// the names x_k of the text), on an engine of small precision: every input must give an
// answer text without a crash, a hang or a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <string>

#include "BigNumber.h"
#include "globals.h"
#include "multipolyn.h"

namespace {

void declareVariables() {
    poly_vars.clear();
    poly_varnames.clear();
    poly_internal_names.clear();
    poly_registry_add("y");
    poly_registry_add("z");
}

void emptyRegistry() {
    poly_vars.clear();
    poly_varnames.clear();
    poly_internal_names.clear();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // The evaluators' diagnostics for malformed postfix texts and the traces of the
    // several-variable road go to standard output.
    static const bool quiet = (std::cout.rdbuf(nullptr), true);
    (void)quiet;
    if (size > 4096) return 0;  // long texts add run time, not new paths
    const std::string text(reinterpret_cast<const char *>(data), size);
    for (int32_t flags : {0, 1, 2}) {  // the polynomial mode reads no fraction bit
        BigNumber bn;
        bn.setPrecision(8);
        std::string answer;
        bn.EvalInfixExprNoOutput(text, answer, flags);
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
    return 0;
}
