// The server thread of a shown window: its embedded HTTP server lives as long as a page is
// attached (or, without a timeout, until the window stops or the library exits).
#pragma once

#include <cstdint>

#include "windows/window_record.h"

namespace webwin {

// Starts the window's server thread unless one is running already.
void startServerThread(WebwinWindow &window);
uint64_t serverThreadCount();

// The window whose HTTP request or message this thread is handling (null elsewhere).
WebwinWindow *handlingWindow();
void setHandlingWindow(WebwinWindow *window);

// A record destroyed from inside one of its own handlers: the server thread releases it when it ends.
void releaseWhenStopped(WebwinWindow &window);

}  // namespace webwin
