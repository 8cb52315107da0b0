// fuzz-links: kavlo_engine
// Arbitrary text through the workers of diff and lim. The first byte picks the worker; for
// the limit the rest is cut at the first two line ends into the expression, the variable
// and the point. Every text must give an answer: no crash, no hang, no sanitizer report.
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>

#include "calculus.h"
#include "globals.h"

namespace {

// Texts beyond this take the same roads, only longer.
constexpr size_t MAX_TEXT = 1000;

// The rules that the calculator appends at start-up.
void addCalculatorRules() {
    derivative_rules = {{"sin", "cos", 1, 1}, {"cos", "sin", -1, 1}, {"tan", "sec", 1, 2}, {"exp", "exp", 1, 1}};
}

std::string field(const std::string &text, size_t &at) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string f = text.substr(at, end - at);
    at = end < text.size() ? end + 1 : end;
    return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // The trace of diff and the engine's diagnostics go to standard output.
    static const bool ready = (std::cout.rdbuf(nullptr), addCalculatorRules(), true);
    (void)ready;
    if (size < 1 || size - 1 > MAX_TEXT) return 0;
    const std::string text(reinterpret_cast<const char *>(data + 1), size - 1);
    // A numerical text is differentiated as its value: factorials there are the evaluator's
    // (fuzzed on their own), and their huge values only swell the memory of a long run.
    if (text.find('!') != std::string::npos) return 0;
    if (data[0] % 2 == 0) {
        std::ostringstream out;
        diff_expression(text, out);
    } else {
        size_t at = 0;
        std::string expression = field(text, at), variable = field(text, at), point = field(text, at);
        Limit(expression, variable, point);
    }
    return 0;
}
