// Linear programs 'max z=...' and 'min z=...', and the echo of an expression line while the
// mode name is "LP". A program is read from its line alone: one without its closing ";"
// is refused, never continued from a standard input that a desktop program does not have.
// The simplex method prints the problem, every tableau and the solution; no prompt follows.
#include <sstream>

#include "Calculator.h"
#include "classifier/classifier.h"
#include "interpreter/texts.h"
#include "linear_program.h"
#include "tools.h"
#include "variables/symbol_table.h"

namespace {

constexpr char kUnfinishedProgram[] = "hint> The linear program has no closing \";\". Type the whole problem "
                                      "on one line and end it with \";\", "
                                      "such as: max z=3x_1+2x_2, x_1+x_2<=4, x_1<=3;";

// The names of a program stay registered as polynomial variables: its decision variables,
// then the objective's name, then the slacks.
void registerProgramNames(const LpProblem &problem) {
    std::ostringstream scratch;
    const size_t decisions = problem.columnNames.size() - problem.slackNames.size();
    for (size_t j = 1; j < decisions; j++) declare_poly_variable(problem.columnNames[j], scratch);
    declare_poly_variable(problem.objectiveName, scratch);
    for (const auto &slack : problem.slackNames) declare_poly_variable(slack, scratch);
}

} // namespace

Calculator::LineOutcome Calculator::answerProgram(const InputStatement &statement) {
    std::string objectiveName = statement.arg;
    trim(objectiveName); // "max z = ..." names z, not "z "
    LpProblem problem(statement.kind == kMaximise ? 1 : 0, objectiveName);
    problem.setArithmeticMode(core.getMode());
    const std::string problemText = statement.name + " " + objectiveName + "=";
    if (!lp_parse_problem(problem, objectiveName, statement.value, problemText)) {
        output << kUnfinishedProgram << "\n" << kPrompt;
        return LineOutcome::nextLine();
    }
    lp_run(problem, output);
    registerProgramNames(problem);
    return LineOutcome::nextLine();
}

void Calculator::writeProgramEcho(const std::string &line) {
    std::string keyword, left, right;
    for (const char *candidate : {"max", "min"}) {
        if (line.compare(0, 3, candidate) == 0) {
            keyword = candidate;
            break;
        }
    }
    const size_t eq = line.find('=');
    if (!keyword.empty() && eq != std::string::npos) {
        left = line.substr(keyword.size(), eq - keyword.size());
        trim(left);
        right = line.substr(eq + 1);
    }
    output << "LP> " << keyword << " " << left << "=" << right << "\n";
    core.setMode(kNumericalMode);
}
