#include "server_thread.h"

#include <civetweb.h>

#include <atomic>
#include <chrono>
#include <future>
#include <string>

#include "browsers/browser_launch.h"
#include "http/http_serving.h"
#include "port_search.h"
#include "protocol/connections.h"
#include "protocol/receive.h"
#include "webview/webview.h"

namespace webwin {
namespace {

thread_local WebwinWindow *t_handling = nullptr;
std::atomic<uint64_t> g_server_threads{0};
std::recursive_mutex g_release_mutex;
std::set<WebwinWindow *> g_release_pending;

// Worker threads of one window's server: a page holds one for its WebSocket, the rest serve files.
constexpr const char *kWorkerThreads = "16";

using Clock = std::chrono::steady_clock;

bool stopping(WebwinWindow &window) { return exiting() || stopRequested(window); }

bool pageRequested(WebwinWindow &window) {
    Guard guard(lockOf(http_lock));
    return window.page_requested;
}

void clearPageRequested(WebwinWindow &window) {
    Guard guard(lockOf(http_lock));
    window.page_requested = false;
}

// Polls (1 ms) until stop, connected, or `milliseconds` have passed; true when connected and not stopping.
bool waitForConnection(WebwinWindow &window, uint64_t milliseconds) {
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (!stopping(window) && !windowConnected(window) && Clock::now() <= end) sleepMs(1);
    return !stopping(window) && windowConnected(window);
}

// While pages keep being requested, a page is loading: wait `grace` ms more each time.
bool waitWithGraces(WebwinWindow &window, uint64_t grace) {
    while (true) {
        clearPageRequested(window);
        if (waitForConnection(window, grace)) return true;
        if (stopping(window) || !pageRequested(window)) return false;
    }
}

void serveWhileAttached(WebwinWindow &window, uint64_t timeout) {
    clearPageRequested(window);
    bool connected = waitForConnection(window, timeout * 1000);
    if (!connected && !stopping(window) && pageRequested(window)) connected = waitWithGraces(window, 5000);
    if (!connected) return;
    {
        Guard guard(window.server_lock);
        window.server_reuse = false;
    }
    window.host_closed = false;
    while (!stopping(window)) {
        if (windowConnected(window)) {
            sleepMs(1);
            continue;
        }
        if (window.host_closed) return;
        if (!waitWithGraces(window, 1500)) return;
    }
}

mg_context *startServer(WebwinWindow &window, std::string &listening) {
    listening = (window.is_public ? "" : "127.0.0.1:") + std::to_string(window.port);
    // No cross-origin answers, no URL decoding by the server (the handler decodes once), no
    // listing: the handler answers every path itself.
    const char *options[] = {"listening_ports", listening.c_str(),
                             "access_control_allow_origin", "",
                             "access_control_allow_methods", "",
                             "access_control_allow_headers", "",
                             "decode_url", "no",
                             "enable_directory_listing", "no",
                             "num_threads", kWorkerThreads,
                             "websocket_timeout_ms", "3600000",
                             "enable_websocket_ping_pong", "yes",
                             // a frame is written as head and payload: without this the payload
                             // waits for the page's delayed acknowledgement of the head
                             "tcp_nodelay", "1",
                             nullptr};
    mg_callbacks callbacks{};
    mg_context *context = mg_start(&callbacks, nullptr, options);
    if (context != nullptr) {
        mg_set_request_handler(context, "/", httpHandler, &window);
        installSocketHandlers(context, window);
    }
    return context;
}

// Debian's server library looks at its stop flag only between polls of two seconds; a
// connection of our own ends the poll, so a window stops at once. The windows build compiles
// the server with short polls instead.
#ifdef _WIN32
void stopServer(mg_context *context, size_t) { mg_stop(context); }
#else
void stopServer(mg_context *context, size_t port) {
    std::atomic<bool> stopped{false};
    std::thread waker([&stopped, port] {
        while (!stopped.load()) {
            knockOnPort(port);
            sleepMs(20);
        }
    });
    mg_stop(context);
    stopped.store(true);
    waker.join();
}
#endif

void shutDown(WebwinWindow &window, mg_context *context) {
    {
        Guard guard(lockOf(connection_state_lock));
        window.connected = false;
    }
    // The browser started for this window goes with it (only that process: the library holds its handle).
    endBrowser(window);
    // The pages' sockets end from their own side: civetweb closes a connection only on its thread.
    closeAllClients(window);
    webviewClose(window);
    if (context != nullptr) stopServer(context, window.port);
    releasePort(window.port);
    {
        Guard guard(window.server_lock);
        window.server_running = false;
        window.server_stopping = false;
        window.server_reuse = false;
    }
    {
        Guard guard(window.browser_lock);
        if (!state().multi_client) state().cookie_issued[window.id] = false;
        window.current_browser = 0;
    }
    const uint64_t left = --g_server_threads;
    if (state().timeout > 0 && left == 0 && !window.showing) {
        {
            Guard guard(lockOf(active_lock));
            state().servers_active = false;
        }
        Guard guard(lockOf(wait_lock));
        waitCondition().notify_all();
    }
}

void serverThread(WebwinWindow *window, std::promise<void> listening_now) {
    std::string listening;
    mg_context *context = nullptr;
    {
        Guard guard(lockOf(server_start_lock));
        context = startServer(*window, listening);
    }
    listening_now.set_value();
    while (context != nullptr) {
        const uint64_t timeout = state().timeout;
        if (timeout > 0) {
            serveWhileAttached(*window, timeout);
        } else {
            while (!stopping(*window)) sleepMs(1);
        }
        // A show that took this server over while it had no page gets its own wait for a page.
        Guard guard(window->server_lock);
        if (!window->server_reuse || stopping(*window)) break;
        window->server_reuse = false;
    }
    {
        Guard guard(window->server_lock);
        window->server_stopping = true;
    }
    shutDown(*window, context);
    bool release = false;
    {
        std::lock_guard<std::recursive_mutex> guard(g_release_mutex);
        release = g_release_pending.erase(window) != 0;
    }
    if (release && messagesFinished(*window)) delete window;
}

}  // namespace

void startServerThread(WebwinWindow &window) {
    bool winding_down = false;
    {
        Guard guard(window.server_lock);
        if (window.server_running && !window.server_stopping) {
            window.server_reuse = true;
            return;
        }
        winding_down = window.server_running;
    }
    // A server past its decision to stop goes on stopping: the new one follows it.
    for (int polls = 0; winding_down && polls < 300 && serverRunning(window); ++polls) sleepMs(10);
    {
        Guard guard(window.server_lock);
        if (window.server_running) return;
        window.server_running = true;
    }
    {
        Guard guard(lockOf(active_lock));
        state().servers_active = true;
    }
    ++g_server_threads;
    // The previous thread of this window has ended (server_running was clear): collect it.
    if (window.server_thread.joinable()) window.server_thread.join();
    // The show hands out the window's address: it answers from the moment the show returns.
    std::promise<void> listening;
    std::future<void> started = listening.get_future();
    window.server_thread = std::thread(serverThread, &window, std::move(listening));
    started.wait();
}

uint64_t serverThreadCount() { return g_server_threads.load(); }

WebwinWindow *handlingWindow() { return t_handling; }

void setHandlingWindow(WebwinWindow *window) { t_handling = window; }

void releaseWhenStopped(WebwinWindow &window) {
    std::lock_guard<std::recursive_mutex> guard(g_release_mutex);
    g_release_pending.insert(&window);
    if (window.server_thread.joinable()) window.server_thread.detach();
}

}  // namespace webwin
