// The windows around the tabs: the directory tree, the read-only side and output panes, and
// the command bar (a label and a one-line field at the bottom of the main window).
#include <algorithm>

#include "editor_messages.h"
#include "tovrel.h"
#include "wide_text.h"

namespace {

constexpr COLORREF kPaneBack = 0xF0F0F0;
constexpr COLORREF kCommandBarBack = 0xF0F0F0;
constexpr int kInitialMainWidth = 800;
constexpr int kInitialTreeWidth = 220, kInitialTreeHeight = 300;
constexpr int kInitialOutputHeight = 150;
constexpr int kLabelWidth = 20, kInitialFieldX = 30, kInitialFieldWidth = 300;
constexpr int kFontExtraHeight = 12;
constexpr int kMinimumBarHeight = 24, kMinimumFieldWidth = 50, kBarLeftGap = 2;
constexpr int kFieldTextLimit = 1023;
constexpr wchar_t kPlaceholder[] = L"Type command ...";

// A pane nothing writes to: read-only, no margin, wrapped, grey.
void configureReadOnlyPane(HWND pane) {
    const GUI::ScintillaPrimitive view = GUI::Scintilla(pane);
    view.Send(SCI_SETREADONLY, 1);
    view.Send(SCI_SETMARGINTYPEN, 0, SC_MARGIN_SYMBOL);
    view.Send(SCI_SETMARGINWIDTHN, 0, 0);
    view.Send(SCI_SETWRAPMODE, SC_WRAP_WORD);
    view.Send(SCI_STYLESETBACK, STYLE_DEFAULT, kPaneBack);
    view.Send(SCI_STYLECLEARALL);
}

LRESULT CALLBACK commandEditSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR reference) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, commandEditSubclassProc, id);
    auto *self = reinterpret_cast<Tovrel *>(reference);
    if (self == nullptr) return DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        wchar_t text[kFieldTextLimit + 1] = {};
        GetWindowTextW(window, text, kFieldTextLimit + 1);
        const std::wstring line = trimWhitespace(text);
        if (!line.empty()) self->ExecuteCommandLine(line);
        return 0;
    }
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
        self->ShowCommandBar(false);
        return 0;
    }
    if (message == WM_KEYDOWN && wParam == VK_UP) {
        self->CommandHistoryPrevious();
        return 0;
    }
    if (message == WM_KEYDOWN && wParam == VK_DOWN) {
        self->CommandHistoryNext();
        return 0;
    }
    if (message == WM_CHAR && (wParam == L'\r' || wParam == 27)) return 0; // no beep
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

void Tovrel::CreateDirectoryTree(HINSTANCE programInstance, HWND parent) {
    directoryTree = CreateWindowExW(0, WC_TREEVIEWW, L"",
                                    WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                                    0, toolbarHeight, kInitialTreeWidth, kInitialTreeHeight, parent, nullptr,
                                    programInstance, nullptr);
    treeWidth = kInitialTreeWidth;
}

void Tovrel::CreateOutputPane(HINSTANCE programInstance, HWND parent) {
    outputPane = CreateWindowExW(0, L"Scintilla", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, treeWidth,
                                 0, kInitialMainWidth - treeWidth, kInitialOutputHeight, parent, nullptr,
                                 programInstance, nullptr);
    configureReadOnlyPane(outputPane);
    outputHeight = kInitialOutputHeight;
}

void Tovrel::CreateSidePane() {
    sidePane = CreateWindowExW(0, L"Scintilla", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, 0, 0, 100,
                               sidePaneHeight, mainWindow.GetHandle(), nullptr, instance, nullptr);
    configureReadOnlyPane(sidePane);
}

void Tovrel::CreateCommandBar(HWND parent) {
    FontSpec mono = GetFontProperty(L"font.monospace", L"Consolas", 12);
    mono.face = FixedPitchFace(mono.face);
    const int height = std::max(mono.size + kFontExtraHeight, commandBarHeight);
    commandLabel = CreateWindowExW(0, L"STATIC", L">", WS_CHILD | WS_VISIBLE | SS_SUNKEN | SS_CENTERIMAGE, 0, 0,
                                   kLabelWidth, height, parent, nullptr, instance, nullptr);
    commandEdit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, kInitialFieldX, 0,
                                  kInitialFieldWidth, height, parent, nullptr, instance, nullptr);
    if (commandLabel == nullptr || commandEdit == nullptr) return;
    if (commandFont != nullptr) DeleteObject(commandFont);
    commandFont = CreatePointFont(mono);
    for (HWND window : {commandLabel, commandEdit})
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(commandFont), TRUE);
    // One brush serves the bar for the program's life (every showing of the bar sets it again).
    if (commandBrush == nullptr) commandBrush = CreateSolidBrush(kCommandBarBack);
    for (HWND window : {commandEdit, commandLabel})
        SetClassLongPtrW(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(commandBrush));
    SetWindowSubclass(commandEdit, commandEditSubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
    commandBarVisible = true;
    commandHistoryIndex = 0;
    LayoutCommandBar();
    SetWindowTextW(commandEdit, kPlaceholder);
    SendMessageW(commandEdit, EM_SETSEL, 0, -1);
    ShowWindow(commandLabel, SW_HIDE);
    ShowWindow(commandEdit, SW_HIDE);
}

void Tovrel::ShowCommandBar(bool show) {
    if (commandEdit == nullptr || commandLabel == nullptr) return;
    commandBarVisible = show;
    ShowWindow(commandLabel, show ? SW_SHOW : SW_HIDE);
    ShowWindow(commandEdit, show ? SW_SHOW : SW_HIDE);
    if (show) {
        SetWindowTextW(commandEdit, L"");
        SetFocus(commandEdit);
        commandHistoryIndex = int(commandHistory.size());
        LayoutCommandBar();
        for (HWND window : {commandEdit, commandLabel})
            SetClassLongPtrW(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(commandBrush));
    } else if (HWND text = GetActiveTextWindow()) {
        // The console for the terminal: its hidden editor window must not take the keys.
        SetFocus(text);
    }
    InvalidateRect(mainWindow.GetHandle(), nullptr, TRUE);
    UpdateWindow(mainWindow.GetHandle());
}

void Tovrel::ToggleCommandBar() {
    ShowCommandBar(!commandBarVisible);
}

void Tovrel::LayoutCommandBar() {
    HWND main = mainWindow.GetHandle();
    if (commandEdit == nullptr || commandLabel == nullptr || main == nullptr || !IsWindow(main) || IsIconic(main))
        return;
    RECT client{};
    GetClientRect(main, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    const int h = std::max(commandBarHeight, kMinimumBarHeight);
    RECT status{};
    if (statusBar != nullptr) {
        GetWindowRect(statusBar, &status);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT *>(&status), 2);
    } else {
        status.top = status.bottom = client.bottom;
    }
    int y = std::max(int(status.top) - h, 0);
    if (client.bottom < h + y) y = client.bottom - (status.bottom - status.top) - h;
    const int x = kBarLeftGap + (showTree ? treeWidth + splitterSize : 0);
    SetWindowPos(commandLabel, HWND_TOP, x, y, kLabelWidth, h, SWP_NOACTIVATE);
    SetWindowPos(commandEdit, HWND_TOP, x + kLabelWidth, y, std::max(int(client.right) - (x + kLabelWidth), kMinimumFieldWidth),
                 h, SWP_NOACTIVATE);
    for (HWND window : {commandLabel, commandEdit}) {
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        InvalidateRect(window, nullptr, TRUE);
    }
}
