// The answer texts of the number-theory command transcripts, spelled once.
#pragma once

#include <string>

#include "handler_test_support.h"

namespace numbers {
using handler_texts::answer;
using handler_texts::closing;
using handler_texts::hint;
using handler_texts::shapeHint;
// The closing without its first line end, after text that ends with one.
inline const std::string closingBlock = "\n" + texts::rule + "\n\n" + texts::prompt;

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
