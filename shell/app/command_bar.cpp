// The command bar's commands and history: a line typed in the bar's field is cut into a
// command word and an argument and run from a table; unknown words are answered in the field.
#include <algorithm>
#include <climits>
#include <optional>

#include "commands.h"
#include "editor_messages.h"
#include "text_codec.h"
#include "tovrel.h"
#include "wide_text.h"

namespace {

constexpr size_t kCommandHistoryLimit = 50;

constexpr wchar_t kCommandHelp[] = L"Available commands:\n"
                                   L"  new, n           - New file\n"
                                   L"  open, o          - Open file\n"
                                   L"  save, s          - Save file\n"
                                   L"  close, q         - Close current tab\n"
                                   L"  quit, exit       - Exit editor\n"
                                   L"  goto <line>      - Go to line\n"
                                   L"  find <text>      - Find text\n"
                                   L"  replace <old> <new> - Replace all\n"
                                   L"  linenumber on/off - Toggle line numbers\n"
                                   L"  wrap on/off      - Toggle word wrap\n"
                                   L"  euler            - Run Euler circuit\n"
                                   L"  history          - Show development history\n"
                                   L"  t or terminal    - Open the terminal tab\n"
                                   L"  help, ?          - Show this help";

// "on"/"1" is true, "off"/"0" false, anything else none (a toggle).
std::optional<bool> switchWord(const std::wstring &argument) {
    if (argument == L"on" || argument == L"1") return true;
    if (argument == L"off" || argument == L"0") return false;
    return std::nullopt;
}

// The leading decimal number of a text as atoi reads it, kept within int.
int leadingNumber(const std::wstring &text) {
    size_t at = text.find_first_not_of(L" \t\n\r\f\v");
    if (at == std::wstring::npos) return 0;
    bool negative = false;
    if (text[at] == L'+' || text[at] == L'-') negative = text[at++] == L'-';
    int64_t value = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at)
        value = std::min<int64_t>(value * 10 + (text[at] - L'0'), int64_t(INT_MAX) + 1);
    value = negative ? -value : value;
    return int(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

} // namespace

void Tovrel::AddCommandHistory(const std::wstring &line) {
    if (line.empty() || (!commandHistory.empty() && commandHistory.back() == line)) return;
    commandHistory.push_back(line);
    if (commandHistory.size() > kCommandHistoryLimit) commandHistory.erase(commandHistory.begin());
    commandHistoryIndex = int(commandHistory.size());
}

void Tovrel::CommandHistoryPrevious() {
    if (commandHistory.empty() || commandHistoryIndex <= 0) return;
    --commandHistoryIndex;
    SetWindowTextW(commandEdit, commandHistory[size_t(commandHistoryIndex)].c_str());
    SendMessageW(commandEdit, EM_SETSEL, WPARAM(-1), -1);
}

void Tovrel::CommandHistoryNext() {
    const int count = int(commandHistory.size());
    if (count == 0) return;
    if (commandHistoryIndex < count - 1) {
        ++commandHistoryIndex;
        SetWindowTextW(commandEdit, commandHistory[size_t(commandHistoryIndex)].c_str());
        SendMessageW(commandEdit, EM_SETSEL, WPARAM(-1), -1);
    } else if (commandHistoryIndex == count - 1) {
        commandHistoryIndex = count;
        SetWindowTextW(commandEdit, L"");
    }
}

void Tovrel::ExecuteCommandLine(const std::wstring &line) {
    if (line.empty()) return;
    AddCommandHistory(line);
    const size_t blank = line.find(L' ');
    const std::wstring word = line.substr(0, blank);
    const std::wstring argument = blank == std::wstring::npos ? std::wstring() : trimWhitespace(line.substr(blank + 1));

    using Action = void (*)(Tovrel &, const std::wstring &);
    const struct {
        const wchar_t *name, *shortName, *otherName;
        Action action;
    } table[] = {
        {L"new", L"n", nullptr, [](Tovrel &t, const std::wstring &) { t.NewFile(); }},
        {L"open", L"o", nullptr,
         [](Tovrel &t, const std::wstring &a) { a.empty() ? t.OpenFileDialog() : t.OpenFileByPath(a); }},
        {L"save", L"s", nullptr, [](Tovrel &t, const std::wstring &) { t.SaveActiveTab(); }},
        {L"close", L"q", nullptr, [](Tovrel &t, const std::wstring &) { t.CloseActiveTab(); }},
        {L"quit", L"exit", nullptr,
         [](Tovrel &t, const std::wstring &) { PostMessageW(t.mainWindow.GetHandle(), WM_COMMAND, CmdExit, 0); }},
        {L"goto", L"g", nullptr,
         [](Tovrel &t, const std::wstring &a) {
             if (a.empty()) return t.ShowGotoDialog();
             const int number = leadingNumber(a);
             if (number > 0 && t.GetActiveEditor() != nullptr) t.GotoLineColumn(t.GetActiveEditor(), number, 1);
         }},
        {L"find", L"f", nullptr,
         [](Tovrel &t, const std::wstring &a) {
             if (a.empty()) return t.ShowFindDialog();
             t.findText = a;
             t.searchUp = false;
             t.FindNext();
         }},
        {L"replace", L"r", nullptr, [](Tovrel &t, const std::wstring &a) { t.CommandReplaceAll(a); }},
        {L"help", L"h", L"?", [](Tovrel &t, const std::wstring &) { t.ShowCommandHelp(); }},
        {L"linenumber", L"ln", nullptr, [](Tovrel &t, const std::wstring &a) { t.CommandLineNumbers(a); }},
        {L"wrap", L"w", nullptr, [](Tovrel &t, const std::wstring &a) { t.CommandWrap(a); }},
        {L"euler", L"e", nullptr, [](Tovrel &t, const std::wstring &) { t.RunEulerCircuit(); }},
        {L"history", nullptr, nullptr, [](Tovrel &t, const std::wstring &) { t.ShowHistoryPage(); }},
    };
    if (word == L"terminal" || word == L"t") {
        OpenTerminal();
        if (activeTab >= 0 && activeTab < int(tabs.size()) && GetActiveTab().isTerminal &&
            GetActiveTab().consoleWindow != nullptr) {
            const EditorTab &tab = GetActiveTab();
            const GUI::ScintillaPrimitive console = GUI::Scintilla(tab.consoleWindow);
            SetFocus(tab.consoleWindow);
            console.Send(SCI_SETFOCUS, 1);
            console.Send(SCI_GOTOPOS, WPARAM(tab.inputStart));
            console.Send(SCI_SCROLLCARET);
        }
        return;
    }
    for (const auto &entry : table) {
        const bool named = word == entry.name || (entry.shortName != nullptr && word == entry.shortName) ||
                           (entry.otherName != nullptr && word == entry.otherName);
        if (!named) continue;
        entry.action(*this, argument);
        SetWindowTextW(commandEdit, L"");
        SetFocus(commandEdit);
        return;
    }
    SetWindowTextW(commandEdit, (L"Unknown command: " + word).c_str());
    SendMessageW(commandEdit, EM_SETSEL, 0, -1);
}

void Tovrel::CommandReplaceAll(const std::wstring &argument) {
    if (argument.empty()) return ShowReplaceDialog();
    const size_t blank = argument.find(L' ');
    if (blank == std::wstring::npos) {
        findText = argument;
        return ShowFindDialog();
    }
    findText = argument.substr(0, blank);
    replaceText = trimWhitespace(argument.substr(blank + 1));
    if (GetActiveEditor() == nullptr) return;
    const int64_t count = ReplaceEveryMatch(GetActiveTab());
    MessageBoxW(mainWindow.GetHandle(), (L"Replaced " + std::to_wstring(count) + L" occurrences").c_str(), L"Replace",
                MB_OK);
}

void Tovrel::ShowCommandHelp() {
    MessageBoxW(mainWindow.GetHandle(), kCommandHelp, L"命令行帮助", MB_OK);
}

void Tovrel::CommandLineNumbers(const std::wstring &argument) {
    const std::optional<bool> on = switchWord(argument);
    if (!on) return ToggleLineNumbers();
    ShowLineNumbers(*on);
}

void Tovrel::CommandWrap(const std::wstring &argument) {
    const std::optional<bool> on = switchWord(argument);
    if (!on) {
        ToggleWrap();
    } else {
        wrapLines = *on;
        editor.Send(SCI_SETWRAPMODE, wrapLines ? SC_WRAP_WORD : SC_WRAP_NONE);
    }
    CheckViewItem(CmdViewWrap, wrapLines);
}
