// Find and Replace, the Go To dialog and its clamping, and the help and history pages.
#include "commands.h"
#include "resource.h"
#include "shell_test_support.h"

namespace {

class DocumentTest : public ShellTest {
  protected:
    HWND editorWindow() { return shell->GetActiveTab().editorWindow; }
    void setText(const char *text) {
        SendMessageW(editorWindow(), SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        SendMessageW(editorWindow(), SCI_GOTOPOS, 0, 0);
        pump(*shell);
    }
    std::pair<int64_t, int64_t> selection() {
        return {SendMessageW(editorWindow(), SCI_GETSELECTIONSTART, 0, 0),
                SendMessageW(editorWindow(), SCI_GETSELECTIONEND, 0, 0)};
    }
    int64_t caret() { return SendMessageW(editorWindow(), SCI_GETCURRENTPOS, 0, 0); }
};

using Selection = std::pair<int64_t, int64_t>;

TEST_F(DocumentTest, FindNextWalksThroughTheMatchesAndWraps) {
    setText("banana");
    shell->findText = L"a";
    const Selection expected[] = {{1, 2}, {3, 4}, {5, 6}, {1, 2}};
    for (const Selection &s : expected) {
        command(CmdFindNext);
        EXPECT_EQ(selection(), s);
    }
    EXPECT_TRUE(boxes.seen().empty());

    shell->wrapAround = false;
    SendMessageW(editorWindow(), SCI_SETSEL, 5, 6);
    command(CmdFindNext);
    EXPECT_EQ(selection(), Selection(5, 6)) << "nothing found: the selection stays";
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text, L"找不到 \"a\"");
    EXPECT_EQ(boxes.seen()[0].caption, L"查找");

    command(CmdFindPrevious);
    EXPECT_EQ(selection(), Selection(3, 4)) << "Find Previous searches upwards";
    EXPECT_FALSE(shell->searchUp);
}

TEST_F(DocumentTest, MatchCaseAndWholeWord) {
    setText("Banana ana");
    shell->findText = L"ana";
    shell->wholeWord = true;
    command(CmdFindNext);
    EXPECT_EQ(selection(), Selection(7, 10)) << "ana inside banana is no whole word";
    shell->wholeWord = false;
    shell->matchCase = true;
    shell->findText = L"b";
    SendMessageW(editorWindow(), SCI_GOTOPOS, 0, 0);
    command(CmdFindNext);
    EXPECT_EQ(boxes.seen().size(), 1u) << "b does not match B with Match case";
}

TEST_F(DocumentTest, ReplaceAllIsOneUndoStepWithItsCount) {
    struct Case {
        const wchar_t *find, *with;
        const char *result, *count;
    } cases[] = {{L"a", L"aa", "baanaanaa", "替换了 3 处"}, {L"a", L"", "bnn", "替换了 3 处"}, {L"x", L"y", "banana", "替换了 0 处"}};
    for (const Case &c : cases) {
        setText("banana");
        boxes.forget();
        shell->findText = c.find;
        shell->replaceText = c.with;
        shell->ReplaceAll();
        pump(*shell);
        EXPECT_EQ(editorText(editorWindow()), c.result) << c.result;
        ASSERT_EQ(boxes.seen().size(), 1u);
        EXPECT_EQ(wideToUtf8(boxes.seen()[0].text), c.count);
        EXPECT_EQ(boxes.seen()[0].caption, L"替换全部");
        SendMessageW(editorWindow(), SCI_UNDO, 0, 0);
        EXPECT_EQ(editorText(editorWindow()), "banana") << "one undo restores it";
    }
}

TEST_F(DocumentTest, ReplaceOneTakesOnlyTheExactSelection) {
    setText("Abc abc");
    shell->findText = L"abc";
    shell->replaceText = L"X";
    SendMessageW(editorWindow(), SCI_SETSEL, 0, 3); // "Abc": differs in case
    shell->ReplaceOne();
    EXPECT_EQ(editorText(editorWindow()), "Abc abc");
    EXPECT_EQ(selection(), Selection(4, 7)) << "it searches on";
    shell->ReplaceOne();
    EXPECT_EQ(editorText(editorWindow()), "Abc X");
    EXPECT_TRUE(shell->GetActiveTab().isModified);
}

TEST_F(DocumentTest, TheFindDialogTakesTheSelectionAndF3KeepsItsOptions) {
    setText("xx abc yy abc");
    SendMessageW(editorWindow(), SCI_SETSEL, 3, 6);
    command(CmdFind);
    ASSERT_NE(shell->findDialog, nullptr);
    HWND field = GetDlgItem(shell->findDialog, IDC_FIND_TEXT);
    EXPECT_EQ(windowText(field), L"abc");
    DWORD from = 0, to = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 3u);
    command(CmdFind);
    EXPECT_NE(shell->findDialog, nullptr) << "opening again keeps the one dialog";
    SendMessageW(shell->findDialog, WM_COMMAND, IDC_CLOSE_DIALOG, 0);
    EXPECT_EQ(shell->findDialog, nullptr);
    command(CmdFindNext);
    EXPECT_EQ(selection(), Selection(10, 13)) << "F3 searches with the last text";

    command(CmdReplace);
    ASSERT_NE(shell->replaceDialog, nullptr);
    SetDlgItemTextW(shell->replaceDialog, IDC_FIND_TEXT, L"yy");
    SetDlgItemTextW(shell->replaceDialog, IDC_REPLACE_TEXT, L"zz");
    SendMessageW(shell->replaceDialog, WM_COMMAND, IDC_REPLACE_ALL, 0);
    pump(*shell);
    EXPECT_EQ(editorText(editorWindow()), "xx abc zz abc");
    SendMessageW(shell->replaceDialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(shell->replaceDialog, nullptr);
}

// A find text longer than any fixed buffer is taken whole from the dialog.
TEST_F(DocumentTest, ALongFindTextIsReadWhole) {
    const std::string text = std::string(1500, 'a') + "b";
    setText(text.c_str());
    command(CmdReplace);
    ASSERT_NE(shell->replaceDialog, nullptr);
    SetDlgItemTextW(shell->replaceDialog, IDC_FIND_TEXT, std::wstring(1500, L'a').c_str());
    SetDlgItemTextW(shell->replaceDialog, IDC_REPLACE_TEXT, L"x");
    SendMessageW(shell->replaceDialog, WM_COMMAND, IDC_REPLACE_ALL, 0);
    pump(*shell);
    EXPECT_EQ(editorText(editorWindow()), "xb");
    SendMessageW(shell->replaceDialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(DocumentTest, SearchDialogsNeedATab) {
    command(CmdClose);
    ASSERT_TRUE(shell->tabs.empty());
    command(CmdFind);
    command(CmdGotoLine);
    ASSERT_EQ(boxes.seen().size(), 2u);
    for (const SeenBox &box : boxes.seen()) {
        EXPECT_EQ(box.text, L"没有活动的标签页!");
        EXPECT_EQ(box.caption, L"错误");
    }
    EXPECT_EQ(shell->findDialog, nullptr);
}

TEST_F(DocumentTest, GotoClampsLineAndColumn) {
    setText("0123456789\nline two\n\tindented\n\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9 end\nlast line!");
    struct Case {
        int line, column;
        int64_t position;
    } cases[] = {
        {1000, 1, 43},  // past the last line: the last line's start
        {5, 50, 53},    // past the last line's end: its end
        {1, 50, 10},    // past a line's end: that line's end
        {2, 3, 13},
        {4, 3, 34},     // characters, not bytes
        {3, 5, 24},     // after the tab, four characters in
    };
    for (const Case &c : cases) {
        shell->GotoLineColumn(editorWindow(), c.line, c.column);
        EXPECT_EQ(caret(), c.position) << c.line << ":" << c.column;
    }
    shell->GotoLineColumn(editorWindow(), 0, 1);
    EXPECT_EQ(caret(), 24) << "line 0 goes nowhere";
}

TEST_F(DocumentTest, GotoDialogGoesToTheTypedLineAndShowsTheCurrentOne) {
    setText("one\n\ttwo\nthree\nfour");
    SendMessageW(editorWindow(), SCI_GOTOPOS, 5, 0); // line 2, after the tab
    boxes.fill(IDC_GOTO_LINE, L"3");
    boxes.fill(IDC_GOTO_COLUMN, L"2");
    boxes.answer({IDOK});
    command(CmdGotoLine);
    EXPECT_EQ(caret(), 10);
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].caption, L"Go To");

    boxes.forget();
    boxes.fill(IDC_GOTO_LINE, L"");
    boxes.fill(IDC_GOTO_COLUMN, L"0");
    boxes.answer({IDOK});
    command(CmdGotoLine);
    EXPECT_EQ(caret(), 9) << "an empty line field stays on the current line; column 0 is its start";
}

TEST_F(DocumentTest, HelpAndHistoryPages) {
    command(CmdHelpTopics);
    ASSERT_EQ(shell->tabs.size(), 1u) << "the empty untitled tab shows the page";
    EditorTab &help = shell->GetActiveTab();
    EXPECT_TRUE(help.isVirtual);
    EXPECT_EQ(help.path, L"Help");
    EXPECT_EQ(tabLabel(shell->tabControl, 0), L"Untitled 1");
    const std::string text = editorText(help.editorWindow);
    EXPECT_EQ(text.rfind("Help Topics\n", 0), 0u);
    for (const char *line : {"Ctrl+N  - New File", "Ctrl+G  - Go to Line", "F3      - 查找下一个", "~# help cls pwd"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    typeText(help.editorWindow, L"x");
    EXPECT_EQ(editorText(help.editorWindow), text) << "read-only";

    // Saving a page never writes a file named after it: only Save As, here cancelled.
    boxes.answer({IDCANCEL});
    command(CmdSave);
    EXPECT_EQ(GetFileAttributesW(L"Help"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(boxCaptions(), std::vector<std::wstring>{L"Save As"});

    boxes.forget();
    command(CmdNew);
    typeText(shell->GetActiveTab().editorWindow, L"work");
    pump(*shell);
    boxes.answer({IDNO});
    command(CmdHistory);
    ASSERT_EQ(shell->tabs.size(), 3u) << "a modified file is asked about, then a new tab shows the page";
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text, L"Current file has unsaved changes. Save before viewing history?");
    const std::string history = editorText(shell->GetActiveTab().editorWindow);
    EXPECT_EQ(history.rfind("Tovrel Development History\n" + std::string(33, '=') + "\n\nv0.0.1 (2026-06-22)", 0), 0u);
    EXPECT_NE(history.find("v0.1.8 (2026-08-01)"), std::string::npos);
    EXPECT_NE(history.find("计划添加功能:\n  - More language support\n  - Auto-completion in Tab\n  - Code folding"),
              std::string::npos);

    boxes.forget();
    shell->SwitchToTab(1);
    boxes.answer({IDCANCEL});
    command(CmdHelpTopics);
    EXPECT_EQ(shell->tabs.size(), 3u);
    EXPECT_EQ(boxes.seen()[0].text, L"当前文件有未保存的修改。是否在查看帮助前保存？");
    EXPECT_EQ(boxes.seen()[0].caption, L"保存修改？");
}

} // namespace
