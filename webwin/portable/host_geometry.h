// Where the WebView2 host window opens: the window's stored size and position, 0 meaning
// the default size or a centred position.
#pragma once

#include <cstdint>

namespace webwin {

struct HostGeometry {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// A window larger than the screen opens with a negative, still centred, position.
HostGeometry hostGeometry(uint32_t x, uint32_t y, uint32_t width, uint32_t height, int32_t screen_width,
                          int32_t screen_height);

}  // namespace webwin
