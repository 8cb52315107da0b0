// The command bar: its commands typed into the field, the answers in the field and in message
// boxes, the history, and the Euler-circuit tool it runs.
#include "commands.h"
#include "shell_test_support.h"

namespace {

class CommandBarTest : public ShellTest {
  protected:
    // Types a line into the field and presses Enter there.
    void run(const std::wstring &line) {
        SetWindowTextW(shell->commandEdit, line.c_str());
        pressKey(shell->commandEdit, VK_RETURN);
        pump(*shell);
    }
    void setDocument(const std::string &text) {
        SendMessageW(shell->GetActiveEditor(), SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    std::wstring field() { return windowText(shell->commandEdit); }
    SeenBox lastBox() {
        const std::vector<SeenBox> seen = boxes.seen();
        return seen.empty() ? SeenBox{} : seen.back();
    }
};

TEST_F(CommandBarTest, UnknownWordsAreAnsweredInTheField) {
    run(L"NEW");
    EXPECT_EQ(field(), L"Unknown command: NEW");
    EXPECT_EQ(SendMessageW(shell->commandEdit, EM_GETSEL, 0, 0), MAKELRESULT(0, 20)) << "selected completely";
    run(L"frobnicate all things");
    EXPECT_EQ(field(), L"Unknown command: frobnicate");
    EXPECT_EQ(shell->tabs.size(), 1u);
}

TEST_F(CommandBarTest, NewCloseAndTheFieldIsEmptiedAfterwards) {
    run(L"new");
    EXPECT_EQ(shell->tabs.size(), 2u);
    EXPECT_EQ(field(), L"");
    EXPECT_EQ(GetFocus(), shell->commandEdit);
    run(L"n");
    EXPECT_EQ(shell->tabs.size(), 3u);
    run(L"q");
    EXPECT_EQ(shell->tabs.size(), 2u);
    run(L"close");
    EXPECT_EQ(shell->tabs.size(), 1u);
}

TEST_F(CommandBarTest, HistoryKeepsOneOfRepeatsAndBrowses) {
    // help shows its list, save asks for a name (cancelled), wrap asks nothing
    const struct {
        const wchar_t *line;
        std::vector<int> answers;
    } lines[] = {{L"help", {IDOK}}, {L"save", {IDCANCEL}}, {L"save", {IDCANCEL}}, {L"wrap yes", {}}};
    for (const auto &entry : lines) {
        boxes.answer(entry.answers);
        run(entry.line);
    }
    EXPECT_EQ(shell->commandHistory, (std::vector<std::wstring>{L"help", L"save", L"wrap yes"}));
    EXPECT_EQ(shell->commandHistoryIndex, 3);
    pressKey(shell->commandEdit, VK_UP);
    EXPECT_EQ(field(), L"wrap yes");
    pressKey(shell->commandEdit, VK_UP);
    pressKey(shell->commandEdit, VK_UP);
    EXPECT_EQ(field(), L"help");
    pressKey(shell->commandEdit, VK_UP);
    EXPECT_EQ(field(), L"help") << "nothing before the oldest";
    pressKey(shell->commandEdit, VK_DOWN);
    EXPECT_EQ(field(), L"save");
    pressKey(shell->commandEdit, VK_DOWN);
    pressKey(shell->commandEdit, VK_DOWN);
    EXPECT_EQ(field(), L"") << "past the newest the field is emptied";
    for (int i = 0; i < 60; ++i) shell->AddCommandHistory(L"line " + std::to_wstring(i));
    EXPECT_EQ(shell->commandHistory.size(), 50u);
    EXPECT_EQ(shell->commandHistory.front(), L"line 10");
    boxes.forget();
}

TEST_F(CommandBarTest, HelpShowsTheCommandList) {
    run(L"?");
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(lastBox().caption, L"命令行帮助");
    EXPECT_EQ(lastBox().text.rfind(L"Available commands:\n  new, n           - New file\n", 0), 0u);
    EXPECT_NE(lastBox().text.find(L"\n  help, ?          - Show this help"), std::wstring::npos);
}

TEST_F(CommandBarTest, ReplaceAllInOneUndoStep) {
    setDocument("aaa");
    run(L"replace a b");
    EXPECT_EQ(editorText(shell->GetActiveEditor()), "bbb");
    EXPECT_EQ(lastBox().text, L"Replaced 3 occurrences");
    EXPECT_EQ(lastBox().caption, L"Replace");
    EXPECT_TRUE(shell->tabs[0].isModified);
    setDocument("aaa");
    run(L"r a aa");
    EXPECT_EQ(editorText(shell->GetActiveEditor()), "aaaaaa") << "the inserted text is not searched again";
    EXPECT_EQ(lastBox().text, L"Replaced 3 occurrences");
    SendMessageW(shell->GetActiveEditor(), SCI_UNDO, 0, 0);
    EXPECT_EQ(editorText(shell->GetActiveEditor()), "aaa");
    run(L"replace zz y");
    EXPECT_EQ(lastBox().text, L"Replaced 0 occurrences");
    EXPECT_EQ(shell->findText, L"zz");
    EXPECT_EQ(shell->replaceText, L"y");
    setDocument("x-x");
    run(L"replace x   ");
    EXPECT_EQ(shell->findText, L"x") << "one word only sets the find text";
    EXPECT_EQ(editorText(shell->GetActiveEditor()), "x-x");
}

TEST_F(CommandBarTest, LineNumbersAndWrap) {
    const bool numbers = shell->showLineNumbers;
    run(L"linenumber");
    EXPECT_EQ(shell->showLineNumbers, !numbers);
    run(L"ln on");
    EXPECT_TRUE(shell->showLineNumbers);
    run(L"linenumber 0");
    EXPECT_FALSE(shell->showLineNumbers);
    run(L"wrap off");
    EXPECT_FALSE(shell->wrapLines);
    run(L"w yes");
    EXPECT_TRUE(shell->wrapLines);
    EXPECT_EQ(GetMenuState(shell->menuBar, CmdViewWrap, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
    run(L"wrap 0");
    EXPECT_EQ(GetMenuState(shell->menuBar, CmdViewWrap, MF_BYCOMMAND) & MF_CHECKED, 0u);
}

TEST_F(CommandBarTest, TerminalOpensAndTakesTheFocus) {
    run(L"t");
    ASSERT_EQ(shell->tabs.size(), 2u);
    EXPECT_TRUE(shell->GetActiveTab().isTerminal);
    EXPECT_EQ(GetFocus(), shell->GetActiveTab().consoleWindow);
    EXPECT_FALSE(shell->commandBarVisible);
}

// The leading number names the line (clamped to the last); numbers that are not positive do
// nothing.
TEST_F(CommandBarTest, GotoIgnoresNumbersThatAreNotPositive) {
    setDocument("1\n2\n3\n");
    HWND editor = shell->GetActiveEditor();
    const struct {
        const wchar_t *line;
        LRESULT caretLine;
    } cases[] = {{L"goto 2", 1}, {L"goto 0", 1}, {L"goto x", 1}, {L"g -4", 1}, {L"g 3rd", 2}, {L"goto 99", 3}, {L"g 1", 0}};
    for (const auto &c : cases) {
        run(c.line);
        EXPECT_EQ(SendMessageW(editor, SCI_LINEFROMPOSITION, SendMessageW(editor, SCI_GETCURRENTPOS, 0, 0), 0), c.caretLine)
            << wideToUtf8(c.line);
    }
    EXPECT_TRUE(boxes.seen().empty()) << "nothing is asked";
}

TEST_F(CommandBarTest, EulerCircuitInAReadOnlyTab) {
    setDocument("3 3\n1 2\n2 3\n3 1\n");
    run(L"euler");
    ASSERT_EQ(shell->tabs.size(), 2u);
    const EditorTab &result = shell->GetActiveTab();
    EXPECT_EQ(editorText(result.editorWindow), "欧拉回路 (共 4 个顶点):\n1 -> 2 -> 3 -> 1\n");
    EXPECT_EQ(result.path, L"Euler Result");
    EXPECT_TRUE(result.isVirtual);
    EXPECT_FALSE(result.isModified);
    SendMessageW(result.editorWindow, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>("changed"));
    EXPECT_EQ(editorText(result.editorWindow), "欧拉回路 (共 4 个顶点):\n1 -> 2 -> 3 -> 1\n") << "read-only";
    shell->SwitchToTab(0);
    setDocument("2 1 1 2");
    run(L"e");
    EXPECT_EQ(editorText(shell->GetActiveTab().editorWindow), "该图不存在欧拉回路");
}

TEST_F(CommandBarTest, EulerErrorsOpenNoTab) {
    const struct {
        std::string text;
        std::wstring message;
    } cases[] = {
        {"x", L"Invalid graph format!\nFirst line must contain two integers: vertices and edges."},
        {"0 0", L"Invalid vertex or edge count."},
        {"3 2 1 2", L"Not enough edge data or invalid format.\nExpected 2 edges."},
        {"3 1 1 4", L"Vertex index out of range (0-based: 0..2)."},
        {"", L"Editor is empty!"},
    };
    for (const auto &c : cases) {
        setDocument(c.text);
        run(L"euler");
        EXPECT_EQ(shell->tabs.size(), 1u);
        EXPECT_EQ(lastBox().caption, L"Error");
        EXPECT_EQ(lastBox().text, c.message);
    }
}

} // namespace
