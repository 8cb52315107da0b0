// Opening and saving files: byte-for-byte round trips in every encoding, the failures that
// must leave the file on disk and the tabs as they were, and the unsaved-changes question.
#include "commands.h"
#include "shell_test_support.h"

namespace {

// A folder of its own under the system's temporary folder, removed with what it holds.
class TempFolder {
  public:
    TempFolder() {
        wchar_t base[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, base);
        path_ = std::wstring(base) + L"kavlo-files-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(counter_++);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempFolder() { remove(path_); }
    std::wstring file(const std::wstring &name) const { return path_ + L"\\" + name; }
    const std::wstring &path() const { return path_; }

    static void remove(const std::wstring &folder) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring full = folder + L"\\" + name;
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) remove(full);
                else DeleteFileW(full.c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }

  private:
    static inline int counter_ = 0;
    std::wstring path_;
};

void writeBytes(const std::wstring &path, const std::string &bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    if (!bytes.empty()) WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

std::string readBytes(const std::wstring &path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    std::string bytes(size_t(size.QuadPart), '\0');
    DWORD got = 0;
    if (!bytes.empty()) ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

std::wstring namesIn(const std::wstring &folder) {
    std::wstring names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names += std::wstring(found.cFileName) + L" ";
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

size_t filesIn(const std::wstring &folder) {
    size_t count = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") ++count;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

constexpr int kFileNameField = 0x480, kFileNameCombo = 0x47C; // the file dialogs' name fields

class FilesTest : public ShellTest {
  protected:
    EditorTab &active() { return shell->GetActiveTab(); }
    void modifyActive(const std::wstring &text) {
        typeText(active().editorWindow, text);
        pump(*shell);
    }
    TempFolder folder;
};

struct RoundTrip {
    const char *what;
    std::string bytes;
    const wchar_t *encoding;
    std::string shown; // the editor's UTF-8 text
};

TEST_F(FilesTest, EveryEncodingRoundTripsByteForByte) {
    const std::string cafe = "caf\xC3\xA9\r\nline two\n";
    const RoundTrip cases[] = {
        {"UTF-8", cafe, L"UTF-8", cafe},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + cafe, L"UTF-8-BOM", cafe},
        {"UTF-16 LE", std::string("\xFF\xFE" "c\0a\0f\0\xE9\0\x2D\x4E", 12), L"UTF-16-LE", "caf\xC3\xA9\xE4\xB8\xAD"},
        {"UTF-16 BE", std::string("\xFE\xFF\0c\0a\0f\0\xE9\x4E\x2D", 12), L"UTF-16-BE", "caf\xC3\xA9\xE4\xB8\xAD"},
        {"ANSI", "caf\xE9 ok", L"ANSI", "caf\xC3\xA9 ok"},
        {"NUL bytes", std::string("ab\0cd\0\nend", 10), L"UTF-8", std::string("ab\0cd\0\nend", 10)},
        {"a mark alone", "\xEF\xBB\xBF", L"UTF-8-BOM", ""},
    };
    for (const RoundTrip &c : cases) {
        const std::wstring path = folder.file(L"round.txt"), copy = folder.file(L"copy.txt");
        writeBytes(path, c.bytes);
        shell->OpenFileByPath(path);
        pump(*shell);
        EXPECT_EQ(active().path, path) << c.what;
        EXPECT_EQ(active().encoding, c.encoding) << c.what;
        EXPECT_EQ(editorText(active().editorWindow), c.shown) << c.what;
        EXPECT_FALSE(active().isModified) << c.what;
        EXPECT_TRUE(shell->SaveTabToFile(&active(), copy)) << c.what;
        EXPECT_EQ(readBytes(copy), c.bytes.size() == 3 ? std::string() : c.bytes) << c.what;
        shell->CloseActiveTab();
    }
    EXPECT_TRUE(boxes.seen().empty());
}

TEST_F(FilesTest, AnEmptyFileLoadsIntoTheFreshTabAndKeepsItsEncoding) {
    const std::wstring path = folder.file(L"empty.txt");
    writeBytes(path, "");
    HWND fresh = active().editorWindow;
    shell->OpenFileByPath(path);
    ASSERT_EQ(shell->tabs.size(), 1u) << "a fresh, empty, never-saved tab takes the file";
    EXPECT_EQ(active().editorWindow, fresh);
    EXPECT_EQ(active().encoding, L"UTF-8");
    EXPECT_FALSE(active().isModified);
    EXPECT_EQ(tabLabel(shell->tabControl, 0), L"empty.txt");
    modifyActive(L"x");
    shell->OpenFileByPath(path);
    EXPECT_EQ(shell->tabs.size(), 2u) << "a tab holding text is never reused";
}

// A loaded text is where the tab's history starts: Undo does not empty it, and Redo does not
// bring back what was typed and undone in the tab before the file came.
TEST_F(FilesTest, UndoAndRedoCannotTakeALoadedFileBack) {
    const std::wstring path = folder.file(L"loaded.txt");
    writeBytes(path, "kept text");
    modifyActive(L"x");
    command(CmdUndo);
    ASSERT_FALSE(active().isModified);
    HWND fresh = active().editorWindow;
    shell->OpenFileByPath(path);
    ASSERT_EQ(active().editorWindow, fresh) << "the empty, unmodified tab takes the file";
    for (int id : {CmdUndo, CmdRedo, CmdUndo}) {
        command(id);
        EXPECT_EQ(editorText(active().editorWindow), "kept text") << id;
        EXPECT_FALSE(active().isModified) << id;
    }
    modifyActive(L"y");
    command(CmdUndo);
    command(CmdUndo);
    EXPECT_EQ(editorText(active().editorWindow), "kept text") << "only the typing is taken back";
    EXPECT_TRUE(boxes.seen().empty());
}

TEST_F(FilesTest, AFiftyMegabyteFileRoundTrips) {
    std::string bytes;
    bytes.reserve(50u << 20);
    for (unsigned line = 0; bytes.size() < (50u << 20); ++line)
        bytes += "line " + std::to_string(line) + " \xC3\xA9\xE4\xB8\xAD some text to fill the line\r\n";
    const std::wstring path = folder.file(L"big.txt"), copy = folder.file(L"big-copy.txt");
    writeBytes(path, bytes);
    shell->OpenFileByPath(path);
    EXPECT_EQ(SendMessageW(active().editorWindow, SCI_GETTEXTLENGTH, 0, 0), LRESULT(bytes.size()));
    EXPECT_TRUE(shell->SaveTabToFile(&active(), copy));
    EXPECT_TRUE(readBytes(copy) == bytes);
}

struct OpenFailure {
    const char *what;
    std::wstring path;
    std::wstring text;
};

// A failed open changes no tab: no tab takes a path whose text it does not hold, so no later
// save can empty the file.
TEST_F(FilesTest, AFailedOpenLeavesEveryTabAsItWas) {
    const std::wstring locked = folder.file(L"locked.txt");
    writeBytes(locked, "precious");
    HANDLE holder = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const OpenFailure cases[] = {
        {"missing", folder.file(L"nothing-here.txt"), L"文件不存在！"},
        {"held open without sharing", locked, L"无法打开文件！"},
        {"a folder", folder.path(), L"无法打开文件！"},
        {"empty path", L"", L"文件名无效！"},
    };
    for (const OpenFailure &c : cases) {
        boxes.forget();
        shell->OpenFileByPath(c.path);
        pump(*shell);
        ASSERT_EQ(boxes.seen().size(), 1u) << c.what;
        EXPECT_EQ(boxes.seen()[0].text, c.text) << c.what;
        EXPECT_EQ(boxes.seen()[0].caption, L"错误") << c.what;
        EXPECT_EQ(shell->tabs.size(), 1u) << c.what;
        EXPECT_TRUE(active().path.empty()) << c.what;
    }
    CloseHandle(holder);
    // With a reused tab holding nothing yet, a later Ctrl+S asks for a name instead of emptying.
    boxes.forget();
    boxes.answer({IDCANCEL});
    command(CmdSave);
    EXPECT_EQ(readBytes(locked), "precious");
    EXPECT_EQ(boxCaptions(), std::vector<std::wstring>{L"Save As"});
}

TEST_F(FilesTest, ASaveIntoAVanishedFolderSaysSoAndStaysModified) {
    const std::wstring gone = folder.file(L"gone"), inGone = gone + L"\\file.txt";
    CreateDirectoryW(gone.c_str(), nullptr);
    writeBytes(inGone, "abc");
    shell->OpenFileByPath(inGone);
    modifyActive(L"x");
    TempFolder::remove(gone);
    command(CmdSave);
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text, L"Failed to save file!");
    EXPECT_TRUE(active().isModified);
    EXPECT_EQ(GetFileAttributesW(gone.c_str()), INVALID_FILE_ATTRIBUTES);
}

// Each failed save says so, leaves the file on disk as it was and the tab modified; no
// temporary file stays behind.
TEST_F(FilesTest, ReadOnlyAndLockedTargetsStayIntact) {
    const std::wstring path = folder.file(L"kept.txt");
    writeBytes(path, "original text");
    shell->OpenFileByPath(path);
    modifyActive(L"changed ");
    struct Lock {
        const char *what;
        bool readOnly;
    } locks[] = {{"read-only", true}, {"held open without sharing", false}};
    for (const Lock &lock : locks) {
        boxes.forget();
        HANDLE holder = INVALID_HANDLE_VALUE;
        if (lock.readOnly) SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        else holder = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        command(CmdSave);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
        EXPECT_EQ(readBytes(path), "original text") << lock.what;
        EXPECT_TRUE(active().isModified) << lock.what;
        ASSERT_EQ(boxes.seen().size(), 1u) << lock.what;
        EXPECT_EQ(boxes.seen()[0].text, L"Failed to save file!") << lock.what;
        EXPECT_EQ(filesIn(folder.path()), 1u) << lock.what << ": no temporary file is left: " << wideToUtf8(namesIn(folder.path()));
    }
    boxes.forget();
    command(CmdSave);
    EXPECT_EQ(readBytes(path), "changed original text");
    EXPECT_FALSE(active().isModified);
    EXPECT_TRUE(boxes.seen().empty());
    EXPECT_EQ(filesIn(folder.path()), 1u);
}

// Run under a limit on the size of the files the process writes (the test that ctest starts
// for it), a save past the limit fails as on a full disk: the file stays as it was, the tab
// modified, and no temporary file is left.
TEST_F(FilesTest, ASaveOntoAFullDiskLeavesTheFileAsItWas) {
    wchar_t limitText[32] = L"";
    if (GetEnvironmentVariableW(L"KAVLO_FILE_SIZE_LIMIT", limitText, 32) == 0)
        GTEST_SKIP() << "needs a file-size limit on the process";
    const size_t limit = size_t(std::stoull(limitText));
    const std::wstring path = folder.file(L"full.txt");
    writeBytes(path, "what the disk held");
    shell->OpenFileByPath(path);
    const std::string more(limit + (limit >> 1), 'x');
    SendMessageW(active().editorWindow, SCI_APPENDTEXT, WPARAM(more.size()), reinterpret_cast<LPARAM>(more.data()));
    pump(*shell);
    ASSERT_TRUE(active().isModified);
    command(CmdSave);
    EXPECT_EQ(readBytes(path), "what the disk held");
    EXPECT_TRUE(active().isModified);
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text, L"Failed to save file!");
    EXPECT_EQ(filesIn(folder.path()), 1u) << "no temporary file is left: " << wideToUtf8(namesIn(folder.path()));
}

// Characters the file's encoding cannot hold are never dropped: the user chooses UTF-8 or
// nothing is written.
TEST_F(FilesTest, AnAnsiFileThatCannotHoldTheTextOffersUtf8) {
    const std::wstring path = folder.file(L"ansi.txt");
    writeBytes(path, "caf\xE9");
    shell->OpenFileByPath(path);
    ASSERT_EQ(active().encoding, L"ANSI");
    SendMessageW(active().editorWindow, SCI_GOTOPOS, 5, 0); // after the two bytes of é
    modifyActive(std::wstring(1, wchar_t(0x4E2D)));
    boxes.answer({IDNO});
    command(CmdSave);
    EXPECT_EQ(readBytes(path), "caf\xE9");
    EXPECT_TRUE(active().isModified);
    boxes.answer({IDYES});
    command(CmdSave);
    EXPECT_EQ(readBytes(path), "caf\xC3\xA9\xE4\xB8\xAD");
    EXPECT_EQ(active().encoding, L"UTF-8");
    EXPECT_FALSE(active().isModified);
    ASSERT_EQ(boxes.seen().size(), 2u);
    EXPECT_EQ(boxes.seen()[0].text, L"Some characters of this file cannot be written in ANSI. Save it as UTF-8 instead?");
}

TEST_F(FilesTest, SaveAsWritesWhereTheDialogSaysAndNamesTheTab) {
    modifyActive(L"hello");
    const std::wstring path = folder.file(L"named.txt");
    boxes.fill(kFileNameField, path);
    boxes.fill(kFileNameCombo, path);
    command(CmdSave);
    EXPECT_EQ(readBytes(path), "hello");
    EXPECT_EQ(active().path, path);
    EXPECT_FALSE(active().isModified);
    EXPECT_EQ(tabLabel(shell->tabControl, 0), L"named.txt");
    EXPECT_EQ(boxCaptions(), std::vector<std::wstring>{L"Save As"});
}

// A Save As whose write fails keeps the chosen name, so the next Save cannot reach the file
// the tab came from.
TEST_F(FilesTest, AFailedSaveAsKeepsTheChosenName) {
    const std::wstring from = folder.file(L"from.txt"), chosen = folder.file(L"chosen.txt");
    writeBytes(from, "from");
    writeBytes(chosen, "chosen");
    SetFileAttributesW(chosen.c_str(), FILE_ATTRIBUTE_READONLY);
    shell->OpenFileByPath(from);
    modifyActive(L"new ");
    boxes.fill(kFileNameField, chosen);
    boxes.fill(kFileNameCombo, chosen);
    boxes.answer({IDOK, IDYES}); // the dialog, then its question whether to replace the file
    command(CmdSaveAs);
    EXPECT_EQ(active().path, chosen);
    EXPECT_TRUE(active().isModified);
    ASSERT_FALSE(boxes.seen().empty());
    EXPECT_EQ(boxes.seen().back().text, L"Failed to save file!");
    boxes.forget();
    command(CmdSave);
    SetFileAttributesW(chosen.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readBytes(from), "from");
    EXPECT_EQ(readBytes(chosen), "chosen");
    EXPECT_TRUE(active().isModified);
}

// Without a properties file a new editor writes in Consolas 12 with Georgia comments, and its
// line-number margin is as wide as its own line count needs, at every count.
TEST_F(FilesTest, EditorFontsAndTheLineNumberMargin) {
    HWND editor = active().editorWindow;
    if (GetFileAttributesW(L"editor.properties") == INVALID_FILE_ATTRIBUTES) {
        auto face = [&](int style) {
            char name[256] = "";
            SendMessageW(editor, SCI_STYLEGETFONT, WPARAM(style), reinterpret_cast<LPARAM>(name));
            return std::string(name);
        };
        EXPECT_EQ(face(STYLE_DEFAULT), "Consolas");
        EXPECT_EQ(face(STYLE_LINENUMBER), "Consolas");
        EXPECT_EQ(face(1), "Georgia");
    }
    auto marginWithLines = [&](int lines) {
        SendMessageW(editor, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(std::string(size_t(lines - 1), '\n').c_str()));
        pump(*shell);
        return int(SendMessageW(editor, SCI_GETMARGINWIDTHN, 0, 0));
    };
    const struct {
        int lines, width;
    } growth[] = {{9, 30}, {10, 32}, {99, 32}, {100, 44}, {999, 44}, {1000, 56}, {1050, 56}, {12, 32}};
    for (const auto &step : growth) EXPECT_EQ(marginWithLines(step.lines), step.width) << step.lines << " lines";
    command(CmdViewLineNumbers);
    EXPECT_EQ(marginWithLines(100), 0);
    command(CmdViewLineNumbers);
    EXPECT_EQ(SendMessageW(editor, SCI_GETMARGINWIDTHN, 0, 0), 44);
}

// New asks about the active tab's changes; Cancel opens nothing, No opens a tab and keeps the
// modified one as it was. Opening a file into a modified tab opens a new tab instead.
TEST_F(FilesTest, TheUnsavedChangesQuestion) {
    modifyActive(L"draft");
    boxes.answer({IDCANCEL});
    command(CmdNew);
    EXPECT_EQ(shell->tabs.size(), 1u);
    boxes.answer({IDNO});
    command(CmdNew);
    ASSERT_EQ(shell->tabs.size(), 2u);
    EXPECT_TRUE(shell->tabs[0].isModified);
    EXPECT_EQ(editorText(shell->tabs[0].editorWindow), "draft");
    EXPECT_EQ(boxCaptions(), (std::vector<std::wstring>{L"Save Changes?", L"Save Changes?"}));

    const std::wstring path = folder.file(L"other.txt");
    writeBytes(path, "other");
    shell->SwitchToTab(0);
    shell->OpenFileByPath(path);
    EXPECT_EQ(shell->tabs.size(), 3u);
    EXPECT_EQ(editorText(shell->tabs[0].editorWindow), "draft");
}

// A close request that arrives while a question is open does not stack a second question.
TEST_F(FilesTest, OneQuestionAtATime) {
    modifyActive(L"draft");
    PostMessageW(main(), WM_CLOSE, 0, 0);
    boxes.answer({IDCANCEL});
    command(CmdNew);
    EXPECT_EQ(boxes.seen().size(), 1u);
    EXPECT_TRUE(IsWindow(main()));
}

} // namespace
