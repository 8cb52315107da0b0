// The computations of the terminal and of the run-code command run off the window's thread,
// one at a time, so that the window keeps answering; Ctrl+C in the console (with nothing
// selected) and Ctrl+Break stop the one that is going.
#include "editor_messages.h"
#include "stop_request.h"
#include "tovrel.h"

namespace {

constexpr wchar_t kBusyLabel[] = L"Terminal (running)";
constexpr DWORD kStopWait = 5000;

} // namespace

bool Tovrel::RunBusy() const {
    return run.busy();
}

void Tovrel::ShowRunBusy(bool busy) {
    for (size_t i = 0; i < tabs.size(); ++i) {
        if (!tabs[i].isTerminal) continue;
        if (!busy) {
            UpdateTabLabel(&tabs[i]);
            continue;
        }
        std::wstring label = kBusyLabel;
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = label.data();
        SendMessageW(tabControl, TCM_SETITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
}

bool Tovrel::StartRun(std::function<void()> job, std::function<void()> finish) {
    runStopped = false;
    const bool started = run.start(mainWindow.GetHandle(), std::move(job), [this, finish = std::move(finish)] {
        ShowRunBusy(false);
        if (finish) finish();
    });
    if (started) ShowRunBusy(true);
    return started;
}

void Tovrel::StopRun() {
    if (!run.busy()) return;
    runStopped = true;
    requestEngineStop();
}

// Ctrl+C in the terminal while a run is going and nothing is selected to copy.
bool Tovrel::StopRunOnCopy() {
    if (!RunBusy() || activeTab < 0 || activeTab >= int(tabs.size()) || !GetActiveTab().isTerminal) return false;
    const GUI::ScintillaPrimitive console = GUI::Scintilla(GetActiveTab().consoleWindow);
    if (console.Send(SCI_GETSELECTIONSTART) != console.Send(SCI_GETSELECTIONEND)) return false;
    StopRun();
    return true;
}

bool Tovrel::StopRunAndWait() {
    StopRun();
    return run.wait(kStopWait);
}

void Tovrel::OnRunFinished() {
    run.finished();
}

// What the user typed while the run went on stays the input, after the answer and the prompt.
void Tovrel::AppendKeepingTypedInput(HWND console, const std::function<void(EditorTab *)> &show) {
    EditorTab *tab = FindTabByConsole(console);
    const std::wstring typed = GetTerminalInput(tab);
    if (!typed.empty()) ReplaceTerminalInput(tab, L"");
    show(tab);
    tab = FindTabByConsole(console);
    if (!typed.empty()) ReplaceTerminalInput(tab, typed);
}
