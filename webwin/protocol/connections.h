// The connection table of every window's pages, and the two ways of sending packets.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "portable/packets.h"
#include "windows/window_record.h"

struct mg_connection;

namespace webwin {

// Registers a connection whose handshake finished; false when the window refuses it (a
// single-client window already connected, or a full table): it is then closed.
bool registerClient(WebwinWindow &window, mg_connection *connection, ClientRef &ref);
// Takes a connection out of the table (from its own handlers); what it was, when it was there.
std::optional<ClientRef> forgetClient(WebwinWindow &window, mg_connection *connection);
// Takes a connection out of the table and asks the page to close it: a close frame, since
// civetweb closes a server connection only from the connection's own thread.
void closeClient(WebwinWindow &window, ClientRef ref);
void closeAllClients(WebwinWindow &window);

// A frame of a registered connection through its receive path; nothing for a connection
// that is not in the table (the caller closes it).
std::optional<PacketReceiver::Result> receiveFrame(mg_connection *connection, std::string_view frame, uint32_t token,
                                                   ClientRef &ref);

// What the page's connection request told: its cookie slot (0 when unknown) and "Cookie" header.
struct ClientInfo {
    size_t client_id = 0;
    std::string cookies;
};
ClientInfo clientInfo(ClientRef ref);
// The cookie slot of a "Cookie" header: 0 when cookies are off or it is not one of ours.
size_t clientByCookie(std::string_view cookieHeader);

// CMD_CHECK_TK with the right token: false when the connection is gone.
bool acceptToken(WebwinWindow &window, ClientRef ref);
std::optional<ClientRef> singleClient(WebwinWindow &window);
// The current connection at a table index, when it belongs to the window.
std::optional<ClientRef> clientAt(WebwinWindow &window, size_t index);

// One packet to one page; unless `bypass`, only to a page whose token was accepted.
void sendToClient(WebwinWindow &window, ClientRef ref, uint16_t id, unsigned char command, std::string_view payload,
                  bool bypass);
// A packet (id 0) to every accepted page of the window (only the single page without multi_client).
void sendAll(WebwinWindow &window, unsigned char command, std::string_view payload);
// Writes a refusal to a connection from its own handler.
void writeFrame(mg_connection *connection, std::string_view packet);

}  // namespace webwin
