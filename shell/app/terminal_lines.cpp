// The road of a typed line: a built-in terminal command at the shell prompt, the script
// mode, or the calculator's line entry, whose answer comes back into the console.
#include "entry/line_entry.h"
#include "text_codec.h"
#include "tovrel.h"
#include "wide_text.h"

namespace {

constexpr wchar_t kShellPrompt[] = L"~# ";
constexpr wchar_t kCalculatorPrompt[] = L">> ";
constexpr wchar_t kScriptModePrompt[] = L"> ";
constexpr wchar_t kStopped[] = L"Stopped.";
constexpr wchar_t kScriptBanner[] = L"\n进入 Kscript 多行输入模式（输入 load(path/filename) 加载文件; 输入 :q 执行并退出 "
                                    L"kscript 模式; 输入 :do 执行但不退出 kscript.）\n";

// One final line feed of the collected source is not part of the script.
void dropFinalLineFeed(std::string &source) {
    if (!source.empty() && source.back() == '\n') source.pop_back();
}

bool endsWith(const std::wstring &text, const std::wstring &end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Nothing for an empty text or one that ends in a line end; a line end otherwise.
std::wstring lineEndUnlessClosed(const std::wstring &text) {
    return text.empty() || text.back() == L'\n' ? std::wstring() : std::wstring(L"\n");
}

// Answers are shown whole up to this many bytes; a longer one is cut with a line that says how
// long it was (the console would take seconds to take it in, and the memory of several copies).
constexpr size_t kLongestAnswer = size_t(32) << 20;

std::wstring shownWhole(const std::string &answer) {
    return utf8ToWide(wholeOrCut(answer, kLongestAnswer, answer.size()));
}

} // namespace

void Tovrel::ExecuteTerminalLine(const std::wstring &line, EditorTab *tab) {
    if (tab == nullptr || tab->consoleWindow == nullptr || line.empty()) return;
    const size_t blank = line.find(L' ');
    const std::wstring command = trimWhitespace(line.substr(0, blank));
    const std::wstring rest = blank == std::wstring::npos ? std::wstring() : trimWhitespace(line.substr(blank + 1));
    const std::vector<std::wstring> arguments = splitAtBlanks(rest);
    const std::wstring promptAtEntry = prompt;
    const auto found = terminalCommands.find(command);
    if (promptAtEntry == kShellPrompt && found != terminalCommands.end()) {
        // A command may open or close tabs: `tab` is not used after it.
        const TerminalCommand run = found->second;
        run(arguments, tab);
        ShowTerminalPrompt();
        return;
    }
    ProcessTerminalInput(line, command, rest, arguments, tab, promptAtEntry);
}

void Tovrel::ProcessTerminalInput(const std::wstring &line, const std::wstring &command, const std::wstring &rest,
                                  const std::vector<std::wstring> &, EditorTab *tab, const std::wstring &promptAtEntry) {
    const std::string utf8 = wstringToUtf8(line);
    if (scriptMode) {
        if (utf8 != ":q" && utf8 != ":do") {
            scriptBuffer += utf8 + "\n";
            prompt = scriptPrompt;
            ShowTerminalPrompt();
            return;
        }
        const bool leave = utf8 == ":q";
        HWND console = tab->consoleWindow;
        scriptMode = !leave;
        dropFinalLineFeed(scriptBuffer);
        const std::string source = scriptBuffer;
        scriptBuffer.clear();
        // The run may change the tabs meanwhile: the terminal's tab is found again.
        RunKscriptBuffer(source, [this, console, leave] {
            if (leave) prompt = kCalculatorPrompt;
            AppendTerminalOutput(FindTabByConsole(console), leave ? L"\n>> " : L"\n> ");
        });
        return;
    }
    if (command == L":mode" && rest == L"kscript") {
        scriptMode = true;
        scriptBuffer.clear();
        scriptPrompt = kScriptModePrompt;
        prompt = scriptPrompt;
        AppendTerminalOutput(tab, kScriptBanner);
        ShowTerminalPrompt();
        return;
    }
    prompt = kCalculatorPrompt;
    HWND console = tab->consoleWindow;
    const bool started = StartRun([this, utf8] { processInputLine(utf8, calculator); },
                                  [this, console, promptAtEntry] {
                                      AppendKeepingTypedInput(console, [this, promptAtEntry](EditorTab *terminal) {
                                          ShowCalculatorAnswer(terminal, TakeCalculatorAnswer());
                                          if (promptAtEntry != kCalculatorPrompt) prompt = kShellPrompt;
                                      });
                                  });
    if (!started) AppendTerminalOutput(tab, L"\n" + std::wstring(kCalculatorPrompt));
}

// Some answers end without the interpreter's prompt, or are empty: the next line would be
// typed right after them, so a line end and the prompt follow them.
void Tovrel::ShowCalculatorAnswer(EditorTab *tab, const std::wstring &answer) {
    std::wstring text = answer;
    // A computation of the engine that was stopped answers the stop itself.
    if (runStopped && !endsWith(text, std::wstring(kStopped) + L"\n" + kCalculatorPrompt))
        text += lineEndUnlessClosed(text) + kStopped;
    if (!endsWith(text, kCalculatorPrompt)) text += lineEndUnlessClosed(text) + kCalculatorPrompt;
    AppendTerminalOutput(tab, text);
}

// Only the first non-empty stream is shown: the wide one (help, version and history texts),
// the answers, then what engine members printed; all three are emptied.
std::wstring Tovrel::TakeCalculatorAnswer() {
    std::wstring answer = calculator.core.wideStream.str();
    if (answer.size() > kLongestAnswer) answer = shownWhole(wstringToUtf8(answer));
    if (answer.empty()) answer = shownWhole(calculator.output.str());
    if (answer.empty()) answer = shownWhole(calculator.core.outStream.str());
    calculator.clearAnswerStreams();
    return answer;
}

std::wstring Tovrel::AnswerCalculatorLine(const std::string &line, EditorTab *tab) {
    processInputLine(line, calculator);
    const std::wstring answer = TakeCalculatorAnswer();
    if (!answer.empty()) AppendTerminalOutput(tab, answer);
    return answer;
}
