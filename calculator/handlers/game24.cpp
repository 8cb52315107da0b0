// The 24-game commands eq24, suo and suo24: four numbers and an optional target (24 when
// none is given) handed to the solver, which writes every solution; the count closes.
#include <array>
#include <string>

#include "Calculator.h"
#include "globals.h"
#include "handlers/families.h"
#include "handlers/handler_frame.h"
#include "interpreter/texts.h"
#include "solvers/game24.h"
#include "tools.h"

namespace {

// Cuts num1..num4 and the target: commas after the "(", a ";" after the third comma, all up
// to the first ")". False when a mark is missing or out of order.
bool cutGame(const std::string &text, std::array<std::string, 5> &texts) {
    const size_t open = text.find('(');
    if (open == std::string::npos) return false;
    std::array<size_t, 3> commas{};
    size_t from = 0;
    for (size_t &comma : commas) {
        comma = text.find(',', from);
        if (comma == std::string::npos) return false;
        from = comma + 1;
    }
    const size_t close = text.find(')');
    if (close == std::string::npos || close < commas[2] || commas[0] < open) return false;
    const size_t semicolon = text.find(';', commas[2] + 1);
    const size_t end4 = semicolon != std::string::npos && semicolon < close ? semicolon : close;
    texts[0] = text.substr(open + 1, commas[0] - open - 1);
    texts[1] = text.substr(commas[0] + 1, commas[1] - commas[0] - 1);
    texts[2] = text.substr(commas[1] + 1, commas[2] - commas[1] - 1);
    texts[3] = text.substr(commas[2] + 1, end4 - commas[2] - 1);
    texts[4] = end4 == close ? "24" : text.substr(semicolon + 1, close - semicolon - 1);
    return true;
}

void cmd_eq24(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::array<std::string, 5> texts;
    if (!cutGame(calculator.commandText, texts)) return writeShapeHint(out);
    bool good = true;
    for (std::string &t : texts) {
        if (!isInfixValid(t) || !hasDigit(t)) {
            out << "hint> " << t << hintMessage(Hint::NotDecimalNumber) << "\n";
            good = false;
        } else if (!isAllDigits(t)) {
            t = "(" + t + ")";
        }
    }
    if (!good) return writeClosingBlock(out);
    out << "\n";
    const int count = solve24(calculator.core, calculator.operatorChars, used_variable_names, undefined_names,
                              calculator.variables, texts[0], texts[1], texts[2], texts[3], texts[4], out);
    if (count > 0) {
        out << "\n" << kRule << "\n" << "\n" << "Total: " << count << "\n" << "\n" << kPrompt;
    } else {
        out << "No solution.\n" << "\n" << kPrompt;
    }
}

constexpr HandlerCase kCases[] = {
    {"eq24", cmd_eq24},
    {"suo", cmd_eq24},
    {"suo24", cmd_eq24},
};

} // namespace

std::span<const HandlerCase> game24_handlers() { return kCases; }
