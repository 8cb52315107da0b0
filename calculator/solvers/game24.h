// The 24 game on the Calculator: the four numbers are put into the solver's templates; the
// symbol table is left as it was.
#pragma once

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "BigNumber.h"
#include "variables/variable.h"

// Writes every template expression of the four number texts whose exact value is the
// target's exact value, one line each ("expression==target"), and returns their count. Numbers
// that are not all digits arrive in brackets. The operator characters and the set of
// undefined names belong to the interpreter's substitution, which the search does not need:
// it puts the number texts straight into the templates.
int solve24(BigNumber &engine, const std::vector<char> &operatorChars, std::set<std::string> &usedNames,
            std::set<std::string> &undefinedNames, VariableTable &variables, const std::string &a,
            const std::string &b, const std::string &c, const std::string &d, const std::string &target,
            std::ostream &output);
