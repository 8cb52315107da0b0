// The terminal's own commands and its path completion, run in a folder of their own: each
// typed line with the text the console gains (transcripts).
#include <optional>

#include "commands.h"
#include "entry/line_entry.h"
#include "shell_test_support.h"

namespace {

std::wstring cwd() {
    wchar_t buffer[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, buffer);
    return buffer;
}

// A started terminal whose current folder is a fresh one holding a few files and folders;
// the profile directory points into it too.
class TerminalCommandsTest : public ShellTest {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        root_ = std::wstring(temp) + L"kavlo-terminal-" + std::to_wstring(GetCurrentProcessId());
        removeTree(root_);
        ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
        for (const wchar_t *folder : {L"sub", L"sub\\deep", L"my dir", L"empty", L"home", L"home\\Documents"})
            CreateDirectoryW((root_ + L"\\" + folder).c_str(), nullptr);
        for (const wchar_t *file : {L"notes.txt", L"main.c", L"abc1", L"abc2", L"sub\\x.c", L"sub\\y.h",
                                    L"sub\\deep\\z.c", L"Winfile.ini"})
            writeFile(root_ + L"\\" + file, "x");
        wchar_t previous[MAX_PATH] = L"";
        GetCurrentDirectoryW(MAX_PATH, previous);
        previous_ = previous;
        wchar_t profile[MAX_PATH] = L"";
        if (GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH) > 0) profile_ = profile;
        SetEnvironmentVariableW(L"USERPROFILE", (root_ + L"\\home").c_str());
        ASSERT_TRUE(SetCurrentDirectoryW(root_.c_str()));
        root_ = cwd(); // as the system spells it
        ShellTest::SetUp();
        command(CmdTerminal);
    }
    void TearDown() override {
        ShellTest::TearDown();
        SetCurrentDirectoryW(previous_.c_str());
        SetEnvironmentVariableW(L"USERPROFILE", profile_ ? profile_->c_str() : nullptr);
        removeTree(root_);
    }
    std::string at(const std::wstring &path) { return wideToUtf8(path); }
    std::string rootText() { return at(root_); }

    std::wstring root_, previous_;
    std::optional<std::wstring> profile_;
};

TEST_F(TerminalCommandsTest, PwdAndCd) {
    const std::string root = rootText();
    const struct {
        std::wstring typed;
        std::string shown;
    } rows[] = {
        {L"pwd", "pwd\n" + root + "\n~# "},
        {L"cd", "cd\n \n" + root + "\n~# "},
        {L"cd sub", "cd sub\n" + root + "\\sub\n~# "},
        {L"cd ..", "cd ..\n" + root + "\n~# "},
        {L"cd my dir", "cd my dir\n" + root + "\\my dir\n~# "},
        {L"cd \"..\"", "cd \"..\"\n" + root + "\n~# "},
        {L"cd 'my dir'", "cd 'my dir'\n" + root + "\\my dir\n~# "},
        {L"cd ~", "cd ~\n" + root + "\\home\n~# "},
        {L"cd ~/Documents", "cd ~/Documents\n" + root + "\\home\\Documents\n~# "},
        {L"cd ~\\Documents", "cd ~\\Documents\n" + root + "\\home\\Documents\n~# "},
        {L"cd nowhere", "cd nowhere\n\n错误: 目录nowhere不存在或无法访问\n~# "},
        {L"cd " + root_, "cd " + root + "\n" + root + "\n~# "},
        // a drive alone: that drive's current folder, which is this one
        {L"cd " + root_.substr(0, 2), "cd " + root.substr(0, 2) + "\n" + root + "\n~# "},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(enterLine(row.typed), row.shown) << wideToUtf8(row.typed);
        EXPECT_EQ(shell->prompt, L"~# ");
    }
    EXPECT_EQ(enterLine(L"PWD").find(root), std::string::npos) << "command words are case-sensitive";
    SetEnvironmentVariableW(L"USERPROFILE", nullptr);
    EXPECT_EQ(enterLine(L"cd ~"), "cd ~\n错误: 无法获取用户主目录\n~# ");
}

TEST_F(TerminalCommandsTest, DirFlatAndRecursiveWithPatterns) {
    const std::string flat = enterLine(L"dir");
    EXPECT_EQ(flat.rfind("dir\n\n目录: .\r\n", 0), 0u) << flat;
    for (const char *line : {"[sub]\r\n", "[my dir]\r\n", "[empty]\r\n", "|- notes.txt\r\n", "|- abc1\r\n"})
        EXPECT_NE(flat.find(line), std::string::npos) << line;
    EXPECT_EQ(flat.find("  [deep]"), std::string::npos) << "a flat listing does not descend";
    EXPECT_EQ(flat.substr(flat.size() - 24), "--------------------\n~# ");

    const std::string txt = enterLine(L"ls *.txt");
    EXPECT_NE(txt.find("|- notes.txt\r\n"), std::string::npos);
    EXPECT_EQ(txt.find("main.c"), std::string::npos);
    EXPECT_NE(txt.find("[sub]\r\n"), std::string::npos) << "every folder is shown";

    // The entries come in the file system's order: the lines are looked for one by one.
    const std::string recursive = enterLine(L"dir -r sub\\*.c");
    EXPECT_EQ(recursive.rfind("dir -r sub\\*.c\n\n目录: sub\r\n", 0), 0u) << recursive;
    EXPECT_NE(recursive.find("\n|- x.c\r\n"), std::string::npos);
    EXPECT_NE(recursive.find("\n[deep]\r\n  |- z.c\r\n"), std::string::npos);
    EXPECT_EQ(recursive.find("y.h"), std::string::npos);
    EXPECT_EQ(recursive.substr(recursive.size() - 24), "--------------------\n~# ");
    EXPECT_EQ(enterLine(L"dir empty"), "dir empty\n\n目录: empty\r\n--------------------\n~# ");
    EXPECT_EQ(enterLine(L"dir -r"), "dir -r\n\n目录: -r\r\n无法打开目录: -r\r\n--------------------\n~# ")
        << "a flag alone is the folder's name";
}

TEST_F(TerminalCommandsTest, HelpClsExitAndKavlo) {
    const std::string full = "Help\n====\n"
                             "  pwd  -- 显示当前目录\n"
                             "  cd   -- 切换目录; 例: cd d:\\bin\n"
                             "  dir  -- 显示当前目录中的所有文件和子目录; -r 选项用于递归输出所有文件和子目录. 例: dir -r d:\\bin\n"
                             "  ls   -- 功能同 dir\n"
                             "  open -- 打开文件, 并将其内容显示在新的标签页; 例: open latexexample.tex\n"
                             "  cls  -- 清屏\n"
                             "  exit -- 退出（终端）\n"
                             "  help -- 显示此帮助\n";
    EXPECT_EQ(enterLine(L"help"), "help\n" + full + "\n~# ");
    EXPECT_EQ(enterLine(L"help help"), "help help\n" + full + "\n~# ");
    EXPECT_EQ(enterLine(L"help cd ls"), "help cd ls\ncd -- 切换目录; 例: cd d:\\bin\nls -- 功能同 dir\n\n~# ");
    EXPECT_EQ(enterLine(L"help Help"), "help Help\nHelp -- 显示此帮助\n\n~# ");
    EXPECT_EQ(enterLine(L"help help pwd"), "help help pwd\nhelp -- \npwd -- 显示当前目录\n\n~# ");
    EXPECT_EQ(enterLine(L"help kavlo"), "help kavlo\nkavlo -- \n\n~# ");

    // kavlo hands ":kavlo" (or ":home" with its words) to the calculator; the prompt stays.
    Calculator reference;
    processInputLine(":kavlo", reference);
    std::wstring expected = reference.core.wideStream.str();
    if (expected.empty()) expected = utf8ToWide(reference.output.str());
    EXPECT_EQ(enterLine(L"kavlo"), "kavlo\n" + wideToUtf8(expected) + "\n~# ");
    EXPECT_EQ(shell->prompt, L"~# ");

    enterLine(L"cls");
    EXPECT_EQ(editorText(console()), "欢迎使用终端\n输入命令，按 Enter 执行，Shift+Enter 换行\n~# ");
    EXPECT_EQ(GetFocus(), console());
    EXPECT_EQ(enterLine(L"1+2"), "1+2\n3\n>> ") << "the console goes on after cls";

    enterLine(L"exit");
    EXPECT_EQ(shell->tabs.size(), 1u);
    EXPECT_FALSE(shell->tabs[0].isTerminal);
}

// open hands each path to the file opening, which may add tabs; the terminal goes on.
// Each path opens in a tab of its own under its full name, so a save after a cd still writes
// the file that was opened.
TEST_F(TerminalCommandsTest, OpenHandsEveryPathOnAndTheTerminalGoesOn) {
    writeFile(root_ + L"\\main.c", "int main;");
    const size_t tabsBefore = shell->tabs.size();
    enterLine(L"open notes.txt main.c");
    pump(*shell);
    ASSERT_EQ(shell->tabs.size(), tabsBefore + 2);
    const EditorTab &notes = shell->tabs[tabsBefore], &code = shell->tabs[tabsBefore + 1];
    EXPECT_EQ(notes.path, root_ + L"\\notes.txt");
    EXPECT_EQ(editorText(notes.editorWindow), "x");
    EXPECT_EQ(code.path, root_ + L"\\main.c");
    EXPECT_EQ(editorText(code.editorWindow), "int main;");
    EXPECT_TRUE(boxes.seen().empty());
    for (size_t i = 0; i < shell->tabs.size(); ++i)
        if (shell->tabs[i].isTerminal) shell->SwitchToTab(int(i));
    enterLine(L"cd sub");
    EXPECT_EQ(enterLine(L"1+2"), "1+2\n3\n>> ");
    const size_t tabsNow = shell->tabs.size();
    enterLine(L"open nothing-here.txt");
    pump(*shell);
    EXPECT_EQ(shell->tabs.size(), tabsNow);
    ASSERT_FALSE(boxes.seen().empty());
    EXPECT_EQ(boxes.seen().back().text, L"文件不存在！");
}

class CompletionTest : public TerminalCommandsTest {
  protected:
    // Types the text, presses Tab and returns the console's text after the welcome.
    std::string complete(const std::wstring &typed) {
        typeText(console(), typed);
        pressKey(console(), VK_TAB);
        pump(*shell);
        return editorText(console()).substr(welcome_);
    }
    void SetUp() override {
        TerminalCommandsTest::SetUp();
        welcome_ = editorText(console()).size();
    }
    size_t welcome_ = 0;
};

TEST_F(CompletionTest, CompletesTheOneCandidateInTheNamesCase) {
    EXPECT_EQ(complete(L"open winf"), "open Winfile.ini");
    EXPECT_EQ(terminal().inputStart, int64_t(welcome_)) << "the input still begins after the prompt";
}

TEST_F(CompletionTest, FolderGetsABackslashAndCompletesInside) {
    EXPECT_EQ(complete(L"cd su"), "cd sub\\");
    EXPECT_EQ(complete(L"d"), "cd sub\\deep\\");
}

TEST_F(CompletionTest, SharedPartThenTheListInColumns) {
    EXPECT_EQ(complete(L"ab"), "abc");
    const std::string listed = complete(L"");
    EXPECT_EQ(listed, "abc\r\nabc1  abc2  \r\n\r\n~# abc");
    EXPECT_EQ(wideToUtf8(shell->GetTerminalInput(&terminal())), "abc") << "the repeated line is the input again";
}

TEST_F(CompletionTest, NothingForWildcardsMissingFoldersOrAnEmptyToken) {
    EXPECT_EQ(complete(L"dir *.t"), "dir *.t");
    EXPECT_EQ(complete(L" nowhere\\x"), "dir *.t nowhere\\x");
    EXPECT_EQ(complete(L" "), "dir *.t nowhere\\x ");
    EXPECT_EQ(complete(L"\"ab"), "dir *.t nowhere\\x \"ab") << "a quote without its partner finds nothing";
}

TEST_F(CompletionTest, TheProfileFolder) {
    EXPECT_EQ(complete(L"cd ~/Doc"), "cd ~/Documents\\");
}

} // namespace
