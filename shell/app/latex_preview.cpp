// The LaTeX preview: the active document's selection, or its whole text, in a page of the
// browser bridge that typesets it with MathJax. The page, its text and the answers to its two
// requests come from the file handler; the window serves an empty folder of its own, so no
// other file of the machine is reachable through its port. The browser is started off the
// window's thread: the window keeps answering while it starts, or while none is found.
#include <atomic>
#include <climits>
#include <cstring>
#include <mutex>

#include "editor_messages.h"
#include "latex_page.h"
#include "text_codec.h"
#include "tovrel.h"
#include "webwin.h"

namespace {

constexpr char kNoContent[] = "// No LaTeX content found in editor.";
constexpr unsigned kFolderAttempts = 100;

// What the bridge's threads read: the text of the preview (written only while no server of a
// preview runs, the lock keeps that rule from being the only guard), the window that is told
// of a close request, and the preview that request belongs to.
std::mutex g_contentLock;
std::string g_latexContent;
std::atomic<HWND> g_owner{nullptr};
std::atomic<uintptr_t> g_generation{0};

void setLatexContent(const std::string &text) {
    std::lock_guard<std::mutex> hold(g_contentLock);
    g_latexContent = text;
}

// Every answer is a fresh block of the bridge's allocator, which the bridge frees once it has
// written it: requests served at the same time never share a buffer.
const void *latexFileHandler(const char *path, int *length) {
    *length = 0;
    const std::string asked = path == nullptr ? std::string() : std::string(path);
    OutputDebugStringA(("FileHandler: " + asked + "\n").c_str());
    std::optional<std::string> answer;
    {
        std::lock_guard<std::mutex> hold(g_contentLock);
        answer = latexAnswer(asked, g_latexContent);
    }
    if (!answer || answer->size() > size_t(INT_MAX)) return nullptr;
    void *block = webwin_malloc(answer->size());
    if (block == nullptr) return nullptr;
    std::memcpy(block, answer->data(), answer->size());
    *length = int(answer->size());
    if (asked == kLatexClosePath) {
        // The window is destroyed by its owner's thread, after this answer has gone out.
        if (HWND owner = g_owner.load()) PostMessageW(owner, kLatexCloseMessage, WPARAM(g_generation.load()), 0);
    }
    return block;
}

void latexGetContent(WebwinEvent *event) {
    std::lock_guard<std::mutex> hold(g_contentLock);
    webwin_return_string(event, g_latexContent.empty() ? kNoContent : g_latexContent.c_str());
}

void latexCloseWindow(WebwinEvent *event) {
    webwin_close(event->window);
}

// A new, empty folder under the user's temporary folder; empty when none could be made.
std::wstring makePrivateFolder() {
    wchar_t temp[MAX_PATH + 1] = L"";
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) return std::wstring();
    for (unsigned attempt = 0; attempt < kFolderAttempts; ++attempt) {
        const std::wstring folder = std::wstring(temp) + L"kavlo-latex-" + std::to_wstring(GetCurrentProcessId()) +
                                    L"-" + std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(attempt);
        // Only a folder made here is used: one that already exists may hold someone's files.
        if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return std::wstring();
    }
    return std::wstring();
}

} // namespace

void Tovrel::ShowLatexPreview() {
    if (LatexPreviewStarting()) {
        // The browser of the last press is still being started; this press follows it.
        latexAgain = true;
        return;
    }
    if (!OpenLatexWindow()) return;
    const size_t window = latexWindow;
    const uintptr_t generation = latexGeneration;
    const std::string folder = wstringToUtf8(latexFolder);
    HWND owner = mainWindow.GetHandle();
    latexLauncher = std::thread([window, generation, folder, owner] {
        bool shown = webwin_show_browser(window, folder.c_str(), WEBWIN_ANY_BROWSER);
        if (!shown) shown = webwin_show(window, folder.c_str());
        PostMessageW(owner, kLatexShownMessage, WPARAM(generation), LPARAM(shown ? 1 : 0));
    });
}

bool Tovrel::OpenLatexWindow() {
    HWND main = mainWindow.GetHandle();
    if (activeTab < 0 || tabs.empty()) {
        MessageBoxW(main, L"没有活动的标签页!", L"错误", MB_OK | MB_ICONERROR);
        return false;
    }
    HWND editorWindow = GetActiveEditor();
    if (editorWindow == nullptr) return false;
    const GUI::ScintillaPrimitive view = GUI::Scintilla(editorWindow);
    const bool selection = view.Send(SCI_GETSELECTIONSTART) < view.Send(SCI_GETSELECTIONEND);
    latexText = selection ? GUI::SelectedText(view) : GUI::DocumentText(view);
    if (latexText.empty()) {
        MessageBoxW(main, L"编辑器中没有 LaTeX 内容！", L"提示", MB_OK | MB_ICONINFORMATION);
        return false;
    }
    CloseLatexWindow();
    latexWindow = webwin_new_window();
    if (latexWindow == 0) {
        MessageBoxW(main, L"无法创建 Webwin 窗口！", L"错误", MB_OK | MB_ICONERROR);
        return false;
    }
    latexFolder = makePrivateFolder();
    if (latexFolder.empty()) {
        CloseLatexWindow();
        MessageBoxW(main, L"无法创建 LaTeX 预览的临时文件夹！", L"错误", MB_OK | MB_ICONERROR);
        return false;
    }
    ++latexGeneration;
    g_generation = latexGeneration;
    g_owner = main;
    setLatexContent(latexText);
    webwin_bind(latexWindow, "get_latex_content", latexGetContent);
    webwin_bind(latexWindow, "close_latex_window", latexCloseWindow);
    webwin_set_file_handler(latexWindow, latexFileHandler);
    webwin_set_event_blocking(latexWindow, true);
    // A show returns once the browser is started: waiting for its page would tell a slow
    // browser from a missing one only by a timeout, and the page needs nothing from the show.
    webwin_set_config(CONFIG_WAIT_FOR_CONNECTION, false);
    return true;
}

void Tovrel::CloseLatexWindow() {
    if (latexWindow != 0) webwin_destroy(latexWindow);
    latexWindow = 0;
    // Removed only while empty: whatever someone put there is not ours to delete.
    if (!latexFolder.empty()) RemoveDirectoryW(latexFolder.c_str());
    latexFolder.clear();
}

void Tovrel::OnLatexShown(WPARAM generation, LPARAM shown) {
    if (latexLauncher.joinable()) latexLauncher.join();
    if (uintptr_t(generation) == latexGeneration && latexWindow != 0 && (shown == 0 || latexCloseWanted)) {
        CloseLatexWindow();
        if (shown == 0)
            MessageBoxW(mainWindow.GetHandle(), L"没有找到可用的浏览器，无法显示 LaTeX 预览！", L"错误",
                        MB_OK | MB_ICONERROR);
    }
    latexCloseWanted = false;
    if (latexAgain) {
        latexAgain = false;
        ShowLatexPreview();
    }
}

void Tovrel::OnLatexCloseRequest(WPARAM generation) {
    if (uintptr_t(generation) != latexGeneration || latexWindow == 0) return;
    if (LatexPreviewStarting()) {
        latexCloseWanted = true;
        return;
    }
    CloseLatexWindow();
}
