// Tovrel, the application object: one instance, built by the entry point on its stack, owns
// every window of the program, the list of tabs, the layout sizes, the terminal state and the
// one Calculator through which every terminal line reaches the engine. Everything runs on
// the one user-interface thread.
//
// The members are implemented by topic in shell/app (the file names follow the groups
// below). Tests drive the object through its members, so they are public.
#pragma once

#include <cstdint>
#include <functional>
#include <thread>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "Calculator.h"
#include "background_run.h"
#include "editor_lexer.h"
#include "editor_tab.h"
#include "gui_window.h"
#include "properties_file.h"


class Tovrel;
// Posted to the main window by the LaTeX preview's helpers (wParam: the preview's generation):
// the browser start ended (lParam: started), and the page asked to close.
constexpr UINT kLatexShownMessage = WM_APP + 0x39;
constexpr UINT kLatexCloseMessage = WM_APP + 0x3A;
// A built-in terminal command: the words after the command word and the terminal's tab.
using TerminalCommand = std::function<void(const std::vector<std::wstring> &, EditorTab *)>;

class Tovrel {
  public:
    Tovrel();
    ~Tovrel();
    Tovrel(const Tovrel &) = delete;
    Tovrel &operator=(const Tovrel &) = delete;

    // ---- start-up, message loop, libraries (startup.cpp) ----
    bool Initialize(HINSTANCE instance, int showCommand);
    void RunMessageLoop();
    // One message of the loop: accelerators first, then the Find and Replace dialogs, then
    // translation and dispatch.
    void ProcessLoopMessage(MSG &message);
    bool LoadLexilla();
    bool LoadScintilla();

    // ---- main window procedure and command table (window_proc.cpp) ----
    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id);
    LRESULT OnNotify(const NMHDR *header);
    void OnKeyDown(WPARAM key);
    void OnSysKeyDown(WPARAM key);
    void Exit();
    void ShowAbout();
    // The command bar when it is shown, else the active editor or console.
    void FocusTypingWindow();

    // ---- layout and splitters (layout.cpp) ----
    void UpdateLayout(bool full, int width, int height);
    LRESULT OnSize(WPARAM sizeType, LPARAM packedSize);
    static LRESULT CALLBACK SplitterWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void DrawSplitterLine(const Rect &r);
    void RelayoutClient(); // the layout for the main window's current client size

    // ---- tabs and documents (tabs.cpp) ----
    void NewTab();
    void SwitchToTab(int index);
    void CloseTabAt(EditorTab *tab);
    void CloseActiveTab();
    void CloseAllTabs();
    void CloseOtherTabs();
    void CloseMenuTab();
    void ShowNoDocument(); // after the last tab closed
    EditorTab &GetActiveTab();
    HWND GetActiveEditor();
    void UpdateTabLabel(EditorTab *tab);
    void ResizeActiveTab();
    bool HasUnsavedTabs() const;
    bool SaveAllTabs();
    int IndexOfTab(const EditorTab *tab) const;
    EditorTab *FindTabByEditor(HWND window);
    void OnEditorNotify(int index, const NMHDR *header);
    // True when the point lies on a tab (the menu then opened for it, if there is a menu).
    bool ShowTabMenu(POINT screenPoint);
    void DiscardTab(int index); // no question: windows destroyed, item and entry removed
    static LRESULT CALLBACK tabControlSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                   UINT_PTR id, DWORD_PTR reference);

    // ---- the console input guard (console_guard.cpp) ----
    static LRESULT CALLBACK terminalSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                 UINT_PTR id, DWORD_PTR reference);
    void OnConsoleNotify(EditorTab *tab, const NMHDR *header);
    void ShowConsoleMenu(EditorTab *tab, LPARAM screenPoint);

    // ---- menus, toolbar, status bar and title (chrome.cpp) ----
    void CreateMenus();
    void CreateToolbar(HWND parent, HINSTANCE instance);
    void CreateStatusBar(HWND parent);
    void LayoutStatusParts();
    void UpdateStatusBar();
    void UpdateWindowTitle();
    void CheckViewItem(int id, bool checked);

    // ---- edit and view commands (edit_view.cpp) ----
    void Undo();
    void Redo();
    void Cut();
    void Copy();
    void Paste();
    void Clear();
    void SelectAll();
    void ShowToolbar(bool show);
    void ToggleToolbar();
    void ShowLineNumbers(bool show);
    void ToggleLineNumbers();
    void ToggleWrap();
    void ToggleDirectoryTree();

    // ---- editor configuration (editor_config.cpp) ----
    void PreloadLexilla();
    void LoadProperties();
    FontSpec GetFontProperty(const std::wstring &key, const std::wstring &face, int size);
    void ConfigureEditor(HWND window);
    void SetupLexer(HWND window);
    void UpdateLineNumberMargin(HWND window);
    HFONT CreatePointFont(const FontSpec &spec); // fixed pitch, ClearType, at the screen's DPI
    // The face itself when it is an installed fixed-pitch face, else an installed one that is
    // (fixed_font.cpp).
    std::wstring FixedPitchFace(const std::wstring &wanted);

    // ---- panes and the command bar (panes.cpp) ----
    void CreateDirectoryTree(HINSTANCE instance, HWND parent);
    void CreateOutputPane(HINSTANCE instance, HWND parent);
    void CreateSidePane();
    void CreateCommandBar(HWND parent);
    void ShowCommandBar(bool show);
    void ToggleCommandBar();
    void LayoutCommandBar();

    // ---- the terminal tab (terminal.cpp) ----
    void OpenTerminal();
    void AppendTerminalOutput(EditorTab *tab, const std::wstring &text);
    std::wstring GetTerminalInput(EditorTab *tab);
    void OnTerminalEnter(EditorTab *tab);
    void HistoryPrevious(EditorTab *tab);
    void HistoryNext(EditorTab *tab);
    void ReplaceTerminalInput(EditorTab *tab, const std::wstring &text);
    void SetTerminalPrompt(const std::wstring &newPrompt);
    std::wstring GetTerminalPrompt() const;
    void ShowTerminalPrompt();
    EditorTab *FindTabByConsole(HWND console);
    HWND GetActiveTextWindow();

    // ---- terminal line processing (terminal_lines.cpp) ----
    void ExecuteTerminalLine(const std::wstring &line, EditorTab *tab);
    void ProcessTerminalInput(const std::wstring &line, const std::wstring &command, const std::wstring &rest,
                              const std::vector<std::wstring> &arguments, EditorTab *tab,
                              const std::wstring &promptAtEntry);
    // Hands one UTF-8 line to the calculator and appends its answer to the tab; returns it.
    std::wstring AnswerCalculatorLine(const std::string &line, EditorTab *tab);
    // The answer the calculator left in its streams (the first that is not empty); all three
    // are emptied.
    std::wstring TakeCalculatorAnswer();
    // The answer, then "Stopped." after a stop, and a line end and the prompt when the
    // interpreter's own prompt does not close it.
    void ShowCalculatorAnswer(EditorTab *tab, const std::wstring &answer);

    // ---- the terminal's own commands (terminal_commands.cpp) ----
    void RegisterTerminalCommands();
    void TerminalPwd(const std::vector<std::wstring> &arguments, EditorTab *tab);
    void TerminalCd(const std::vector<std::wstring> &arguments, EditorTab *tab);
    void TerminalDir(const std::vector<std::wstring> &arguments, EditorTab *tab); // dir and ls
    void TerminalOpen(const std::vector<std::wstring> &arguments, EditorTab *tab);
    void TerminalCls(const std::vector<std::wstring> &arguments, EditorTab *tab);
    void TerminalExit(const std::vector<std::wstring> &arguments, EditorTab *tab);
    void TerminalHelp(const std::vector<std::wstring> &arguments, EditorTab *tab);
    void TerminalKavlo(const std::vector<std::wstring> &arguments, EditorTab *tab);
    void ShowDirectory(EditorTab *tab, const std::wstring &pattern, bool recursive);

    // ---- path completion in the console (terminal_completion.cpp) ----
    void CompleteTerminalPath(EditorTab *tab);
    std::wstring FormatInColumns(const std::vector<std::wstring> &items, int columns);

    // ---- tools that run on the active document (result_tabs.cpp, euler_tool.cpp) ----
    // False when the run is not to go on: Cancel, or a Yes whose save left the tab modified.
    bool ConfirmRunOfActiveTab(const std::wstring &question);
    std::optional<std::string> ActiveDocumentText();
    void ShowResultTab(const std::string &text, const std::wstring &path, bool isVirtual);
    void RunEulerCircuit();

    // ---- the command bar's commands and history (command_bar.cpp) ----
    void ExecuteCommandLine(const std::wstring &line);
    void AddCommandHistory(const std::wstring &line);
    void CommandHistoryPrevious();
    void CommandHistoryNext();
    void CommandReplaceAll(const std::wstring &argument);
    void ShowCommandHelp();
    void CommandLineNumbers(const std::wstring &argument);
    void CommandWrap(const std::wstring &argument);

    // ---- the directory tree (directory_tree.cpp) ----
    void SetTreeRoot(const std::wstring &path);
    void RefreshDirectoryTree(const std::wstring &root);
    void ExpandTreeItem(HTREEITEM item);
    bool IsTreeItemLoaded(HTREEITEM item);
    void FreeTreeItemData(HTREEITEM item);
    std::wstring ParentDirectory(const std::wstring &path);
    bool IsDriveRoot(const std::wstring &path);
    void OnTreeNotify(const NMHDR *header);
    HMENU CreateTreeMenu(); // the context menu, owned by the caller
    void ShowTreeMenu(LPARAM screenPoint);
    void OnTreeCommand(int id);

    // ---- the script runner (script_runner.cpp) ----
    // `after` runs once the output and the prompt are shown.
    void RunKscriptBuffer(const std::string &source, std::function<void()> after = nullptr);
    // The run's printed output; empty after a failure, which it reports in the tab's console.
    // Runs the source off the window's thread; `then` gets the printed output (empty after a
    // failure, which is reported in the console).
    void RunKscriptCaptured(EditorTab *tab, const std::string &source, std::function<void(const std::string &)> then);
    void RunByKscript();

    // ---- computations off the window's thread (runs.cpp) ----
    bool RunBusy() const;
    // False while another run is going; `finish` runs on the window's thread afterwards.
    bool StartRun(std::function<void()> job, std::function<void()> finish);
    void StopRun();
    bool StopRunOnCopy(); // true when Ctrl+C stopped a run instead of copying
    bool StopRunAndWait(); // false when the run did not end in time
    void OnRunFinished();
    void ShowRunBusy(bool busy);
    void AppendKeepingTypedInput(HWND console, const std::function<void(EditorTab *)> &show);

    // ---- opening and saving files (files.cpp; the question and New in tabs.cpp) ----
    void NewFile();
    void OpenFileDialog();
    void OpenFileByPath(const std::wstring &path);
    EditorTab *TabForLoading();
    // Reads the file whole and loads it into a tab; on failure it says so and no tab changes.
    bool LoadFileIntoTab(const std::wstring &path, bool dialogForm);
    bool PromptSaveChanges(EditorTab *tab);
    bool SaveTabToFile(EditorTab *tab, const std::wstring &path);
    void SaveTab(EditorTab *tab);
    void SaveTabAs(EditorTab *tab);
    void SaveActiveTab();
    void SaveActiveTabAs();

    // ---- find and replace (find_replace.cpp) ----
    bool HasActiveEditor(); // a document tab is active and has its editor
    void OpenSearchDialog(bool replace);
    void ShowFindDialog();
    void ShowReplaceDialog();
    bool SearchText(HWND window, const std::wstring &text, bool up);
    void FindNext();
    void FindPrevious();
    void ReplaceOne();
    void ReplaceAll();
    int64_t ReplaceEveryMatch(EditorTab &tab);

    // ---- the Go To dialog (goto_dialog.cpp) and the help and history pages (virtual_pages.cpp) ----
    void ShowGotoDialog();
    void GotoLineColumn(HWND window, int line, int column);
    void GotoLine(HWND window, int line);
    bool TabHasText(const EditorTab &tab);
    void ShowVirtualDocument(EditorTab *tab, const std::wstring &title, const std::wstring &text);
    void ShowPage(const std::wstring &title, const std::wstring &text, bool help);
    void ShowHelpPage();
    void ShowHistoryPage();

    // ---- the LaTeX preview (latex_preview.cpp) ----
    // The TeX command: the selection, or the whole document, in a browser page of the bridge.
    void ShowLatexPreview();
    // Everything before the browser: the text, a new bridge window with its bindings and file
    // handler, and the empty folder it serves. False when the command stops (it said why).
    bool OpenLatexWindow();
    // The preview's bridge window and its folder go; nothing when there is none.
    void CloseLatexWindow();
    bool LatexPreviewStarting() const { return latexLauncher.joinable(); }
    void OnLatexShown(WPARAM generation, LPARAM shown);
    void OnLatexCloseRequest(WPARAM generation);

    // ---- members, in declaration order ----
    GUI::Window mainWindow;
    GUI::ScintillaPrimitive editor; // the active document editor; none for the terminal
    HWND activeEditor = nullptr;
    HWND tabControl = nullptr;
    std::vector<EditorTab> tabs;
    int activeTab = -1;
    HWND statusBar = nullptr;
    HWND toolbar = nullptr;
    int toolbarHeight = 0;
    HMODULE lexillaModule = nullptr;
    CreateLexerFn createLexer = nullptr;
    GetLexerCountFn getLexerCount = nullptr;
    GetLexerNameFn getLexerName = nullptr;
    HMENU menuBar = nullptr;
    HMENU tabMenu = nullptr;
    int menuTab = -1;
    HACCEL accelerators = nullptr;
    std::map<std::wstring, FontSpec> fontProperties;
    HWND findDialog = nullptr, replaceDialog = nullptr;
    std::wstring findText, replaceText;
    bool matchCase = false, wholeWord = false, wrapAround = true, searchUp = false;
    bool showToolbar = true, showLineNumbers = true, wrapLines = true;
    std::string latexText;
    uintptr_t latexWindow = 0;
    std::wstring latexFolder;      // the empty folder the preview's window serves
    uintptr_t latexGeneration = 0; // counts previews: late messages of an earlier one are ignored
    std::thread latexLauncher;     // starts the browser off the window's thread
    bool latexAgain = false;       // TeX was pressed while a browser was being started
    bool latexCloseWanted = false; // the page asked to close while its browser was being started
    int commandBarHeight = 30;
    HWND commandEdit = nullptr, commandLabel = nullptr;
    bool commandBarVisible = true;
    std::vector<std::wstring> commandHistory;
    int commandHistoryIndex = 0;
    bool consoleGuard = false; // set while an edit before a console's input start is undone
    COLORREF terminalColor = 0xFFFFFF;
    std::map<std::wstring, TerminalCommand> terminalCommands;
    HWND directoryTree = nullptr;
    int treeWidth = 220;
    bool showTree = true;
    std::wstring treeRoot;
    HWND outputPane = nullptr;
    int outputHeight = 150;
    bool showOutput = true;
    HTREEITEM treeMenuItem = nullptr;
    HWND treeSplitter = nullptr, sideSplitter = nullptr, outputSplitter = nullptr;
    int splitterSize = 10;
    HWND sidePane = nullptr;
    int sidePaneHeight = 80;
    bool showSidePane = true;
    bool dragging = false;
    POINT dragStart{0, 0};
    int dragSplitter = 0; // 0 tree, 1 side pane, 2 output pane
    int dragStartSize = 0;
    bool dragLineShown = false;
    Rect dragLineRect, dragSplitterRect;
    Calculator calculator;
    std::wstring prompt = L"~# ";
    HFONT boldFont = nullptr, normalFont = nullptr;
    bool scriptMode = false;
    std::string scriptBuffer;
    std::wstring scriptPrompt = L"> ";

    // Handles the object owns beyond those above: the program module, and the fonts handed
    // to the console and the command bar (deleted when replaced and at the end).
    HINSTANCE instance = nullptr;
    HFONT terminalFont = nullptr, commandFont = nullptr;
    HBRUSH commandBrush = nullptr;

    // The computation running off the window's thread; declared last, so that it ends before
    // the calculator it uses goes.
    bool runStopped = false;
    BackgroundRun run;
};
