// What the next steps of the shell build: the script runner, the LaTeX preview, the
// terminal's built-in commands and path completion, the directory tree and the command bar's
// commands. Each answers one "not available yet" text from here; each goes when it lands.
#include "tovrel.h"

namespace {

std::wstring notAvailableText(const std::wstring &road) {
    return road + L" is not available yet.";
}

constexpr const wchar_t *kTerminalCommandNames[] = {L"pwd", L"cd",  L"dir",  L"ls",   L"open",
                                                    L"cls", L"exit", L"help", L"kavlo"};

void tellNotAvailable(Tovrel &shell, const std::wstring &road) {
    MessageBoxW(shell.mainWindow.GetHandle(), notAvailableText(road).c_str(), L"Info", MB_OK | MB_ICONINFORMATION);
}

} // namespace

// The command words are known, so they never reach the calculator; each answers in the console.
void Tovrel::RegisterTerminalCommands() {
    for (const wchar_t *name : kTerminalCommandNames) {
        const std::wstring word = name;
        terminalCommands[word] = [this, word](const std::vector<std::wstring> &, EditorTab *tab) {
            AppendTerminalOutput(tab, notAvailableText(L"The terminal command " + word));
        };
    }
}

void Tovrel::CompleteTerminalPath(EditorTab *) {}

void Tovrel::RunKscriptBuffer(const std::string &) {
    if (activeTab < 0 || activeTab >= int(tabs.size()) || !tabs[size_t(activeTab)].isTerminal) return;
    AppendTerminalOutput(&tabs[size_t(activeTab)], notAvailableText(L"Running scripts in the terminal"));
    ShowTerminalPrompt();
}

void Tovrel::RunByKscript() {
    tellNotAvailable(*this, L"Running code");
}

void Tovrel::ShowLatexPreview() {
    tellNotAvailable(*this, L"The LaTeX preview");
}

// The tree stays empty until it is built; its root is remembered.
void Tovrel::SetTreeRoot(const std::wstring &path) {
    if (path.empty()) return;
    treeRoot = path;
    if (treeRoot.back() != L'\\' && treeRoot.back() != L'/') treeRoot += L'\\';
}

void Tovrel::OnTreeNotify(const NMHDR *) {}

void Tovrel::ShowTreeMenu(LPARAM) {
    tellNotAvailable(*this, L"The directory tree");
}

void Tovrel::OnTreeCommand(int) {
    tellNotAvailable(*this, L"The directory tree");
}

void Tovrel::ExecuteCommandLine(const std::wstring &) {
    SetWindowTextW(commandEdit, notAvailableText(L"The command bar").c_str());
    SendMessageW(commandEdit, EM_SETSEL, 0, -1);
}
