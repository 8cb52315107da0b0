// Tabs: making, switching and closing them, their labels, the modified state that follows
// the editor, and the questions asked before unsaved work is dropped.
#include "commands.h"
#include "shell_test_support.h"

namespace {

std::vector<std::wstring> labels(const Tovrel &shell) {
    std::vector<std::wstring> all;
    const int count = int(SendMessageW(shell.tabControl, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) all.push_back(tabLabel(shell.tabControl, i));
    return all;
}

// Types into a document tab, which leaves its save point.
void modify(Tovrel &shell, int index) {
    typeText(shell.tabs[size_t(index)].editorWindow, L"x");
    pump(shell);
}

using Labels = std::vector<std::wstring>;

TEST_F(ShellTest, NewTabsAreNumberedByTheCountOfTabs) {
    shell->NewTab();
    shell->NewTab();
    EXPECT_EQ(labels(*shell), (Labels{L"Untitled 1", L"Untitled 2", L"Untitled 3"}));
    EXPECT_EQ(shell->activeTab, 2);
    shell->CloseTabAt(&shell->tabs[1]);
    EXPECT_EQ(shell->activeTab, 1) << "the former third tab";
    EXPECT_EQ(labels(*shell), (Labels{L"Untitled 1", L"Untitled 3"}));
    shell->NewTab();
    EXPECT_EQ(labels(*shell), (Labels{L"Untitled 1", L"Untitled 3", L"Untitled 3"}));
    shell->CloseTabAt(&shell->tabs[2]);
    EXPECT_EQ(shell->activeTab, 1) << "the new last tab";
}

TEST_F(ShellTest, SwitchingShowsOneEditorAndBindsIt) {
    shell->NewTab();
    shell->SwitchToTab(0);
    EXPECT_TRUE(IsWindowVisible(shell->tabs[0].editorWindow));
    EXPECT_FALSE(IsWindowVisible(shell->tabs[1].editorWindow));
    EXPECT_EQ(shell->activeEditor, shell->tabs[0].editorWindow);
    EXPECT_EQ(SendMessageW(shell->tabControl, TCM_GETCURSEL, 0, 0), 0);
    shell->SwitchToTab(7);
    shell->SwitchToTab(-1);
    EXPECT_EQ(shell->activeTab, 0) << "indexes outside the tabs change nothing";
    // A click on the tab control reaches the shell as a selection change.
    SendMessageW(shell->tabControl, TCM_SETCURSEL, 1, 0);
    NMHDR change{shell->tabControl, 0, UINT(TCN_SELCHANGE)};
    SendMessageW(main(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(shell->activeTab, 1);
}

TEST_F(ShellTest, ModifiedStateFollowsTheEditor) {
    HWND window = shell->tabs[0].editorWindow;
    modify(*shell, 0);
    EXPECT_TRUE(shell->tabs[0].isModified);
    EXPECT_EQ(windowText(main()), L"*Untitled Kavlo");
    EXPECT_EQ(statusPart(shell->statusBar, 1), L"* UTF-8");
    EXPECT_EQ(statusPart(shell->statusBar, 0), L"Line 1, Col 2");
    EXPECT_TRUE(shell->HasUnsavedTabs());
    SendMessageW(window, SCI_UNDO, 0, 0);
    pump(*shell);
    EXPECT_FALSE(shell->tabs[0].isModified) << "undone back to the save point";
    EXPECT_EQ(windowText(main()), L"Untitled Kavlo");
    EXPECT_EQ(statusPart(shell->statusBar, 1), L"UTF-8");
    EXPECT_EQ(tabLabel(shell->tabControl, 0), L"Untitled 1") << "editing alone does not change the label";
}

TEST_F(ShellTest, ClosingTheLastTabLeavesNoDocument) {
    shell->CloseActiveTab();
    EXPECT_EQ(shell->activeTab, -1);
    EXPECT_EQ(shell->activeEditor, nullptr);
    EXPECT_EQ(windowText(main()), L"Kavlo");
    EXPECT_EQ(statusPart(shell->statusBar, 0), L"Line 1, Col 1");
    EXPECT_EQ(statusPart(shell->statusBar, 1), L"Ready");
    EXPECT_EQ(statusPart(shell->statusBar, 2), L"No Document");
    for (int id : {CmdCut, CmdCopy, CmdPaste, CmdSelectAll, CmdUndo, CmdRedo, CmdDelete, CmdClose}) command(id);
    EXPECT_TRUE(boxes.seen().empty());
    command(CmdNew);
    EXPECT_EQ(shell->tabs.size(), 1u);
    EXPECT_EQ(windowText(main()), L"Untitled Kavlo");
}

// What the tab strip repaints: the update region of each paint, gathered.
LRESULT CALLBACK gatherPaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR gathered) {
    if (message == WM_PAINT) {
        HRGN update = CreateRectRgn(0, 0, 0, 0);
        if (GetUpdateRgn(window, update, FALSE) != ERROR)
            CombineRgn(reinterpret_cast<HRGN>(gathered), reinterpret_cast<HRGN>(gathered), update, RGN_OR);
        DeleteObject(update);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// With its last tab gone the strip is painted whole, the empty place where the tabs stood too,
// and at once (not at some later paint); closing all tabs does the same.
TEST_F(ShellTest, TheTabStripIsRepaintedWholeWhenItsLastTabCloses) {
    for (int road : {0, 1}) {
        if (shell->tabs.empty()) command(CmdNew);
        command(CmdNew);
        pump(*shell);
        UpdateWindow(shell->tabControl);
        HRGN painted = CreateRectRgn(0, 0, 0, 0);
        ASSERT_TRUE(SetWindowSubclass(shell->tabControl, gatherPaints, 1, reinterpret_cast<DWORD_PTR>(painted)));
        if (road == 0) {
            shell->CloseActiveTab();
            shell->CloseActiveTab();
        } else {
            shell->CloseAllTabs();
        }
        RemoveWindowSubclass(shell->tabControl, gatherPaints, 1);
        ASSERT_TRUE(shell->tabs.empty()) << road;
        RECT client{};
        GetClientRect(shell->tabControl, &client);
        HRGN whole = CreateRectRgnIndirect(&client), left = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(CombineRgn(left, whole, painted, RGN_DIFF), NULLREGION) << "left unpainted, road " << road;
        for (HRGN region : {painted, whole, left}) DeleteObject(region);
    }
}

struct CloseCase {
    const char *what;
    std::vector<int> answers;
    size_t tabsLeft;
    std::vector<std::wstring> captions;
};

// The question of a modified tab: Cancel keeps it; No drops the changes; Yes tries to save,
// and a tab still modified afterwards (its save dialog cancelled) stays open.
TEST_F(ShellTest, ClosingAModifiedTabAsksFirst) {
    const CloseCase cases[] = {
        {"Cancel", {IDCANCEL}, 2, {L"Save Changes?"}},
        {"Yes, not saved", {IDYES, IDCANCEL}, 2, {L"Save Changes?", L"Save As"}},
        {"No", {IDNO}, 1, {L"Save Changes?"}},
    };
    for (const CloseCase &c : cases) {
        shell->NewTab();
        modify(*shell, 1);
        boxes.forget();
        boxes.answer(c.answers);
        shell->CloseActiveTab();
        pump(*shell);
        EXPECT_EQ(shell->tabs.size(), c.tabsLeft) << c.what;
        EXPECT_EQ(boxCaptions(), c.captions) << c.what;
        if (shell->tabs.size() == 2) {
            SendMessageW(shell->tabs[1].editorWindow, SCI_UNDO, 0, 0);
            pump(*shell);
            shell->CloseActiveTab();
        }
    }
    EXPECT_EQ(boxes.seen().front().text, L"The file has been modified. Do you want to save changes?");
}

TEST_F(ShellTest, CloseAllAsksOnceThenClosesEverything) {
    shell->NewTab();
    shell->NewTab();
    modify(*shell, 1);
    boxes.answer({IDNO});
    command(CmdTabCloseAll);
    EXPECT_EQ(shell->tabs.size(), 3u);
    boxes.answer({IDYES});
    command(CmdTabCloseAll);
    EXPECT_TRUE(shell->tabs.empty());
    EXPECT_EQ(shell->activeTab, -1);
    EXPECT_EQ(shell->menuTab, -1);
    const std::vector<SeenBox> seen = boxes.seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].caption, L"确认关闭");
    EXPECT_EQ(seen[1].text, L"有些文件未保存，关闭所有标签页？");
}

// Closing the other tabs asks about each modified one, as closing one tab does: no unsaved
// work is dropped without a question.
TEST_F(ShellTest, CloseOthersAsksForEachModifiedTab) {
    for (int i = 0; i < 3; ++i) shell->NewTab(); // four tabs
    modify(*shell, 0);
    modify(*shell, 3);
    HWND kept = shell->tabs[2].editorWindow;
    shell->menuTab = 2;
    boxes.answer({IDCANCEL});
    command(CmdTabCloseOthers);
    ASSERT_EQ(shell->tabs.size(), 4u) << "Cancel at the first question closes nothing";
    shell->menuTab = 2;
    boxes.answer({IDNO, IDNO});
    command(CmdTabCloseOthers);
    ASSERT_EQ(shell->tabs.size(), 1u);
    EXPECT_EQ(shell->tabs[0].editorWindow, kept);
    EXPECT_EQ(shell->activeTab, 0);
    EXPECT_EQ(shell->menuTab, -1);
    EXPECT_EQ(boxes.seen().size(), 3u);
}

TEST_F(ShellTest, TabMenuCommandsActOnTheMenusTab) {
    shell->NewTab();
    shell->NewTab();
    HWND third = shell->tabs[2].editorWindow;
    shell->menuTab = 0;
    command(CmdTabClose);
    ASSERT_EQ(shell->tabs.size(), 2u);
    EXPECT_EQ(shell->menuTab, -1);
    EXPECT_EQ(shell->tabs[1].editorWindow, third);
    shell->menuTab = 9;
    command(CmdTabClose);
    command(CmdTabCloseOthers);
    EXPECT_EQ(shell->tabs.size(), 2u) << "a menu tab outside the tabs does nothing";
}

TEST_F(ShellTest, ExitAsksAboutUnsavedTabs) {
    HWND window = main();
    SendMessageW(window, WM_CLOSE, 0, 0); // nothing unsaved: no question
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(pump(*shell)) << "the loop ends";
    EXPECT_TRUE(boxes.seen().empty());
}

struct ExitCase {
    const char *what;
    std::vector<int> answers;
    bool ends;
    std::vector<std::wstring> captions;
};

// The close box and the system menu reach Exit's question, as File > Exit does.
TEST(ShellExit, CloseRequestsAskAsExitDoes) {
    const ExitCase cases[] = {
        {"Cancel", {IDCANCEL}, false, {L"Save Changes?"}},
        {"No", {IDNO}, true, {L"Save Changes?"}},
        {"Yes, not saved, stay", {IDYES, IDCANCEL, IDNO}, false, {L"Save Changes?", L"Save As", L"Warning"}},
        {"Yes, not saved, exit anyway", {IDYES, IDCANCEL, IDYES}, true, {L"Save Changes?", L"Save As", L"Warning"}},
    };
    for (UINT request : {UINT(WM_CLOSE), UINT(WM_SYSCOMMAND), UINT(WM_COMMAND)}) {
        for (const ExitCase &c : cases) {
            BoxAnswerer boxes(GetCurrentThreadId());
            Tovrel shell;
            ASSERT_TRUE(shell.Initialize(GetModuleHandleW(nullptr), SW_SHOW));
            typeText(shell.tabs[0].editorWindow, L"unsaved");
            pump(shell);
            HWND window = shell.mainWindow.GetHandle();
            boxes.answer(c.answers);
            if (request == WM_CLOSE) SendMessageW(window, WM_CLOSE, 0, 0);
            else if (request == WM_SYSCOMMAND) SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            else SendMessageW(window, WM_COMMAND, CmdExit, 0);
            const bool quit = pump(shell);
            EXPECT_EQ(!IsWindow(window), c.ends) << c.what << " " << request;
            EXPECT_EQ(quit, c.ends) << c.what << " " << request;
            std::vector<std::wstring> captions;
            for (const SeenBox &box : boxes.seen()) captions.push_back(box.caption);
            EXPECT_EQ(captions, c.captions) << c.what << " " << request;
            EXPECT_EQ(boxes.seen().front().text, L"There are unsaved changes. Save all before exiting?");
            EXPECT_EQ(boxes.unanswered(), 0u);
        }
    }
}

} // namespace
