// Where the WebView2 host window opens.
#include <gtest/gtest.h>

#include <cstdint>

#include "portable/host_geometry.h"

using namespace webwin;

TEST(HostGeometry, StoredValuesZeroAndOversizedWindows) {
    const struct {
        uint32_t x, y, width, height;
        int32_t screen_width, screen_height;
        HostGeometry expected;
    } cases[] = {
        {0, 0, 0, 0, 1024, 768, {112, 84, 800, 600}},                  // defaults, centred
        {0, 0, 640, 480, 1920, 1080, {640, 300, 640, 480}},            // 0 means centred
        {10, 0, 800, 600, 1024, 768, {10, 84, 800, 600}},              // each side on its own
        {0, 0, 3840, 2160, 1024, 768, {-1408, -696, 3840, 2160}},      // larger than the screen
        {0, 0, 800, 600, 0, 0, {-400, -300, 800, 600}},                // no screen size known
        {UINT32_MAX, 5, UINT32_MAX, 100, 1024, 768,                    // nothing wraps to negative
         {INT32_MAX, 5, INT32_MAX, 100}},
    };
    for (const auto &c : cases) {
        const HostGeometry g = hostGeometry(c.x, c.y, c.width, c.height, c.screen_width, c.screen_height);
        EXPECT_EQ(g.x, c.expected.x) << c.x << " " << c.width;
        EXPECT_EQ(g.y, c.expected.y) << c.y << " " << c.height;
        EXPECT_EQ(g.width, c.expected.width);
        EXPECT_EQ(g.height, c.expected.height);
    }
}
