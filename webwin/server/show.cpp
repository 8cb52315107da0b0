// Showing a window: its content, port and address, its server thread, the browser on it.
#include <civetweb.h>

#include <filesystem>
#include <system_error>

#include "browsers/browser_launch.h"
#include "frame/library_state.h"
#include "port_search.h"
#include "portable/percent_coding.h"
#include "portable/request_path.h"
#include "protocol/connections.h"
#include "scripts/scripts.h"
#include "server_thread.h"
#include "webview/webview.h"
#include "webwin.h"
#include "windows/window_record.h"

namespace webwin {
namespace {

enum class Content { html = 1, file = 2, address = 3, folder = 4 };

bool startsWith(const std::string &text, std::string_view prefix) { return text.rfind(prefix, 0) == 0; }

bool waitForToken(WebwinWindow &window) {
    const uint64_t seconds = state().timeout == 0 ? 15 : state().timeout;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() <= end) {
        {
            Guard guard(lockOf(token_lock));
            if (window.single_client_token_ok) break;
        }
        // A WebView2 host that closed (its runtime failed, or the user closed it) brings no page.
        if (window.current_browser == WEBWIN_WEBVIEW && !webviewHosted(window)) break;
        sleepMs(10);
    }
    return windowConnected(window);
}

void forgetContent(WebwinWindow &window) {
    Guard guard(lockOf(http_lock));
    window.html.clear();
    window.url.clear();
    window.start_file.clear();
    window.start_file_url.clear();
}

// `client`: the one page to navigate when the window is connected (all pages without it).
bool showWindow(WebwinWindow &window, const std::optional<ClientRef> &client, const std::string &content,
                Content kind, size_t browser) {
    setStopServer(window, false);
    bool connected = windowConnected(window);
    bool running = serverRunning(window);
    if (running && !connected && window.current_browser != 0) {
        // An old server thread winding down after its page went away.
        for (int polls = 0; polls < 15 && serverRunning(window); ++polls) sleepMs(100);
        running = serverRunning(window);
    }
    const bool already = connected && running;
    const bool restarting = running && !connected;
    const bool sameAddress = kind == Content::address && !window.url.empty() &&
                             (content == window.url || startsWith(content, window.url + "/"));

    std::string target;
    {
        Guard guard(lockOf(http_lock));
        window.html.clear();
        window.url.clear();
        if (!sameAddress) {
            window.start_file.clear();
            window.start_file_url.clear();
            window.serve_index = false;
        }
        if (window.requested_port != 0) {
            window.port = window.requested_port;
        } else if (!already && !restarting) {
            window.port = freePort();
        } else if (window.port == 0) {
            window.port = freePort();
        }
        window.url = "http://localhost:" + std::to_string(window.port);
        switch (kind) {
            case Content::html:
                window.is_html = true;
                window.html = content;
                target = window.url;
                break;
            case Content::address:
                target = content;
                window.is_html = !sameAddress;
                if (!sameAddress) window.html = "<meta http-equiv=\"refresh\" content=\"0;url=" + content + "\">";
                break;
            case Content::folder:
                window.is_html = false;
                window.serve_index = true;
                target = window.url;
                break;
            case Content::file:
                window.is_html = false;
                window.start_file = content;
                window.start_file_url = percentEncode(content, false);
                window.serve_index = false;
                target = window.url + "/" + window.start_file_url;
                break;
        }
    }
    if (already) {
        if (client) {
            sendToClient(window, *client, 0, CMD_NAVIGATION, target, false);
        } else {
            sendAll(window, CMD_NAVIGATION, target);
        }
        return browser == 0 || !state().wait_for_connection || waitForToken(window);
    }
    if (state().servers_started) startServerThread(window);
    bool launched = false;
    if (window.allow_browser) {
        if (browser == 0) {
            window.current_browser = 0;
        } else if (browserStart(window, target, browser)) {
            launched = true;
        } else if (browser == WEBWIN_ANY_BROWSER && openUrlNative(target)) {
            launched = true;
            state().current_browser = 99;
        }
    }
    if (!launched && window.allow_webview && webviewShow(window, target)) {
        launched = true;
        window.current_browser = WEBWIN_WEBVIEW;
        state().current_browser = WEBWIN_WEBVIEW;
    }
    if (browser != 0 && !launched) {
        setStopServer(window, true);
        const size_t port = window.port;
        forgetContent(window);
        releasePort(port);
        return false;
    }
    if (!state().servers_started) {
        state().servers_started = true;
        startServerThread(window);
    }
    if (browser == 0 || !state().wait_for_connection) return true;
    return waitForToken(window);
}

bool show(WebwinWindow &window, const std::string &content, size_t browser,
          const std::optional<ClientRef> &client = std::nullopt) {
    window.showing = true;
    bool shown = false;
    if (content.empty()) {
        shown = showWindow(window, client, window.root_folder, Content::folder, browser);
    } else if (startsWith(content, "http://") || startsWith(content, "https://")) {
        shown = showWindow(window, client, content, Content::address, browser);
    } else if (content.find("<html") != std::string::npos || content.find("<!DOCTYPE") != std::string::npos ||
               content.find("<!doctype") != std::string::npos || content.find("<!Doctype") != std::string::npos) {
        shown = showWindow(window, client, content, Content::html, browser);
    } else {
        std::error_code error;
        if (std::filesystem::is_directory(utf8Path(content), error)) {
            // A folder: served only when it can become the root (not while a server runs).
            shown = webwin_set_root_folder(window.id, content.c_str()) &&
                    showWindow(window, client, content, Content::folder, browser);
        } else {
            shown = showWindow(window, client, content, Content::file, browser);
        }
    }
    window.showing = false;
    return shown;
}

}  // namespace
}  // namespace webwin

using namespace webwin;

extern "C" bool webwin_show(size_t id, const char *content) {
    if (!enter()) return false;
    WebwinWindow *window = windowOf(id);
    if (window == nullptr) return false;
    window->allow_browser = window->allow_webview = true;
    return show(*window, textArgument(content), WEBWIN_ANY_BROWSER);
}

extern "C" bool webwin_show_browser(size_t id, const char *content, size_t browser) {
    if (!enter()) return false;
    WebwinWindow *window = windowOf(id);
    if (window == nullptr) return false;
    window->allow_browser = browser != WEBWIN_WEBVIEW;
    window->allow_webview = browser == WEBWIN_WEBVIEW;
    return show(*window, textArgument(content), browser);
}

extern "C" bool webwin_show_client(WebwinEvent *e, const char *content) {
    if (!enter() || e == nullptr) return false;
    WebwinWindow *window = windowOf(e->window);
    if (window == nullptr) return false;
    // The event's page, while it is there; without it the show is the window's own.
    std::optional<ClientRef> client;
    ClientRef page;
    if (eventWindow(e, page) == window) client = page;
    window->allow_browser = window->allow_webview = true;
    return show(*window, textArgument(content), WEBWIN_ANY_BROWSER, client);
}

extern "C" bool webwin_interface_show_client(size_t window, size_t number, const char *content) {
    WebwinEvent event{};
    return interfaceEvent(window, number, event) && webwin_show_client(&event, content);
}

extern "C" const char *webwin_start_server(size_t id, const char *content) {
    if (!enter()) return "";
    WebwinWindow *window = windowOf(id);
    if (window == nullptr || serverRunning(*window)) return "";
    state().timeout = 0;
    window->allow_webview = false;
    window->allow_browser = true;
    if (!show(*window, textArgument(content), WEBWIN_NO_BROWSER)) return "";
    return window->url.c_str();
}

extern "C" const char *webwin_get_url(size_t id) {
    if (!enter()) return nullptr;
    WebwinWindow *window = windowOf(id);
    if (window == nullptr) return nullptr;
    if (window->url.empty()) {
        window->allow_browser = true;
        window->allow_webview = false;
        show(*window, "<html><head><script src=\"webwin.js\"></script></head></html>", WEBWIN_NO_BROWSER);
    }
    // The host's own address is reachable only when the window listens on every interface.
    const std::string host = window->is_public ? localAddress() : "127.0.0.1";
    window->public_url = "http://" + host + ":" + std::to_string(window->port);
    return window->public_url.c_str();
}

extern "C" size_t webwin_get_port(size_t id) {
    if (!enter()) return 0;
    WebwinWindow *window = windowOf(id);
    return window == nullptr ? 0 : window->port;
}

extern "C" bool webwin_set_port(size_t id, size_t port) {
    if (!enter()) return false;
    WebwinWindow *window = windowOf(id);
    if (window == nullptr || portInUse(port)) return false;
    window->requested_port = port;
    return true;
}

extern "C" size_t webwin_get_free_port(void) {
    init();
    return freePort();
}
