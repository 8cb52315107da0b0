// The help and history pages: built-in texts shown read-only in a tab that belongs to no file.
#include <string>

#include "editor_messages.h"
#include "text_codec.h"
#include "tovrel.h"

namespace {

const std::wstring kRule(33, L'='), kUnderline(33, L'-');

std::wstring section(const std::wstring &heading, std::initializer_list<const wchar_t *> lines) {
    std::wstring text = kRule + L"\n" + heading + L"\n" + kUnderline + L"\n";
    for (const wchar_t *line : lines) text += std::wstring(line) + L"\n";
    return text + L"\n";
}

std::wstring helpText() {
    return L"Help Topics\n\n" +
           section(L"快捷键", {L"Ctrl+N  - New File", L"Ctrl+O  - Open File", L"Ctrl+S  - Save File",
                               L"Ctrl+W  - Close File", L"Ctrl+Z  - Undo", L"Ctrl+Y  - Redo", L"Ctrl+X  - Cut",
                               L"Ctrl+C  - Copy", L"Ctrl+V  - Paste", L"Ctrl+A  - Select All",
                               L"Ctrl+G  - Go to Line", L"F3      - 查找下一个", L"F10     - 显示/隐藏命令行"}) +
           section(L"命令行", {L"命令行里的 open、close、find、replace 等命令打开、关闭文件，并在文件中查找和替换。",
                               L"在命令行输入 help 显示命令行自己的帮助。",
                               L"输入 t 或 terminal 打开终端。", L"按 Esc 关闭命令行。",
                               L"命令行和终端是相互独立的。"}) +
           section(L"（模拟）终端",
                   {L"启动后显示提示符 \"~# \"。",
                    L"输入 help 列出内置命令；help 后跟命令名显示它们的帮助，例如：", L"    ~# help cls pwd",
                    L"内置命令：", L"    pwd   - 显示当前目录", L"    cd    - 切换目录", L"    dir   - 列出目录内容",
                    L"    ls    - 同 dir", L"    open  - 打开文件", L"    cls   - 清屏", L"    exit  - 退出终端",
                    L"    help  - 显示帮助",
                    L"终端也可以运行可执行文件，例如用 cd 进入计算器程序所在的目录，再输入程序名：",
                    L"    ~# kavlo.exe"}) +
           section(L"运行代码", {L"保存着 kscript 脚本代码的文件可以用工具栏的三角形按钮运行，它解释执行当前文件。",
                                 L"例如新建一个文件，写入：", L"    print 2^100;",
                                 L"然后通过菜单 Tools > 运行代码 运行。"}) +
           kRule + L"\n";
}

struct Release {
    const wchar_t *version;
    std::initializer_list<const wchar_t *> changes;
};

std::wstring historyText() {
    static const Release kReleases[] = {
        {L"v0.0.1 (2026-06-22)", {L"Basic editing with C/C++ syntax highlighting"}},
        {L"v0.0.2 (2026-06-24)", {L"Toolbar"}},
        {L"v0.0.3 (2026-06-26)", {L"Status bar"}},
        {L"v0.0.4 (2026-06-28)", {L"Encoding detection"}},
        {L"v0.0.5 (2026-06-30)", {L"Go To dialog and line numbers"}},
        {L"v0.0.6 (2026-07-02)", {L"Help, About and F1", L"The history page", L"The Euler-circuit run button"}},
        {L"v0.0.7 (2026-07-04)", {L"Tabs"}},
        {L"v0.0.8 (2026-07-06)", {L"Find and replace"}},
        {L"v0.0.9 (2026-07-08)", {L"The TeX button"}},
        {L"v0.1.0 (2026-07-10)", {L"The command bar"}},
        {L"v0.1.1 (2026-07-13)", {L"The terminal and its commands"}},
        {L"v0.1.2 (2026-07-16)", {L"The directory panel and the lower panes"}},
        {L"v0.1.3 (2026-07-19)", {L"The splitters"}},
        {L"v0.1.4 (2026-07-22)", {L"The calculator integrated into the editor under the name Kavlo"}},
        {L"v0.1.5 (2026-07-25)", {L"The former console program is now KavloCMD"}},
        {L"v0.1.6 (2026-07-28)", {L"The script run button"}},
        {L"v0.1.7 (2026-07-30)", {L"The terminal's script mode"}},
        {L"v0.1.8 (2026-08-01)", {L"Script mode refinements in the terminal"}},
    };
    std::wstring text = L"Tovrel Development History\n" + kRule + L"\n\n";
    for (const Release &release : kReleases) {
        text += std::wstring(release.version) + L"\n";
        for (const wchar_t *change : release.changes) text += std::wstring(L"  - ") + change + L"\n";
        text += L"\n";
    }
    return text + L"计划添加功能:\n  - More language support\n  - Auto-completion in Tab\n  - Code folding\n";
}

struct PageQuestion {
    const wchar_t *text, *caption;
};

} // namespace

bool Tovrel::TabHasText(const EditorTab &tab) {
    return tab.editorWindow != nullptr && GUI::Scintilla(tab.editorWindow).Send(SCI_GETTEXTLENGTH) > 0;
}

void Tovrel::ShowVirtualDocument(EditorTab *tab, const std::wstring &title, const std::wstring &text) {
    if (tab == nullptr || tab->editorWindow == nullptr) return;
    const GUI::ScintillaPrimitive view = GUI::Scintilla(tab->editorWindow);
    const std::string bytes = wideToUtf8(text);
    view.Send(SCI_SETREADONLY, 0);
    view.Send(SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(bytes.c_str()));
    view.Send(SCI_EMPTYUNDOBUFFER); // once writable (saved under a name), an undo must not empty it
    view.Send(SCI_SETREADONLY, 1);
    tab->path = title;
    tab->isModified = false;
    tab->isVirtual = true;
    tab->encoding = L"UTF-8";
    UpdateLineNumberMargin(tab->editorWindow);
    UpdateWindowTitle();
    UpdateStatusBar();
}

void Tovrel::ShowPage(const std::wstring &title, const std::wstring &text, bool help) {
    static constexpr PageQuestion kHelpQuestion{L"当前文件有未保存的修改。是否在查看帮助前保存？", L"保存修改？"};
    static constexpr PageQuestion kHistoryQuestion{L"Current file has unsaved changes. Save before viewing history?",
                                                   L"Save Changes?"};
    if (activeTab >= 0 && activeTab < int(tabs.size())) {
        EditorTab &active = GetActiveTab();
        if (!active.isTerminal && !TabHasText(active) && !active.isVirtual && active.path.empty()) {
            ShowVirtualDocument(&active, title, text);
            return;
        }
        if (!active.isTerminal && TabHasText(active) && active.isModified && !active.isVirtual) {
            const PageQuestion &question = help ? kHelpQuestion : kHistoryQuestion;
            HWND editorWindow = active.editorWindow;
            const int answer = MessageBoxW(mainWindow.GetHandle(), question.text, question.caption,
                                           MB_YESNOCANCEL | MB_ICONQUESTION);
            if (answer == IDCANCEL) return;
            if (answer == IDYES) {
                EditorTab *tab = FindTabByEditor(editorWindow);
                if (tab != nullptr) SaveTab(tab);
                tab = FindTabByEditor(editorWindow);
                if (tab != nullptr && tab->isModified) return;
            }
        }
    }
    const size_t before = tabs.size();
    NewTab();
    if (tabs.size() > before) ShowVirtualDocument(&tabs.back(), title, text);
}

void Tovrel::ShowHelpPage() {
    ShowPage(L"Help", helpText(), true);
}

void Tovrel::ShowHistoryPage() {
    ShowPage(L"History", historyText(), false);
}
