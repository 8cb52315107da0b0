// The bridge's call round trip: a client calls a bound echo function over the packet protocol
// and waits for its answer, beside a bare civetweb WebSocket echo handler on the same machine,
// timed in the same run with the same client (median of 1000 round trips each; loopback).
#include <benchmark/benchmark.h>
#include <civetweb.h>

#include <algorithm>
#include <atomic>
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

// One WebSocket client: each frame it receives ends the wait of the round trip in flight.
struct Client {
    std::atomic<int> frames{0};
    mg_connection *connection = nullptr;

    static int onData(mg_connection *, int bits, char *, size_t, void *data) {
        if ((bits & 0x0F) == MG_WEBSOCKET_OPCODE_BINARY) ++static_cast<Client *>(data)->frames;
        return 1;
    }

    bool connect(int port) {
        char error[256] = "";
        connection = mg_connect_websocket_client("127.0.0.1", port, 0, error, sizeof error, "/_webwin_ws_connect",
                                                 nullptr, onData, nullptr, this);
        return connection != nullptr;
    }

    // Sends and waits for the answer; false after five seconds without one.
    bool roundTrip(const std::string &packet) {
        const int before = frames.load();
        mg_websocket_client_write(connection, MG_WEBSOCKET_OPCODE_BINARY, packet.data(), packet.size());
        const auto end = Clock::now() + std::chrono::seconds(5);
        while (frames.load() == before) {
            if (Clock::now() > end) return false;
            std::this_thread::yield();
        }
        return true;
    }

    ~Client() {
        if (connection != nullptr) mg_close_connection(connection);
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

    const char *options[] = {"listening_ports", "127.0.0.1:0", "num_threads", "4", nullptr};
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
