// Kavlo.exe from the outside: started as its own process, driven through its windows and the
// keyboard as a user drives it, and read back through window messages.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

namespace {

using Clock = std::chrono::steady_clock;

const std::wstring kShellFolder = L"Z:" KAVLO_SHELL_DIR_W;
const std::wstring kScreenshot = L"Z:" KAVLO_TEST_OUTPUT_W L"/kavlo-terminal.bmp";
constexpr int kSeconds = 1000;
constexpr UINT kOpenTerminal = 7001, kNewFile = 1001;

// Polls `found` every 20 ms until it gives true or the time is up.
bool waitFor(const std::function<bool()> &found, int milliseconds) {
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (Clock::now() < end) {
        if (found()) return true;
        Sleep(20);
    }
    return found();
}

std::wstring className(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring textOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return L"";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                        &copied);
    text.resize(copied);
    return text;
}

std::string narrow(const std::wstring &text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// The visible top-level windows of a process.
std::vector<HWND> windowsOf(DWORD process) {
    struct Search {
        DWORD process;
        std::vector<HWND> found;
    } search{process, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto *s = reinterpret_cast<Search *>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->process && IsWindowVisible(window)) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND windowOfClass(DWORD process, const std::wstring &name) {
    for (HWND window : windowsOf(process))
        if (className(window) == name) return window;
    return nullptr;
}

// The visible editing-component window among the tab control's children.
HWND visibleEditor(HWND main) {
    HWND tabs = FindWindowExW(main, nullptr, L"SysTabControl32", nullptr);
    for (HWND child = FindWindowExW(tabs, nullptr, L"Scintilla", nullptr); child != nullptr;
         child = FindWindowExW(tabs, child, L"Scintilla", nullptr))
        if (IsWindowVisible(child)) return child;
    return nullptr;
}

struct Box {
    HWND window = nullptr;
    std::wstring caption, text;
};

// A message box of the process, read and then answered with `button`.
Box answerBox(DWORD process, int button) {
    Box box;
    if (!waitFor([&] { return (box.window = windowOfClass(process, L"#32770")) != nullptr; }, 30 * kSeconds)) return box;
    wchar_t caption[256] = L"";
    GetWindowTextW(box.window, caption, 256);
    box.caption = caption;
    box.text = textOf(GetDlgItem(box.window, 0xFFFF));
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    return box;
}

class Program {
  public:
    // Starts the program of `folder` with `folder` as its working directory; its printed
    // output goes nowhere.
    explicit Program(const std::wstring &folder) {
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        nowhere_ = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nowhere_;
        startup.hStdOutput = nowhere_;
        startup.hStdError = nowhere_;
        std::wstring commandLine = L"\"" + folder + L"/Kavlo.exe\"";
        started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                                  &startup, &info_) != 0;
    }
    ~Program() {
        if (started_ && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 99);
        if (started_) {
            CloseHandle(info_.hThread);
            CloseHandle(info_.hProcess);
        }
        if (nowhere_ != INVALID_HANDLE_VALUE) CloseHandle(nowhere_);
    }
    bool started() const { return started_; }
    DWORD id() const { return info_.dwProcessId; }
    // The exit code, or -1 when the program is still running when the time is up.
    long exitCode(int milliseconds) const {
        if (WaitForSingleObject(info_.hProcess, DWORD(milliseconds)) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return long(code);
    }

  private:
    HANDLE nowhere_ = INVALID_HANDLE_VALUE;
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

void sendKey(WORD key, WCHAR unit, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = unit;
    input.ki.dwFlags = (unit != 0 ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
    SendInput(1, &input, sizeof(input));
}

void pressKey(WORD key) {
    sendKey(key, 0, false);
    sendKey(key, 0, true);
}

// Keys as a keyboard gives them to the focused window, Enter at the end unless asked not to.
void typeKeys(const std::wstring &text, bool enter = true) {
    for (wchar_t unit : text) {
        sendKey(0, unit, false);
        sendKey(0, unit, true);
    }
    if (enter) pressKey(VK_RETURN);
}

// The window's image on the screen as a 24-bit BMP file.
bool saveScreenshot(HWND window, const std::wstring &path) {
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void *pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &pixels, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    const DWORD stride = DWORD((width * 3 + 3) & ~3), size = stride * DWORD(height);
    BITMAPFILEHEADER file{0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) + size, 0, 0,
                          DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
    bool written = false;
    if (FILE *out = _wfopen(path.c_str(), L"wb")) {
        written = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                  std::fwrite(&format.bmiHeader, sizeof(BITMAPINFOHEADER), 1, out) == 1 &&
                  std::fwrite(pixels, 1, size, out) == size;
        std::fclose(out);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return written;
}

bool contains(const std::wstring &text, const std::wstring &part) {
    return text.find(part) != std::wstring::npos;
}

TEST(KavloWindow, TheTerminalAnswersWhatIsTyped) {
    Program kavlo(kShellFolder);
    ASSERT_TRUE(kavlo.started());
    HWND main = nullptr;
    ASSERT_TRUE(waitFor([&] { return (main = windowOfClass(kavlo.id(), L"TovrelClass")) != nullptr; }, 60 * kSeconds));
    // The title follows the first tab, which is made after the window itself.
    EXPECT_TRUE(waitFor([&] { return textOf(main) == L"Untitled Kavlo"; }, 30 * kSeconds)) << narrow(textOf(main));

    PostMessageW(main, WM_COMMAND, kOpenTerminal, 0);
    HWND console = nullptr;
    ASSERT_TRUE(waitFor(
        [&] { return (console = visibleEditor(main)) != nullptr && contains(textOf(console), L"~# "); }, 30 * kSeconds));
    SetForegroundWindow(main);
    waitFor([&] { return GetForegroundWindow() == main; }, 5 * kSeconds);

    const auto typed = Clock::now();
    typeKeys(L"1+2");
    EXPECT_TRUE(waitFor([&] { return contains(textOf(console), L"\n~# 1+2\n3\n>> "); }, 30 * kSeconds))
        << narrow(textOf(console));
    const auto answered = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - typed).count();
    std::printf("typed line answered after %lld ms (keys, answer and polling)\n", static_cast<long long>(answered));

    typeKeys(L":v");
    EXPECT_TRUE(waitFor([&] { return contains(textOf(console), L"Version: 0.672"); }, 30 * kSeconds))
        << narrow(textOf(console));
    EXPECT_TRUE(saveScreenshot(main, kScreenshot));

    // An unsaved document makes the close request ask the Exit question.
    PostMessageW(main, WM_COMMAND, kNewFile, 0);
    HWND document = nullptr;
    ASSERT_TRUE(waitFor([&] { return (document = visibleEditor(main)) != nullptr && document != console; },
                        30 * kSeconds));
    PostMessageW(document, WM_CHAR, L'x', 1);
    ASSERT_TRUE(waitFor([&] { return textOf(main).rfind(L"*", 0) == 0; }, 30 * kSeconds)) << narrow(textOf(main));
    PostMessageW(main, WM_CLOSE, 0, 0);
    const Box question = answerBox(kavlo.id(), IDNO);
    EXPECT_EQ(question.caption, L"Save Changes?");
    EXPECT_EQ(question.text, L"There are unsaved changes. Save all before exiting?");
    EXPECT_EQ(kavlo.exitCode(30 * kSeconds), 0);
}

// The terminal's own commands, a completion, and a computation without end stopped by Ctrl+C
// while the window goes on answering.
TEST(KavloWindow, TerminalCommandsCompletionAndAStoppedRun) {
    Program kavlo(kShellFolder);
    ASSERT_TRUE(kavlo.started());
    HWND main = nullptr;
    ASSERT_TRUE(waitFor([&] { return (main = windowOfClass(kavlo.id(), L"TovrelClass")) != nullptr; }, 60 * kSeconds));
    EXPECT_TRUE(waitFor([&] { return textOf(main) == L"Untitled Kavlo"; }, 30 * kSeconds)) << narrow(textOf(main));
    PostMessageW(main, WM_COMMAND, kOpenTerminal, 0);
    HWND console = nullptr;
    ASSERT_TRUE(waitFor(
        [&] { return (console = visibleEditor(main)) != nullptr && contains(textOf(console), L"~# "); }, 30 * kSeconds));
    SetForegroundWindow(main);
    waitFor([&] { return GetForegroundWindow() == main; }, 5 * kSeconds);

    typeKeys(L"cd " + kShellFolder);
    typeKeys(L"pwd");
    EXPECT_TRUE(waitFor([&] { return contains(textOf(console), L"~# pwd\nZ:\\"); }, 30 * kSeconds))
        << narrow(textOf(console));
    typeKeys(L"dir");
    EXPECT_TRUE(waitFor([&] { return contains(textOf(console), L"|- Lexilla.dll\r\n"); }, 30 * kSeconds))
        << narrow(textOf(console));
    typeKeys(L"help");
    EXPECT_TRUE(waitFor([&] { return contains(textOf(console), L"Help\n====\n  pwd  -- "); }, 30 * kSeconds));
    typeKeys(L"help Lexi", false);
    pressKey(VK_TAB);
    EXPECT_TRUE(waitFor([&] { return contains(textOf(console), L"~# help Lexilla.dll"); }, 30 * kSeconds))
        << narrow(textOf(console));
    pressKey(VK_RETURN);
    EXPECT_TRUE(waitFor([&] { return contains(textOf(console), L"Lexilla.dll -- \n"); }, 30 * kSeconds));

    typeKeys(L":mode kscript");
    typeKeys(L"while (true) {}");
    typeKeys(L":do");
    // The window answers while the run goes on: its title is read through a message.
    EXPECT_TRUE(waitFor([&] { return textOf(main) == L"Terminal Kavlo"; }, 5 * kSeconds)) << narrow(textOf(main));
    sendKey(VK_CONTROL, 0, false);
    pressKey('C');
    sendKey(VK_CONTROL, 0, true);
    EXPECT_TRUE(waitFor([&] { return contains(textOf(console), L":do\nStopped.\n"); }, 30 * kSeconds))
        << narrow(textOf(console));
    typeKeys(L":q");
    // :q runs what the script mode collected: the next line is typed once its prompt is back
    // (Enter during a run keeps the line as input).
    EXPECT_TRUE(waitFor(
        [&] {
            const std::wstring text = textOf(console);
            return text.size() >= 4 && text.compare(text.size() - 4, 4, L"\n>> ") == 0;
        },
        30 * kSeconds))
        << narrow(textOf(console));
    typeKeys(L"1+2");
    EXPECT_TRUE(waitFor([&] { return contains(textOf(console), L">> 1+2\n3\n>> "); }, 30 * kSeconds))
        << narrow(textOf(console));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(kavlo.exitCode(30 * kSeconds), 0);
}

struct MissingCase {
    const char *what;
    std::vector<const wchar_t *> beside; // what lies beside Kavlo.exe
    const wchar_t *message;
};

TEST(KavloWindow, AMissingLibraryEndsTheStartWithItsMessage) {
    const MissingCase cases[] = {
        {"no editing component", {L"Lexilla.dll"},
         L"Scintilla Initialization Failed!\nPlease place Scintilla.dll in the program directory."},
        {"no lexer library", {L"Scintilla.dll"},
         L"Failed to load Lexilla.dll!\nPlease place Lexilla.dll in the program directory."},
    };
    for (const MissingCase &c : cases) {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        const std::wstring folder = std::wstring(temp) + L"kavlo-missing-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder.c_str(), nullptr);
        std::vector<std::wstring> copies = {L"Kavlo.exe"};
        copies.insert(copies.end(), c.beside.begin(), c.beside.end());
        for (const std::wstring &name : copies)
            ASSERT_TRUE(CopyFileW((kShellFolder + L"/" + name).c_str(), (folder + L"\\" + name).c_str(), FALSE)) << c.what;
        {
            Program kavlo(folder);
            ASSERT_TRUE(kavlo.started()) << c.what;
            const Box box = answerBox(kavlo.id(), IDOK);
            EXPECT_EQ(box.caption, L"Error") << c.what;
            EXPECT_EQ(box.text, c.message) << c.what;
            EXPECT_EQ(kavlo.exitCode(30 * kSeconds), 1) << c.what;
        }
        for (const std::wstring &name : copies) DeleteFileW((folder + L"\\" + name).c_str());
        RemoveDirectoryW(folder.c_str());
    }
}

} // namespace
