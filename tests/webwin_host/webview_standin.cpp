// A stand-in for WebView2Loader.dll and its runtime, for the bridge's tests: it answers the two
// loader exports with a minimal environment, controller and web view, completing each step later
// on the calling thread as the runtime does, and writes every call it gets into a log (the file
// named by KAVLO_WEBVIEW_LOG). KAVLO_WEBVIEW_MODE makes it fail: "refuse" (the environment call
// fails), "no-environment" or "no-controller" (that step completes with a failure), "no-runtime"
// (no runtime version).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

#include "webview/webview2_interfaces.h"

namespace {

std::wstring environmentText(const wchar_t *name, const wchar_t *missing = L"") {
    wchar_t buffer[1024] = {};
    const DWORD length = GetEnvironmentVariableW(name, buffer, 1024);
    if (length == 0 || length >= 1024) return missing;
    return buffer;
}

std::string narrow(const std::wstring &wide) {
    if (wide.empty()) return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr,
                        nullptr);
    return text;
}

std::mutex g_log_mutex;

void log(const std::string &line) {
    const std::wstring path = environmentText(L"KAVLO_WEBVIEW_LOG");
    if (path.empty()) return;
    std::lock_guard<std::mutex> guard(g_log_mutex);
    if (FILE *file = _wfopen(path.c_str(), L"ab")) {
        std::fputs((line + "\n").c_str(), file);
        std::fclose(file);
    }
}

bool mode(const wchar_t *name) { return environmentText(L"KAVLO_WEBVIEW_MODE") == name; }

// Work completed later on the calling thread, from its message loop, as the runtime completes.
thread_local std::deque<std::function<void()>> t_later;

void CALLBACK runLater(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    while (!t_later.empty()) {
        auto work = std::move(t_later.front());
        t_later.pop_front();
        work();
    }
}

void later(std::function<void()> work) {
    t_later.push_back(std::move(work));
    SetTimer(nullptr, 0, 0, runLater);
}

// Reference counting; each object says in the log when its last reference went.
template <class Interface>
class Object : public Interface {
public:
    explicit Object(const char *name) : name_(name) {}
    virtual ~Object() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void **object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (!IsEqualIID(id, IID_IUnknown)) return E_NOINTERFACE;
        AddRef();
        *object = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&count_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG count = InterlockedDecrement(&count_);
        if (count == 0) {
            log(std::string(name_) + " released");
            delete this;
        }
        return static_cast<ULONG>(count);
    }

private:
    volatile LONG count_ = 1;
    const char *name_;
};

class Settings final : public Object<ICoreWebView2Settings> {
public:
    Settings() : Object("settings") {}
    HRESULT STDMETHODCALLTYPE put_IsScriptEnabled(BOOL on) override { return note("script", on); }
    HRESULT STDMETHODCALLTYPE put_AreDefaultScriptDialogsEnabled(BOOL on) override { return note("dialogs", on); }
    HRESULT STDMETHODCALLTYPE put_IsWebMessageEnabled(BOOL on) override { return note("messages", on); }
    HRESULT STDMETHODCALLTYPE put_AreDevToolsEnabled(BOOL on) override { return note("devtools", on); }

private:
    static HRESULT note(const char *name, BOOL on) {
        log(std::string("setting ") + name + " " + (on ? "1" : "0"));
        return S_OK;
    }
};

class WebView final : public Object<ICoreWebView2> {
public:
    WebView() : Object("webview") {}
    ~WebView() override {
        if (title_handler_ != nullptr) title_handler_->Release();
    }
    HRESULT STDMETHODCALLTYPE get_Settings(ICoreWebView2Settings **settings) override {
        *settings = new Settings();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Navigate(LPCWSTR uri) override {
        if (uri == nullptr) return E_INVALIDARG;
        uri_ = uri;
        log("navigate " + narrow(uri_));
        // The page's title arrives once it has loaded.
        AddRef();
        later([this] {
            if (title_handler_ != nullptr) title_handler_->Invoke(this, nullptr);
            Release();
        });
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE add_DocumentTitleChanged(ICoreWebView2DocumentTitleChangedEventHandler *handler,
                                                       EventRegistrationToken *token) override {
        if (handler == nullptr) return E_INVALIDARG;
        handler->AddRef();
        if (title_handler_ != nullptr) title_handler_->Release();
        title_handler_ = handler;
        if (token != nullptr) token->value = 1;
        log("title handler");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_DocumentTitle(LPWSTR *title) override {
        const std::wstring text = L"Kavlo 页 " + uri_;
        const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        *title = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
        if (*title == nullptr) return E_OUTOFMEMORY;
        std::memcpy(*title, text.c_str(), bytes);
        return S_OK;
    }

private:
    std::wstring uri_;
    ICoreWebView2DocumentTitleChangedEventHandler *title_handler_ = nullptr;
};

class Controller final : public Object<ICoreWebView2Controller> {
public:
    Controller() : Object("controller") {}
    ~Controller() override { webview_->Release(); }
    HRESULT STDMETHODCALLTYPE get_CoreWebView2(ICoreWebView2 **core) override {
        webview_->AddRef();
        *core = webview_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Bounds(RECT bounds) override {
        log("bounds " + std::to_string(bounds.left) + "," + std::to_string(bounds.top) + "," +
            std::to_string(bounds.right) + "," + std::to_string(bounds.bottom));
        return S_OK;
    }

private:
    WebView *webview_ = new WebView();
};

class Environment final : public Object<ICoreWebView2Environment> {
public:
    Environment() : Object("environment") {}
    HRESULT STDMETHODCALLTYPE CreateCoreWebView2Controller(
        HWND parent, ICoreWebView2CreateCoreWebView2ControllerCompletedHandler *handler) override {
        if (handler == nullptr) return E_INVALIDARG;
        wchar_t name[64] = {};
        GetClassNameW(parent, name, 64);
        log("controller parent " + narrow(name));
        handler->AddRef();
        const bool fail = mode(L"no-controller");
        later([handler, fail] {
            if (fail) {
                handler->Invoke(E_FAIL, nullptr);
            } else {
                auto *controller = new Controller();
                handler->Invoke(S_OK, controller);
                controller->Release();
            }
            handler->Release();
        });
        return S_OK;
    }
};

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE CreateCoreWebView2EnvironmentWithOptions(
    PCWSTR, PCWSTR user_data_folder, IUnknown *, ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler *handler) {
    if (handler == nullptr) return E_INVALIDARG;
    const std::wstring folder = user_data_folder == nullptr ? L"" : user_data_folder;
    log("environment " + narrow(folder) + " | background " +
        narrow(environmentText(L"WEBVIEW2_DEFAULT_BACKGROUND_COLOR", L"-")) + " | arguments " +
        narrow(environmentText(L"WEBVIEW2_ADDITIONAL_BROWSER_ARGUMENTS", L"-")));
    if (mode(L"refuse")) return E_FAIL;
    // The runtime keeps its data there.
    if (!folder.empty()) {
        CreateDirectoryW(folder.substr(0, folder.find_last_of(L'\\')).c_str(), nullptr);
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    handler->AddRef();
    const bool fail = mode(L"no-environment");
    later([handler, fail] {
        if (fail) {
            handler->Invoke(E_FAIL, nullptr);
        } else {
            auto *environment = new Environment();
            handler->Invoke(S_OK, environment);
            environment->Release();
        }
        handler->Release();
    });
    return S_OK;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE GetAvailableCoreWebView2BrowserVersionString(PCWSTR,
                                                                                                  LPWSTR *version) {
    if (version == nullptr) return E_POINTER;
    *version = nullptr;
    if (mode(L"no-runtime")) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    static const wchar_t kVersion[] = L"120.0.0.0 stand-in";
    *version = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof kVersion));
    if (*version == nullptr) return E_OUTOFMEMORY;
    std::memcpy(*version, kVersion, sizeof kVersion);
    return S_OK;
}
