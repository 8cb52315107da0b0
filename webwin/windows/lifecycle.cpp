// Creating, destroying and closing windows; ending the library; waiting for the windows.
#include <civetweb.h>

#include <atomic>
#include <mutex>

#include "events/events.h"
#include "frame/library_state.h"
#include "frame/secure_random.h"
#include "lifecycle.h"
#include "portable/auth_texts.h"
#include "portable/packets.h"
#include "protocol/connections.h"
#include "protocol/receive.h"
#include "server/server_thread.h"
#include "webview/webview.h"
#include "webwin.h"
#include "window_record.h"

namespace webwin {
namespace {

std::mutex g_table_mutex;  // a leaf: the window table itself
std::atomic<bool> g_cleaned{false};
std::atomic<bool> g_app_running{true};

void setWindow(size_t id, WebwinWindow *window) {
    std::lock_guard<std::mutex> guard(g_table_mutex);
    state().windows[id] = window;
}

void markDisconnected(WebwinWindow &window) {
    Guard guard(window.browser_lock);
    if (!state().multi_client) state().cookie_issued[window.id] = false;
    window.current_browser = 0;
}

// Asks the window's WebView2 host, or else its pages, to close.
void closePages(WebwinWindow &window) {
    if (webviewClose(window)) return;
    if (windowConnected(window)) sendAll(window, CMD_CLOSE, "");
}

// Stops the window's server thread and releases the record. From a handler running on the
// window's own server, joining would wait for itself: the server thread releases the record
// when it ends instead.
void destroyWindow(size_t id) {
    WebwinWindow *window = windowOf(id);
    if (window == nullptr) return;
    markDisconnected(*window);
    closePages(*window);
    setStopServer(*window, true);
    // The host's thread looks the window up: it has ended before the record goes.
    webviewEnd(*window);
    setWindow(id, nullptr);
    {
        std::lock_guard<std::mutex> guard(g_table_mutex);
        state().id_reserved[id] = false;
    }
    if (handlingWindow() == window) {
        releaseWhenStopped(*window);
        return;
    }
    if (window->server_thread.joinable()) window->server_thread.join();
    // A message thread still running a handler keeps the record (it is then left to the process).
    if (!messagesFinished(*window)) return;
    releaseEventSlots(*window);
    delete window;
}

// Under wait_lock. The hosts have their own threads and loops: nothing is posted to, nor
// released on, the thread that waited.
void endOfWaiting() {
    state().webview_refused = false;
    state().current_browser = 0;
    webviewEndOfWaiting();
    sleepMs(850);
}

bool waitingAllowed() {
    const WebwinState &s = state();
    return !exiting() && (s.timeout == 0 || s.servers_started);
}

}  // namespace

void windowDisconnected(WebwinWindow &window) { markDisconnected(window); }

bool windowConnectedFlag(WebwinWindow &window) {
    Guard guard(lockOf(connection_state_lock));
    return window.connected;
}

void moveWindow(WebwinWindow &window, int32_t x, int32_t y) {
    Guard guard(lockOf(connection_state_lock));
    if (x < 0 || y < 0 || x > 3000 || y > 1800) {
        window.position_set = false;
        return;
    }
    window.x = static_cast<uint32_t>(x);
    window.y = static_cast<uint32_t>(y);
    window.position_set = true;
}

WebwinWindow *windowOf(size_t id) {
    if (id == 0 || id > kLastWindowId) return nullptr;
    std::lock_guard<std::mutex> guard(g_table_mutex);
    return state().windows[id];
}

bool windowConnected(WebwinWindow &window) {
    Guard guard(lockOf(connection_state_lock));
    return window.clients_count > 0 && window.connected;
}

bool serverRunning(WebwinWindow &window) {
    Guard guard(window.server_lock);
    return window.server_running;
}

bool stopRequested(WebwinWindow &window) {
    Guard guard(window.stop_lock);
    return window.stop_server;
}

void setStopServer(WebwinWindow &window, bool stop) {
    Guard guard(window.stop_lock);
    window.stop_server = stop;
}

}  // namespace webwin

using namespace webwin;

extern "C" size_t webwin_get_new_window_id(void) {
    if (!enter()) return 0;
    {
        std::lock_guard<std::mutex> guard(g_table_mutex);
        for (size_t id = 1; id <= kLastWindowId; ++id) {
            if (state().windows[id] == nullptr && !state().id_reserved[id]) {
                state().id_reserved[id] = true;
                return id;
            }
        }
    }
    logError("webwin_get_new_window_id() failed");
    webwin_exit();
    return 0;
}

extern "C" size_t webwin_new_window_id(size_t id) {
    if (!enter() || id == 0 || id > kLastWindowId) return 0;
    if (windowOf(id) != nullptr) destroyWindow(id);
    auto *window = new WebwinWindow();
    window->id = id;
    window->event_blocking = state().serial_events;
    window->root_folder = state().default_root_folder.empty() ? "." : state().default_root_folder;
    window->token = makeToken(secureRandom);
    {
        std::lock_guard<std::mutex> guard(g_table_mutex);
        state().windows[id] = window;
        state().id_reserved[id] = true;
    }
    webwin_bind(id, "__webwin_core_api__", coreApiHandler);
    return id;
}

extern "C" size_t webwin_new_window(void) {
    const size_t id = webwin_get_new_window_id();
    return id == 0 ? 0 : webwin_new_window_id(id);
}

extern "C" void webwin_destroy(size_t id) {
    if (!enter()) return;
    destroyWindow(id);
}

extern "C" void webwin_close(size_t id) {
    if (!enter()) return;
    WebwinWindow *window = windowOf(id);
    if (window == nullptr) return;
    markDisconnected(*window);
    closePages(*window);
}

extern "C" void webwin_exit(void) {
    if (!enter()) return;
    for (size_t id = 1; id <= kLastWindowId; ++id) {
        if (WebwinWindow *window = windowOf(id)) closePages(*window);
    }
    {
        Guard guard(lockOf(exit_lock));
        state().exit_now = true;
    }
    for (int sleeps = 0; sleeps < 4 && serverThreadCount() > 0; ++sleeps) sleepMs(500);
    {
        Guard guard(lockOf(active_lock));
        state().servers_active = false;
    }
    Guard guard(lockOf(wait_lock));
    waitCondition().notify_all();
}

extern "C" void webwin_clean(void) {
    init();
    if (g_cleaned) return;
    g_cleaned = true;
    webwin_exit();
    // Every record goes, and with it its server thread, joined: nothing runs on after clean.
    for (size_t id = 1; id <= kLastWindowId; ++id) destroyWindow(id);
    trackedFreeAll();
    resetState();
}

extern "C" void webwin_wait(void) {
    init();
    std::unique_lock<std::recursive_mutex> lock(lockOf(wait_lock));
    if (waitingAllowed()) {
        if (!webviewInUse()) state().webview_refused = true;
        // Woken by webwin_exit, and (with a timeout) when the last server thread ends; the
        // condition is tested again so a wake before this wait or a spurious one is not lost.
        waitCondition().wait(lock, [] {
            if (exiting()) return true;
            Guard guard(lockOf(active_lock));
            return state().timeout > 0 && !state().servers_active;
        });
    }
    endOfWaiting();
}

extern "C" bool webwin_wait_async(void) {
    if (!initialised()) init();
    std::unique_lock<std::recursive_mutex> lock(lockOf(wait_lock));
    if (waitingAllowed()) {
        if (!webviewInUse()) state().webview_refused = true;
        Guard guard(lockOf(active_lock));
        if (state().servers_active) return true;
    }
    endOfWaiting();
    return false;
}

extern "C" void webwin_set_timeout(size_t seconds) {
    if (!enter()) return;
    state().timeout = seconds > 60 ? 60 : seconds;
}

extern "C" bool webwin_is_shown(size_t id) {
    if (!enter()) return false;
    WebwinWindow *window = windowOf(id);
    return window != nullptr && windowConnected(*window);
}

extern "C" bool webwin_interface_is_app_running(void) {
    if (!g_app_running) return false;
    init();
    if (exiting()) return false;
    if (state().timeout == 0 || serverThreadCount() > 0) return true;
    g_app_running = false;
    return false;
}

extern "C" size_t webwin_interface_get_window_id(size_t id) {
    if (!enter()) return 0;
    WebwinWindow *window = windowOf(id);
    return window == nullptr ? 0 : window->id;
}
