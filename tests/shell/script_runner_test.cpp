// Scripts run from the terminal's script mode, its load(path) form, and the run-code command
// (Tools menu) into a read-only result tab: transcripts of what the console shows, and the
// temporary files that stay or go.
#include "commands.h"
#include "entry/line_entry.h"
#include "shell_test_support.h"

namespace {

// The temporary files of the runs: names made by the system with the prefix "Ksc".
std::set<std::wstring> captureFiles() {
    wchar_t folder[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, folder);
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((std::wstring(folder) + L"Ksc*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.insert(std::wstring(folder) + found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

class ScriptRunnerTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"kavlo-scripts-" + std::to_wstring(GetCurrentProcessId());
        removeTree(folder_);
        CreateDirectoryW(folder_.c_str(), nullptr);
        before_ = captureFiles();
    }
    void TearDown() override {
        for (const std::wstring &name : captureFiles())
            if (before_.count(name) == 0) DeleteFileW(name.c_str());
        removeTree(folder_);
        ShellTest::TearDown();
    }
    std::string file(const std::string &name) { return wideToUtf8(folder_) + "\\" + name; }
    void scriptMode() {
        command(CmdTerminal);
        enterLine(L":mode kscript");
    }
    std::set<std::wstring> newCaptureFiles() {
        std::set<std::wstring> added;
        for (const std::wstring &name : captureFiles())
            if (before_.count(name) == 0) added.insert(name);
        return added;
    }

    std::wstring folder_;
    std::set<std::wstring> before_;
};

TEST_F(ScriptRunnerTest, ScriptModeRunsTheCollectedLines) {
    scriptMode();
    const struct {
        std::wstring typed;
        std::string shown;
    } rows[] = {
        {L"var a = 20;", "var a = 20;\n\n> "},
        {L"print a + 1;", "print a + 1;\n\n> "},
        {L":do", ":do\n21\n> \n> "},
        {L"println a * 2;", "println a * 2;\n\n> "},
        {L":q", ":q\n40\n\n> \n>> "},
    };
    for (const auto &row : rows) EXPECT_EQ(enterLine(row.typed), row.shown) << wideToUtf8(row.typed);
    EXPECT_FALSE(shell->scriptMode);
    EXPECT_TRUE(newCaptureFiles().empty()) << "the capture files are removed";
}

TEST_F(ScriptRunnerTest, ErrorsShowOnlyTheirNumber) {
    scriptMode();
    enterLine(L"print 1;");
    enterLine(L"print (;");
    EXPECT_EQ(enterLine(L":do"), ":do\n错误: Kscript 执行失败 (返回码: 1)\n\n> \n> ") << "not even the earlier output";
    enterLine(L"print 1;");
    enterLine(L"print nothing;");
    EXPECT_EQ(enterLine(L":do"), ":do\n错误: Kscript 执行失败 (返回码: 2)\n\n> \n> ");
    EXPECT_EQ(enterLine(L":do"), ":do\n\n> \n> ") << "an empty script prints nothing";
    EXPECT_TRUE(newCaptureFiles().empty()) << "failures remove the capture files too";
}

TEST_F(ScriptRunnerTest, LoadRunsAFile) {
    writeFile(folder_ + L"\\demo.txt", "var s = 0;\nfor (var i = 1; i <= 4; i = i + 1) { s = s + i; }\nprint s;\n");
    writeFile(folder_ + L"\\empty.txt", "");
    writeFile(folder_ + L"\\ff.txt", "\xFFprint 1;");
    // A file larger than a run may read is refused without reading it whole.
    const std::wstring huge = folder_ + L"\\huge.txt";
    HANDLE handle = CreateFileW(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER size{};
    size.QuadPart = (int64_t(64) << 20) + 1;
    SetFilePointerEx(handle, size, nullptr, FILE_BEGIN);
    SetEndOfFile(handle);
    CloseHandle(handle);
    scriptMode();
    const struct {
        std::string source;
        std::string shown;
    } rows[] = {
        {"load(" + file("demo.txt") + ")", "10"},
        {"  load(" + file("demo.txt") + ")  ", "10"},
        {"load(" + file("missing.txt") + ")", "File not found or empty.\n"},
        {"load(" + file("empty.txt") + ")", "File not found or empty.\n"},
        {"load(" + file("ff.txt") + ")", "File not found or empty.\n"},
        {"load(" + file("huge.txt") + ")", "错误: 文件超过 67108864 字节, 未运行\n"},
        // with a blank before the bracket it is no load form but script source
        {"load (" + file("demo.txt") + ")", "错误: Kscript 执行失败 (返回码: 1)\n"},
    };
    for (const auto &row : rows) {
        enterLine(utf8ToWide(row.source));
        EXPECT_EQ(enterLine(L":do"), ":do\n" + row.shown + "\n> \n> ") << row.source;
    }
}

TEST_F(ScriptRunnerTest, RunCodeShowsTheOutputInAReadOnlyTab) {
    SendMessageW(shell->GetActiveEditor(), SCI_SETTEXT, 0, reinterpret_cast<LPARAM>("println 6*7;\nprint \"中\";"));
    command(CmdRunCode);
    ASSERT_EQ(shell->tabs.size(), 2u);
    const EditorTab &result = shell->GetActiveTab();
    EXPECT_EQ(editorText(result.editorWindow), "42\n中");
    EXPECT_FALSE(result.isModified);
    EXPECT_FALSE(result.isVirtual);
    const std::wstring name = result.path.substr(result.path.find_last_of(L'\\') + 1);
    EXPECT_EQ(name.rfind(L"Ksc", 0), 0u);
    EXPECT_EQ(name.substr(name.size() - 4), L".tmp");
    EXPECT_EQ(tabLabel(shell->tabControl, 1), name);
    EXPECT_EQ(newCaptureFiles(), std::set<std::wstring>{result.path}) << "the result file stays as the document";
    SendMessageW(result.editorWindow, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>("changed"));
    EXPECT_EQ(editorText(result.editorWindow), "42\n中") << "read-only";
}

TEST_F(ScriptRunnerTest, RunCodeFailuresOpenNoTab) {
    command(CmdRunCode);
    SendMessageW(shell->GetActiveEditor(), SCI_SETTEXT, 0, reinterpret_cast<LPARAM>("print (;"));
    command(CmdRunCode);
    EXPECT_EQ(shell->tabs.size(), 1u);
    const std::vector<SeenBox> seen = boxes.seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, L"Editor is empty!");
    EXPECT_EQ(seen[1].text, L"Kscript execution failed!");
    EXPECT_EQ(seen[1].caption, L"Error");
    EXPECT_TRUE(newCaptureFiles().empty());
    // The terminal's hidden editor is empty too.
    command(CmdTerminal);
    command(CmdRunCode);
    EXPECT_EQ(boxes.seen().back().text, L"Editor is empty!");
}

// Closing the terminal frees the script machine; the run-code command finds it ready again.
TEST_F(ScriptRunnerTest, RunCodeAfterTheTerminalIsClosed) {
    command(CmdTerminal);
    command(CmdClose);
    ASSERT_EQ(shell->tabs.size(), 1u);
    SendMessageW(shell->GetActiveEditor(), SCI_SETTEXT, 0, reinterpret_cast<LPARAM>("print 2+3;"));
    command(CmdRunCode);
    ASSERT_EQ(shell->tabs.size(), 2u);
    EXPECT_EQ(editorText(shell->GetActiveTab().editorWindow), "5");
}

} // namespace
