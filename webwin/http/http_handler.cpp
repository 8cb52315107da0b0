// The request handler of every window's server: the bridge script, the start page, favicons,
// the file handler, the root folder's files and folders, and the error pages.
#include <civetweb.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "frame/library_state.h"
#include "http_serving.h"
#include "portable/auth_texts.h"
#include "portable/http_texts.h"
#include "portable/request_path.h"
#include "request.h"
#include "server/server_thread.h"

namespace webwin {
namespace {

constexpr std::array<std::string_view, 4> kIndexNames = {"index.html", "index.htm", "index.ts", "index.js"};

constexpr std::string_view kBuiltInIcon =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 64 64\"><rect width=\"64\" height=\"64\" rx=\"12\" "
    "fill=\"#784BA0\"/><path d=\"M12 18h8l6 24 6-24h4l6 24 6-24h8l-10 32h-6l-6-22-6 22h-6z\" fill=\"#fff\"/></svg>";

struct HandlingScope {
    explicit HandlingScope(WebwinWindow *window) { setHandlingWindow(window); }
    ~HandlingScope() { setHandlingWindow(nullptr); }
};

bool isFile(const std::filesystem::path &path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool isFolder(const std::filesystem::path &path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

// A file of the root folder named by a request path, or nothing.
std::optional<std::filesystem::path> rootFile(WebwinWindow &window, std::string_view path) {
    auto found = pathInsideRoot(window.root_folder, path);
    if (found && isFile(*found)) return found;
    return std::nullopt;
}

void identifyClient(Request &request) {
    const WebwinState &s = state();
    if (!s.cookie_auth) return;
    const std::string cookie = cookieFromHeader(textArgument(mg_get_header(request.connection, "Cookie")), kCookieName);
    if (cookie.empty()) return;
    for (size_t slot = 1; slot < kTableSize; ++slot) {
        if (!s.auth_cookies[slot].empty() && sameSecret(s.auth_cookies[slot], cookie)) {
            request.client = slot;
            request.known = true;
            return;
        }
    }
}

// A page of another site may include the script, and would read the window's token from it:
// browsers say where a request comes from, and only the window's own pages get it.
bool sameOriginScriptRequest(Request &request) {
    const char *site = mg_get_header(request.connection, "Sec-Fetch-Site");
    return site == nullptr || std::strcmp(site, "same-origin") == 0 || std::strcmp(site, "none") == 0;
}

int serveBridgeScript(Request &request) {
    if (!sameOriginScriptRequest(request)) {
        writeText(request, errorAnswer(403, accessDeniedPage()));
        return 403;
    }
    const std::string script = bridgeScript(request.window);
    sendHeader(request, "application/javascript", script.size());
    writeText(request, script);
    return 200;
}

int serveStart(Request &request) {
    WebwinWindow &window = request.window;
    if (window.is_html) {
        sendHeader(request, "text/html", window.html.size());
        writeText(request, window.html);
        return 200;
    }
    for (const std::string &name : candidates(window, false)) {
        if (rootFile(window, "/" + name)) return sendRedirect(request, name);
    }
    return sendNotFound(request);
}

int serveIcon(Request &request) {
    WebwinWindow &window = request.window;
    if (!window.icon.empty() && !window.icon_type.empty()) {
        sendHeader(request, window.icon_type, window.icon.size());
        writeText(request, window.icon);
        return 200;
    }
    if (auto file = rootFile(window, request.path)) return sendLocalFile(request, *file, request.path);
    if (request.path == "/favicon.ico") return sendRedirect(request, "favicon.svg");
    sendHeader(request, "image/svg+xml", kBuiltInIcon.size());
    writeText(request, kBuiltInIcon);
    return 200;
}

int servePath(Request &request) {
    WebwinWindow &window = request.window;
    const auto found = pathInsideRoot(window.root_folder, request.path);
    if (!found) return sendNotFound(request);
    if (isFile(*found)) return sendLocalFile(request, *found, request.path);
    if (isFolder(*found)) {
        for (const std::string &name : candidates(window, true)) {
            if (rootFile(window, withSlash(request.path) + name)) return sendRedirect(request, withSlash(request.path) + name);
        }
    }
    return sendNotFound(request);
}

int dispatch(Request &request) {
    if (request.path == "/webwin.js") return serveBridgeScript(request);
    if (hasFileHandler(request.window)) {
        if (const int status = serveViaFileHandler(request)) return status;
    }
    if (request.path == "/") return serveStart(request);
    if (request.path == "/favicon.ico" || request.path == "/favicon.svg") return serveIcon(request);
    return servePath(request);
}

}  // namespace

// The start file's candidates, then the index names in folder mode.
std::vector<std::string> candidates(WebwinWindow &window, bool lastComponent) {
    std::vector<std::string> names;
    if (!window.start_file.empty()) {
        const size_t slash = window.start_file.find_last_of('/');
        names.push_back(lastComponent && slash != std::string::npos ? window.start_file.substr(slash + 1)
                                                                    : window.start_file);
    }
    if (window.serve_index) names.insert(names.end(), kIndexNames.begin(), kIndexNames.end());
    return names;
}

std::string withSlash(std::string path) {
    if (path.empty() || path.back() != '/') path.push_back('/');
    return path;
}

int httpHandler(mg_connection *connection, void *data) {
    auto *window = static_cast<WebwinWindow *>(data);
    Guard guard(lockOf(http_lock));
    if (connection == nullptr || exiting() || !serverRunning(*window)) return 500;
    HandlingScope scope(window);
    const mg_request_info *info = mg_get_request_info(connection);
    Request request{*window, connection, {}, 0, false};
    if (info == nullptr || info->request_method == nullptr || std::strcmp(info->request_method, "GET") != 0) {
        writeText(request, "HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        return 200;
    }
    identifyClient(request);
    if (!state().multi_client) {
        if (request.known) {
            state().cookie_issued[window->id] = true;
        } else if (state().cookie_issued[window->id]) {
            writeText(request, errorAnswer(403, accessDeniedPage()));
            return 403;
        }
    }
    window->page_requested = true;
    const auto path = decodeRequestPath(textArgument(info->local_uri_raw));
    if (!path) return sendNotFound(request);
    request.path = *path;
    return dispatch(request);
}

}  // namespace webwin
