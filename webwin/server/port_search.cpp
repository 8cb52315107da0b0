#include "port_search.h"

#include <cstring>

#include "frame/library_state.h"
#include "frame/secure_random.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
namespace {
using Socket = SOCKET;
constexpr Socket kNoSocket = INVALID_SOCKET;
void closeSocket(Socket s) { closesocket(s); }
bool socketsReady() {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}
void socketsDone() { WSACleanup(); }
}  // namespace
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
namespace {
using Socket = int;
constexpr Socket kNoSocket = -1;
void closeSocket(Socket s) { close(s); }
bool socketsReady() { return true; }
void socketsDone() {}
}  // namespace
#endif

namespace webwin {

bool portInUse(size_t port) {
    if (port == 0 || port > 65535) return true;
    if (!socketsReady()) return true;
    bool inUse = true;
    Socket s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s != kNoSocket) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<unsigned short>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        inUse = bind(s, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0;
        closeSocket(s);
    }
    socketsDone();
    return inUse;
}

#ifndef _WIN32
void knockOnPort(size_t port) {
    if (port == 0 || port > 65535 || !socketsReady()) return;
    Socket s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s != kNoSocket) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<unsigned short>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connect(s, reinterpret_cast<sockaddr *>(&address), sizeof address);
        closeSocket(s);
    }
    socketsDone();
}
#endif

size_t freePort() {
    constexpr size_t kFirst = 10000, kCount = 55501;
    size_t port = kFirst;
    for (size_t draw = 0; draw < kCount; ++draw) {
        unsigned char bytes[4];
        secureRandom(bytes, sizeof bytes);
        const uint32_t value = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                               static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
        port = kFirst + value % kCount;
        {
            Guard guard(lockOf(memory_lock));
            if (state().used_ports.count(port) != 0) continue;
        }
        if (!portInUse(port)) break;
    }
    Guard guard(lockOf(memory_lock));
    state().used_ports.insert(port);
    return port;
}

void releasePort(size_t port) {
    Guard guard(lockOf(memory_lock));
    state().used_ports.erase(port);
}

std::string localAddress() {
    std::string found;
    if (!socketsReady()) return "127.0.0.1";
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0) {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        addrinfo *list = nullptr;
        if (getaddrinfo(host, nullptr, &hints, &list) == 0) {
            for (addrinfo *at = list; at != nullptr && found.empty(); at = at->ai_next) {
                char text[64] = {};
                const auto *in = reinterpret_cast<const sockaddr_in *>(at->ai_addr);
                if (inet_ntop(AF_INET, &in->sin_addr, text, sizeof text) != nullptr &&
                    std::strcmp(text, "127.0.0.1") != 0 && std::strncmp(text, "127.", 4) != 0)
                    found = text;
            }
            freeaddrinfo(list);
        }
    }
    socketsDone();
    return found.empty() ? "127.0.0.1" : found;
}

}  // namespace webwin
