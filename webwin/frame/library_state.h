// The bridge's one process-wide record, its locks, the exit flag, tracked memory and logging.
#pragma once

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace webwin {

struct WebwinWindow;

inline constexpr size_t kTableSize = 65535;  // window ids 1 ... 65534; slot 0 holds no window
inline constexpr size_t kLastWindowId = kTableSize - 1;

// The library locks, recursive, each with one role. Nestings: server start then active;
// wait then the condition; script then script id; client table then token.
enum Lock : size_t {
    server_start_lock,
    ws_write_lock,
    event_block_lock,
    wait_lock,
    bind_lock,
    script_lock,
    connection_state_lock,
    exit_lock,
    active_lock,
    http_lock,
    client_table_lock,
    response_lock,
    memory_lock,
    token_lock,
    script_id_lock,
    kLockCount
};

struct WebwinState {
    bool wait_for_connection = true;
    bool serial_events = false;
    bool watch_folder = false;
    bool multi_client = false;
    bool cookie_auth = true;
    bool async_response = false;
    std::vector<std::string> auth_cookies = std::vector<std::string>(kTableSize);  // slot 0 stays empty
    std::vector<bool> cookie_issued = std::vector<bool>(kTableSize);               // by window id
    uint64_t server_threads = 0;
    std::set<size_t> used_ports;
    uint64_t timeout = 15;
    bool exit_now = false;
    bool servers_active = false;
    bool servers_started = false;
    size_t current_browser = 0;
    std::array<WebwinWindow *, kTableSize> windows{};
    std::vector<bool> id_reserved = std::vector<bool>(kTableSize);
    std::string default_root_folder;
    bool webview_refused = false;  // under wait_lock: waiting began without a WebView2 host
    size_t next_bind_id = 0;      // one counter for every window's binds, under bind_lock
    uint16_t next_script_id = 0;  // under script_id_lock
    std::string browser_folder;   // looked in first for every browser; empty: none
};

WebwinState &state();
std::recursive_mutex &lockOf(Lock which);
using Guard = std::lock_guard<std::recursive_mutex>;
std::condition_variable_any &waitCondition();

void init();          // once until webwin_clean
bool initialised();
bool exiting();       // the exit flag, read under its lock
bool enter();         // the prologue of an export: initialise, then false while the library exits
void resetState();    // webwin_clean: back to uninitialised

// Tracked memory: zeroed blocks of size + 1 bytes that webwin_free and webwin_clean release.
void *trackedMalloc(size_t size);
bool trackedFree(void *block);  // false (and nothing done) for a block the library did not hand out
void trackedFreeAll();

void logInfo(const std::string &text);
void logError(const std::string &what);  // "Webwin Error: %s.\n"

// Texts handed in by a program: bounded at 64,000,000 bytes.
std::string textArgument(const char *text);

// Sleeps in the library's polling loops.
void sleepMs(unsigned milliseconds);

}  // namespace webwin
