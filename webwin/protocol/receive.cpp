#include "receive.h"

#include <civetweb.h>

#include <chrono>
#include <string>
#include <system_error>
#include <thread>

#include "connections.h"
#include "events/events.h"
#include "portable/auth_texts.h"
#include "portable/packets.h"
#include "scripts/scripts.h"
#include "windows/lifecycle.h"

namespace webwin {
namespace {

enum class Kind { packet = 1, closed = 3 };

thread_local WebwinWindow *t_message_window = nullptr;

// The record given to a handler, while the window table still holds it.
WebwinWindow *liveWindow(void *data) {
    auto *window = static_cast<WebwinWindow *>(data);
    if (window == nullptr || exiting()) return nullptr;
    return windowOf(window->id) == window ? window : nullptr;
}

void processPacket(WebwinWindow &window, ClientRef client, const std::string &packet) {
    const auto head = readHead(packet);
    if (!head || exiting()) return;
    std::unique_lock<std::recursive_mutex> serial(lockOf(event_block_lock), std::defer_lock);
    // Script answers pass, so a handler waiting for one in webwin_script still gets it.
    if (window.event_blocking && head->command != CMD_JS) serial.lock();
    switch (head->command) {
        case CMD_WINDOW_DRAG:
            if (const auto drag = readDrag(packet)) moveWindow(window, drag->first, drag->second);
            break;
        case CMD_CHECK_TK:
            if (!acceptToken(window, client)) {
                sendToClient(window, client, head->id, CMD_CHECK_TK, std::string(1, '\0'), true);
                break;
            }
            sendToClient(window, client, head->id, CMD_CHECK_TK, bindList(window), true);
            if (hasAllEvents(window)) dispatchEvent(window, client, EVENT_CONNECTED, "", nullptr);
            break;
        case CMD_CLICK:
            dispatchEvent(window, client, EVENT_CLICK, textAt(packet, kHeadSize), nullptr);
            break;
        case CMD_NAVIGATION:
            if (hasAllEvents(window)) {
                const std::string_view address = textAt(packet, kHeadSize);
                dispatchEvent(window, client, EVENT_NAVIGATION, "", &address);
            }
            break;
        case CMD_CALL_FUNC: handleCall(window, client, packet); break;
        case CMD_JS: scriptAnswer(head->id, packet); break;
        default: break;
    }
}

void messageThread(WebwinWindow *window, ClientRef client, Kind kind, std::string packet) {
    t_message_window = window;
    if (!exiting()) {
        if (kind == Kind::packet) {
            processPacket(*window, client, packet);
        } else {
            windowDisconnected(*window);
            if (hasAllEvents(*window)) dispatchEvent(*window, client, EVENT_DISCONNECTED, "", nullptr);
        }
    }
    --window->message_threads;
}

// Every message runs on its own thread, so the server's worker goes back to its socket at once.
void startMessage(WebwinWindow &window, ClientRef client, Kind kind, std::string packet) {
    ++window.message_threads;
    try {
        std::thread(messageThread, &window, client, kind, std::move(packet)).detach();
    } catch (const std::system_error &) {
        --window.message_threads;
        logError("a message thread could not start");
    }
}

int connectHandler(const mg_connection *connection, void *data) {
    WebwinWindow *window = liveWindow(data);
    if (window == nullptr) return 1;
    if (!originAllowed(textArgument(mg_get_header(connection, "Origin")),
                       textArgument(mg_get_header(connection, "Host")), window->port, window->is_public)) {
        return 1;
    }
    if (!state().multi_client && windowConnected(*window)) return 1;
    bool known = false;
    if (state().cookie_auth) known = clientByCookie(textArgument(mg_get_header(connection, "Cookie"))) != 0;
    if (state().multi_client || known) return 0;
    Guard guard(lockOf(http_lock));
    return state().cookie_issued[window->id] ? 1 : 0;
}

void readyHandler(mg_connection *connection, void *data) {
    WebwinWindow *window = liveWindow(data);
    if (window == nullptr) return;
    ClientRef ref;
    registerClient(*window, connection, ref);  // a refused connection is sent a close frame
}

int dataHandler(mg_connection *connection, int bits, char *bytes, size_t length, void *data) {
    WebwinWindow *window = liveWindow(data);
    if (window == nullptr) return 0;
    if ((bits & 0x0F) != MG_WEBSOCKET_OPCODE_BINARY) return 1;
    ClientRef ref;
    auto result = receiveFrame(connection, std::string_view(bytes, length), window->token, ref);
    // Not in the table: refused or removed; returning 0 closes it from its own thread.
    if (!result) return 0;
    switch (result->kind) {
        case PacketReceiver::Kind::none: return 1;
        case PacketReceiver::Kind::refuse:
            writeFrame(connection, result->bytes);
            forgetClient(*window, connection);
            return 0;
        case PacketReceiver::Kind::packet: break;
    }
    startMessage(*window, ref, Kind::packet, std::move(result->bytes));
    return 1;
}

void closeHandler(const mg_connection *connection, void *data) {
    WebwinWindow *window = liveWindow(data);
    if (window == nullptr) return;
    const auto ref = forgetClient(*window, const_cast<mg_connection *>(connection));
    if (ref && windowConnectedFlag(*window)) startMessage(*window, *ref, Kind::closed, {});
}

}  // namespace

void installSocketHandlers(mg_context *context, WebwinWindow &window) {
    mg_set_websocket_handler(context, kSocketPath, connectHandler, readyHandler, dataHandler, closeHandler, &window);
}

bool messagesFinished(WebwinWindow &window) {
    const int own = t_message_window == &window ? 1 : 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (window.message_threads.load() > own) {
        if (std::chrono::steady_clock::now() > end) return false;
        sleepMs(1);
    }
    return true;
}

}  // namespace webwin
