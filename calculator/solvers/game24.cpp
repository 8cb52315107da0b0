#include "solvers/game24.h"

#include <sstream>

#include "variables/symbol_table.h"

// The numbers go straight into the templates: the user's variables (a to d among them) are
// neither read nor changed.
int solve24(BigNumber &engine, const std::vector<char> &, std::set<std::string> &, std::set<std::string> &,
            VariableTable &, const std::string &a, const std::string &b, const std::string &c, const std::string &d,
            const std::string &target, std::ostream &output) {
    return engine.solve24Templates({a, b, c, d}, target, output);
}
