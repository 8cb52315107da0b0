// Shared helpers of the in-process shell tests: a started Tovrel, the message pump, typing
// into windows, reading editor and window texts, and a helper thread that answers the
// message boxes the shell shows (they are modal on the test thread).
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <iterator>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "box_answerer.h"
#include "editor_messages.h"
#include "resource.h"
#include "text_codec.h"
#include "tovrel.h"

// Runs every waiting message through the shell's own loop step; true when the quit message came.
inline bool pump(Tovrel &shell) {
    bool quit = false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) quit = true;
        else shell.ProcessLoopMessage(message);
    }
    return quit;
}

inline std::string editorText(HWND window) {
    const auto length = size_t(SendMessageW(window, SCI_GETTEXTLENGTH, 0, 0));
    std::string text(length + 1, '\0');
    SendMessageW(window, SCI_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

inline std::wstring windowText(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

inline std::wstring statusPart(HWND bar, int part) {
    wchar_t text[512] = L"";
    SendMessageW(bar, SB_GETTEXTW, WPARAM(part), reinterpret_cast<LPARAM>(text));
    return text;
}

inline std::wstring tabLabel(HWND tabControl, int index) {
    wchar_t text[512] = L"";
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 512;
    SendMessageW(tabControl, TCM_GETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

// Keys as the window gets them from the message loop: WM_KEYDOWN (and what translation makes
// of it), then WM_KEYUP.
inline void pressKey(HWND window, WPARAM key) {
    SendMessageW(window, WM_KEYDOWN, key, 1);
    SendMessageW(window, WM_KEYUP, key, LPARAM(0xC0000001));
}

inline void typeText(HWND window, const std::wstring &text) {
    for (wchar_t unit : text) SendMessageW(window, WM_CHAR, WPARAM(unit), 1);
}

// Holds a modifier down in the thread's key state for the lifetime of the object.
class HeldKey {
  public:
    explicit HeldKey(int key) : key_(key) { set(0x80); }
    ~HeldKey() { set(0); }

  private:
    void set(BYTE state) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[key_] = state;
        SetKeyboardState(keys);
    }
    int key_;
};

// Files for the tests that read the disk.
inline void writeFile(const std::wstring &path, const std::string &bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// Removes a folder and everything below it.
inline void removeTree(const std::wstring &folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) removeTree(path);
            else DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

// A started shell with a helper answering its message boxes; the shell's windows are gone
// at the end of each test.
class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        shell = std::make_unique<Tovrel>();
        ASSERT_TRUE(shell->Initialize(GetModuleHandleW(nullptr), SW_SHOW));
        pump(*shell);
    }
    void TearDown() override {
        EXPECT_EQ(boxes.unanswered(), 0u) << "a scripted answer was not asked for";
        shell.reset();
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }

    HWND main() const { return shell->mainWindow.GetHandle(); }
    void command(int id) {
        SendMessageW(main(), WM_COMMAND, WPARAM(id), 0);
        settle();
    }
    // Pumps until no computation runs off the window's thread (bounded: a minute and a half).
    void settle() {
        pump(*shell);
        for (int round = 0; round < 18000 && shell->RunBusy(); ++round) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            pump(*shell);
        }
    }
    EditorTab &terminal() {
        for (EditorTab &tab : shell->tabs)
            if (tab.isTerminal) return tab;
        ADD_FAILURE() << "no terminal tab";
        return shell->tabs.front();
    }
    HWND console() { return terminal().consoleWindow; }
    // Types a line into the console and presses Enter; returns what the console gained.
    std::string enterLine(const std::wstring &line) {
        HWND window = console();
        const std::string before = editorText(window);
        typeText(window, line);
        pressKey(window, VK_RETURN);
        settle();
        const std::string after = IsWindow(window) ? editorText(window) : std::string();
        return after.size() >= before.size() ? after.substr(before.size()) : after;
    }
    std::vector<std::wstring> boxCaptions() {
        std::vector<std::wstring> captions;
        for (const SeenBox &box : boxes.seen()) captions.push_back(box.caption);
        return captions;
    }

    std::unique_ptr<Tovrel> shell;
    BoxAnswerer boxes{GetCurrentThreadId()};
};
