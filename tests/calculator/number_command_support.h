// The answer texts of the number-theory command transcripts, spelled once.
#pragma once

#include <string>

#include "calculator_test_support.h"

namespace numbers {
// After a value: a line end, the rule between line ends, the prompt.
inline const std::string closing = "\n\n" + texts::rule + "\n\n" + texts::prompt;
// The closing without its first line end, after text that ends with one.
inline const std::string closingBlock = "\n" + texts::rule + "\n\n" + texts::prompt;
inline std::string answer(const std::string &value) { return "out> " + value + closing; }
inline std::string hint(const std::string &text) { return "hint> " + text + closing; }
inline const std::string shapeHint = hint("the input is wrong.");

// A calculator whose lines reach the command handlers: above this precision the script
// attempt, whose natives answer some of these names, is skipped.
struct HandlerCalculator {
    Calculator calculator;
    explicit HandlerCalculator(int precision = 1001) {
        calculator.setOperatorChars();
        calculator.core.setPrecision(precision);
    }
};
} // namespace numbers
