// Shared helpers of the calculator tests: what the terminal shows after a line, and captured
// standard output.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Calculator.h"
#include "entry/line_entry.h"
#include "text/string_utils.h"

// What the terminal shows after a line: the first non-empty text of the engine's wide
// stream, the output and the engine's narrow stream. All three are emptied, as the terminal
// does after reading them.
inline std::string shownText(Calculator &calculator) {
    std::string shown = wide_to_utf8(calculator.core.wideStream.str());
    if (shown.empty()) shown = calculator.output.str();
    if (shown.empty()) shown = calculator.core.outStream.str();
    calculator.clearAnswerStreams();
    return shown;
}

// A symbol-table entry with only its value text and type code, as substitution reads it.
inline void defineEntry(Calculator &calculator, const std::string &name, const std::string &valueText, int code) {
    SymbolEntry &e = calculator.variables[name];
    e.name = name;
    e.valueText = valueText;
    e.typeCode = code;
}

inline std::string captureStdout(const std::function<void()> &body) {
    ::testing::internal::CaptureStdout();
    body();
    std::fflush(stdout);
    return ::testing::internal::GetCapturedStdout();
}

// One row of a terminal transcript: the typed line and the exact text shown for it.
struct TranscriptRow {
    std::string typed;
    std::string shown;
};

// Types the lines one after another, as the terminal hands them over, and compares what is
// shown for each. Gives what the lines wrote on the standard output stream besides.
inline std::string expectTranscript(Calculator &calculator, const std::vector<TranscriptRow> &rows) {
    std::string printed;
    for (const TranscriptRow &row : rows) {
        printed += captureStdout([&] { processInputLine(row.typed, calculator); });
        EXPECT_EQ(shownText(calculator), row.shown) << "typed: \"" << row.typed << "\"";
    }
    return printed;
}

// The whole content of a temporary file written through a FILE handle.
inline std::string fileText(FILE *file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    char buffer[256];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
    return text;
}

// The texts of this layer's answers, spelled once for all tests.
namespace texts {
inline const std::string prompt = ">> ";
inline const std::string rule = "------------------------";
inline const std::string entryBracketError =
    "\nError[1011]> The symbols () [] {} are NOT matched, please input again.\n" + rule + "\n\n" + prompt;
inline const std::string interpreterBracketError =
    "\nError[1012]> The symbols () [] {} are NOT matched, please input again.\n" + rule + "\n\n";
inline const std::string inputError =
    "Info[dealWithInputCommand]> The input is error.\n--------------------------------\n" + prompt;
inline const std::string farewell = "欢迎再次使用 Kavlo!\n再会!\n";
inline std::string lastAnswer(const std::string &value) {
    return "\nout> " + value + "\n\n" + rule + "\n\n" + prompt;
}
inline std::string notDefined(const std::string &name) {
    return ">> function " + name + "() is not defined.\n\n" + prompt;
}
// An expression answered by the script attempt, and one answered by the engine.
inline std::string scriptAnswer(const std::string &value) {
    return value + "\n" + prompt;
}
// The end of an expression answered by the engine: the rule and the prompt.
inline const std::string expressionEnd = "\n" + rule + "\n\n\n" + prompt;
inline std::string engineAnswer(const std::string &value) {
    return "\nout> " + value + expressionEnd;
}
inline std::string syntaxReport(const std::string &reason) {
    return "hint> ===*=== syntax error ===*===\n\t > " + reason + "\n\t > type `:help` to view some rules.\n\n" +
           rule + "\n\n\n" + prompt;
}
inline const std::string notAnExpression = syntaxReport("[plugin] It is NOT a valid expression!");
inline const std::string unfinishedProgram =
    "hint> The linear program has no closing \";\". Type the whole problem on one line and end it with \";\", "
    "such as: max z=3x_1+2x_2, x_1+x_2<=4, x_1<=3;\n" + prompt;
} // namespace texts
