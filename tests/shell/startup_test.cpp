// The shell right after start-up: windows, tab, title, status bar, layout and splitters,
// and the chrome's fixed answers.
#include <regex>

#include "commands.h"
#include "shell_test_support.h"

namespace {

// The position of a child window in its parent's client coordinates.
RECT placeOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT *>(&r), 2);
    return r;
}

int heightOf(HWND window) {
    const RECT r = placeOf(window);
    return r.bottom - r.top;
}

TEST_F(ShellTest, StartsWithOneUntitledTabAndEveryPane) {
    ASSERT_EQ(shell->tabs.size(), 1u);
    EXPECT_EQ(shell->activeTab, 0);
    EXPECT_EQ(tabLabel(shell->tabControl, 0), L"Untitled 1");
    EXPECT_EQ(windowText(main()), L"Untitled Kavlo");
    EXPECT_EQ(statusPart(shell->statusBar, 0), L"Line 1, Col 1");
    EXPECT_EQ(statusPart(shell->statusBar, 1), L"UTF-8");
    EXPECT_EQ(statusPart(shell->statusBar, 2), L"Untitled");
    EXPECT_TRUE(shell->commandBarVisible);
    EXPECT_EQ(GetFocus(), shell->commandEdit);
    for (HWND pane : {shell->sidePane, shell->outputPane, shell->directoryTree, shell->toolbar}) {
        ASSERT_NE(pane, nullptr);
        EXPECT_TRUE(IsWindowVisible(pane));
    }
    EXPECT_EQ(editorText(shell->sidePane), "");
    EXPECT_EQ(editorText(shell->outputPane), "");
    EXPECT_EQ(shell->activeEditor, shell->tabs[0].editorWindow);
    EXPECT_EQ(shell->editor.GetHandle(), shell->activeEditor);
    EXPECT_EQ(SendMessageW(shell->toolbar, TB_BUTTONCOUNT, 0, 0), 22);
}

TEST_F(ShellTest, LayoutOfTheInitialWindow) {
    EXPECT_EQ(shell->treeWidth, 220);
    EXPECT_EQ(placeOf(shell->tabControl).left, 230);
    EXPECT_EQ(heightOf(shell->outputPane), 150);
    EXPECT_EQ(heightOf(shell->sidePane), 80);
    command(CmdViewTree);
    EXPECT_FALSE(IsWindowVisible(shell->directoryTree));
    EXPECT_EQ(placeOf(shell->tabControl).left, 0);
    command(CmdViewTree);
    EXPECT_TRUE(IsWindowVisible(shell->directoryTree));
    EXPECT_EQ(placeOf(shell->tabControl).left, 230);
}

// A drag from the splitter's place by (dx, dy) screen pixels.
void drag(Tovrel &shell, HWND splitter, int dx, int dy) {
    RECT r{};
    GetWindowRect(splitter, &r);
    SetCursorPos(r.left + 2, r.top + 2);
    SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SetCursorPos(r.left + 2 + dx, r.top + 2 + dy);
    SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, 0);
    SendMessageW(splitter, WM_LBUTTONUP, 0, 0);
    pump(shell);
}

TEST_F(ShellTest, SplitterDragsAreKeptWithinTheirLimits) {
    RECT client{};
    GetClientRect(main(), &client);
    struct Case {
        const char *what;
        HWND Tovrel::*splitter;
        int dx, dy;
        int Tovrel::*size;
        int expected;
    };
    const Case cases[] = {
        {"tree dragged 40 left", &Tovrel::treeSplitter, -40, 0, &Tovrel::treeWidth, 180},
        {"tree dragged 300 left", &Tovrel::treeSplitter, -300, 0, &Tovrel::treeWidth, 50},
        {"tree dragged past the right edge", &Tovrel::treeSplitter, 2000, 0, &Tovrel::treeWidth, client.right - 100},
        {"output pane dragged up 20", &Tovrel::outputSplitter, 0, -20, &Tovrel::outputHeight, 170},
        {"output pane dragged below the window", &Tovrel::outputSplitter, 0, 2000, &Tovrel::outputHeight, 30},
        {"side pane dragged up past the top", &Tovrel::sideSplitter, 0, -2000, &Tovrel::sidePaneHeight,
         client.bottom - 100},
    };
    for (const Case &c : cases) {
        drag(*shell, shell.get()->*c.splitter, c.dx, c.dy);
        EXPECT_EQ(shell.get()->*c.size, c.expected) << c.what;
        EXPECT_FALSE(shell->dragging) << c.what;
    }
    EXPECT_EQ(heightOf(shell->sidePane), shell->sidePaneHeight);
}

TEST_F(ShellTest, StatusPartsFollowTheBarsWidth) {
    RECT bar{};
    GetClientRect(shell->statusBar, &bar);
    int parts[3] = {};
    SendMessageW(shell->statusBar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    EXPECT_EQ(parts[0], int(bar.right * 0.2));
    EXPECT_EQ(parts[1], int(bar.right * 0.2) + int(bar.right * 0.25));
    EXPECT_EQ(parts[2], -1);
}

TEST_F(ShellTest, ChromeAnswers) {
    command(CmdToolPrint);
    command(CmdAbout);
    const std::vector<SeenBox> seen = boxes.seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].caption, L"Info");
    EXPECT_EQ(seen[0].text, L"Print function not implemented yet.");
    EXPECT_EQ(seen[1].caption, L"About Tovrel");
    const std::string about = wideToUtf8(seen[1].text);
    EXPECT_TRUE(std::regex_match(about, std::regex("Tovrel v0\\.1\\.8\nBuilt with Scintilla 5\\.x\n"
                                                   "Build: [A-Z][a-z]{2} [ 1-3][0-9] [0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}")))
        << about;
    EXPECT_EQ(shell->tabs.size(), 1u) << "print changes nothing";
}

TEST_F(ShellTest, ViewSwitchesCheckTheirMenuItems) {
    HMENU view = GetSubMenu(GetMenu(main()), 2);
    auto checked = [&](int id) { return (GetMenuState(view, UINT(id), MF_BYCOMMAND) & MF_CHECKED) != 0; };
    for (int id : {CmdViewToolbar, CmdViewTree, CmdViewLineNumbers, CmdViewWrap}) EXPECT_TRUE(checked(id)) << id;
    command(CmdViewToolbar);
    EXPECT_FALSE(checked(CmdViewToolbar));
    EXPECT_FALSE(IsWindowVisible(shell->toolbar));
    command(CmdViewLineNumbers);
    EXPECT_FALSE(checked(CmdViewLineNumbers));
    EXPECT_EQ(SendMessageW(shell->activeEditor, SCI_GETMARGINWIDTHN, 0, 0), 0);
    command(CmdViewLineNumbers);
    EXPECT_GT(SendMessageW(shell->activeEditor, SCI_GETMARGINWIDTHN, 0, 0), 0);
    command(CmdViewWrap);
    EXPECT_FALSE(checked(CmdViewWrap));
    EXPECT_FALSE(shell->wrapLines);
}

TEST_F(ShellTest, CommandBarToggles) {
    command(CmdCommandBar);
    EXPECT_FALSE(shell->commandBarVisible);
    EXPECT_FALSE(IsWindowVisible(shell->commandEdit));
    command(CmdCommandBar);
    EXPECT_TRUE(shell->commandBarVisible);
    EXPECT_EQ(GetFocus(), shell->commandEdit);
    EXPECT_EQ(windowText(shell->commandEdit), L"");
}

} // namespace
