// The main window's fixed chrome: menu bar, toolbar of text buttons, the three-part status
// bar and the title, which follow the active tab.
#include <iterator>
#include <string>

#include "commands.h"
#include "editor_messages.h"
#include "tovrel.h"
#include "wide_text.h"

namespace {

constexpr int kViewMenuIndex = 2;
constexpr int kInitialParts[] = {200, 400, -1};
constexpr double kFirstPartShare = 0.2, kSecondPartShare = 0.25;

struct MenuItem {
    int id; // 0: a separator
    const wchar_t *text;
    bool checked;
};

struct Menu {
    const wchar_t *title;
    std::initializer_list<MenuItem> items;
};

const Menu kMenus[] = {
    {L"&File",
     {{CmdNew, L"&New\tCtrl+N", false},
      {CmdOpen, L"&Open...\tCtrl+O", false},
      {CmdClose, L"&Close\tCtrl+W", false},
      {CmdSave, L"&Save\tCtrl+S", false},
      {CmdSaveAs, L"Save &As...", false},
      {0, nullptr, false},
      {CmdExit, L"E&xit", false}}},
    {L"&Edit",
     {{CmdUndo, L"&Undo\tCtrl+Z", false},
      {CmdRedo, L"&Redo\tCtrl+Y", false},
      {0, nullptr, false},
      {CmdCut, L"Cu&t\tCtrl+X", false},
      {CmdCopy, L"&Copy\tCtrl+C", false},
      {CmdPaste, L"&Paste\tCtrl+V", false},
      {CmdDelete, L"&Delete", false},
      {0, nullptr, false},
      {CmdSelectAll, L"Select &All\tCtrl+A", false},
      {0, nullptr, false},
      {CmdFind, L"&Find...\tCtrl+F", false},
      {CmdFindNext, L"Find &Next\tF3", false},
      {CmdFindPrevious, L"Find Pre&vious\tShift+F3", false},
      {CmdReplace, L"&Replace...\tCtrl+H", false},
      {0, nullptr, false},
      {CmdGotoLine, L"&Go to Line...\tCtrl+G", false},
      {CmdCommandBar, L"&Command Line\tF10", false}}},
    {L"&View",
     {{CmdViewToolbar, L"&Toolbar", true},
      {CmdViewTree, L"资源管理器", true},
      {CmdViewLineNumbers, L"&Line Numbers", true},
      {CmdViewWrap, L"&Wrap Lines", true}}},
    {L"Tools", {{CmdTerminal, L"&终端", false}, {0, nullptr, false}, {CmdRunCode, L"运行代码", false}}},
    {L"&Help",
     {{CmdHelpTopics, L"&Help Topics\tF1", false},
      {0, nullptr, false},
      {CmdHistory, L"&History", false},
      {0, nullptr, false},
      {CmdContact, L"&Contact...", false},
      {CmdAbout, L"&About...", false}}},
};

struct Button {
    int command; // 0: a separator
    const wchar_t *label;
};

const Button kButtons[] = {
    {CmdToolNew, L"\U0001F4C4"},    {CmdToolOpen, L"\U0001F4C2"}, {CmdToolSave, L"\U0001F4BE"},
    {CmdToolSaveAs, L"\U0001F4DD"}, {CmdToolClose, L"\u274C"},    {0, nullptr},
    {CmdToolUndo, L"\u21A9"},       {CmdToolRedo, L"\u21AA"},     {0, nullptr},
    {CmdToolCut, L"\u2702"},        {CmdToolCopy, L"\U0001F4CB"}, {CmdToolPaste, L"\U0001F4CE"},
    {0, nullptr},                   {CmdToolPrint, L"\U0001F5A8"}, {0, nullptr},
    {CmdToolRunCode, L"\u25B6"},    {CmdToolLatex, L"TeX"},       {CmdToolTerminal, L">_"},
    {0, nullptr},                   {CmdToolContact, L"\u2709"},  {0, nullptr},
    {CmdToolAbout, L"\u2753"},
};

void setPart(HWND bar, int part, const std::wstring &text) {
    SendMessageW(bar, SB_SETTEXTW, WPARAM(part), reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace

void Tovrel::CreateMenus() {
    menuBar = CreateMenu();
    for (const Menu &menu : kMenus) {
        HMENU popup = CreatePopupMenu();
        for (const MenuItem &item : menu.items) {
            if (item.id == 0) AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            else AppendMenuW(popup, MF_STRING | (item.checked ? MF_CHECKED : 0), UINT_PTR(item.id), item.text);
        }
        AppendMenuW(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), menu.title);
    }
    SetMenu(mainWindow.GetHandle(), menuBar);
}

void Tovrel::CheckViewItem(int id, bool checked) {
    HMENU bar = GetMenu(mainWindow.GetHandle());
    HMENU view = bar != nullptr ? GetSubMenu(bar, kViewMenuIndex) : nullptr;
    if (view != nullptr) CheckMenuItem(view, UINT(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void Tovrel::CreateToolbar(HWND parent, HINSTANCE programInstance) {
    toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                              WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_TOP, 0, 0,
                              0, 0, parent, nullptr, programInstance, nullptr);
    if (toolbar == nullptr) return;
    TBBUTTON buttons[std::size(kButtons)] = {};
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        const Button &b = kButtons[i];
        buttons[i].iBitmap = 0;
        buttons[i].idCommand = b.command;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = b.command == 0 ? BYTE(BTNS_SEP) : BYTE(BTNS_BUTTON);
        buttons[i].iString = b.label != nullptr ? reinterpret_cast<INT_PTR>(b.label) : 0;
    }
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    RECT r{};
    GetWindowRect(toolbar, &r);
    toolbarHeight = r.bottom - r.top;
}

void Tovrel::CreateStatusBar(HWND parent) {
    statusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"Ready", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                parent, nullptr, instance, nullptr);
    if (statusBar == nullptr) return;
    int parts[std::size(kInitialParts)];
    std::copy(std::begin(kInitialParts), std::end(kInitialParts), parts);
    SendMessageW(statusBar, SB_SETPARTS, std::size(parts), reinterpret_cast<LPARAM>(parts));
    UpdateStatusBar();
}

void Tovrel::LayoutStatusParts() {
    if (statusBar == nullptr) return;
    RECT r{};
    GetClientRect(statusBar, &r);
    const int width = r.right - r.left;
    const int first = int(width * kFirstPartShare), second = int(width * kSecondPartShare);
    int parts[] = {first, first + second, -1};
    SendMessageW(statusBar, SB_SETPARTS, std::size(parts), reinterpret_cast<LPARAM>(parts));
}

void Tovrel::UpdateStatusBar() {
    if (statusBar == nullptr) return;
    if (activeTab < 0 || activeTab >= int(tabs.size())) {
        setPart(statusBar, 0, L"Line 1, Col 1");
        setPart(statusBar, 1, L"Ready");
        setPart(statusBar, 2, L"No Document");
        return;
    }
    const EditorTab &tab = tabs[size_t(activeTab)];
    const GUI::ScintillaPrimitive view = GUI::Scintilla(tab.editorWindow);
    const int64_t position = view.Send(SCI_GETCURRENTPOS);
    const int64_t line = view.Send(SCI_LINEFROMPOSITION, WPARAM(position)) + 1;
    const int64_t column = view.Send(SCI_GETCOLUMN, WPARAM(position)) + 1;
    setPart(statusBar, 0, L"Line " + std::to_wstring(line) + L", Col " + std::to_wstring(column));
    setPart(statusBar, 1, (tab.isModified ? L"* " : L"") + tab.encoding);
    std::wstring name, tip;
    if (tab.path.empty()) {
        name = tab.isVirtual ? L"Virtual Document" : L"Untitled";
    } else {
        name = fileNamePart(tab.path);
        tip = tab.path;
    }
    setPart(statusBar, 2, name);
    SendMessageW(statusBar, SB_SETTIPTEXTW, 2, reinterpret_cast<LPARAM>(tip.c_str()));
}

void Tovrel::UpdateWindowTitle() {
    if (activeTab < 0 || activeTab >= int(tabs.size())) {
        mainWindow.SetText(L"Kavlo");
        return;
    }
    const EditorTab &tab = tabs[size_t(activeTab)];
    std::wstring title = tab.isModified ? L"*" : L"";
    if (tab.path.empty()) title += tab.isVirtual ? L"Virtual Document" : L"Untitled";
    else title += fileNamePart(tab.path);
    mainWindow.SetText(title + L" Kavlo");
}
