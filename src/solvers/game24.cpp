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

} // namespace

// A hit is decided by the text of the exact value alone, and repeated lines are kept: two
// templates that take the same value print the same solution twice.
int BigNumber::solve24Templates(const std::array<std::string, 4> &numbers, const std::string &target,
                                std::ostream &out) {
    int count = 0;
    std::string value;
    for (const std::string &pattern : game24_templates()) {
        std::string expression = substituted(pattern, numbers);
        EvalInfixExprNoOutput(expression, value, 1);
        if (value != target) continue;
        count++;
        out << expression << "==" << target << "\n";
    }
    return count;
}
