// The few WebView2 interfaces the host calls, declared here: only the methods it uses, in the
// order it uses them. The loader library and the runtime behind it are outside the program;
// the tests answer them with a stand-in loader built on these same declarations.
#pragma once

#ifdef _WIN32

#include <windows.h>
#include <unknwn.h>

#include <cstdint>

struct ICoreWebView2Environment;
struct ICoreWebView2Controller;
struct ICoreWebView2;
struct ICoreWebView2Settings;

struct EventRegistrationToken {
    int64_t value;
};

struct ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(HRESULT result, ICoreWebView2Environment *environment) = 0;
};

struct ICoreWebView2CreateCoreWebView2ControllerCompletedHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(HRESULT result, ICoreWebView2Controller *controller) = 0;
};

struct ICoreWebView2DocumentTitleChangedEventHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2 *sender, IUnknown *arguments) = 0;
};

struct ICoreWebView2Environment : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CreateCoreWebView2Controller(
        HWND parent, ICoreWebView2CreateCoreWebView2ControllerCompletedHandler *handler) = 0;
};

struct ICoreWebView2Controller : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_CoreWebView2(ICoreWebView2 **core) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Bounds(RECT bounds) = 0;
};

struct ICoreWebView2Settings : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE put_IsScriptEnabled(BOOL enabled) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AreDefaultScriptDialogsEnabled(BOOL enabled) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsWebMessageEnabled(BOOL enabled) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AreDevToolsEnabled(BOOL enabled) = 0;
};

struct ICoreWebView2 : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_Settings(ICoreWebView2Settings **settings) = 0;
    virtual HRESULT STDMETHODCALLTYPE Navigate(LPCWSTR uri) = 0;
    virtual HRESULT STDMETHODCALLTYPE add_DocumentTitleChanged(ICoreWebView2DocumentTitleChangedEventHandler *handler,
                                                               EventRegistrationToken *token) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DocumentTitle(LPWSTR *title) = 0;
};

// The handler interfaces' ids.
inline constexpr IID kIidEnvironmentCompleted = {
    0x4E8A3389, 0xC9D8, 0x4BD2, {0xB6, 0xB5, 0x12, 0x4F, 0xEE, 0x6C, 0xC1, 0x4D}};
inline constexpr IID kIidControllerCompleted = {
    0x6C4819F3, 0xC9B7, 0x4260, {0x81, 0x27, 0xC9, 0xF5, 0xBD, 0xE7, 0xF6, 0x8C}};
inline constexpr IID kIidTitleChanged = {
    0xF5F2B923, 0x953E, 0x4042, {0x9F, 0x95, 0xF3, 0xA1, 0x18, 0xE1, 0xAF, 0xD4}};

// The two exports of WebView2Loader.dll.
using CreateEnvironmentFunction = HRESULT(STDAPICALLTYPE *)(
    PCWSTR browser_folder, PCWSTR user_data_folder, IUnknown *options,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler *handler);
using BrowserVersionFunction = HRESULT(STDAPICALLTYPE *)(PCWSTR browser_folder, LPWSTR *version);

#endif
