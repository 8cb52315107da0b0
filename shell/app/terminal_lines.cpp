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
constexpr wchar_t kScriptBanner[] = L"\n进入 Kscript 多行输入模式（输入 load(path/filename) 加载文件; 输入 :q 执行并退出 "
                                    L"kscript 模式; 输入 :do 执行但不退出 kscript.）\n";

// One final line feed of the collected source is not part of the script.
void dropFinalLineFeed(std::string &source) {
    if (!source.empty() && source.back() == '\n') source.pop_back();
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
        RunKscriptBuffer(scriptBuffer);
        scriptBuffer.clear();
        if (leave) prompt = kCalculatorPrompt;
        // The run may have changed the tabs: the terminal's tab is found again.
        AppendTerminalOutput(FindTabByConsole(console), leave ? L"\n>> " : L"\n> ");
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
    AnswerCalculatorLine(utf8, tab);
    if (promptAtEntry != kCalculatorPrompt) prompt = kShellPrompt;
}

// Only the first non-empty stream is shown: the wide one (help, version and history texts),
// the answers, then what engine members printed; all three are emptied.
void Tovrel::AnswerCalculatorLine(const std::string &line, EditorTab *tab) {
    processInputLine(line, calculator);
    std::wstring answer = calculator.core.wideStream.str();
    if (answer.empty()) answer = utf8ToWide(calculator.output.str());
    if (answer.empty()) answer = utf8ToWide(calculator.core.outStream.str());
    calculator.clearAnswerStreams();
    if (!answer.empty()) AppendTerminalOutput(tab, answer);
}
