#include "entry/line_entry.h"

#include <iostream>

#include "interpreter/texts.h"
#include "kscript.h"
#include "matrix_lines/matrix_lines.h"
#include "session/script_machine.h"

BigNumber *session_engine = nullptr;

namespace {

constexpr char kEntryBracketError[] =
    "\nError[1011]> The symbols () [] {} are NOT matched, please input again.\n";
constexpr char kFarewell[] = "欢迎再次使用 Kavlo!\n再会!\n";

void writeTo(FILE *file, const std::string &text) {
    std::fwrite(text.data(), 1, text.size(), file);
}

void writeToStdout(const std::string &text) {
    std::cout << text << std::flush;
}

} // namespace

int processInputLine(const std::string &line, Calculator &calculator) {
    session_engine = &calculator.core;
    if (BigNumber::isBracketBalanced(line)) return runParsedLine(calculator, line, 0) == kLineQuit ? -1 : 0;
    calculator.output << line << "\n";
    if (line.find('[') == std::string::npos) {
        calculator.output << kEntryBracketError << kRule << "\n\n" << kPrompt;
        return 0;
    }
    runLine(calculator, line);
    return 0;
}

int runParsedLine(Calculator &calculator, const std::string &line, int /*unused*/) {
    std::string name, value;
    size_t rows = 0, columns = 0;
    // The typed line is balanced; a matrix literal is written anew, and its new text is
    // checked where it is read.
    const bool rewritten = calculator.parseInputLine(line, name, value, rows, columns) == kLineMatrixLiteral;
    const int code = calculator.dealWithInputCommand(
        calculator.pendingLines, rewritten ? Calculator::Brackets::Unchecked : Calculator::Brackets::Balanced);
    const std::string answer = calculator.output.str();
    if (code == kLineQuit) {
        calculator.closeSessionFiles();
        writeToStdout(kFarewell);
    } else if (code == kLineDone) {
        writeToStdout(answer);
        if (calculator.outputFile != nullptr) writeTo(calculator.outputFile, answer);
    } else if (calculator.outputFile != nullptr) {
        writeTo(calculator.outputFile, answer);
    } else {
        writeToStdout(answer);
    }
    return code;
}

int runLine(Calculator &calculator, const std::string &line) {
    calculator.clearAnswerStreams();
    const int code = calculator.dealWithInputCommand({line}, Calculator::Brackets::Unbalanced);
    if (code == kLineQuit) {
        calculator.closeSessionFiles();
        calculator.output << kFarewell;
    } else if (calculator.outputFile != nullptr) {
        writeTo(calculator.outputFile, calculator.output.str());
    } else {
        writeToStdout(calculator.output.str());
    }
    return code;
}

int kscriptInterpret(Calculator &calculator, const char *source, FILE *out) {
    if (source == nullptr) return VM_COMPILE_ERROR; // no text, nothing to compile
    return vm_interpret_stream(&calculator.core, source, out);
}

void kscriptResetVM(Calculator &) {
    restartScriptMachine();
}

void kscriptFreeVM(Calculator &) {
    stopScriptMachine();
}
