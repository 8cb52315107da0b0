#include "solvers/game24.h"

#include <sstream>

#include "variables/symbol_table.h"

int solve24(BigNumber &engine, const std::vector<char> &, std::set<std::string> &usedNames,
            std::set<std::string> &, VariableTable &variables, const std::string &a, const std::string &b,
            const std::string &c, const std::string &d, const std::string &target, std::ostream &output) {
    const std::array<std::string, 4> numbers = {a, b, c, d};
    const char *const names[] = {"a", "b", "c", "d"};
    std::ostringstream ignored; // the four names are identifiers: nothing is written
    for (size_t k = 0; k < numbers.size(); k++)
        define_variable(names[k], numbers[k], usedNames, variables, ignored, 1);
    int count = engine.solve24Templates(numbers, target, output);
    for (const char *name : names) remove_variable(name, usedNames, variables);
    return count;
}
