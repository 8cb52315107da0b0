// The bridge's call round trip: a client calls a bound echo function over the packet protocol
// and waits for its answer, beside a bare civetweb WebSocket echo handler on the same machine,
// timed in the same run with the same client (median of 1000 round trips each; loopback).
#include <benchmark/benchmark.h>
#include <civetweb.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "portable/packets.h"
#include "webwin.h"

namespace {

using Clock = std::chrono::steady_clock;

// One WebSocket client on a plain socket without Nagle's delay, so the servers are what is timed.
struct Client {
    int fd = -1;
    std::string pending;

    bool connect(int port) {
        fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) return false;
        const std::string request = "GET /_webwin_ws_connect HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                                    "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                                    "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n";
        if (!sendAll(request)) return false;
        while (pending.find("\r\n\r\n") == std::string::npos) {
            if (!fill()) return false;
        }
        const bool upgraded = pending.rfind("HTTP/1.1 101", 0) == 0;
        pending.erase(0, pending.find("\r\n\r\n") + 4);
        return upgraded;
    }

    bool sendAll(const std::string &bytes) {
        for (size_t at = 0; at < bytes.size();) {
            const ssize_t n = send(fd, bytes.data() + at, bytes.size() - at, 0);
            if (n <= 0) return false;
            at += static_cast<size_t>(n);
        }
        return true;
    }

    bool fill() {
        char buffer[65536];
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) return false;
        pending.append(buffer, static_cast<size_t>(n));
        return true;
    }

    // Sends one masked binary frame (mask 0) and reads frames until a binary one arrives.
    bool roundTrip(const std::string &packet) {
        std::string frame("\x82", 1);
        if (packet.size() < 126) {
            frame.push_back(static_cast<char>(0x80 | packet.size()));
        } else {
            frame.push_back(static_cast<char>(0x80 | 126));
            frame.push_back(static_cast<char>(packet.size() >> 8));
            frame.push_back(static_cast<char>(packet.size() & 0xFF));
        }
        frame.append(4, '\0');
        if (!sendAll(frame + packet)) return false;
        while (true) {
            while (pending.size() < 2) {
                if (!fill()) return false;
            }
            size_t length = static_cast<unsigned char>(pending[1]) & 0x7F, head = 2;
            if (length == 126) {
                while (pending.size() < 4) {
                    if (!fill()) return false;
                }
                length = static_cast<size_t>(static_cast<unsigned char>(pending[2])) << 8 | static_cast<unsigned char>(pending[3]);
                head = 4;
            }
            while (pending.size() < head + length) {
                if (!fill()) return false;
            }
            const int opcode = pending[0] & 0x0F;
            pending.erase(0, head + length);
            if (opcode == MG_WEBSOCKET_OPCODE_BINARY) return true;
        }
    }

    ~Client() {
        if (fd >= 0) close(fd);
    }
};

std::string pagePacket(uint32_t token, uint16_t id, unsigned char command, const std::string &payload) {
    std::string packet(1, static_cast<char>(webwin::WEBWIN_SIGNATURE));
    for (int i = 0; i < 4; ++i) packet.push_back(static_cast<char>((token >> (8 * i)) & 0xFF));
    packet.push_back(static_cast<char>(id & 0xFF));
    packet.push_back(static_cast<char>(id >> 8));
    packet.push_back(static_cast<char>(command));
    return packet + payload;
}

uint32_t windowToken(int port) {
    char error[256] = "";
    mg_connection *connection =
        mg_download("127.0.0.1", port, 0, error, sizeof error, "GET /webwin.js HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
    if (connection == nullptr) return 0;
    std::string body;
    char buffer[4096];
    for (int n; (n = mg_read(connection, buffer, sizeof buffer)) > 0;) body.append(buffer, static_cast<size_t>(n));
    mg_close_connection(connection);
    std::smatch found;
    return std::regex_search(body, found, std::regex("token: (\\d+)")) ? static_cast<uint32_t>(std::stoul(found[1]))
                                                                       : 0;
}

void echo(WebwinEvent *e) { webwin_return_string(e, webwin_get_string(e)); }

int bareEcho(mg_connection *connection, int bits, char *data, size_t length, void *) {
    if ((bits & 0x0F) == MG_WEBSOCKET_OPCODE_BINARY) mg_websocket_write(connection, MG_WEBSOCKET_OPCODE_BINARY, data, length);
    return 1;
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void BM_WebwinCallBesideBareEcho(benchmark::State &state) {
    webwin_set_config(CONFIG_COOKIE_AUTH, false);
    const size_t window = webwin_new_window();
    webwin_bind(window, "echo", echo);
    const char *url = webwin_start_server(window, "<html><script src=\"webwin.js\"></script></html>");
    const int bridgePort = std::stoi(std::string(url).substr(std::string(url).rfind(':') + 1));
    const uint32_t token = windowToken(bridgePort);

    // the bare server takes the bridge's socket options
    const char *options[] = {"listening_ports", "127.0.0.1:0", "num_threads", "4", "tcp_nodelay", "1", nullptr};
    mg_callbacks callbacks{};
    mg_context *bare = mg_start(&callbacks, nullptr, options);
    mg_set_websocket_handler(bare, "/_webwin_ws_connect", nullptr, nullptr, bareEcho, nullptr, nullptr);
    mg_server_port ports[1]{};
    mg_get_server_ports(bare, 1, ports);

    Client bridgeClient, bareClient;
    if (token == 0 || !bridgeClient.connect(bridgePort) || !bareClient.connect(ports[0].port) ||
        !bridgeClient.roundTrip(pagePacket(token, 0, webwin::CMD_CHECK_TK, ""))) {
        state.SkipWithError("the bridge or the bare server did not answer");
    }
    const std::string call = pagePacket(token, 1, webwin::CMD_CALL_FUNC, std::string("echo\0" "5\0" "hello\0", 14));
    std::vector<double> bridgeTimes, bareTimes;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            auto start = Clock::now();
            if (!bridgeClient.roundTrip(call)) state.SkipWithError("a call got no answer");
            bridgeTimes.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
            start = Clock::now();
            if (!bareClient.roundTrip(call)) state.SkipWithError("the bare echo got no answer");
            bareTimes.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        }
    }
    if (!bridgeTimes.empty()) {
        state.counters["bridge_median_us"] = median(bridgeTimes);
        state.counters["bare_median_us"] = median(bareTimes);
        state.counters["ratio"] = median(bridgeTimes) / median(bareTimes);
    }
    mg_stop(bare);
    webwin_destroy(window);
}
BENCHMARK(BM_WebwinCallBesideBareEcho)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
