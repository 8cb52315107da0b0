// The program's file handler: it answers requests with whole HTTP answers of its own, at once
// or later (asynchronous mode), before the root folder is looked at.
#include <civetweb.h>

#include <chrono>
#include <cstring>

#include "frame/library_state.h"
#include "request.h"
#include "webwin.h"

namespace webwin {
namespace {

struct Answer {
    const void *bytes = nullptr;
    int length = 0;
};

Answer callHandler(WebwinWindow &window, const std::string &path) {
    const bool async = state().async_response;
    if (async) {
        Guard guard(lockOf(response_lock));
        window.fh_response = nullptr;
        window.fh_response_length = 0;
        window.fh_response_done = false;
    }
    Answer answer;
    if (window.file_handler_window != nullptr) {
        answer.bytes = window.file_handler_window(window.id, path.c_str(), &answer.length);
    } else if (window.file_handler != nullptr) {
        answer.bytes = window.file_handler(path.c_str(), &answer.length);
    }
    if (!async) return answer;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(state().timeout);
    while (!exiting()) {
        {
            Guard guard(lockOf(response_lock));
            if (window.fh_response_done) return {window.fh_response, window.fh_response_length};
        }
        if (std::chrono::steady_clock::now() > end) break;
        sleepMs(10);
    }
    return {};
}

// The handler's bytes are released when the library handed them out (webwin_malloc).
void release(const void *bytes) { trackedFree(const_cast<void *>(bytes)); }

int answerLength(const Answer &answer) {
    if (answer.bytes == nullptr) return 0;
    if (answer.length == 0) {
        return static_cast<int>(strnlen(static_cast<const char *>(answer.bytes), 64000000));
    }
    return answer.length < 0 ? 0 : answer.length;
}

}  // namespace

bool hasFileHandler(WebwinWindow &window) {
    return window.file_handler != nullptr || window.file_handler_window != nullptr;
}

int serveViaFileHandler(Request &request) {
    WebwinWindow &window = request.window;
    std::string asked = request.path;
    if (asked == "/" && !window.start_file.empty()) {
        asked = window.start_file.front() == '/' ? window.start_file : "/" + window.start_file;
    }
    const Answer answer = callHandler(window, asked);
    const int length = answerLength(answer);
    if (length > 0) {
        if (asked != request.path) {
            release(answer.bytes);
            return sendRedirect(request, asked);
        }
        writeText(request, std::string_view(static_cast<const char *>(answer.bytes), static_cast<size_t>(length)));
        release(answer.bytes);
        return 200;
    }
    release(answer.bytes);
    const std::string base = request.path == "/" ? "/" : withSlash(request.path);
    const std::vector<std::string> names = candidates(window, true);
    for (const std::string &name : names) {
        const Answer found = callHandler(window, base + name);
        if (found.bytes != nullptr) {
            release(found.bytes);
            return sendRedirect(request, base + name);
        }
    }
    return 0;
}

}  // namespace webwin

using namespace webwin;

extern "C" void webwin_set_file_handler(size_t id, const void *(*handler)(const char *, int *)) {
    if (handler == nullptr || !enter()) return;
    WebwinWindow *window = windowOf(id);
    if (window == nullptr) return;
    // Cookie authentication stays as configured: a handler serves this window's files, it does
    // not make every window's pages open to any client.
    Guard guard(lockOf(http_lock));
    window->file_handler = handler;
    window->file_handler_window = nullptr;
}

extern "C" void webwin_set_file_handler_window(size_t id, const void *(*handler)(size_t, const char *, int *)) {
    if (handler == nullptr || !enter()) return;
    WebwinWindow *window = windowOf(id);
    if (window == nullptr) return;
    Guard guard(lockOf(http_lock));
    window->file_handler_window = handler;
    window->file_handler = nullptr;
}

extern "C" void webwin_interface_set_response_file_handler(size_t id, const void *response, int length) {
    if (!enter()) return;
    WebwinWindow *window = windowOf(id);
    if (window == nullptr) return;
    if (length == 0 && response != nullptr) {
        length = static_cast<int>(strnlen(static_cast<const char *>(response), 64000000));
    }
    void *copy = nullptr;
    if (length > 0 && response != nullptr) {
        copy = trackedMalloc(static_cast<size_t>(length));
        if (copy == nullptr) return;
        std::memcpy(copy, response, static_cast<size_t>(length));
        // A block from webwin_malloc belongs to the library from here on.
        trackedFree(const_cast<void *>(response));
    }
    Guard guard(lockOf(response_lock));
    window->fh_response = copy;
    window->fh_response_length = copy == nullptr ? 0 : length;
    if (state().async_response) window->fh_response_done = true;
}

extern "C" void webwin_return_http(size_t id, const void *response, int length) {
    webwin_interface_set_response_file_handler(id, response, length);
}

extern "C" const char *webwin_get_mime_type(const char *file) {
    init();
    return mg_get_builtin_mime_type(textArgument(file).c_str());
}
