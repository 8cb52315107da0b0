// The record of one bridge window and the lookups of the window table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "frame/library_state.h"

namespace webwin {

using FileHandler = const void *(*)(const char *filename, int *length);
using FileHandlerWindow = const void *(*)(size_t window, const char *filename, int *length);

struct WebwinWindow {
    uint64_t clients_count = 0;
    bool single_client_token_ok = false;
    bool page_requested = false;
    bool server_running = false;
    bool connected = false;
    size_t port = 0;
    std::string url;
    std::string public_url;
    std::string html;
    std::string start_file;
    std::string start_file_url;
    bool serve_index = false;
    std::string root_folder = ".";
    uint32_t token = 0;  // made with the record from the system's random source, never 0
    size_t id = 0;
    bool showing = false;
    bool event_blocking = false;
    bool is_html = false;
    bool host_closed = false;
    size_t requested_port = 0;
    std::string icon;
    std::string icon_type;
    size_t current_browser = 0;
    uint64_t runtime = 0;
    bool hide = false;
    uint32_t width = 800, height = 600;
    bool size_set = false;
    uint32_t x = 0, y = 0;
    bool position_set = false;
    FileHandler file_handler = nullptr;
    FileHandlerWindow file_handler_window = nullptr;
    const void *fh_response = nullptr;
    int fh_response_length = 0;
    bool fh_response_done = false;
    bool is_public = false;
    std::recursive_mutex stop_lock;
    std::recursive_mutex browser_lock;
    std::recursive_mutex server_lock;
    bool stop_server = false;
    bool allow_webview = false;
    bool allow_browser = false;
    std::thread server_thread;  // joined before the record goes
};

// The record of a window id, or null (ids outside 1 ... 65534 included).
WebwinWindow *windowOf(size_t id);

// Reads of flags shared with the server and message threads, each under its lock.
bool windowConnected(WebwinWindow &window);   // clients_count > 0 and connected
bool serverRunning(WebwinWindow &window);
bool stopRequested(WebwinWindow &window);
void setStopServer(WebwinWindow &window, bool stop);

}  // namespace webwin
