// Tabs and documents: each entry of `tabs` is the item at the same index of the tab control.
// Creating, switching and closing tabs, their labels and context menu, the modified state
// that follows the editor, and fitting the active window into the tab control.
#include <string>

#include "commands.h"
#include "editor_messages.h"
#include "entry/line_entry.h"
#include "tovrel.h"
#include "wide_text.h"

namespace {

constexpr UINT kFit = SWP_NOCOPYBITS | SWP_NOACTIVATE | SWP_NOZORDER;
constexpr int kFallbackSide = 100;
constexpr int kCommandBarStrip = 30; // left free below a console for the command bar
constexpr size_t kLabelLimit = 255;  // characters a tab label keeps

std::wstring untitledLabel(size_t number) {
    return L"Untitled " + std::to_wstring(number);
}

void setItemText(HWND tabControl, int index, std::wstring text) {
    if (text.size() > kLabelLimit) text.resize(kLabelLimit);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(tabControl, TCM_SETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
}

} // namespace

void Tovrel::NewTab() {
    HWND window = CreateWindowExW(0, L"Scintilla", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, 0, 0,
                                  100, 100, tabControl, nullptr, instance, nullptr);
    if (window == nullptr) {
        MessageBoxW(mainWindow.GetHandle(), L"Failed to create Scintilla window!", L"Error", MB_OK | MB_ICONERROR);
        return;
    }
    ConfigureEditor(window);
    if (showLineNumbers) {
        GUI::Scintilla(window).Send(SCI_SETMARGINTYPEN, 0, SC_MARGIN_NUMBER);
        UpdateLineNumberMargin(window);
    }
    EditorTab tab;
    tab.editorWindow = window;
    tabs.push_back(tab);
    const int index = int(tabs.size()) - 1;
    // Numbered by the count of tabs, so after closing tabs two may carry the same number.
    std::wstring label = untitledLabel(tabs.size());
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = label.data();
    item.lParam = index;
    SendMessageW(tabControl, TCM_INSERTITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    SwitchToTab(index);
}

void Tovrel::SwitchToTab(int index) {
    if (index < 0 || index >= int(tabs.size())) return;
    activeTab = index;
    const EditorTab &active = tabs[size_t(index)];
    SendMessageW(tabControl, TCM_SETCURSEL, WPARAM(index), 0);
    for (int i = 0; i < int(tabs.size()); ++i) {
        const EditorTab &tab = tabs[size_t(i)];
        const bool shown = i == index;
        if (shown && tab.isTerminal && tab.consoleWindow != nullptr) {
            ShowWindow(tab.consoleWindow, SW_SHOW);
            ShowWindow(tab.editorWindow, SW_HIDE);
            SetFocus(tab.consoleWindow);
            GUI::ScintillaPrimitive console = GUI::Scintilla(tab.consoleWindow);
            console.Send(SCI_GOTOPOS, WPARAM(tab.inputStart));
            console.Send(SCI_SETFOCUS, 1);
        } else if (shown) {
            ShowWindow(tab.editorWindow, SW_SHOW);
            if (tab.consoleWindow != nullptr) ShowWindow(tab.consoleWindow, SW_HIDE);
            if (!commandBarVisible) SetFocus(tab.editorWindow); // not the pane that stays
        } else {
            ShowWindow(tab.editorWindow, SW_HIDE);
            if (tab.consoleWindow != nullptr) ShowWindow(tab.consoleWindow, SW_HIDE);
        }
    }
    activeEditor = active.isTerminal ? nullptr : active.editorWindow;
    editor.SetHandle(activeEditor);
    if (showLineNumbers && activeEditor != nullptr) {
        editor.Send(SCI_SETMARGINTYPEN, 0, SC_MARGIN_NUMBER);
        UpdateLineNumberMargin(activeEditor);
    }
    ResizeActiveTab();
    UpdateWindowTitle();
    UpdateStatusBar();
    RECT display{};
    GetClientRect(tabControl, &display);
    SendMessageW(tabControl, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    SetWindowPos(active.editorWindow, nullptr, display.left, display.top, display.right - display.left,
                 display.bottom - display.top, SWP_NOACTIVATE | SWP_NOZORDER);
    if (commandEdit != nullptr && commandBarVisible) LayoutCommandBar();
}

void Tovrel::ResizeActiveTab() {
    if (activeTab < 0 || activeTab >= int(tabs.size())) return;
    RECT r{};
    GetClientRect(tabControl, &r);
    if (r.right - r.left < 1 || r.bottom - r.top < 1) {
        // Not laid out yet: the main window's client area stands in.
        const Rect client = mainWindow.GetClientRect();
        const int height = client.Height() - kFallbackSide;
        r = RECT{0, 0, client.Width(), height < 0 ? kFallbackSide : height};
    }
    RECT a = r;
    SendMessageW(tabControl, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&a));
    if (a.right <= a.left || a.bottom <= a.top) {
        a = r;
        if (a.right <= a.left) a.right = a.left + kFallbackSide;
        if (a.bottom <= a.top) a.bottom = a.top + kFallbackSide;
    }
    const EditorTab &tab = tabs[size_t(activeTab)];
    const int width = a.right - a.left, height = a.bottom - a.top;
    if (tab.isTerminal && tab.consoleWindow != nullptr)
        SetWindowPos(tab.consoleWindow, nullptr, a.left, a.top, width, height - kCommandBarStrip, kFit);
    else
        SetWindowPos(tab.editorWindow, nullptr, a.left, a.top, width, height, kFit);
}

int Tovrel::IndexOfTab(const EditorTab *tab) const {
    for (size_t i = 0; i < tabs.size(); ++i)
        if (&tabs[i] == tab) return int(i);
    return -1;
}

EditorTab *Tovrel::FindTabByEditor(HWND window) {
    if (window == nullptr) return nullptr;
    for (EditorTab &tab : tabs)
        if (tab.editorWindow == window) return &tab;
    return nullptr;
}

EditorTab &Tovrel::GetActiveTab() {
    return tabs[size_t(activeTab)];
}

HWND Tovrel::GetActiveEditor() {
    return activeTab < 0 || activeTab >= int(tabs.size()) ? nullptr : tabs[size_t(activeTab)].editorWindow;
}

void Tovrel::DiscardTab(int index) {
    EditorTab &tab = tabs[size_t(index)];
    if (tab.isTerminal) {
        // A run still going uses the script machine: it is stopped first, and a run that
        // does not stop keeps its machine.
        if (!RunBusy() || StopRunAndWait()) kscriptFreeVM(calculator);
        if (tab.consoleWindow != nullptr) DestroyWindow(tab.consoleWindow);
        tab.consoleWindow = nullptr;
    }
    if (tab.editorWindow != nullptr) DestroyWindow(tab.editorWindow);
    tab.editorWindow = nullptr;
    SendMessageW(tabControl, TCM_DELETEITEM, WPARAM(index), 0);
    tabs.erase(tabs.begin() + index);
}

void Tovrel::CloseTabAt(EditorTab *tab) {
    const int index = IndexOfTab(tab);
    if (index < 0) return;
    if (!tab->isTerminal && tab->isModified && !PromptSaveChanges(tab)) return;
    DiscardTab(index);
    if (tabs.empty()) {
        ShowNoDocument();
        return;
    }
    SwitchToTab(index < int(tabs.size()) ? index : index - 1);
}

void Tovrel::CloseActiveTab() {
    if (activeTab >= 0 && activeTab < int(tabs.size())) CloseTabAt(&tabs[size_t(activeTab)]);
}

void Tovrel::CloseAllTabs() {
    if (HasUnsavedTabs() &&
        MessageBoxW(mainWindow.GetHandle(), L"有些文件未保存，关闭所有标签页？", L"确认关闭", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    while (!tabs.empty()) {
        const int last = int(tabs.size()) - 1;
        SwitchToTab(last);
        DiscardTab(last);
    }
    ShowNoDocument();
    menuTab = -1;
}

// With no tab left the strip is repainted whole: its items' area would keep their pixels.
void Tovrel::ShowNoDocument() {
    activeTab = -1;
    activeEditor = nullptr;
    editor.SetHandle(nullptr);
    UpdateWindowTitle();
    UpdateStatusBar();
    InvalidateRect(tabControl, nullptr, TRUE);
    UpdateWindow(tabControl);
}

// Each modified document tab is asked about as closing it alone would be; a Cancel keeps
// that tab and the ones not reached yet.
void Tovrel::CloseOtherTabs() {
    if (menuTab < 0 || menuTab >= int(tabs.size())) return;
    int keep = menuTab;
    for (int i = int(tabs.size()) - 1; i >= 0; --i) {
        if (i == keep) continue;
        EditorTab &tab = tabs[size_t(i)];
        if (!tab.isTerminal && tab.isModified && !PromptSaveChanges(&tab)) break;
        DiscardTab(i);
        if (i < keep) --keep;
    }
    SwitchToTab(keep);
    menuTab = -1;
}

void Tovrel::CloseMenuTab() {
    if (menuTab < 0 || menuTab >= int(tabs.size())) return;
    SwitchToTab(menuTab);
    CloseActiveTab();
    menuTab = -1;
}

void Tovrel::UpdateTabLabel(EditorTab *tab) {
    const int index = IndexOfTab(tab);
    if (activeTab < 0 || index < 0) return;
    std::wstring label;
    if (tab->path.empty()) label = tab->isVirtual ? L"Virtual" : untitledLabel(size_t(index) + 1);
    else label = fileNamePart(tab->path);
    if (tab->isModified) label += L" *";
    setItemText(tabControl, index, label);
}

bool Tovrel::HasUnsavedTabs() const {
    for (const EditorTab &tab : tabs)
        if (tab.isModified && !tab.isVirtual) return true;
    return false;
}

bool Tovrel::SaveAllTabs() {
    bool allSaved = true;
    for (size_t i = 0; i < tabs.size(); ++i) {
        if (!tabs[i].isModified || tabs[i].isVirtual) continue;
        if (tabs[i].path.empty()) SaveTabAs(&tabs[i]);
        else SaveTab(&tabs[i]);
        allSaved = allSaved && !tabs[i].isModified;
    }
    return allSaved;
}

void Tovrel::OnEditorNotify(int index, const NMHDR *header) {
    if (index < 0) return;
    EditorTab &tab = tabs[size_t(index)];
    const bool active = index == activeTab;
    switch (header->code) {
    case SCN_SAVEPOINTREACHED:
    case SCN_SAVEPOINTLEFT:
        tab.isModified = header->code == SCN_SAVEPOINTLEFT;
        if (active) {
            UpdateWindowTitle();
            UpdateStatusBar();
        }
        break;
    case SCN_MODIFIED: {
        const auto *notification = reinterpret_cast<const SciNotification *>(header);
        if ((notification->modificationType & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT)) == 0) break;
        tab.isModified = true;
        if (active) {
            UpdateWindowTitle();
            UpdateStatusBar();
            UpdateLineNumberMargin(tab.editorWindow);
        }
        break;
    }
    case SCN_UPDATEUI:
        if (active) UpdateStatusBar();
        break;
    default:
        break;
    }
}

bool Tovrel::ShowTabMenu(POINT screenPoint) {
    TCHITTESTINFO hit{};
    hit.pt = screenPoint;
    ScreenToClient(tabControl, &hit.pt);
    const int index = int(SendMessageW(tabControl, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (index < 0 || index >= int(tabs.size())) return false;
    menuTab = index;
    if (tabMenu != nullptr)
        TrackPopupMenu(tabMenu, TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, mainWindow.GetHandle(), nullptr);
    return true;
}

LRESULT CALLBACK Tovrel::tabControlSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                                DWORD_PTR reference) {
    auto *self = reinterpret_cast<Tovrel *>(reference);
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, tabControlSubclassProc, id);
    if (self == nullptr) return DefSubclassProc(window, message, wParam, lParam);
    switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
        POINT cursor;
        GetCursorPos(&cursor);
        if (self->ShowTabMenu(cursor)) return 0;
        break;
    }
    case WM_NOTIFY: {
        // Editors and consoles are children of the tab control; their notifications belong
        // to the main window procedure.
        const auto *header = reinterpret_cast<const NMHDR *>(lParam);
        if (header != nullptr && (self->FindTabByEditor(header->hwndFrom) || self->FindTabByConsole(header->hwndFrom)))
            return SendMessageW(self->mainWindow.GetHandle(), WM_NOTIFY, wParam, lParam);
        break;
    }
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// Yes saves (true only when the tab is no longer modified afterwards), No drops the
// changes, Cancel keeps everything.
bool Tovrel::PromptSaveChanges(EditorTab *tab) {
    if (tab == nullptr || !tab->isModified) return true;
    const int answer = MessageBoxW(mainWindow.GetHandle(), L"The file has been modified. Do you want to save changes?",
                                   L"Save Changes?", MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) return false;
    if (answer != IDYES) return true;
    HWND editorWindow = tab->editorWindow;
    SaveTab(tab);
    const EditorTab *saved = FindTabByEditor(editorWindow);
    return saved != nullptr && !saved->isModified;
}

void Tovrel::NewFile() {
    if (activeTab >= 0 && activeTab < int(tabs.size()) && GetActiveTab().isModified &&
        !PromptSaveChanges(&GetActiveTab()))
        return;
    NewTab();
}
