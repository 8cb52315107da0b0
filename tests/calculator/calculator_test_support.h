// Shared helpers of the calculator tests: what the terminal shows after a line, and captured
// standard output.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "Calculator.h"
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

inline std::string captureStdout(const std::function<void()> &body) {
    ::testing::internal::CaptureStdout();
    body();
    std::fflush(stdout);
    return ::testing::internal::GetCapturedStdout();
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
inline std::string notYet(const std::string &road) {
    return "info> " + road + ": not available yet\n" + prompt;
}
} // namespace texts
