// Temporary definitions of the multi-variable polynomial services. The evaluators answer a
// clear "not available" text, never a value, so that callers and tests cannot mistake them
// for results. Remove them when the multi-variable code lands.
#include "polynomial/pending.h"

#include "BigNumber.h"
#include "globals.h"

int multipolyn_substitute(const std::string &expression, std::string &out) {
    if (expression.empty()) return 0;
    out = expression;
    for (size_t k = poly_varnames.size(); k-- > 1;)
        BigNumber::replaceAll(out, poly_varnames[k].name, poly_varnames[k].internalName);
    return int(poly_vars.size());
}

std::string multipolyn_eval_postfix_text(const std::string &) { return kMultiPolynPending; }

std::string multipolyn_apply_op_text(const std::array<std::string, 3> &) { return kMultiPolynPending; }
