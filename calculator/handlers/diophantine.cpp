// The linear Diophantine equation command IndefiniteEquation(a1,...,aK;b).
#include <string>
#include <vector>

#include "Calculator.h"
#include "handlers/families.h"
#include "handlers/handler_frame.h"
#include "handlers/number_arguments.h"
#include "solvers.h"

namespace {

void cmd_IndefiniteEquation(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string argument;
    if (!lastCloseRest(calculator, argument, out)) return;
    const size_t semicolon = argument.find(';');
    const bool rightSide = semicolon != std::string::npos;
    const std::string b = rightSide ? argument.substr(semicolon + 1) : "1";
    const std::string coefficientText = argument.substr(0, semicolon);
    std::vector<std::string> coefficients;
    if (coefficientText.find(',') == std::string::npos || !itemList(calculator, coefficientText, coefficients)) {
        out << "syntax> IndefiniteEquation(a1,a2,...,aK;b)\n";
        writeClosingBlock(out);
        return;
    }
    // The solvers say when the texts are no integers, when there is no solution, and when
    // every value solves the equation.
    if (coefficients.size() == 2) {
        if (!rightSide) out << "out> ";
        const int solved = solve_linear_diophantine2(coefficients[0], coefficients[1], out, b);
        if (!rightSide) out << solved << "\n";
    } else {
        std::vector<std::string> lines;
        solve_indefinite_equation(coefficients, b, lines, out);
        out << "---------------\n";
        for (const std::string &line : lines) out << line << "\n";
    }
    writeClosingBlock(out);
}

constexpr HandlerCase kCases[] = {
    {"IndefiniteEquation", cmd_IndefiniteEquation},
};

} // namespace

std::span<const HandlerCase> diophantine_handlers() { return kCases; }
