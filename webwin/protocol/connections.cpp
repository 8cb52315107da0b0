#include "connections.h"

#include <civetweb.h>

#include <unordered_map>
#include <vector>

#include "portable/auth_texts.h"

namespace webwin {
namespace {

struct ClientSlot {
    mg_connection *connection = nullptr;
    size_t window = 0;
    bool token_ok = false;  // under token_lock
    uint64_t serial = 0;
    PacketReceiver receiver;
    ClientInfo info;
};

// Under client_table_lock. Writes hold it too, so a connection written to stays in the table
// (its close handler waits for the lock) and so stays alive.
struct ClientTable {
    std::vector<ClientSlot> slots = std::vector<ClientSlot>(kTableSize);
    std::unordered_map<mg_connection *, size_t> index;
    uint64_t serials = 0;
};

ClientTable &table() {
    static auto *clients = new ClientTable();
    return *clients;
}

ClientSlot *slotOf(WebwinWindow &window, ClientRef ref) {
    if (ref.index >= kTableSize) return nullptr;
    ClientSlot &slot = table().slots[ref.index];
    if (slot.connection == nullptr || slot.serial != ref.serial || slot.window != window.id) return nullptr;
    return &slot;
}

bool tokenAccepted(const ClientSlot &slot) {
    Guard guard(lockOf(token_lock));
    return slot.token_ok;
}

void write(mg_connection *connection, int opcode, std::string_view bytes) {
    Guard guard(lockOf(ws_write_lock));
    mg_websocket_write(connection, opcode, bytes.data(), bytes.size());
}

// Under client_table_lock.
void clearSlot(WebwinWindow &window, size_t index) {
    ClientSlot &slot = table().slots[index];
    {
        Guard guard(lockOf(token_lock));
        if (window.has_single_client && window.single_client.index == index &&
            window.single_client.serial == slot.serial) {
            window.has_single_client = false;
            window.single_client_token_ok = false;
        }
    }
    table().index.erase(slot.connection);
    slot = ClientSlot();
    Guard guard(lockOf(connection_state_lock));
    if (window.clients_count > 0) --window.clients_count;
}

}  // namespace

bool registerClient(WebwinWindow &window, mg_connection *connection, ClientRef &ref) {
    // The cookie lookup takes http_lock, which a file handler may hold while it sends: before lock 10.
    ClientInfo info;
    info.cookies = textArgument(mg_get_header(connection, "Cookie"));
    info.client_id = clientByCookie(info.cookies);
    Guard guard(lockOf(client_table_lock));
    ClientTable &clients = table();
    const bool refused = (!state().multi_client && windowConnected(window)) || clients.index.count(connection) != 0;
    size_t free = kTableSize;
    for (size_t i = 0; !refused && i < kTableSize; ++i) {
        if (clients.slots[i].connection == nullptr) {
            free = i;
            break;
        }
    }
    if (free == kTableSize) {
        write(connection, MG_WEBSOCKET_OPCODE_CONNECTION_CLOSE, "");
        return false;
    }
    ClientSlot &slot = clients.slots[free];
    slot.connection = connection;
    slot.window = window.id;
    slot.serial = ++clients.serials;
    clients.index[connection] = free;
    ref = {free, slot.serial};
    slot.info = std::move(info);
    {
        Guard tokens(lockOf(token_lock));
        slot.token_ok = false;
        if (!window.has_single_client) {
            window.has_single_client = true;
            window.single_client = ref;
            window.single_client_token_ok = false;
        }
    }
    Guard connected(lockOf(connection_state_lock));
    ++window.clients_count;
    window.connected = true;
    return true;
}

std::optional<ClientRef> forgetClient(WebwinWindow &window, mg_connection *connection) {
    Guard guard(lockOf(client_table_lock));
    const auto found = table().index.find(connection);
    if (found == table().index.end() || table().slots[found->second].window != window.id) return std::nullopt;
    const ClientRef ref{found->second, table().slots[found->second].serial};
    clearSlot(window, found->second);
    return ref;
}

void closeClient(WebwinWindow &window, ClientRef ref) {
    Guard guard(lockOf(client_table_lock));
    ClientSlot *slot = slotOf(window, ref);
    if (slot == nullptr) return;
    write(slot->connection, MG_WEBSOCKET_OPCODE_CONNECTION_CLOSE, "");
    clearSlot(window, ref.index);
}

void closeAllClients(WebwinWindow &window) {
    Guard guard(lockOf(client_table_lock));
    for (size_t i = 0; i < kTableSize; ++i) {
        ClientSlot &slot = table().slots[i];
        if (slot.connection == nullptr || slot.window != window.id) continue;
        write(slot.connection, MG_WEBSOCKET_OPCODE_CONNECTION_CLOSE, "");
        clearSlot(window, i);
    }
}

std::optional<PacketReceiver::Result> receiveFrame(mg_connection *connection, std::string_view frame, uint32_t token,
                                                   ClientRef &ref) {
    Guard guard(lockOf(client_table_lock));
    const auto found = table().index.find(connection);
    if (found == table().index.end()) return std::nullopt;
    ClientSlot &slot = table().slots[found->second];
    ref = {found->second, slot.serial};
    return slot.receiver.frame(frame, token);
}

ClientInfo clientInfo(ClientRef ref) {
    Guard guard(lockOf(client_table_lock));
    if (ref.index >= kTableSize || table().slots[ref.index].serial != ref.serial) return {};
    return table().slots[ref.index].info;
}

size_t clientByCookie(std::string_view cookieHeader) {
    Guard guard(lockOf(http_lock));
    const WebwinState &s = state();
    if (!s.cookie_auth) return 0;
    const std::string cookie = cookieFromHeader(cookieHeader, kCookieName);
    if (cookie.empty()) return 0;
    for (size_t slot = 1; slot < kTableSize; ++slot) {
        if (!s.auth_cookies[slot].empty() && sameSecret(s.auth_cookies[slot], cookie)) return slot;
    }
    return 0;
}

bool acceptToken(WebwinWindow &window, ClientRef ref) {
    Guard guard(lockOf(client_table_lock));
    ClientSlot *slot = slotOf(window, ref);
    if (slot == nullptr) return false;
    Guard tokens(lockOf(token_lock));
    slot->token_ok = true;
    if (window.has_single_client && window.single_client.index == ref.index &&
        window.single_client.serial == ref.serial) {
        window.single_client_token_ok = true;
    }
    return true;
}

std::optional<ClientRef> singleClient(WebwinWindow &window) {
    Guard guard(lockOf(client_table_lock));
    Guard tokens(lockOf(token_lock));
    if (!window.has_single_client) return std::nullopt;
    return window.single_client;
}

std::optional<ClientRef> clientAt(WebwinWindow &window, size_t index) {
    Guard guard(lockOf(client_table_lock));
    if (index >= kTableSize) return std::nullopt;
    const ClientSlot &slot = table().slots[index];
    if (slot.connection == nullptr || slot.window != window.id) return std::nullopt;
    return ClientRef{index, slot.serial};
}

void sendToClient(WebwinWindow &window, ClientRef ref, uint16_t id, unsigned char command, std::string_view payload,
                  bool bypass) {
    if (window.id == 0 || window.id > kLastWindowId) return;
    const std::string packet = buildPacket(id, command, payload);
    Guard guard(lockOf(client_table_lock));
    ClientSlot *slot = slotOf(window, ref);
    if (slot == nullptr || (!bypass && !tokenAccepted(*slot)) || !windowConnected(window)) return;
    write(slot->connection, MG_WEBSOCKET_OPCODE_BINARY, packet);
}

void sendAll(WebwinWindow &window, unsigned char command, std::string_view payload) {
    if (!state().multi_client) {
        const auto single = singleClient(window);
        if (single) sendToClient(window, *single, 0, command, payload, false);
        return;
    }
    const std::string packet = buildPacket(0, command, payload);
    Guard guard(lockOf(client_table_lock));
    if (!windowConnected(window)) return;
    for (ClientSlot &slot : table().slots) {
        if (slot.connection != nullptr && slot.window == window.id && tokenAccepted(slot)) {
            write(slot.connection, MG_WEBSOCKET_OPCODE_BINARY, packet);
        }
    }
}

void writeFrame(mg_connection *connection, std::string_view packet) {
    write(connection, MG_WEBSOCKET_OPCODE_BINARY, packet);
}

}  // namespace webwin
