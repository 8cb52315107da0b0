// Temporary definitions of the polynomial services that the evaluation driver's polynomial
// roads end in. The evaluators answer a clear "not available" text, never a value, so that
// callers and tests cannot mistake them for results. Remove them when the polynomial code lands.
#include "polynomial/pending.h"

#include "BigNumber.h"
#include "globals.h"

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
