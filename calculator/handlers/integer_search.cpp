// The integer searches: squaresum, cubicsum, cubicsum2, solve_x3plusy3_zn,
// solve_n3plus_until_m3_eq_p3, subset.
#include <climits>
#include <sstream>
#include <string>
#include <vector>

#include "Calculator.h"
#include "handlers/families.h"
#include "handlers/handler_frame.h"
#include "number_routines.h"
#include "tools.h"

namespace {

// The arguments between "(", the first "," (and the next), and the first ")": false when
// the positions are out of order; a missing ")" lets the last run to the end.
bool searchArguments(const std::string &text, size_t count, std::vector<std::string> &arguments) {
    const size_t open = text.find('(');
    if (open == std::string::npos) return false;
    std::vector<size_t> marks = {open};
    for (size_t i = 1; i < count; i++) {
        const size_t comma = text.find(',', marks.back() + 1);
        if (comma == std::string::npos) return false;
        marks.push_back(comma);
    }
    size_t close = text.find(')');
    if (close == std::string::npos) close = text.size();
    if (close < marks.back()) return false;
    marks.push_back(close);
    arguments.clear();
    for (size_t i = 0; i < count; i++) arguments.push_back(text.substr(marks[i] + 1, marks[i + 1] - marks[i] - 1));
    return true;
}

// The arguments of a search: digits, not empty. The hint names the first two.
bool searchDigits(Calculator &calculator, size_t count, std::vector<std::string> &arguments, Hint hint,
                  std::ostream &out, const char *head = "") {
    if (!searchArguments(calculator.commandText, count, arguments)) {
        writeShapeHint(out);
        return false;
    }
    for (const std::string &argument : arguments)
        if (!isDigitsArgument(argument)) {
            out << head;
            writeHint(out, arguments[0], arguments[1], hint);
            return false;
        }
    return true;
}

using PowerSearch = void (*)(const std::string &, const std::string &, std::ostream &);

// squaresum and cubicsum: the expressions found, one a line, after "out> ".
void answerPowerSearch(Calculator &calculator, PowerSearch search) {
    std::ostream &out = startAnswer(calculator);
    std::vector<std::string> arguments;
    if (!searchDigits(calculator, 2, arguments, Hint::NotDecimalNumber, out)) return;
    out << "out> \n";
    search(arguments[0], arguments[1], out);
    writeClosingBlock(out);
}

void squareSearch(const std::string &max, const std::string &n, std::ostream &out) { squaresum_search(max, n, out); }
void cubeSearch(const std::string &max, const std::string &n, std::ostream &out) { cubicsum_search(max, n, out); }

void cmd_squaresum(Calculator &calculator) { answerPowerSearch(calculator, squareSearch); }
void cmd_cubicsum(Calculator &calculator) { answerPowerSearch(calculator, cubeSearch); }

void cmd_cubicsum2(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::vector<std::string> arguments;
    if (!searchDigits(calculator, 3, arguments, Hint::NotDecimalNumber, out, "error:\n")) return;
    out << "out> \n";
    cubicsum2_search(arguments[0], arguments[1], arguments[2], out);
    writeClosingBlock(out);
}

using CubeSearch = int64_t (*)(BigNumber &, const std::string &, const std::string &, std::ostream &);

void answerCubeSearch(Calculator &calculator, CubeSearch search, bool ordered) {
    std::ostream &out = startAnswer(calculator);
    std::vector<std::string> arguments;
    if (!searchDigits(calculator, 2, arguments, Hint::NonDigit, out)) return;
    if (ordered && calculator.core.isGreaterThan(arguments[0], arguments[1])) std::swap(arguments[0], arguments[1]);
    out << "out> ";
    const int64_t count = search(calculator.core, arguments[0], arguments[1], out);
    out << "\n---------\nTotal: " << count << " solutions.\n\n";
    writeClosingBlock(out);
}

void cmd_solve_x3plusy3_zn(Calculator &calculator) { answerCubeSearch(calculator, solve_x3plusy3_zn_search, true); }

void cmd_solve_n3plus_until_m3_eq_p3(Calculator &calculator) {
    answerCubeSearch(calculator, consecutive_cube_sum_search, false);
}

void cmd_subset(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::vector<std::string> arguments;
    if (!searchDigits(calculator, 2, arguments, Hint::NonDigit, out)) return;
    if (calculator.core.isLessThan(arguments[0], arguments[1])) {
        out << "Error: " << arguments[0] << " is less than " << arguments[1] << ".\n>> ";
        return;
    }
    int64_t n = 0, m = 0;
    if (!boundedInteger(out, arguments[0], 0, INT32_MAX, n) || !boundedInteger(out, arguments[1], 0, INT32_MAX, m))
        return;
    std::ostringstream vectors;
    const int answer = list_subsets(int(n), int(m), vectors);
    out << vectors.str();
    writeAnswer(out, std::to_string(answer));
}

constexpr HandlerCase kCases[] = {
    {"squaresum", cmd_squaresum},
    {"cubicsum", cmd_cubicsum},
    {"cubicsum2", cmd_cubicsum2},
    {"solve_x3plusy3_zn", cmd_solve_x3plusy3_zn},
    {"solve_n3plus_until_m3_eq_p3", cmd_solve_n3plus_until_m3_eq_p3},
    {"subset", cmd_subset},
};

} // namespace

std::span<const HandlerCase> integer_search_handlers() { return kCases; }
