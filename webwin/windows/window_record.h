// The record of one bridge window and the lookups of the window table.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "frame/library_state.h"
#include "webwin.h"

namespace webwin {

using FileHandler = const void *(*)(const char *filename, int *length);
using FileHandlerWindow = const void *(*)(size_t window, const char *filename, int *length);
using BindHandler = void (*)(WebwinEvent *event);
using InterfaceHandler = void (*)(size_t window, size_t event_type, char *element, size_t event_number, size_t bind_id);

struct Bind {
    std::string name;  // empty: the all-events handler
    BindHandler handler = nullptr;
    InterfaceHandler interface_handler = nullptr;
    void *context = nullptr;
};

struct EventSlot;
struct WebviewHost;
using CloseHandlerWv = bool (*)(size_t window);

// A page's connection as an event or a window remembers it: its index in the connection
// table and the serial of its registration, so a later connection in the same slot is not it.
struct ClientRef {
    size_t index = 0;
    uint64_t serial = 0;
};

struct WebwinWindow {
    uint64_t clients_count = 0;
    bool single_client_token_ok = false;
    bool page_requested = false;
    bool server_running = false;
    // Under server_lock: the running server is winding down (a show then starts a new one), or a
    // show has taken over the running server while it had no page (it then serves on).
    bool server_stopping = false;
    bool server_reuse = false;
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
    std::atomic<bool> host_closed{false};  // the WebView2 host window was closed
    size_t requested_port = 0;
    std::string icon;
    std::string icon_type;
    size_t current_browser = 0;
    uint64_t runtime = 0;
    bool hide = false;
    bool resizable = true;
    bool frameless = false;
    bool transparent = false;
    uint32_t width = 800, height = 600;
    bool size_set = false;
    uint32_t x = 0, y = 0;
    bool position_set = false;
    uint32_t min_width = 0, min_height = 0;
    bool min_size_set = false;
    CloseHandlerWv close_handler_wv = nullptr;
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
    std::map<size_t, Bind> binds;  // by bind id, under bind_lock
    bool has_all_events = false;
    std::map<size_t, EventSlot *> events;  // by event number, under memory_lock
    size_t last_event = 0;
    bool has_single_client = false;  // the first page's connection, under client_table_lock
    ClientRef single_client;
    std::atomic<int> message_threads{0};  // message threads still using the record

    // The browser started for the window (browsers/): what its command line is built from,
    // and the process the library started, ended with the window's server.
    std::string browser_path;  // the executable found for the browser, unquoted
    size_t browser_path_id = 0;  // the browser that executable is
    bool profile_set = false;
    bool default_profile = false;
    std::string profile_path;
    std::string profile_name;
    std::string custom_parameters;  // empty: none, the default flags
    bool kiosk = false;
    bool disable_high_contrast = false;
    bool has_proxy = false;
    std::string proxy;
    void *browser_process = nullptr;  // the started process's handle, under browser_lock
    std::recursive_mutex webview_lock;
    std::shared_ptr<WebviewHost> webview;  // the WebView2 host, under webview_lock
};

// The record of a window id, or null (ids outside 1 ... 65534 included).
WebwinWindow *windowOf(size_t id);

// Reads of flags shared with the server and message threads, each under its lock.
bool windowConnected(WebwinWindow &window);   // clients_count > 0 and connected
bool serverRunning(WebwinWindow &window);
bool stopRequested(WebwinWindow &window);
void setStopServer(WebwinWindow &window, bool stop);

}  // namespace webwin
