// The main window's procedure: the command table shared by menus, toolbar, accelerators and
// the command bar, the routing of notifications, the keys that reach the main window itself,
// and the end of the program.
#include <iterator>
#include <string>

#include "commands.h"
#include "editor_messages.h"
#include "tovrel.h"

namespace {

constexpr wchar_t kVersion[] = L"0.1.8";
constexpr wchar_t kContactText[] = L"Kavlo is made by its maintainers.\nPlease report problems in the project's issues.";

bool held(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

// The build date as "Mmm dd yyyy" and the time as "hh:mm:ss", as the compiler records them.
std::wstring aboutText() {
    const std::string build = std::string(__DATE__) + " " + __TIME__; // ASCII only
    return std::wstring(L"Tovrel v") + kVersion + L"\nBuilt with Scintilla 5.x\nBuild: " +
           std::wstring(build.begin(), build.end());
}

struct Shortcut {
    WPARAM key;
    int command;
};

// Ctrl with a letter, for the keys that reach the main window itself.
constexpr Shortcut kCtrlKeys[] = {
    {'A', CmdSelectAll}, {'C', CmdCopy}, {'F', CmdFind},  {'G', CmdGotoLine}, {'H', CmdReplace},
    {'N', CmdNew},       {'O', CmdOpen}, {'S', CmdSave},  {'V', CmdPaste},    {'W', CmdClose},
    {'X', CmdCut},       {'Y', CmdRedo}, {'Z', CmdUndo},
};
// Ctrl with a letter while Alt is down (WM_SYSKEYDOWN).
constexpr Shortcut kCtrlSysKeys[] = {
    {'O', CmdOpen}, {'N', CmdNew}, {'S', CmdSave},  {'Z', CmdUndo},  {'Y', CmdRedo},
    {'X', CmdCut},  {'C', CmdCopy}, {'V', CmdPaste}, {'A', CmdSelectAll},
};
constexpr WPARAM kSysCommandBarKey = 0x3A;

int commandOf(const Shortcut *first, const Shortcut *last, WPARAM key) {
    for (const Shortcut *s = first; s != last; ++s)
        if (s->key == key) return s->command;
    return 0;
}

} // namespace

LRESULT CALLBACK Tovrel::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        const auto *create = reinterpret_cast<const CREATESTRUCTW *>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto *self = reinterpret_cast<Tovrel *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return self->HandleMessage(window, message, wParam, lParam);
}

LRESULT Tovrel::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        for (HFONT *font : {&boldFont, &normalFont}) {
            if (*font != nullptr) DeleteObject(*font);
            *font = nullptr;
        }
        PostQuitMessage(0);
        return 0;
    case WM_CLOSE:
        // The close box, the system menu and Alt+F4 ask about unsaved tabs as Exit does. While a
        // question or dialog owns the window (it is disabled then) a close would stack a second
        // question on the first: one question at a time.
        if (IsWindowEnabled(window)) Exit();
        return 0;
    case WM_SETFOCUS:
        // Back from a message box or another window: the keys go where the user typed.
        FocusTypingWindow();
        return 0;
    case kRunFinishedMessage:
        OnRunFinished();
        return 0;
    case kLatexShownMessage:
        OnLatexShown(wParam, lParam);
        return 0;
    case kLatexCloseMessage:
        OnLatexCloseRequest(wParam);
        return 0;
    case WM_SIZE:
        if (statusBar != nullptr) SendMessageW(statusBar, WM_SIZE, 0, 0);
        LayoutStatusParts();
        return OnSize(wParam, lParam);
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<const NMHDR *>(lParam));
    case WM_CONTEXTMENU:
        if (directoryTree != nullptr && reinterpret_cast<HWND>(wParam) == directoryTree) ShowTreeMenu(lParam);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_SYSKEYDOWN:
        OnSysKeyDown(wParam);
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_SYSCOMMAND: {
        const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
        const UINT command = UINT(wParam & 0xFFF0);
        if ((command == SC_MAXIMIZE || command == SC_MINIMIZE || command == SC_RESTORE) && commandEdit != nullptr &&
            commandBarVisible)
            LayoutCommandBar();
        return result;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void Tovrel::OnCommand(int id) {
    switch (id) {
    case CmdNew: case CmdToolNew: NewFile(); break;
    case CmdOpen: case CmdToolOpen: OpenFileDialog(); break;
    case CmdSave: case CmdToolSave: SaveActiveTab(); break;
    case CmdSaveAs: case CmdToolSaveAs: SaveActiveTabAs(); break;
    case CmdExit: Exit(); break;
    case CmdClose: case CmdToolClose: CloseActiveTab(); break;
    case CmdUndo: case CmdToolUndo: Undo(); break;
    case CmdRedo: case CmdToolRedo: Redo(); break;
    case CmdCut: case CmdToolCut: Cut(); break;
    case CmdCopy: case CmdToolCopy: Copy(); break;
    case CmdPaste: case CmdToolPaste: Paste(); break;
    case CmdToolPrint:
        MessageBoxW(mainWindow.GetHandle(), L"Print function not implemented yet.", L"Info", MB_OK);
        break;
    case CmdAbout: case CmdToolAbout: ShowAbout(); break;
    case CmdContact: case CmdToolContact:
        MessageBoxW(mainWindow.GetHandle(), kContactText, L"Contact", MB_OK);
        break;
    case CmdRunCode: case CmdToolRunCode: RunByKscript(); break;
    case CmdToolLatex: ShowLatexPreview(); break;
    case CmdTerminal: case CmdToolTerminal: OpenTerminal(); break;
    case CmdDelete: Clear(); break;
    case CmdSelectAll: SelectAll(); break;
    case CmdGotoLine: ShowGotoDialog(); break;
    case CmdViewToolbar: ToggleToolbar(); break;
    case CmdViewLineNumbers: ToggleLineNumbers(); break;
    case CmdViewWrap: ToggleWrap(); break;
    case CmdViewTree: ToggleDirectoryTree(); break;
    case CmdHelpTopics: ShowHelpPage(); break;
    case CmdHistory: ShowHistoryPage(); break;
    case CmdTabClose: CloseMenuTab(); break;
    case CmdTabCloseAll: CloseAllTabs(); break;
    case CmdTabCloseOthers: CloseOtherTabs(); break;
    case CmdTreeUp: case CmdTreeRefresh: case CmdTreeSetRoot: case CmdTreeChoose: OnTreeCommand(id); break;
    case CmdFind: ShowFindDialog(); break;
    case CmdReplace: ShowReplaceDialog(); break;
    case CmdFindNext: FindNext(); break;
    case CmdFindPrevious: FindPrevious(); break;
    case CmdCommandBar:
        ToggleCommandBar();
        InvalidateRect(mainWindow.GetHandle(), nullptr, TRUE);
        UpdateWindow(mainWindow.GetHandle());
        break;
    default:
        break;
    }
}

LRESULT Tovrel::OnNotify(const NMHDR *header) {
    if (header == nullptr) return 0;
    if (directoryTree != nullptr && header->hwndFrom == directoryTree) {
        OnTreeNotify(header);
        return 0;
    }
    if (tabControl != nullptr && header->hwndFrom == tabControl) {
        OutputDebugStringW(L"hTabControl received!\n");
        if (header->code == NM_RCLICK) {
            POINT cursor;
            GetCursorPos(&cursor);
            ShowTabMenu(cursor);
        } else if (header->code == TCN_SELCHANGE) {
            const int selected = int(SendMessageW(tabControl, TCM_GETCURSEL, 0, 0));
            if (selected != activeTab && selected >= 0 && selected < int(tabs.size())) SwitchToTab(selected);
        }
        return 0;
    }
    if (EditorTab *tab = FindTabByConsole(header->hwndFrom)) {
        OnConsoleNotify(tab, header);
        return 0;
    }
    if (EditorTab *tab = FindTabByEditor(header->hwndFrom)) OnEditorNotify(IndexOfTab(tab), header);
    return 0;
}

void Tovrel::OnKeyDown(WPARAM key) {
    if (commandEdit != nullptr && GetFocus() == commandEdit) return;
    const bool ctrl = held(VK_CONTROL), shift = held(VK_SHIFT), alt = held(VK_MENU);
    if (key == VK_F10 && !ctrl && !shift && !alt) {
        ToggleCommandBar();
        return;
    }
    if (ctrl && !shift && !alt) {
        if (const int command = commandOf(std::begin(kCtrlKeys), std::end(kCtrlKeys), key)) {
            OnCommand(command);
            return;
        }
    }
    if (key == VK_F1) OnCommand(CmdHelpTopics);
    else if (key == VK_F3) shift ? FindPrevious() : FindNext();
}

void Tovrel::OnSysKeyDown(WPARAM key) {
    if (!held(VK_CONTROL)) return;
    if (key == kSysCommandBarKey) {
        ToggleCommandBar();
        return;
    }
    if (const int command = commandOf(std::begin(kCtrlSysKeys), std::end(kCtrlSysKeys), key)) OnCommand(command);
}

void Tovrel::Exit() {
    HWND main = mainWindow.GetHandle();
    if (RunBusy()) {
        if (MessageBoxW(main, L"A computation is still running. Stop it and exit?", L"Kavlo",
                        MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        StopRunAndWait();
    }
    if (HasUnsavedTabs()) {
        const int answer = MessageBoxW(main, L"There are unsaved changes. Save all before exiting?", L"Save Changes?",
                                       MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL) return;
        if (answer == IDYES && !SaveAllTabs() &&
            MessageBoxW(main, L"Failed to save some files. Exit anyway?", L"Warning", MB_YESNO | MB_ICONWARNING) != IDYES)
            return;
    }
    DestroyWindow(main);
}

void Tovrel::FocusTypingWindow() {
    HWND target = commandEdit != nullptr && commandBarVisible ? commandEdit : GetActiveTextWindow();
    if (target == nullptr || !IsWindowVisible(target)) return;
    SetFocus(target);
    if (target != commandEdit) SendMessageW(target, SCI_SETFOCUS, 1, 0);
}

void Tovrel::ShowAbout() {
    MessageBoxW(mainWindow.GetHandle(), aboutText().c_str(), L"About Tovrel", MB_OK | MB_ICONINFORMATION);
}
