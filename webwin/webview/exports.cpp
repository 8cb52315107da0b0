// The WebView2 host's exports.
#include "frame/library_state.h"
#include "webview.h"
#include "webwin.h"
#include "windows/window_record.h"

using namespace webwin;

extern "C" bool webwin_show_wv(size_t id, const char *content) {
    if (!enter() || windowOf(id) == nullptr) return false;
    return webwin_show_browser(id, content, WEBWIN_WEBVIEW);
}

extern "C" void webwin_set_close_handler_wv(size_t id, bool (*handler)(size_t window)) {
    if (!enter()) return;
    if (WebwinWindow *window = windowOf(id)) window->close_handler_wv = handler;
}

// Windows shown in a browser are left alone.
extern "C" void webwin_maximize(size_t id) {
    if (!enter()) return;
    if (WebwinWindow *window = windowOf(id)) webviewMaximize(*window);
}

extern "C" void webwin_minimize(size_t id) {
    if (!enter()) return;
    if (WebwinWindow *window = windowOf(id)) webviewMinimize(*window);
}
