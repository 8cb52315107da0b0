#include "entry/line_entry.h"

#include <algorithm>
#include <iostream>
#include <new>

#include "interpreter/texts.h"
#include "kscript.h"
#include "matrix_lines/matrix_lines.h"
#include "session/script_machine.h"
#include "stop_request.h"

BigNumber *session_engine = nullptr;

namespace {

constexpr char kEntryBracketError[] =
    "\nError[1011]> The symbols () [] {} are NOT matched, please input again.\n";
constexpr char kNoMemory[] = "No enough memory.";
constexpr char kFarewell[] = "欢迎再次使用 Kavlo!\n再会!\n";

void writeTo(FILE *file, const std::string &text) {
    std::fwrite(text.data(), 1, text.size(), file);
}

void writeToStdout(const std::string &text) {
    std::cout << text << std::flush;
}

// The engine's settings and last answer as a line found them. A stopped computation may have
// changed the settings for a while (a member that works at its own precision or mode and puts
// the caller's back when it ends) and left a step's value as the answer: both are put back, so
// the next line computes, and "_" reads, as before the stopped one.
struct EngineSettings {
    int32_t precision, mode, expand, fixVariables;
    std::string lastAnswer;

    explicit EngineSettings(BigNumber &engine)
        : precision(engine.getPrecision()), mode(engine.getMode()), expand(engine.getExpand()),
          fixVariables(engine.getFixVariables()), lastAnswer(engine.getResult()) {}

    void restore(BigNumber &engine) const {
        engine.setPrecision(precision);
        engine.setMode(mode);
        engine.setExpand(expand);
        engine.setFixVariables(fixVariables);
        engine.setResult(lastAnswer);
    }
};

int enterLine(const std::string &line, Calculator &calculator) {
    if (BigNumber::isBracketBalanced(line)) return runParsedLine(calculator, line, 0) == kLineQuit ? -1 : 0;
    calculator.output << line << "\n";
    if (line.find('[') == std::string::npos) {
        calculator.output << kEntryBracketError << kRule << "\n\n" << kPrompt;
        return 0;
    }
    runLine(calculator, line);
    return 0;
}

// A line whose computation did not end: nothing of it is kept (variables are written only once
// a value is complete, and what was printed on the way is no answer), the engine's settings are
// those the line found, and the answer says why.
void answerUnfinishedLine(Calculator &calculator, const EngineSettings &settings, const char *why) {
    settings.restore(calculator.core);
    calculator.pendingLines.clear();
    calculator.clearAnswerStreams();
    calculator.output << why << "\n" << kPrompt;
}

} // namespace

int processInputLine(const std::string &line, Calculator &calculator) {
    session_engine = &calculator.core;
    const EngineSettings settings(calculator.core);
    try {
        return enterLine(line, calculator);
    } catch (const EngineStopped &) {
        answerUnfinishedLine(calculator, settings, kStoppedText);
    } catch (const std::bad_alloc &) {
        answerUnfinishedLine(calculator, settings, kNoMemory);
    }
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

std::string cutNote(uint64_t shown, uint64_t total) {
    return "\n(输出过长, 只显示前 " + std::to_string(shown) + " 字节; 共 " + std::to_string(total) + " 字节)\n";
}

std::string wholeOrCut(const std::string &text, size_t limit, uint64_t total) {
    if (total <= limit && text.size() <= limit) return text;
    size_t shown = std::min(limit, text.size());
    // A UTF-8 character is never split: the cut moves back over continuation bytes.
    while (shown > 0 && shown < text.size() && (static_cast<unsigned char>(text[shown]) & 0xC0) == 0x80) --shown;
    return text.substr(0, shown) + cutNote(shown, total);
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
