#include "host_geometry.h"

#include <algorithm>
#include <cstdint>

namespace webwin {
namespace {

// Stored values come from the program; a window side or position never exceeds what a
// signed screen coordinate holds.
int32_t side(uint32_t stored, int32_t fallback) {
    return stored == 0 ? fallback : static_cast<int32_t>(std::min<uint32_t>(stored, INT32_MAX));
}

int32_t place(uint32_t stored, int32_t screen, int32_t size) {
    if (stored != 0) return static_cast<int32_t>(std::min<uint32_t>(stored, INT32_MAX));
    return static_cast<int32_t>((static_cast<int64_t>(screen) - size) / 2);
}

}  // namespace

HostGeometry hostGeometry(uint32_t x, uint32_t y, uint32_t width, uint32_t height, int32_t screen_width,
                          int32_t screen_height) {
    HostGeometry geometry;
    geometry.width = side(width, 800);
    geometry.height = side(height, 600);
    geometry.x = place(x, screen_width, geometry.width);
    geometry.y = place(y, screen_height, geometry.height);
    return geometry;
}

}  // namespace webwin
