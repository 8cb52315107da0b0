// The terminal tab: a console window in which earlier output stays readable and the user
// types after the last prompt. Positions in the console count bytes of its UTF-8 document;
// the shell's texts are wide and converted at the border.
#include <climits>
#include <vector>

#include "commands.h"
#include "editor_messages.h"
#include "entry/line_entry.h"
#include "text_codec.h"
#include "tovrel.h"
#include "wide_text.h"

namespace {

constexpr wchar_t kWelcome[] = L"欢迎使用内置终端\n输入help显示内置命令. 输入 :home 或任何 Kavlo 的命令、表达式等均可进入 "
                               L"Kavlo.\n按 Enter 执行，Shift+Enter 换行\n\n~# ";
constexpr size_t kHistoryLimit = 50;
constexpr int kShadePercent = 90; // the console is a little darker than a button face
constexpr int kCaretPeriod = 500, kLineCaret = 1;
constexpr COLORREF kCaretColour = 0x000000;

COLORREF shaded(COLORREF colour) {
    return RGB(GetRValue(colour) * kShadePercent / 100, GetGValue(colour) * kShadePercent / 100,
               GetBValue(colour) * kShadePercent / 100);
}

bool hasConsole(const EditorTab *tab) {
    return tab != nullptr && tab->consoleWindow != nullptr;
}

} // namespace

void Tovrel::OpenTerminal() {
    if (!RunBusy()) kscriptResetVM(calculator); // a running script keeps its machine
    RegisterTerminalCommands();
    if (commandBarVisible) ShowCommandBar(false);
    for (size_t i = 0; i < tabs.size(); ++i) {
        if (tabs[i].isTerminal) {
            SwitchToTab(int(i));
            return;
        }
    }
    const size_t before = tabs.size();
    NewTab();
    if (tabs.size() == before) return; // its editor window could not be made
    EditorTab &tab = GetActiveTab();
    tab.isTerminal = true;
    tab.isVirtual = true;
    tab.path = L"Terminal";
    tab.encoding = L"UTF-8";
    ShowWindow(tab.editorWindow, SW_HIDE);

    HWND console = CreateWindowExW(0, L"Scintilla", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, 0, 0,
                                   100, 100, tabControl, nullptr, instance, nullptr);
    if (console == nullptr) {
        MessageBoxW(mainWindow.GetHandle(), L"无法创建终端 Scintilla！", L"错误", MB_OK | MB_ICONERROR);
        CloseActiveTab();
        return;
    }
    tab.consoleWindow = console;
    activeEditor = nullptr;
    editor.SetHandle(nullptr);
    const GUI::ScintillaPrimitive view = GUI::Scintilla(console);
    ConfigureEditor(console);
    view.Send(SCI_SETMARGINTYPEN, 0, SC_MARGIN_SYMBOL);
    view.Send(SCI_SETMARGINWIDTHN, 0, 0);
    view.Send(SCI_SETWRAPMODE, SC_WRAP_WORD);

    FontSpec mono = GetFontProperty(L"font.monospace", L"Consolas", 12);
    mono.face = FixedPitchFace(mono.face);
    if (terminalFont != nullptr) DeleteObject(terminalFont);
    terminalFont = CreatePointFont(mono);
    SendMessageW(console, WM_SETFONT, reinterpret_cast<WPARAM>(terminalFont), TRUE);
    // The component draws with its default style's face, not with the font handed to it.
    const std::string face = wideToUtf8(mono.face);
    view.Send(SCI_STYLESETFONT, STYLE_DEFAULT, reinterpret_cast<LPARAM>(face.c_str()));
    view.Send(SCI_STYLESETSIZE, STYLE_DEFAULT, mono.size);

    terminalColor = shaded(GetSysColor(COLOR_BTNFACE));
    view.Send(SCI_STYLESETBACK, STYLE_DEFAULT, terminalColor);
    view.Send(SCI_STYLECLEARALL);
    view.Send(SCI_SETCODEPAGE, SC_CP_UTF8);

    const std::string welcome = wideToUtf8(kWelcome);
    view.Send(SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(welcome.c_str()));
    tab.inputStart = int64_t(welcome.size());

    SetWindowSubclass(console, terminalSubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
    view.Send(SCI_SETCARETPERIOD, kCaretPeriod);
    view.Send(SCI_SETCARETSTYLE, kLineCaret);
    view.Send(SCI_SETCARETFORE, kCaretColour);
    SetFocus(console);
    view.Send(SCI_GOTOPOS, WPARAM(tab.inputStart));

    UpdateTabLabel(&tab);
    UpdateWindowTitle();
    UpdateStatusBar();
    ResizeActiveTab();
}

void Tovrel::AppendTerminalOutput(EditorTab *tab, const std::wstring &text) {
    if (!hasConsole(tab)) return;
    const GUI::ScintillaPrimitive console = GUI::Scintilla(tab->consoleWindow);
    const std::string bytes = wideToUtf8(text);
    console.Send(SCI_APPENDTEXT, WPARAM(bytes.size()), reinterpret_cast<LPARAM>(bytes.data()));
    tab->inputStart = console.Send(SCI_GETTEXTLENGTH);
    console.Send(SCI_GOTOPOS, WPARAM(tab->inputStart));
    console.Send(SCI_SCROLLCARET);
}

std::wstring Tovrel::GetTerminalInput(EditorTab *tab) {
    if (!hasConsole(tab)) return std::wstring();
    const GUI::ScintillaPrimitive console = GUI::Scintilla(tab->consoleWindow);
    const int64_t length = console.Send(SCI_GETTEXTLENGTH);
    // The range message carries 32-bit positions: input beyond them cannot be asked for.
    if (tab->inputStart < 0 || tab->inputStart >= length || length > INT32_MAX) return std::wstring();
    std::vector<char> buffer(size_t(length - tab->inputStart) + 1, '\0');
    SciTextRange range{{int32_t(tab->inputStart), int32_t(length)}, buffer.data()};
    console.Send(SCI_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    buffer.back() = '\0';
    return utf8ToWide(buffer.data());
}

void Tovrel::OnTerminalEnter(EditorTab *tab) {
    if (!hasConsole(tab)) return;
    if (RunBusy()) { // the typed text waits, as input, for the run's end
        MessageBeep(MB_OK);
        return;
    }
    const std::wstring line = trimWhitespace(GetTerminalInput(tab));
    const GUI::ScintillaPrimitive console = GUI::Scintilla(tab->consoleWindow);
    console.Send(SCI_APPENDTEXT, 1, reinterpret_cast<LPARAM>("\n"));
    tab->inputStart = console.Send(SCI_GETTEXTLENGTH);
    console.Send(SCI_GOTOPOS, WPARAM(tab->inputStart));
    if (line.empty()) {
        AppendTerminalOutput(tab, L"\n" + prompt);
        return;
    }
    if (line == L":q") { // never entered into the history
        if (prompt == L">> ") {
            prompt = L"~# ";
            AppendTerminalOutput(tab, prompt);
        } else if (prompt == L"> ") { // the script mode's own :q
            ExecuteTerminalLine(line, tab);
        } else {
            PostMessageW(mainWindow.GetHandle(), WM_COMMAND, CmdClose, 0);
        }
        return;
    }
    tab->history.push_back(line);
    if (tab->history.size() > kHistoryLimit) tab->history.erase(tab->history.begin());
    tab->historyIndex = int(tab->history.size());
    ExecuteTerminalLine(line, tab);
}

void Tovrel::HistoryPrevious(EditorTab *tab) {
    if (tab == nullptr || tab->history.empty() || tab->historyIndex <= 0) return;
    --tab->historyIndex;
    ReplaceTerminalInput(tab, tab->history[size_t(tab->historyIndex)]);
}

void Tovrel::HistoryNext(EditorTab *tab) {
    if (tab == nullptr) return;
    const int count = int(tab->history.size());
    if (tab->historyIndex < count - 1) {
        ++tab->historyIndex;
        ReplaceTerminalInput(tab, tab->history[size_t(tab->historyIndex)]);
    } else {
        tab->historyIndex = count;
        ReplaceTerminalInput(tab, L"");
    }
}

void Tovrel::ReplaceTerminalInput(EditorTab *tab, const std::wstring &text) {
    if (!hasConsole(tab)) return;
    const GUI::ScintillaPrimitive console = GUI::Scintilla(tab->consoleWindow);
    console.Send(SCI_SETTARGETSTART, WPARAM(tab->inputStart));
    console.Send(SCI_SETTARGETEND, WPARAM(console.Send(SCI_GETTEXTLENGTH)));
    console.Send(SCI_REPLACETARGET, 0, reinterpret_cast<LPARAM>(""));
    const std::string bytes = wideToUtf8(text);
    console.Send(SCI_INSERTTEXT, WPARAM(tab->inputStart), reinterpret_cast<LPARAM>(bytes.c_str()));
    console.Send(SCI_GOTOPOS, WPARAM(tab->inputStart + int64_t(bytes.size())));
}

void Tovrel::SetTerminalPrompt(const std::wstring &newPrompt) {
    prompt = newPrompt;
}

std::wstring Tovrel::GetTerminalPrompt() const {
    return prompt;
}

void Tovrel::ShowTerminalPrompt() {
    if (activeTab < 0 || activeTab >= int(tabs.size()) || !tabs[size_t(activeTab)].isTerminal) return;
    AppendTerminalOutput(&tabs[size_t(activeTab)], L"\n" + prompt);
}

EditorTab *Tovrel::FindTabByConsole(HWND console) {
    if (console == nullptr) return nullptr;
    for (EditorTab &tab : tabs)
        if (tab.consoleWindow == console) return &tab;
    return nullptr;
}

HWND Tovrel::GetActiveTextWindow() {
    if (activeTab < 0 || activeTab >= int(tabs.size())) return nullptr;
    const EditorTab &tab = tabs[size_t(activeTab)];
    return tab.isTerminal && tab.consoleWindow != nullptr ? tab.consoleWindow : tab.editorWindow;
}
