// fuzz-links: kavlo_calculator
// One typed line for the interpreter: the line entry's bracket test, the matrix-line
// normalisation, classification and the batch loop, on one Calculator that lives across
// inputs as the terminal's does. Line ends cut the input into a batch for the loop as well.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Calculator.h"
#include "entry/line_entry.h"

namespace {

Calculator &session() {
    static Calculator *calculator = [] {
        auto *c = new Calculator;
        c->setOperatorChars();
        return c;
    }();
    return *calculator;
}

std::vector<std::string> linesOf(const std::string &text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    Calculator &calculator = session();
    std::string text(reinterpret_cast<const char *>(data), size);
    processInputLine(text, calculator);
    calculator.clearAnswerStreams();
    calculator.dealWithInputCommand(linesOf(text));
    calculator.clearAnswerStreams();
    return 0;
}
