// Starting a browser on a window's address: the browser chosen, its profile, its command line
// built as whole quoted arguments and started directly (no command interpreter in between),
// and the process ended with the window's server.
#include "browser_launch.h"
#include "browser_system.h"
#include "frame/library_state.h"
#include "portable/browser_command.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

namespace webwin {
namespace {

constexpr unsigned kHandlerWaitMs = 1500;

BrowserSettings settingsOf(const WebwinWindow &window) {
    BrowserSettings settings;
    settings.profile_path = window.profile_path;
    settings.profile_name = window.profile_name;
    if (!window.custom_parameters.empty()) settings.custom_parameters = window.custom_parameters;
    if (window.has_proxy && !window.proxy.empty()) settings.proxy = window.proxy;
    settings.kiosk = window.kiosk;
    settings.disable_high_contrast = window.disable_high_contrast;
    settings.hide = window.hide;
    settings.size_set = window.size_set;
    settings.width = window.width;
    settings.height = window.height;
    settings.position_set = window.position_set;
    settings.x = window.x;
    settings.y = window.y;
    return settings;
}

bool startBrowser(WebwinWindow &window, const std::string &address, size_t id) {
    // A window keeps the browser it was first shown in.
    if (window.current_browser != 0 && window.current_browser != id) return false;
    if (!browserExist(&window, id) || !browserProfileFolder(window, id)) return false;
    const auto line = commandLine(window.browser_path, browserArguments(id, settingsOf(window), address));
    if (!line) return false;
    void *process = startProgram(window.browser_path, *line);
    if (process == nullptr) return false;
    {
        Guard guard(window.browser_lock);
        // A browser of an earlier show that still runs is left to the user.
        closeProgram(window.browser_process);
        window.browser_process = process;
        window.current_browser = id;
    }
    state().current_browser = id;
    return true;
}

bool startFirstOf(WebwinWindow &window, const std::string &address, const size_t *ids, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (startBrowser(window, address, ids[i])) return true;
    }
    return false;
}

bool isBrowser(size_t id) { return browserInfo(id) != nullptr; }

}  // namespace

bool browserStart(WebwinWindow &window, const std::string &address, size_t browser) {
    if (browser > BROWSER_WEBVIEW) return false;
    if (browser == BROWSER_NONE) return true;
    if (browser == BROWSER_ANY) {
        const size_t current = state().current_browser;
        browser = current != 0 ? current : findBestBrowser(window);
        if (browser == BROWSER_ANY && current <= BROWSER_ANY) {
            if (window.current_browser == 0) {
                return startFirstOf(window, address, kBestBrowserOrder, std::size(kBestBrowserOrder));
            }
            return isBrowser(window.current_browser) && startBrowser(window, address, window.current_browser);
        }
    }
    if (isBrowser(browser)) return startBrowser(window, address, browser);
    if (browser == BROWSER_CHROMIUM_BASED) {
        return startFirstOf(window, address, kChromiumBasedOrder, std::size(kChromiumBasedOrder));
    }
    return false;
}

#ifdef _WIN32
bool openUrlNative(const std::string &address) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, address.c_str(), -1, nullptr, 0);
    if (length <= 0) return false;
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, address.c_str(), -1, wide.data(), length);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = wide.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info) || reinterpret_cast<INT_PTR>(info.hInstApp) <= 32) return false;
    if (info.hProcess == nullptr) return true;
    // A handler that ends at once with an error opened nothing: the show then fails now rather
    // than after waiting for a page that never comes.
    bool opened = true;
    if (WaitForSingleObject(info.hProcess, kHandlerWaitMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        opened = GetExitCodeProcess(info.hProcess, &code) && code == 0;
    }
    CloseHandle(info.hProcess);
    return opened;
}
#else
bool openUrlNative(const std::string &) { return false; }
#endif

unsigned long browserProcessId(WebwinWindow &window) {
    Guard guard(window.browser_lock);
    return runningProgramId(window.browser_process);
}

void endBrowser(WebwinWindow &window) {
    void *process = nullptr;
    {
        Guard guard(window.browser_lock);
        process = window.browser_process;
        window.browser_process = nullptr;
    }
    endProgram(process);
}

}  // namespace webwin
