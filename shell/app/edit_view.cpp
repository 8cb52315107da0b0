// The Edit commands, which act on the right window with the terminal's guards, and the View
// switches.
#include "commands.h"
#include "editor_messages.h"
#include "tovrel.h"

namespace {

constexpr int kStartingMarginWidth = 40;

} // namespace

// Undo, Redo and Delete go to the active document editor only: none while the terminal is active.
void Tovrel::Undo() {
    editor.Send(SCI_UNDO);
}

void Tovrel::Redo() {
    editor.Send(SCI_REDO);
}

void Tovrel::Clear() {
    editor.Send(SCI_CLEAR);
}

void Tovrel::Cut() {
    if (activeTab < 0 || activeTab >= int(tabs.size()) || GetActiveTab().isTerminal) return;
    GUI::Scintilla(GetActiveTextWindow()).Send(SCI_CUT);
}

void Tovrel::Copy() {
    if (StopRunOnCopy()) return;
    GUI::Scintilla(GetActiveTextWindow()).Send(SCI_COPY);
}

// In the terminal a paste lands only when caret and selection lie in the input: the
// console's guard refuses it otherwise.
void Tovrel::Paste() {
    GUI::Scintilla(GetActiveTextWindow()).Send(SCI_PASTE);
}

void Tovrel::SelectAll() {
    GUI::Scintilla(GetActiveTextWindow()).Send(SCI_SELECTALL);
}

void Tovrel::ShowToolbar(bool show) {
    if (toolbar == nullptr) return;
    showToolbar = show;
    ShowWindow(toolbar, show ? SW_SHOW : SW_HIDE);
    CheckViewItem(CmdViewToolbar, show);
    RelayoutClient();
}

void Tovrel::ToggleToolbar() {
    ShowToolbar(!showToolbar);
}

void Tovrel::ShowLineNumbers(bool show) {
    if (show == showLineNumbers) return;
    showLineNumbers = show;
    for (const EditorTab &tab : tabs) {
        if (tab.editorWindow == nullptr) continue;
        const GUI::ScintillaPrimitive view = GUI::Scintilla(tab.editorWindow);
        if (show) {
            view.Send(SCI_SETMARGINTYPEN, 0, SC_MARGIN_NUMBER);
            view.Send(SCI_SETMARGINWIDTHN, 0, kStartingMarginWidth);
            UpdateLineNumberMargin(tab.editorWindow);
        } else {
            view.Send(SCI_SETMARGINTYPEN, 0, SC_MARGIN_SYMBOL);
            view.Send(SCI_SETMARGINWIDTHN, 0, 0);
        }
    }
    if (activeTab >= 0 && activeTab < int(tabs.size())) {
        InvalidateRect(GetActiveTab().editorWindow, nullptr, TRUE);
        UpdateWindow(GetActiveTab().editorWindow);
    }
    CheckViewItem(CmdViewLineNumbers, show);
}

void Tovrel::ToggleLineNumbers() {
    ShowLineNumbers(!showLineNumbers);
}

// Only the active document editor changes; editors made later take the switch from their
// configuration.
void Tovrel::ToggleWrap() {
    wrapLines = !wrapLines;
    editor.Send(SCI_SETWRAPMODE, wrapLines ? SC_WRAP_WORD : SC_WRAP_NONE);
    CheckViewItem(CmdViewWrap, wrapLines);
}

void Tovrel::ToggleDirectoryTree() {
    showTree = !showTree;
    CheckViewItem(CmdViewTree, showTree);
    RelayoutClient();
}
