// The 24 game: every template of four numbers whose exact value is the target.
#include "BigNumber.h"
#include "solvers.h"

namespace {

// The template with each letter a, b, c, d replaced by its number text; operators and
// brackets stay, nothing is added.
std::string substituted(const std::string &pattern, const std::array<std::string, 4> &numbers) {
    std::string out;
    for (char ch : pattern) {
        if (ch >= 'a' && ch <= 'd')
            out += numbers[size_t(ch - 'a')];
        else
            out += ch;
    }
    return out;
}

// A lone number keeps the denominator 1 in the exact evaluator ("24|1"), a computed integer
// has none ("24"): one form for both.
const std::string &wholeFraction(std::string &value) {
    if (value.ends_with("|1")) value.resize(value.size() - 2);
    return value;
}

} // namespace

// A hit is decided by the exact value: the target (an expression such as (0-1) or 1/2 too) is
// evaluated as the templates are, and the two value texts compared. Repeated lines are kept:
// two templates that take the same value print the same solution twice.
int BigNumber::solve24Templates(const std::array<std::string, 4> &numbers, const std::string &target,
                                std::ostream &out) {
    int count = 0;
    std::string value, targetValue;
    EvalInfixExprNoOutput(target, targetValue, 1);
    wholeFraction(targetValue);
    for (const std::string &pattern : game24_templates()) {
        std::string expression = substituted(pattern, numbers);
        EvalInfixExprNoOutput(expression, value, 1);
        if (wholeFraction(value) != targetValue) continue;
        count++;
        out << expression << "==" << target << "\n";
    }
    return count;
}
