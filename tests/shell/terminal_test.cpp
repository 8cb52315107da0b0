// The terminal tab: opening it, typed lines and the text the console shows (transcripts),
// the prompts and the script mode, the history, and the guard of the output area.
#include <cstdio>

#include "commands.h"
#include "entry/line_entry.h"
#include "shell_test_support.h"

namespace {

const std::string kWelcome = "欢迎使用内置终端\n输入help显示内置命令. 输入 :home 或任何 Kavlo 的命令、表达式等均可进入 "
                             "Kavlo.\n按 Enter 执行，Shift+Enter 换行\n\n~# ";
const std::string kBracketError =
    "\nError[1011]> The symbols () [] {} are NOT matched, please input again.\n------------------------\n\n>> ";
const std::string kScriptBanner = "\n进入 Kscript 多行输入模式（输入 load(path/filename) 加载文件; 输入 :q 执行并退出 "
                                  "kscript 模式; 输入 :do 执行但不退出 kscript.）\n";
const std::string kCompileError = "错误: Kscript 执行失败 (返回码: 1)\n";

class TerminalTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        command(CmdTerminal);
    }

    struct Row {
        const wchar_t *typed;
        std::string shown;      // what the console gains: the echo of the line and the answer
        const wchar_t *prompt;  // the prompt in force afterwards
    };
    void runTranscript(const std::vector<Row> &rows) {
        for (const Row &row : rows) {
            EXPECT_EQ(enterLine(row.typed), row.shown) << "typed: " << wideToUtf8(row.typed);
            EXPECT_EQ(shell->prompt, row.prompt) << "typed: " << wideToUtf8(row.typed);
        }
    }
};

TEST_F(TerminalTest, OpensWithItsWelcome) {
    ASSERT_EQ(shell->tabs.size(), 2u);
    EXPECT_EQ(shell->activeTab, 1);
    const EditorTab &tab = terminal();
    EXPECT_TRUE(tab.isVirtual);
    EXPECT_EQ(tab.path, L"Terminal");
    EXPECT_EQ(editorText(console()), kWelcome);
    EXPECT_EQ(tab.inputStart, int64_t(kWelcome.size()));
    EXPECT_EQ(SendMessageW(console(), SCI_GETCURRENTPOS, 0, 0), LRESULT(kWelcome.size()));
    EXPECT_EQ(GetFocus(), console());
    EXPECT_TRUE(IsWindowVisible(console()));
    EXPECT_FALSE(IsWindowVisible(tab.editorWindow));
    EXPECT_FALSE(shell->commandBarVisible) << "opening the terminal hides the command bar";
    EXPECT_EQ(shell->activeEditor, nullptr);
    EXPECT_EQ(tabLabel(shell->tabControl, 1), L"Terminal");
    EXPECT_EQ(windowText(main()), L"Terminal Kavlo");
    EXPECT_EQ(statusPart(shell->statusBar, 2), L"Terminal");
    EXPECT_EQ(shell->GetActiveTextWindow(), console());
    EXPECT_EQ(shell->terminalCommands.size(), 9u);
}

TEST_F(TerminalTest, OpeningAgainShowsTheSameTabAndResetsTheScriptMachine) {
    ASSERT_EQ(kscriptInterpret(shell->calculator, "var kept = 41;", nullptr), 0);
    shell->SwitchToTab(0);
    command(CmdToolTerminal);
    EXPECT_EQ(shell->tabs.size(), 2u);
    EXPECT_EQ(shell->activeTab, 1);
    EXPECT_EQ(editorText(console()), kWelcome) << "no second welcome";
    FILE *out = std::tmpfile();
    EXPECT_EQ(kscriptInterpret(shell->calculator, "print kept;", out), 2) << "script globals are gone";
    std::fclose(out);
}

TEST_F(TerminalTest, LinesAndTheirAnswers) {
    runTranscript({
        {L"", "\n\n~# ", L"~# "},
        {L"1+2", "1+2\n3\n>> ", L"~# "},
        {L"  2*21  ", "  2*21  \n42\n>> ", L"~# "},
        // the prompt is still the shell's: the command word is looked up
        {L"help cls", "help cls\ncls -- 清屏\n\n~# ", L"~# "},
        {L"(1+2", "(1+2\n(1+2\n" + kBracketError, L"~# "},
        {L"(中文∞", "(中文∞\n(中文∞\n" + kBracketError, L"~# "},
    });
}

TEST_F(TerminalTest, PromptsAndTheScriptMode) {
    runTranscript({
        {L":mode  kscript", ":mode  kscript\n" + kScriptBanner + "\n> ", L"> "},
        {L"print 1;", "print 1;\n\n> ", L"> "},
        {L"help cls", "help cls\n\n> ", L"> "},
        {L":do", ":do\n" + kCompileError + "\n> \n> ", L"> "},
        {L":q", ":q\n\n> \n>> ", L">> "},
        {L"1+2", "1+2\n3\n>> ", L">> "},
        {L":q", ":q\n~# ", L"~# "},
        {L"help cls", "help cls\ncls -- 清屏\n\n~# ", L"~# "},
    });
    EXPECT_FALSE(shell->scriptMode);
    EXPECT_EQ(terminal().history, (std::vector<std::wstring>{L":mode  kscript", L"print 1;", L"help cls", L":do", L"1+2", L"help cls"}))
        << ":q is never entered into the history";
    // ":mode kscript" with more in its rest is no switch: it goes to the calculator.
    enterLine(L":mode kscript demo.k");
    EXPECT_FALSE(shell->scriptMode);
}

TEST_F(TerminalTest, QuitAtTheShellPromptClosesTheTerminal) {
    enterLine(L":q");
    EXPECT_EQ(shell->tabs.size(), 1u);
    EXPECT_FALSE(shell->tabs[0].isTerminal);
    EXPECT_EQ(shell->activeTab, 0);
}

TEST_F(TerminalTest, HistoryBrowsing) {
    for (const wchar_t *line : {L"1", L"2", L"3"}) enterLine(line);
    const int64_t inputStart = terminal().inputStart;
    auto input = [&] { return shell->GetTerminalInput(&terminal()); };
    for (const wchar_t *expected : {L"3", L"2", L"1", L"1"}) {
        pressKey(console(), VK_UP);
        EXPECT_EQ(input(), expected);
    }
    for (const wchar_t *expected : {L"2", L"3", L""}) {
        pressKey(console(), VK_DOWN);
        EXPECT_EQ(input(), expected);
    }
    EXPECT_EQ(terminal().inputStart, inputStart);
    terminal().history.clear();
    for (int i = 0; i < 50; ++i) terminal().history.push_back(L"h" + std::to_wstring(i));
    enterLine(L"4"); // the 51st line
    ASSERT_EQ(terminal().history.size(), 50u) << "the oldest line is dropped";
    EXPECT_EQ(terminal().history.front(), L"h1");
    EXPECT_EQ(terminal().history.back(), L"4");
    EXPECT_EQ(terminal().historyIndex, 50);
}

TEST_F(TerminalTest, InputIsReadFromTheInputStartAndCountsBytes) {
    typeText(console(), L"αβ中");
    EXPECT_EQ(shell->GetTerminalInput(&terminal()), L"αβ中");
    SendMessageW(console(), SCI_GOTOPOS, WPARAM(terminal().inputStart + 2), 0); // caret inside the input
    const int64_t before = terminal().inputStart;
    pressKey(console(), VK_RETURN);
    pump(*shell);
    // the whole input went as one line; its echo is 2 + 2 + 3 bytes long
    EXPECT_EQ(terminal().history.back(), L"αβ中");
    EXPECT_EQ(editorText(console()).substr(size_t(before), 8), "αβ中\n");
}

TEST_F(TerminalTest, ShiftEnterBreaksTheLineAndEnterTakesAllOfIt) {
    typeText(console(), L"1+");
    {
        HeldKey shift(VK_SHIFT);
        pressKey(console(), VK_RETURN);
    }
    typeText(console(), L"2");
    const std::wstring input = shell->GetTerminalInput(&terminal());
    EXPECT_TRUE(input == L"1+\r\n2" || input == L"1+\n2" || input == L"1+\r2") << wideToUtf8(input);
    pressKey(console(), VK_RETURN);
    pump(*shell);
    EXPECT_EQ(terminal().history.back(), input);
}

TEST_F(TerminalTest, TheOutputAreaStaysAsItIs) {
    const int64_t inputStart = terminal().inputStart;
    HWND window = console();
    auto caret = [&] { return int64_t(SendMessageW(window, SCI_GETCURRENTPOS, 0, 0)); };

    pressKey(window, VK_BACK); // at the input start
    EXPECT_EQ(editorText(window), kWelcome);
    typeText(window, L"ab");
    SendMessageW(window, SCI_GOTOPOS, WPARAM(inputStart), 0);
    pressKey(window, VK_BACK);
    EXPECT_EQ(editorText(window), kWelcome + "ab");
    pressKey(window, VK_DELETE); // Delete at the input start takes the first typed character
    EXPECT_EQ(editorText(window), kWelcome + "b");

    SendMessageW(window, SCI_GOTOPOS, 3, 0);
    pressKey(window, VK_DELETE);
    pressKey(window, VK_BACK);
    EXPECT_EQ(editorText(window), kWelcome + "b");
    SendMessageW(window, SCI_GOTOPOS, 3, 0);
    typeText(window, L"x"); // lands in the output, is undone at once
    pump(*shell);
    EXPECT_EQ(editorText(window), kWelcome + "b");
    EXPECT_EQ(caret(), inputStart);
    EXPECT_FALSE(shell->consoleGuard);

    pressKey(window, VK_TAB);
    typeText(window, L"\t");
    EXPECT_EQ(editorText(window), kWelcome + "b") << "no tab character is ever typed";

    // The edit commands keep the output as it is: no cut, no undo, paste only into the input.
    command(CmdSelectAll);
    command(CmdCut);
    command(CmdUndo);
    command(CmdDelete);
    EXPECT_EQ(editorText(window), kWelcome + "b");
    command(CmdCopy);
    SendMessageW(window, SCI_GOTOPOS, 3, 0);
    command(CmdPaste);
    EXPECT_EQ(editorText(window), kWelcome + "b");
    SendMessageW(window, SCI_GOTOPOS, WPARAM(editorText(window).size()), 0);
    command(CmdPaste);
    EXPECT_EQ(editorText(window), kWelcome + "b" + kWelcome + "b");
}

TEST_F(TerminalTest, FocusPutsTheCaretAtTheInputStart) {
    SendMessageW(console(), SCI_GOTOPOS, 0, 0);
    SetFocus(main());
    SetFocus(console());
    EXPECT_EQ(SendMessageW(console(), SCI_GETCURRENTPOS, 0, 0), LRESULT(terminal().inputStart));
    shell->SwitchToTab(0);
    EXPECT_FALSE(IsWindowVisible(console()));
    shell->SwitchToTab(1);
    EXPECT_TRUE(IsWindowVisible(console()));
    EXPECT_EQ(GetFocus(), console());
}

// A terminal command that changes the tabs leaves the terminal able to go on: it is found
// again by its console, never through a pointer the moved tab list left behind.
TEST_F(TerminalTest, ACommandThatChangesTheTabsDoesNotLoseTheTerminal) {
    shell->terminalCommands[L"grow"] = [this](const std::vector<std::wstring> &, EditorTab *) {
        for (int i = 0; i < 20; ++i) shell->NewTab(); // the tab list moves in memory
        shell->CloseTabAt(&shell->tabs[0]);
        for (size_t i = 0; i < shell->tabs.size(); ++i)
            if (shell->tabs[i].isTerminal) shell->SwitchToTab(int(i));
    };
    EXPECT_EQ(enterLine(L"grow"), "grow\n\n~# ");
    EXPECT_EQ(enterLine(L"1+2"), "1+2\n3\n>> ");
}

// Closing the terminal tab frees the script machine, yet later script runs work: the machine
// is initialised again when needed.
TEST_F(TerminalTest, ScriptsRunAfterTheTerminalIsClosed) {
    command(CmdClose);
    ASSERT_EQ(shell->tabs.size(), 1u);
    EXPECT_EQ(processInputLine("1+2", shell->calculator), 0);
    EXPECT_EQ(shell->calculator.output.str(), "3\n>> ");
    shell->calculator.clearAnswerStreams();
    FILE *out = std::tmpfile();
    EXPECT_EQ(kscriptInterpret(shell->calculator, "print 2+3;", out), 0);
    std::rewind(out);
    char printed[16] = {};
    EXPECT_NE(std::fgets(printed, sizeof printed, out), nullptr);
    EXPECT_STREQ(printed, "5");
    std::fclose(out);
    command(CmdTerminal);
    EXPECT_EQ(enterLine(L"2^10"), "2^10\n1024\n>> ");
}

} // namespace

namespace {

// Every answer ends on its own line with the prompt after it, also one that the interpreter
// left without its prompt, so the next line is never glued to it.
TEST_F(TerminalTest, EveryAnswerEndsWithALineEndAndThePrompt) {
    for (const wchar_t *typed : {L"sqrt(2)", L"gcd(12,18)", L"1+2"}) {
        const std::string shown = enterLine(typed);
        ASSERT_GE(shown.size(), 4u);
        EXPECT_EQ(shown.substr(shown.size() - 4), "\n>> ") << wideToUtf8(typed) << ": " << shown;
    }
}

// The console draws with a fixed-pitch face: columns line up.
TEST_F(TerminalTest, TheConsoleFaceIsFixedPitch) {
    const std::wstring face = shell->FixedPitchFace(L"Consolas");
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str());
    HGDIOBJ old = SelectObject(dc, font);
    SIZE narrow{}, wide{};
    GetTextExtentPoint32W(dc, L"iiii", 4, &narrow);
    GetTextExtentPoint32W(dc, L"WWWW", 4, &wide);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(narrow.cx, wide.cx) << wideToUtf8(face);
    EXPECT_EQ(shell->FixedPitchFace(L"No Such Face 123"), face) << "the first installed fixed face stands in";
}

} // namespace

namespace {

// A line that runs without end takes no hostage: the window answers meanwhile, what is typed
// waits as input, Ctrl+C stops the run with "Stopped." and the calculator answers again.
TEST_F(TerminalTest, AnEndlessRunIsStoppedByCtrlC) {
    enterLine(L":mode kscript");
    enterLine(L"while (true) {}");
    HWND window = console();
    typeText(window, L":do");
    pressKey(window, VK_RETURN);
    pump(*shell);
    ASSERT_TRUE(shell->RunBusy());
    EXPECT_EQ(tabLabel(shell->tabControl, 1), L"Terminal (running)");

    SendMessageW(main(), WM_COMMAND, CmdNew, 0); // the window still works
    pump(*shell);
    EXPECT_EQ(shell->tabs.size(), 3u);
    shell->SwitchToTab(1);
    typeText(window, L"1+2");
    pressKey(window, VK_RETURN); // kept as input while the run goes on
    pump(*shell);
    EXPECT_TRUE(shell->RunBusy());

    {
        HeldKey control(VK_CONTROL);
        pressKey(window, 'C');
    }
    settle();
    EXPECT_FALSE(shell->RunBusy());
    const std::string text = editorText(window);
    EXPECT_EQ(text.substr(text.size() - std::string(":do\nStopped.\n\n> \n> 1+2").size()), ":do\nStopped.\n\n> \n> 1+2");
    EXPECT_EQ(tabLabel(shell->tabControl, 1), L"Terminal");
    EXPECT_EQ(wideToUtf8(shell->GetTerminalInput(&terminal())), "1+2");
    pressKey(window, VK_RETURN);
    settle();
    EXPECT_NE(editorText(window).find("> 1+2\n\n> "), std::string::npos) << "collected as script source";
    enterLine(L":q");
    EXPECT_EQ(enterLine(L"1+2"), "1+2\n3\n>> ");
}

// Ctrl+Break stops too; closing the terminal during a run stops the run first.
TEST_F(TerminalTest, CtrlBreakAndClosingStopARun) {
    enterLine(L":mode kscript");
    enterLine(L"var n = 0; while (true) { n = n + 1; }");
    typeText(console(), L":do");
    pressKey(console(), VK_RETURN);
    pump(*shell);
    ASSERT_TRUE(shell->RunBusy());
    pressKey(console(), VK_CANCEL);
    settle();
    EXPECT_FALSE(shell->RunBusy());
    const std::string text = editorText(console());
    EXPECT_NE(text.find(":do\nStopped.\n"), std::string::npos);

    enterLine(L"while (true) {}");
    typeText(console(), L":do");
    pressKey(console(), VK_RETURN);
    pump(*shell);
    ASSERT_TRUE(shell->RunBusy());
    command(CmdClose);
    EXPECT_FALSE(shell->RunBusy());
    EXPECT_EQ(shell->tabs.size(), 1u);
}

// A calculator line that computes long (the sieve up to four thousand million) is stopped the
// same way: the engine's loop sees the request, the answer is "Stopped." and the next line
// computes.
TEST_F(TerminalTest, ALongCalculatorLineIsStoppedByCtrlC) {
    HWND window = console();
    typeText(window, L"Primes(4000000000)");
    pressKey(window, VK_RETURN);
    pump(*shell);
    ASSERT_TRUE(shell->RunBusy());
    SendMessageW(main(), WM_COMMAND, CmdNew, 0); // the window answers meanwhile
    pump(*shell);
    EXPECT_EQ(shell->tabs.size(), 3u);
    shell->SwitchToTab(1);
    {
        HeldKey control(VK_CONTROL);
        pressKey(window, 'C');
    }
    settle();
    EXPECT_FALSE(shell->RunBusy());
    const std::string text = editorText(window);
    const std::string end = "Primes(4000000000)\nStopped.\n>> ";
    ASSERT_GE(text.size(), end.size());
    EXPECT_EQ(text.substr(text.size() - end.size()), end);
    EXPECT_EQ(enterLine(L"1+2"), "1+2\n3\n>> ");
}

// An answer longer than the script print buffer is shown whole: 2^100000 has 30103 digits.
TEST_F(TerminalTest, ALongAnswerIsShownWhole) {
    const std::string shown = enterLine(L"2^100000");
    const std::string echo = "2^100000\n", end = "\n>> ";
    ASSERT_EQ(shown.size(), echo.size() + 30103 + end.size());
    EXPECT_EQ(shown.substr(0, echo.size() + 5), echo + "99900");
    EXPECT_EQ(shown.substr(shown.size() - end.size() - 5), "09376" + end);
    EXPECT_EQ(shown.find_first_not_of("0123456789", echo.size()), shown.size() - end.size());
}

// Exit during a run asks first; No keeps the run and the window.
TEST_F(TerminalTest, ExitDuringARunAsks) {
    enterLine(L":mode kscript");
    enterLine(L"while (true) {}");
    typeText(console(), L":do");
    pressKey(console(), VK_RETURN);
    pump(*shell);
    ASSERT_TRUE(shell->RunBusy());
    boxes.answer({IDNO});
    SendMessageW(main(), WM_CLOSE, 0, 0);
    pump(*shell);
    EXPECT_TRUE(IsWindow(main()));
    EXPECT_TRUE(shell->RunBusy());
    ASSERT_FALSE(boxes.seen().empty());
    EXPECT_EQ(boxes.seen().back().text, L"A computation is still running. Stop it and exit?");
    shell->StopRun();
    settle();
}

} // namespace

namespace {

// After a message box, a new tab or the main window taking the focus, the keys go to the
// active console or editor, never to a pane that takes no typing.
TEST_F(TerminalTest, FocusComesBackToWhereTheUserTypes) {
    command(CmdAbout);
    EXPECT_EQ(GetFocus(), console());
    SetFocus(main());
    EXPECT_EQ(GetFocus(), console());
    command(CmdNew);
    EXPECT_EQ(GetFocus(), shell->GetActiveEditor());
    SetFocus(main());
    EXPECT_EQ(GetFocus(), shell->GetActiveEditor());
    boxes.forget();
}

} // namespace
