// Linear programs 'max z=...' and 'min z=...', and the echo of an expression line while the
// mode name is "LP". A program is read from its line alone: one without its closing ";"
// is refused, never continued from a standard input that a desktop program does not have.
#include "Calculator.h"
#include "interpreter/texts.h"
#include "pending.h"
#include "tools.h"

namespace {

constexpr char kProgramEnd = ';';
constexpr char kUnfinishedProgram[] =
    "hint> The linear program has no closing \";\". Type the whole problem on one line and end it with \";\", "
    "such as: max z=3x_1+2x_2, x_1+x_2<=4, x_1<=3;";

} // namespace

Calculator::LineOutcome Calculator::answerProgram(const InputStatement &statement) {
    if (statement.value.find(kProgramEnd) == std::string::npos) {
        output << kUnfinishedProgram << "\n" << kPrompt;
        return LineOutcome::nextLine();
    }
    runLinearProgram(*this, statement);
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
    core.setMode(0);
}
