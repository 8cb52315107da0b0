// fuzz-links: kavlo_calculator
// Arbitrary text as the argument of the matrix commands and as the postfix text of a
// matrix expression, on one Calculator with a few matrix variables that lives across
// inputs (the results the commands store stay, as in a session). The first byte picks the
// fraction mode. Every input must end without a crash, a hang or a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <iterator>
#include <string>

#include "Calculator.h"
#include "matrix/matrix_commands.h"
#include "matrix/matrix_variables.h"

namespace {

Calculator &session() {
    static Calculator *calculator = [] {
        auto *c = new Calculator;
        c->setOperatorChars();
        storeMatrixVariable(*c, "A", KV_Matrix(std::vector<std::string>{"1", "2", "3", "4"}, 2, 2));
        storeMatrixVariable(*c, "B", KV_Matrix(std::vector<std::string>{"1|2", "x", "0", "-3"}, 2, 2));
        storeMatrixVariable(*c, "C", KV_Matrix(3, 2, "1"));
        return c;
    }();
    return *calculator;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // Singular matrices and shape failures are reported on standard output.
    static const bool quiet = (std::cout.rdbuf(nullptr), true);
    (void)quiet;
    if (size == 0 || size > 512) return 0;
    Calculator &calculator = session();
    calculator.core.setMode(data[0] & 1);
    const std::string text(reinterpret_cast<const char *>(data + 1), size - 1);
    using Handler = void (*)(Calculator &);
    const std::pair<const char *, Handler> commands[] = {
        {"transpose", cmd_transpose}, {"rank", cmd_rank},   {"inv", cmd_inv},
        {"det", cmd_det},             {"QR", cmd_QR},       {"transform", cmd_transform},
        {"E", cmd_E},                 {"DetExpansion", cmd_DetExpansion}, {"CofactorMatrix", cmd_CofactorMatrix}};
    for (auto [name, handler] : commands) {
        for (const std::string &line : {std::string(name) + "(" + text + ")", std::string(name) + text}) {
            calculator.inputLine = line;
            calculator.commandText = line;
            handler(calculator);
        }
    }
    calculator.output.str("");
    calculator.EvalMatrixPostfixExpression(text, calculator.output);
    calculator.clearAnswerStreams();
    // The results stay as in a session, but not without end: each E keeps a new name.
    if (calculator.variables.size() > 200) {
        for (auto it = calculator.variables.begin(); it != calculator.variables.end();) {
            bool seeded = it->first == "A" || it->first == "B" || it->first == "C";
            it = seeded ? std::next(it) : calculator.variables.erase(it);
        }
    }
    return 0;
}
