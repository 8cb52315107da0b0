// The terminal's own commands at the shell prompt: pwd, cd, dir and ls, open, cls, exit, help
// and kavlo. The listing rules live in the portable dir_listing; this file reads the disk.
#include <algorithm>
#include <optional>

#include "dir_listing.h"
#include "disk.h"
#include "editor_messages.h"
#include "entry/line_entry.h"
#include "text_codec.h"
#include "tovrel.h"

namespace {

constexpr DWORD kPathLimit = 260;
constexpr wchar_t kClsWelcome[] = L"欢迎使用终端\n输入命令，按 Enter 执行，Shift+Enter 换行";

struct HelpLine {
    const wchar_t *name, *description;
};
// The names "help" asks about one by one; the full text spells "help" in lower case.
constexpr HelpLine kHelpLines[] = {
    {L"pwd", L"显示当前目录"},
    {L"cd", L"切换目录; 例: cd d:\\bin"},
    {L"dir", L"显示当前目录中的所有文件和子目录; -r 选项用于递归输出所有文件和子目录. 例: dir -r d:\\bin"},
    {L"ls", L"功能同 dir"},
    {L"open", L"打开文件, 并将其内容显示在新的标签页; 例: open latexexample.tex"},
    {L"cls", L"清屏"},
    {L"exit", L"退出（终端）"},
    {L"Help", L"显示此帮助"},
};

std::wstring fullHelp() {
    std::wstring text = L"Help\n====\n";
    for (const HelpLine &line : kHelpLines) {
        std::wstring name = line.name;
        if (name == L"Help") name = L"help";
        name.resize(std::max<size_t>(name.size(), 4), L' ');
        text += L"  " + name + L" -- " + line.description + L"\n";
    }
    return text;
}

bool hasConsole(const EditorTab *tab) {
    return tab != nullptr && tab->consoleWindow != nullptr;
}

bool isDriveWord(const std::wstring &word) {
    return word.size() == 2 && word[1] == L':' &&
           ((word[0] >= L'A' && word[0] <= L'Z') || (word[0] >= L'a' && word[0] <= L'z'));
}

} // namespace

void Tovrel::RegisterTerminalCommands() {
    using Body = void (Tovrel::*)(const std::vector<std::wstring> &, EditorTab *);
    const std::pair<const wchar_t *, Body> table[] = {
        {L"pwd", &Tovrel::TerminalPwd},   {L"cd", &Tovrel::TerminalCd},     {L"dir", &Tovrel::TerminalDir},
        {L"ls", &Tovrel::TerminalDir},    {L"open", &Tovrel::TerminalOpen}, {L"cls", &Tovrel::TerminalCls},
        {L"exit", &Tovrel::TerminalExit}, {L"help", &Tovrel::TerminalHelp}, {L"kavlo", &Tovrel::TerminalKavlo},
    };
    for (const auto &[name, body] : table)
        terminalCommands[name] = [this, body](const std::vector<std::wstring> &arguments, EditorTab *tab) {
            (this->*body)(arguments, tab);
        };
}

void Tovrel::TerminalPwd(const std::vector<std::wstring> &, EditorTab *tab) {
    if (const std::optional<std::wstring> directory = currentDirectory()) AppendTerminalOutput(tab, *directory);
}

void Tovrel::TerminalCd(const std::vector<std::wstring> &arguments, EditorTab *tab) {
    if (arguments.empty()) {
        if (const std::optional<std::wstring> directory = currentDirectory())
            AppendTerminalOutput(tab, L" \n" + *directory);
        return;
    }
    const std::wstring &first = arguments.front();
    std::wstring target;
    if (first[0] == L'~') {
        const std::optional<std::wstring> profile = userProfileDirectory();
        if (!profile) {
            AppendTerminalOutput(tab, L"错误: 无法获取用户主目录");
            return;
        }
        target = *profile;
        std::wstring rest = first.substr(1);
        if (!rest.empty() && (rest[0] == L'/' || rest[0] == L'\\')) rest.erase(0, 1);
        if (!rest.empty()) target += L"\\" + rest;
    } else if (arguments.size() == 1 && isDriveWord(first)) {
        wchar_t full[kPathLimit + 1] = {};
        const DWORD length = GetFullPathNameW(first.c_str(), kPathLimit, full, nullptr);
        if (length == 0 || length >= kPathLimit) {
            AppendTerminalOutput(tab, L"错误: 无法获取驱动器路径");
            return;
        }
        target.assign(full, length);
    } else {
        target = first;
    }
    for (size_t i = 1; i < arguments.size(); ++i) target += L" " + arguments[i];
    if (target.size() >= 2 && (target[0] == L'"' || target[0] == L'\'') && target.back() == target[0])
        target = target.substr(1, target.size() - 2);
    if (SetCurrentDirectoryW(target.c_str())) TerminalPwd(arguments, tab);
    else AppendTerminalOutput(tab, L"\n错误: 目录" + target + L"不存在或无法访问");
}

void Tovrel::TerminalDir(const std::vector<std::wstring> &arguments, EditorTab *tab) {
    std::wstring path = L".";
    bool recursive = false;
    if (arguments.size() == 1) {
        path = arguments[0];
    } else if (arguments.size() >= 2) {
        recursive = arguments[0] == L"-r";
        path = arguments[1];
    }
    ShowDirectory(tab, path, recursive);
}

void Tovrel::ShowDirectory(EditorTab *tab, const std::wstring &pattern, bool recursive) {
    if (!hasConsole(tab)) return;
    AppendTerminalOutput(tab, directoryListing(readDirectoryEntries, splitListingPattern(pattern), recursive));
}

// Each open adds a tab, which may move the tab records: the terminal's is not used after.
void Tovrel::TerminalOpen(const std::vector<std::wstring> &arguments, EditorTab *) {
    if (arguments.empty()) {
        OpenFileDialog();
        return;
    }
    for (const std::wstring &path : arguments) OpenFileByPath(path);
}

void Tovrel::TerminalCls(const std::vector<std::wstring> &, EditorTab *tab) {
    if (!hasConsole(tab)) return;
    const GUI::ScintillaPrimitive console = GUI::Scintilla(tab->consoleWindow);
    const std::string welcome = wideToUtf8(kClsWelcome);
    // The whole text is replaced: the guard of the output area must let it happen.
    consoleGuard = true;
    console.Send(SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(welcome.c_str()));
    consoleGuard = false;
    tab->inputStart = int64_t(welcome.size());
    console.Send(SCI_GOTOPOS, WPARAM(tab->inputStart));
    console.Send(SCI_SCROLLCARET);
    SetFocus(tab->consoleWindow);
    console.Send(SCI_SETFOCUS, 1);
}

void Tovrel::TerminalExit(const std::vector<std::wstring> &, EditorTab *tab) {
    if (IndexOfTab(tab) >= 0) CloseTabAt(tab);
}

void Tovrel::TerminalHelp(const std::vector<std::wstring> &arguments, EditorTab *tab) {
    if (arguments.empty() || (arguments.size() == 1 && arguments[0] == L"help")) {
        AppendTerminalOutput(tab, fullHelp());
        return;
    }
    std::wstring text;
    for (const std::wstring &name : arguments) {
        std::wstring description;
        for (const HelpLine &line : kHelpLines)
            if (name == line.name) description = line.description;
        text += name + L" -- " + description + L"\n";
    }
    AppendTerminalOutput(tab, text);
}

void Tovrel::TerminalKavlo(const std::vector<std::wstring> &arguments, EditorTab *tab) {
    std::wstring line = L":kavlo";
    if (!arguments.empty()) {
        line = L":home";
        for (const std::wstring &word : arguments) line += L" " + word;
    }
    AnswerCalculatorLine(wstringToUtf8(line), tab);
}
