// Temporary: the evaluation driver arrives with the expression pipeline. Until then the
// term paths of the arithmetic get this clear answer instead of a value.
#include "BigNumber.h"

void BigNumber::EvalInfixExprNoOutput(const std::string &, std::string &v, int32_t) {
    v = "evaluation: not available yet";
}
