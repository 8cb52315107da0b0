// What the tools that run on the active document share: the question about unsaved changes,
// the document's text, and a new read-only tab that shows a result.
#include "editor_messages.h"
#include "tovrel.h"

bool Tovrel::ConfirmRunOfActiveTab(const std::wstring &question) {
    if (activeTab < 0 || activeTab >= int(tabs.size())) NewTab();
    if (activeTab < 0 || activeTab >= int(tabs.size())) return false;
    const EditorTab &tab = GetActiveTab();
    if (!tab.isModified || tab.path.empty() || tab.isVirtual) return true;
    const int answer =
        MessageBoxW(mainWindow.GetHandle(), question.c_str(), L"Save Changes?", MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) return false;
    if (answer == IDNO) return true;
    HWND window = tab.editorWindow; // saving may change the tab list
    SaveTab(&GetActiveTab());
    const EditorTab *saved = FindTabByEditor(window);
    return saved != nullptr && !saved->isModified;
}

// The active document's text; none (after the message) when it is empty. A terminal's hidden
// editor is empty.
std::optional<std::string> Tovrel::ActiveDocumentText() {
    if (activeTab < 0 || activeTab >= int(tabs.size())) return std::nullopt;
    std::string text = GUI::DocumentText(GUI::Scintilla(GetActiveTab().editorWindow));
    if (text.empty()) {
        MessageBoxW(mainWindow.GetHandle(), L"Editor is empty!", L"Error", MB_OK | MB_ICONERROR);
        return std::nullopt;
    }
    return text;
}

void Tovrel::ShowResultTab(const std::string &text, const std::wstring &path, bool isVirtual) {
    const size_t before = tabs.size();
    NewTab();
    if (tabs.size() == before) return;
    const GUI::ScintillaPrimitive view = GUI::Scintilla(GetActiveTab().editorWindow);
    view.Send(SCI_SETREADONLY, 0);
    view.Send(SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    view.Send(SCI_EMPTYUNDOBUFFER); // once writable (saved under a name), an undo must not empty it
    view.Send(SCI_SETREADONLY, 1);
    EditorTab &tab = GetActiveTab();
    tab.path = path;
    tab.isModified = false;
    tab.isVirtual = isVirtual;
    UpdateLineNumberMargin(tab.editorWindow);
    UpdateWindowTitle();
    UpdateStatusBar();
}
