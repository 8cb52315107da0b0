// Temporary definitions of what other parts of the engine will provide. Each answers a
// clear "not available" text, never a value, so that callers and tests cannot mistake
// them for results. Remove an entry when its real definition lands.
#include "pending.h"

#include "BigNumber.h"
#include "globals.h"

std::string &BigNumber::power(const std::string &, const std::string &) {
    result = "power: not available yet";
    return result;
}

std::string &BigNumber::factorial_operator(const std::string &, const std::string &) {
    result = "factorial: not available yet";
    return result;
}

std::string &BigNumber::sine(const std::string &) {
    result = "sin: not available yet";
    return result;
}

std::string &BigNumber::cosine(const std::string &) {
    result = "cos: not available yet";
    return result;
}

std::string BigNumber::EvalFractionPostfixExprNoOutput(std::string) {
    return "fraction evaluation: not available yet";
}

std::string polyn_eval_postfix(const std::string &, bool) { return "polynomial evaluation: not available yet"; }

int multipolyn_substitute(const std::string &expression, std::string &out) {
    if (expression.empty()) return 0;
    out = expression;
    for (size_t k = poly_varnames.size(); k-- > 1;)
        BigNumber::replaceAll(out, poly_varnames[k].name, poly_varnames[k].internalName);
    return int(poly_vars.size());
}

std::string multipolyn_eval_postfix_text(const std::string &) {
    return "multi-variable polynomial evaluation: not available yet";
}
