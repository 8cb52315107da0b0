// Transcripts of the command handlers: typed lines and the exact text the terminal shows.
// Above the script's precision limit no script answers a call first, so every line reaches
// its handler; rows that need another precision set it in the line before.
#pragma once

#include <string>
#include <vector>

#include "calculator_test_support.h"

namespace handler_texts {

inline const std::string closing = "\n\n" + texts::rule + "\n\n" + texts::prompt;
inline std::string answer(const std::string &value) { return "out> " + value + closing; }
inline std::string hint(const std::string &text) { return "hint> " + text + closing; }
inline const std::string shapeHint = hint("the input is wrong.");
inline const std::string unclosed = hint("the input is wrong (missing ')' or mismatched parentheses).");

} // namespace handler_texts

// The first precision at which calls go straight to their handlers.
constexpr int32_t kHandlerPrecision = 1001;

// Types each row's line at kHandlerPrecision (set again before every row) and compares what
// is shown. Gives what the lines printed on the standard output besides.
inline std::string expectHandlerTranscript(Calculator &calculator, const std::vector<TranscriptRow> &rows) {
    std::string printed;
    for (const TranscriptRow &row : rows) {
        calculator.core.setPrecision(kHandlerPrecision);
        printed += captureStdout([&] { processInputLine(row.typed, calculator); });
        EXPECT_EQ(shownText(calculator), row.shown) << "typed: \"" << row.typed << "\"";
    }
    return printed;
}
