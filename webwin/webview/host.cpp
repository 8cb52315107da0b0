// The WebView2 host. Each host is a record shared by the window and its thread: other threads
// leave requests in it and wake the thread; only the thread touches the host window and the
// WebView2 objects. The thread ends when asked to (or when the window is closed), and whoever
// replaces or releases the window's host waits for it first.
#include "webview.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

#include "frame/library_state.h"

#ifdef _WIN32
#include <windows.h>

#include <filesystem>
#include <system_error>

#include "frame/secure_random.h"
#include "portable/auth_texts.h"
#include "portable/host_geometry.h"
#include "portable/packets.h"
#include "protocol/connections.h"
#include "webview2_interfaces.h"
#endif

namespace webwin {
namespace {

std::atomic<bool> g_webview_used{false};

}  // namespace

bool webviewInUse() { return g_webview_used.load(); }

}  // namespace webwin

#ifndef _WIN32

// Without Windows there is no WebView2: every show falls to the browsers.
namespace webwin {

bool webviewShow(WebwinWindow &, const std::string &) { return false; }
bool webviewAvailable() { return false; }
bool webviewHosted(WebwinWindow &) { return false; }
bool webviewNavigate(WebwinWindow &, const std::string &) { return false; }
bool webviewResize(WebwinWindow &, uint32_t, uint32_t) { return false; }
bool webviewMove(WebwinWindow &, int32_t, int32_t) { return false; }
bool webviewClose(WebwinWindow &) { return false; }
bool webviewMaximize(WebwinWindow &) { return false; }
bool webviewMinimize(WebwinWindow &) { return false; }
void *webviewWindowHandle(WebwinWindow &) { return nullptr; }
void webviewEnd(WebwinWindow &) {}
void webviewEndOfWaiting() {}

}  // namespace webwin

#else

namespace webwin {

enum class Start { pending, started, failed };

struct WebviewHost {
    size_t window_id = 0;
    bool transparent = false;
    bool frameless = false;
    bool resizable = true;
    std::thread thread;  // joined (or left to end on its own) by whoever replaces the host

    std::mutex mutex;  // everything below, up to the thread's own fields
    std::condition_variable started;
    Start start = Start::pending;
    bool ended = false;  // the loop is over: requests are no longer taken
    bool navigate = false, size = false, position = false, stop = false;
    bool has_url = false;
    std::wstring url;
    int32_t x = 0, y = 0, width = 800, height = 600;
    HWND hwnd = nullptr;
    HANDLE wake = nullptr;  // set with every request

    // The host thread's own: the WebView2 objects.
    ICoreWebView2Environment *environment = nullptr;
    ICoreWebView2Controller *controller = nullptr;
    ICoreWebView2 *core = nullptr;

    ~WebviewHost() {
        if (wake != nullptr) CloseHandle(wake);
    }
};

namespace {

using Clock = std::chrono::steady_clock;

// How long a show waits for the host thread to start creating its WebView2 environment:
// COM, the loader and the window come first, which takes more than a moment on a busy machine.
constexpr auto kStartWait = std::chrono::seconds(10);
constexpr wchar_t kClassName[] = L"WebViewWindow";
constexpr int kIconResource = 101;

std::wstring widen(const std::string &text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::shared_ptr<WebviewHost> hostOf(WebwinWindow &window) {
    Guard guard(window.webview_lock);
    return window.webview;
}

// The window a host belongs to, while the window table still holds it with this host.
WebwinWindow *windowOfHost(WebviewHost &host) {
    if (exiting()) return nullptr;
    WebwinWindow *window = windowOf(host.window_id);
    if (window == nullptr) return nullptr;
    Guard guard(window->webview_lock);
    return window->webview.get() == &host ? window : nullptr;
}

// Leaves a request with an open host and wakes its thread; false when the host has ended.
template <class Change>
bool request(WebwinWindow &window, Change change) {
    const std::shared_ptr<WebviewHost> host = hostOf(window);
    if (host == nullptr) return false;
    std::lock_guard<std::mutex> guard(host->mutex);
    if (host->ended) return false;
    change(*host);
    SetEvent(host->wake);
    return true;
}

void reportStart(WebviewHost &host, Start start) {
    std::lock_guard<std::mutex> guard(host.mutex);
    host.start = start;
    host.started.notify_all();
}

void stopHost(WebviewHost &host) {
    std::lock_guard<std::mutex> guard(host.mutex);
    host.stop = true;
    SetEvent(host.wake);
}

// Asks a host to close and waits for its thread, unless this is that thread (a close handler
// that replaces or destroys its own window): it then ends on its own after this message.
void endHost(const std::shared_ptr<WebviewHost> &host) {
    if (host == nullptr) return;
    stopHost(*host);
    if (!host->thread.joinable()) return;
    if (host->thread.get_id() == std::this_thread::get_id()) {
        host->thread.detach();
    } else {
        host->thread.join();
    }
}

// ---- the loader -------------------------------------------------------------------------

std::mutex g_loader_mutex;
HMODULE g_loader = nullptr;
CreateEnvironmentFunction g_create_environment = nullptr;

// Only from the program's folder, the system's and those the program added: never from the
// working folder or the PATH, where anyone may have put a library of that name.
bool loaderInit() {
    std::lock_guard<std::mutex> guard(g_loader_mutex);
    if (g_loader != nullptr && g_create_environment != nullptr) return true;
    HMODULE module = LoadLibraryExW(L"WebView2Loader.dll", nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    if (module == nullptr) return false;
    auto create = reinterpret_cast<CreateEnvironmentFunction>(
        reinterpret_cast<void *>(GetProcAddress(module, "CreateCoreWebView2EnvironmentWithOptions")));
    if (create == nullptr) {
        FreeLibrary(module);
        return false;
    }
    g_loader = module;
    g_create_environment = create;
    return true;
}

// ---- the data folder -----------------------------------------------------------------------

std::mutex g_folder_mutex;
std::wstring g_cache_folder;  // made once a process

std::wstring environmentText(const wchar_t *name) {
    const DWORD length = GetEnvironmentVariableW(name, nullptr, 0);
    if (length == 0) return {};
    std::wstring text(length, L'\0');
    const DWORD written = GetEnvironmentVariableW(name, text.data(), length);
    text.resize(written < length ? written : 0);
    return text;
}

// Under the user's profile; without one (USERPROFILE unset), under the temporary folder rather
// than the root of the current drive.
std::wstring cacheFolder() {
    std::lock_guard<std::mutex> guard(g_folder_mutex);
    if (g_cache_folder.empty()) {
        std::wstring base = environmentText(L"USERPROFILE");
        if (base.empty()) {
            wchar_t temp[MAX_PATH + 1] = {};
            const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
            base.assign(temp, length <= MAX_PATH ? length : 0);
        }
        while (!base.empty() && (base.back() == L'\\' || base.back() == L'/')) base.pop_back();
        if (base.empty()) return {};
        g_cache_folder = base + L"\\.Webwin\\WebwinWebViewCache_" + std::to_wstring(makeToken(secureRandom));
    }
    return g_cache_folder;
}

void removeCacheFolder() {
    std::lock_guard<std::mutex> guard(g_folder_mutex);
    if (g_cache_folder.empty()) return;
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(g_cache_folder), error);
}

// ---- the callbacks ---------------------------------------------------------------------------

// A reference-counted handler object over one WebView2 handler interface. It keeps only a weak
// reference to its host: the runtime may hold it longer than the host lives.
template <class Interface, const IID &kIid>
class Handler : public Interface {
public:
    explicit Handler(std::weak_ptr<WebviewHost> host) : host_(std::move(host)) {}
    virtual ~Handler() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void **object) override {
        if (object == nullptr) return E_POINTER;
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, kIid)) {
            AddRef();
            *object = static_cast<Interface *>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        LONG count = count_;
        while (count < INT32_MAX) {
            const LONG seen = InterlockedCompareExchange(&count_, count + 1, count);
            if (seen == count) return static_cast<ULONG>(count + 1);
            count = seen;
        }
        return static_cast<ULONG>(count);
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG count = InterlockedDecrement(&count_);
        if (count == 0) delete this;
        return static_cast<ULONG>(count);
    }

protected:
    std::shared_ptr<WebviewHost> host() const { return host_.lock(); }

private:
    volatile LONG count_ = 1;
    std::weak_ptr<WebviewHost> host_;
};

template <class Object>
void release(Object *&object) {
    if (object != nullptr) object->Release();
    object = nullptr;
}

// Keeps a new reference in a slot of the host, giving up the one it held.
template <class Object>
void keep(Object *&slot, Object *object) {
    if (object == slot) return;
    object->AddRef();
    release(slot);
    slot = object;
}

HWND hostWindowHandle(WebviewHost &host) {
    std::lock_guard<std::mutex> guard(host.mutex);
    return host.hwnd;
}

class TitleChangedHandler final
    : public Handler<ICoreWebView2DocumentTitleChangedEventHandler, kIidTitleChanged> {
public:
    using Handler::Handler;
    HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2 *sender, IUnknown *) override {
        const auto record = host();
        if (sender == nullptr || record == nullptr) return S_OK;
        const HWND hwnd = hostWindowHandle(*record);
        if (hwnd == nullptr) return S_OK;
        LPWSTR title = nullptr;
        if (SUCCEEDED(sender->get_DocumentTitle(&title)) && title != nullptr) {
            SetWindowTextW(hwnd, title);
            CoTaskMemFree(title);
        }
        return S_OK;
    }
};

class ControllerCompletedHandler final
    : public Handler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler, kIidControllerCompleted> {
public:
    using Handler::Handler;
    HRESULT STDMETHODCALLTYPE Invoke(HRESULT result, ICoreWebView2Controller *controller) override {
        const auto record = host();
        if (record == nullptr) return S_OK;
        // Without a controller the window would stay empty for good: the host closes.
        if (FAILED(result) || controller == nullptr) {
            stopHost(*record);
            return S_OK;
        }
        keep(record->controller, controller);
        release(record->core);
        if (FAILED(controller->get_CoreWebView2(&record->core)) || record->core == nullptr) {
            record->core = nullptr;
            stopHost(*record);
            return S_OK;
        }
        ICoreWebView2Settings *settings = nullptr;
        if (SUCCEEDED(record->core->get_Settings(&settings)) && settings != nullptr) {
            settings->put_IsScriptEnabled(TRUE);
            settings->put_AreDefaultScriptDialogsEnabled(TRUE);
            settings->put_IsWebMessageEnabled(TRUE);
            settings->put_AreDevToolsEnabled(FALSE);
        }
        std::wstring url;
        bool has_url = false;
        RECT bounds{};
        {
            std::lock_guard<std::mutex> guard(record->mutex);
            bounds.right = record->width;
            bounds.bottom = record->height;
            url = record->url;
            has_url = record->has_url;
        }
        controller->put_Bounds(bounds);
        if (auto *title = new (std::nothrow) TitleChangedHandler(record)) {
            EventRegistrationToken token{};
            record->core->add_DocumentTitleChanged(title, &token);
            title->Release();
        }
        if (has_url) record->core->Navigate(url.c_str());
        release(settings);
        return S_OK;
    }
};

class EnvironmentCompletedHandler final
    : public Handler<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler, kIidEnvironmentCompleted> {
public:
    using Handler::Handler;
    HRESULT STDMETHODCALLTYPE Invoke(HRESULT result, ICoreWebView2Environment *environment) override {
        const auto record = host();
        if (record == nullptr) return S_OK;
        if (FAILED(result) || environment == nullptr) {
            stopHost(*record);
            return S_OK;
        }
        keep(record->environment, environment);
        auto *handler = new (std::nothrow) ControllerCompletedHandler(record);
        if (handler == nullptr) {
            stopHost(*record);
            return S_OK;
        }
        if (FAILED(environment->CreateCoreWebView2Controller(hostWindowHandle(*record), handler))) stopHost(*record);
        handler->Release();
        return S_OK;
    }
};

// ---- the host window -----------------------------------------------------------------------

WebviewHost *hostOfHwnd(HWND hwnd) { return reinterpret_cast<WebviewHost *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

void putBounds(WebviewHost &host, HWND hwnd, bool nudge) {
    if (host.controller == nullptr) return;
    RECT client{};
    GetClientRect(hwnd, &client);
    if (nudge) {
        // A move alone does not make the control repaint at its new place: a bounds change does.
        RECT narrower = client;
        --narrower.right;
        host.controller->put_Bounds(narrower);
    }
    host.controller->put_Bounds(client);
}

// The page learns where its window went once a move or resize by hand is over.
void reportGeometry(WebwinWindow &window, HWND hwnd) {
    if (!windowConnected(window)) return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    RECT client{};
    if (!GetWindowPlacement(hwnd, &placement) || !GetClientRect(hwnd, &client)) return;
    const std::string text = std::to_string(placement.rcNormalPosition.left) + "," +
                             std::to_string(placement.rcNormalPosition.top) + "," +
                             std::to_string(client.right - client.left) + "," +
                             std::to_string(client.bottom - client.top);
    sendAll(window, CMD_WINDOW_RESIZED, text);
}

LRESULT CALLBACK hostWindowProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto *create = reinterpret_cast<CREATESTRUCTW *>(lparam);
        auto *host = static_cast<WebviewHost *>(create->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
        if (host != nullptr && host->transparent) {
            SetWindowLongPtrW(hwnd, GWL_EXSTYLE, GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
        }
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
    WebviewHost *host = hostOfHwnd(hwnd);
    if (host == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
    switch (message) {
        case WM_SIZE:
            putBounds(*host, hwnd, false);
            break;
        case WM_MOVE:
            putBounds(*host, hwnd, true);
            break;
        case WM_GETMINMAXINFO:
            if (WebwinWindow *window = windowOfHost(*host); window != nullptr && window->min_size_set) {
                auto *info = reinterpret_cast<MINMAXINFO *>(lparam);
                info->ptMinTrackSize.x = static_cast<LONG>(std::min<uint32_t>(window->min_width, INT32_MAX));
                info->ptMinTrackSize.y = static_cast<LONG>(std::min<uint32_t>(window->min_height, INT32_MAX));
                return 0;
            }
            break;
        case WM_EXITSIZEMOVE:
            if (WebwinWindow *window = windowOfHost(*host)) reportGeometry(*window, hwnd);
            break;
        case WM_CLOSE: {
            WebwinWindow *window = windowOfHost(*host);
            if (window != nullptr && window->close_handler_wv != nullptr) {
                const size_t id = window->id;
                if (!window->close_handler_wv(id)) return 0;
                // The handler may have destroyed or re-shown its own window.
                window = windowOfHost(*host);
            }
            stopHost(*host);
            if (window != nullptr) window->host_closed = true;
            break;
        }
        case WM_DESTROY:
            // However the window went, the host's loop has nothing left to show.
            stopHost(*host);
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

bool registerHostClass() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = hostWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
    if (windowClass.hIcon == nullptr) windowClass.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));                              // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

DWORD hostStyle(bool frameless, bool resizable) {
    static constexpr DWORD kStyles[2][2] = {
        // resizable: no, yes
        {WS_VISIBLE, WS_OVERLAPPEDWINDOW},                              // framed
        {WS_POPUP | WS_VISIBLE, WS_POPUP | WS_VISIBLE | WS_THICKFRAME},  // frameless
    };
    return kStyles[frameless ? 1 : 0][resizable ? 1 : 0];
}

// The environment variables the runtime reads when the environment is made are process-wide:
// each host sets its own and creates its environment while no other host can change them.
std::mutex g_environment_mutex;

bool createEnvironment(const std::shared_ptr<WebviewHost> &host, const std::wstring &folder) {
    auto *handler = new (std::nothrow) EnvironmentCompletedHandler(host);
    if (handler == nullptr) return false;
    HRESULT result = E_FAIL;
    {
        std::lock_guard<std::mutex> guard(g_environment_mutex);
        // A transparent window's background; the next window that is not transparent gets the
        // runtime's own again.
        SetEnvironmentVariableW(L"WEBVIEW2_DEFAULT_BACKGROUND_COLOR", host->transparent ? L"0" : nullptr);
        SetEnvironmentVariableW(L"WEBVIEW2_ADDITIONAL_BROWSER_ARGUMENTS",
                                L"--enable-features=msWebView2EnableDraggableRegions");
        result = g_create_environment(nullptr, folder.empty() ? nullptr : folder.c_str(), nullptr, handler);
    }
    handler->Release();
    return SUCCEEDED(result);
}

struct Requests {
    bool stop = false, size = false, position = false, navigate = false;
    bool has_url = false;
    std::wstring url;
    int32_t x = 0, y = 0, width = 0, height = 0;
};

Requests takeRequests(WebviewHost &host) {
    std::lock_guard<std::mutex> guard(host.mutex);
    Requests taken;
    taken.stop = host.stop;
    taken.size = std::exchange(host.size, false);
    taken.position = std::exchange(host.position, false);
    taken.navigate = std::exchange(host.navigate, false);
    taken.has_url = host.has_url;
    taken.url = host.url;
    taken.x = host.x;
    taken.y = host.y;
    taken.width = host.width;
    taken.height = host.height;
    return taken;
}

// Messages first; then the requests left since the last look; then sleep until either comes.
void runLoop(WebviewHost &host, HWND hwnd) {
    MSG message;
    while (true) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return;
            TranslateMessage(&message);
            DispatchMessageW(&message);
            continue;
        }
        const Requests requests = takeRequests(host);
        if (requests.stop) return;
        if (requests.size) {
            SetWindowPos(hwnd, nullptr, 0, 0, requests.width, requests.height, SWP_NOMOVE | SWP_NOOWNERZORDER);
        }
        if (requests.position) {
            SetWindowPos(hwnd, nullptr, requests.x, requests.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        }
        if (requests.navigate && requests.has_url && host.core != nullptr) host.core->Navigate(requests.url.c_str());
        MsgWaitForMultipleObjectsEx(1, &host.wake, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void releaseObjects(WebviewHost &host) {
    release(host.core);
    release(host.controller);
    release(host.environment);
}

void finish(WebviewHost &host, Start start) {
    std::lock_guard<std::mutex> guard(host.mutex);
    host.ended = true;
    host.hwnd = nullptr;
    if (host.start == Start::pending) host.start = start;
    host.started.notify_all();
}

void hostThread(std::shared_ptr<WebviewHost> host) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        finish(*host, Start::failed);
        return;
    }
    HWND hwnd = nullptr;
    if (loaderInit() && registerHostClass()) {
        int32_t x = 0, y = 0, width = 0, height = 0;
        {
            std::lock_guard<std::mutex> guard(host->mutex);
            x = host->x;
            y = host->y;
            width = host->width;
            height = host->height;
        }
        hwnd = CreateWindowExW(0, kClassName, L"", hostStyle(host->frameless, host->resizable), x, y, width, height,
                               nullptr, nullptr, GetModuleHandleW(nullptr), host.get());
    }
    if (hwnd != nullptr) {
        {
            std::lock_guard<std::mutex> guard(host->mutex);
            host->hwnd = hwnd;
        }
        ShowWindow(hwnd, SW_SHOW);
        if (createEnvironment(host, cacheFolder())) {
            g_webview_used = true;
            reportStart(*host, Start::started);
            runLoop(*host, hwnd);
        }
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    releaseObjects(*host);
    finish(*host, Start::failed);
    CoUninitialize();
}

}  // namespace

bool webviewShow(WebwinWindow &window, const std::string &address) {
    {
        Guard guard(lockOf(wait_lock));
        if (state().webview_refused) return false;
    }
    webviewEnd(window);
    auto host = std::make_shared<WebviewHost>();
    host->wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (host->wake == nullptr) return false;
    host->window_id = window.id;
    host->transparent = window.transparent;
    host->frameless = window.frameless;
    host->resizable = window.resizable;
    host->url = widen(address);
    host->has_url = !host->url.empty();
    const HostGeometry geometry = hostGeometry(window.x, window.y, window.width, window.height,
                                               GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    host->x = geometry.x;
    host->y = geometry.y;
    host->width = geometry.width;
    host->height = geometry.height;
    {
        Guard guard(window.webview_lock);
        window.webview = host;
    }
    try {
        host->thread = std::thread(hostThread, host);
    } catch (const std::system_error &) {
        Guard guard(window.webview_lock);
        window.webview.reset();
        return false;
    }
    std::unique_lock<std::mutex> lock(host->mutex);
    if (!host->started.wait_for(lock, kStartWait, [&] { return host->start != Start::pending; })) {
        // Too slow to be trusted with the window: it closes as soon as it gets going.
        host->stop = true;
        SetEvent(host->wake);
        return false;
    }
    return host->start == Start::started;
}

bool webviewAvailable() {
    if (!loaderInit()) return false;
    auto version = reinterpret_cast<BrowserVersionFunction>(
        reinterpret_cast<void *>(GetProcAddress(g_loader, "GetAvailableCoreWebView2BrowserVersionString")));
    if (version == nullptr) return false;
    LPWSTR text = nullptr;
    const bool found = SUCCEEDED(version(nullptr, &text)) && text != nullptr;
    if (text != nullptr) CoTaskMemFree(text);
    return found;
}

bool webviewHosted(WebwinWindow &window) {
    const std::shared_ptr<WebviewHost> host = hostOf(window);
    if (host == nullptr) return false;
    std::lock_guard<std::mutex> guard(host->mutex);
    return !host->ended;
}

bool webviewNavigate(WebwinWindow &window, const std::string &address) {
    const std::wstring url = widen(address);
    return request(window, [&](WebviewHost &host) {
        host.url = url;
        host.has_url = !url.empty();
        host.navigate = true;
    });
}

bool webviewResize(WebwinWindow &window, uint32_t width, uint32_t height) {
    return request(window, [&](WebviewHost &host) {
        host.width = static_cast<int32_t>(std::min<uint32_t>(width, INT32_MAX));
        host.height = static_cast<int32_t>(std::min<uint32_t>(height, INT32_MAX));
        host.size = true;
    });
}

bool webviewMove(WebwinWindow &window, int32_t x, int32_t y) {
    return request(window, [&](WebviewHost &host) {
        host.x = x;
        host.y = y;
        host.position = true;
    });
}

bool webviewClose(WebwinWindow &window) {
    return request(window, [](WebviewHost &host) { host.stop = true; });
}

void *webviewWindowHandle(WebwinWindow &window) {
    const std::shared_ptr<WebviewHost> host = hostOf(window);
    return host == nullptr ? nullptr : hostWindowHandle(*host);
}

bool webviewMaximize(WebwinWindow &window) {
    const HWND hwnd = static_cast<HWND>(webviewWindowHandle(window));
    return hwnd != nullptr && ShowWindow(hwnd, SW_SHOWMAXIMIZED) != 0;
}

bool webviewMinimize(WebwinWindow &window) {
    const HWND hwnd = static_cast<HWND>(webviewWindowHandle(window));
    return hwnd != nullptr && ShowWindow(hwnd, SW_MINIMIZE) != 0;
}

void webviewEnd(WebwinWindow &window) {
    std::shared_ptr<WebviewHost> host;
    {
        Guard guard(window.webview_lock);
        host = std::move(window.webview);
        window.webview.reset();
    }
    endHost(host);
}

void webviewEndOfWaiting() {
    if (!webviewInUse()) return;
    // The runtime keeps files open in the data folder while a host shows a page.
    for (size_t id = 1; id <= kLastWindowId; ++id) {
        if (WebwinWindow *window = windowOf(id)) webviewEnd(*window);
    }
    removeCacheFolder();
}

}  // namespace webwin

#endif
