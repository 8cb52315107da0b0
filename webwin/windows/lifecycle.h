// What the message threads ask of a window's lifecycle.
#pragma once

#include <cstdint>

#include "window_record.h"

namespace webwin {

// A page went away: its cookie may be issued again and no browser is on the window.
void windowDisconnected(WebwinWindow &window);
// The `connected` flag alone (the last page may just have gone).
bool windowConnectedFlag(WebwinWindow &window);
// The page's own window drag: the stored position, within the screen sizes a window may take.
void moveWindow(WebwinWindow &window, int32_t x, int32_t y);

}  // namespace webwin
