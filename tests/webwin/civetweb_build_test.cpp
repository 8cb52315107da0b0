// The embedded server is built as the bridge needs it: WebSocket on, TLS and CGI off on Windows.
#include <gtest/gtest.h>

#include <civetweb.h>

TEST(CivetwebBuild, HasWebSocket) {
    EXPECT_TRUE(mg_check_feature(16));  // 16: WebSocket
#ifdef _WIN32
    EXPECT_FALSE(mg_check_feature(2));  // 2: TLS
    EXPECT_FALSE(mg_check_feature(4));  // 4: CGI
#endif
}

TEST(CivetwebBuild, StartsAndStopsOnLoopback) {
    mg_init_library(0);
    const char *options[] = {"listening_ports", "127.0.0.1:0", "num_threads", "1", nullptr};
    mg_callbacks callbacks{};
    mg_context *ctx = mg_start(&callbacks, nullptr, options);
    ASSERT_NE(ctx, nullptr);
    mg_server_port ports[2]{};
    int n = mg_get_server_ports(ctx, 2, ports);
    EXPECT_GE(n, 1);
    if (n >= 1) {
        EXPECT_GT(ports[0].port, 0);
    }
    mg_stop(ctx);
    mg_exit_library();
}
