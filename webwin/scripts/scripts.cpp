#include "scripts.h"

#include <chrono>
#include <cstring>
#include <vector>

#include "events/events.h"
#include "portable/packets.h"
#include "protocol/connections.h"
#include "webview/webview.h"
#include "webwin.h"
#include "windows/window_record.h"

namespace webwin {
namespace {

// The caller waiting for a script id; under script_lock. A caller that stops waiting
// withdraws its buffer, so a late answer finds none.
struct ScriptWait {
    bool done = false;
    bool error = false;
    char *buffer = nullptr;
    size_t size = 0;
};

std::vector<ScriptWait> &scripts() {
    static auto *table = new std::vector<ScriptWait>(kTableSize);
    return *table;
}

uint16_t nextScriptId() {
    Guard guard(lockOf(script_id_lock));
    uint16_t &counter = state().next_script_id;
    if (counter >= kTableSize) counter = 0;
    return counter++;
}

// The page of an event: the slot's own connection while the event lives, else the
// connection now at the event's index, when it belongs to the window.
std::optional<ClientRef> clientOfEvent(WebwinWindow &window, const WebwinEvent &event) {
    {
        Guard guard(lockOf(memory_lock));
        if (const EventSlot *slot = eventSlot(window, event.event_number)) {
            if (slot->client.index == event.connection_id) return slot->client;
        }
    }
    return clientAt(window, event.connection_id);
}

std::string rawPayload(const char *function, const void *raw, size_t size) {
    std::string payload = textArgument(function);
    payload.push_back('\0');
    payload.append(static_cast<const char *>(raw), size);
    return payload;
}

}  // namespace

WebwinWindow *eventWindow(const WebwinEvent *event, ClientRef &client) {
    if (event == nullptr) return nullptr;
    WebwinWindow *window = windowOf(event->window);
    if (window == nullptr) return nullptr;
    const auto found = clientOfEvent(*window, *event);
    if (!found) return nullptr;
    client = *found;
    return window;
}

bool interfaceEvent(size_t windowId, size_t number, WebwinEvent &event) {
    if (!enter()) return false;
    WebwinWindow *window = windowOf(windowId);
    if (window == nullptr) return false;
    Guard guard(lockOf(memory_lock));
    const EventSlot *slot = eventSlot(*window, number);
    if (slot == nullptr) return false;
    event = WebwinEvent{windowId, 0, nullptr, number, 0, 0, slot->client.index, nullptr};
    return true;
}

void scriptAnswer(uint16_t id, std::string_view packet) {
    if (id >= kTableSize) return;
    const auto answer = readScriptAnswer(packet);
    Guard guard(lockOf(script_lock));
    ScriptWait &wait = scripts()[id];
    // Nobody waits (timed out, or never asked): the answer is dropped. A short answer is an empty one.
    if (wait.buffer == nullptr) return;
    wait.error = answer && answer->error;
    copyCut(wait.buffer, wait.size, answer ? std::string_view(answer->result) : std::string_view());
    wait.done = true;
}

}  // namespace webwin

using namespace webwin;

extern "C" void webwin_run(size_t windowId, const char *script) {
    if (!enter() || script == nullptr || script[0] == '\0') return;
    WebwinWindow *window = windowOf(windowId);
    if (window == nullptr || !windowConnected(*window)) return;
    sendAll(*window, CMD_JS_QUICK, textArgument(script));
}

extern "C" void webwin_run_client(WebwinEvent *e, const char *script) {
    if (!enter() || script == nullptr || script[0] == '\0') return;
    ClientRef client;
    WebwinWindow *window = eventWindow(e, client);
    if (window == nullptr || !windowConnected(*window)) return;
    sendToClient(*window, client, 0, CMD_JS_QUICK, textArgument(script), false);
}

extern "C" bool webwin_script_client(WebwinEvent *e, const char *script, size_t timeout, char *buffer,
                                     size_t buffer_length) {
    if (buffer == nullptr) buffer_length = 0;
    if (buffer_length > 0) std::memset(buffer, 0, buffer_length);
    if (!enter() || script == nullptr || script[0] == '\0') return false;
    ClientRef client;
    WebwinWindow *window = eventWindow(e, client);
    if (window == nullptr || !windowConnected(*window)) return false;
    // An answer is written into the buffer: without one, a scratch byte takes its place.
    char scratch = 0;
    if (buffer_length == 0) {
        buffer = &scratch;
        buffer_length = 1;
    }
    uint16_t id = 0;
    {
        Guard guard(lockOf(script_lock));
        id = nextScriptId();
        scripts()[id] = ScriptWait{false, false, buffer, buffer_length};
    }
    sendToClient(*window, client, id, CMD_JS, textArgument(script), false);
    const bool limited = timeout > 0 && timeout <= 86400;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(timeout);
    while (true) {
        {
            Guard guard(lockOf(script_lock));
            ScriptWait &wait = scripts()[id];
            const bool gone = exiting() || (limited && std::chrono::steady_clock::now() > end) ||
                              windowOf(e->window) != window;
            if (wait.done || gone) {
                const bool answered = wait.done && !wait.error;
                // Withdrawn under the lock: a late answer never writes into a buffer nobody waits on.
                wait = ScriptWait();
                return answered;
            }
        }
        sleepMs(1);
    }
}

extern "C" bool webwin_script(size_t windowId, const char *script, size_t timeout, char *buffer,
                              size_t buffer_length) {
    if (!enter()) return false;
    WebwinWindow *window = windowOf(windowId);
    if (window == nullptr) return false;
    if (state().multi_client) {
        // An answer needs one page: webwin_script_client.
        if (buffer != nullptr && buffer_length > 0) std::memset(buffer, 0, buffer_length);
        return false;
    }
    const auto single = singleClient(*window);
    if (!single) {
        if (buffer != nullptr && buffer_length > 0) std::memset(buffer, 0, buffer_length);
        return false;
    }
    WebwinEvent event{windowId, 0, nullptr, kTableSize, 0, 0, single->index, nullptr};
    return webwin_script_client(&event, script, timeout, buffer, buffer_length);
}

extern "C" void webwin_send_raw(size_t windowId, const char *function, const void *raw, size_t size) {
    if (size == 0 || function == nullptr || function[0] == '\0' || raw == nullptr) return;
    if (!enter()) return;
    WebwinWindow *window = windowOf(windowId);
    if (window == nullptr) return;
    sendAll(*window, CMD_SEND_RAW, rawPayload(function, raw, size));
}

extern "C" void webwin_send_raw_client(WebwinEvent *e, const char *function, const void *raw, size_t size) {
    if (size == 0 || function == nullptr || function[0] == '\0' || raw == nullptr) return;
    if (!enter()) return;
    ClientRef client;
    WebwinWindow *window = eventWindow(e, client);
    if (window == nullptr) return;
    sendToClient(*window, client, 0, CMD_SEND_RAW, rawPayload(function, raw, size), false);
}

extern "C" void webwin_navigate(size_t windowId, const char *url) {
    if (!enter()) return;
    WebwinWindow *window = windowOf(windowId);
    if (window == nullptr) return;
    // A WebView2 host navigates itself; its page gets no packet.
    if (webviewNavigate(*window, textArgument(url))) return;
    if (!windowConnected(*window)) return;
    sendAll(*window, CMD_NAVIGATION, textArgument(url));
}

extern "C" void webwin_navigate_client(WebwinEvent *e, const char *url) {
    if (!enter()) return;
    ClientRef client;
    WebwinWindow *window = eventWindow(e, client);
    if (window == nullptr || webviewHosted(*window) || !windowConnected(*window)) return;
    sendToClient(*window, client, 0, CMD_NAVIGATION, textArgument(url), false);
}

extern "C" void webwin_close_client(WebwinEvent *e) {
    if (!enter()) return;
    ClientRef client;
    WebwinWindow *window = eventWindow(e, client);
    if (window == nullptr) return;
    sendToClient(*window, client, 0, CMD_CLOSE, "", false);
    closeClient(*window, client);
}

extern "C" void webwin_interface_run_client(size_t window, size_t number, const char *script) {
    WebwinEvent event{};
    if (interfaceEvent(window, number, event)) webwin_run_client(&event, script);
}

extern "C" bool webwin_interface_script_client(size_t window, size_t number, const char *script, size_t timeout,
                                               char *buffer, size_t buffer_length) {
    WebwinEvent event{};
    if (!interfaceEvent(window, number, event)) return false;
    return webwin_script_client(&event, script, timeout, buffer, buffer_length);
}

extern "C" void webwin_interface_send_raw_client(size_t window, size_t number, const char *function, const void *raw,
                                                 size_t size) {
    WebwinEvent event{};
    if (interfaceEvent(window, number, event)) webwin_send_raw_client(&event, function, raw, size);
}

extern "C" void webwin_interface_navigate_client(size_t window, size_t number, const char *url) {
    WebwinEvent event{};
    if (interfaceEvent(window, number, event)) webwin_navigate_client(&event, url);
}

extern "C" void webwin_interface_close_client(size_t window, size_t number) {
    WebwinEvent event{};
    if (interfaceEvent(window, number, event)) webwin_close_client(&event);
}
