// The WebSocket endpoint "/_webwin_ws_connect" of a window's server, and the message threads.
#pragma once

#include "windows/window_record.h"

struct mg_context;

namespace webwin {

inline constexpr const char *kSocketPath = "/_webwin_ws_connect";

// Installs the endpoint's handlers on a window's server.
void installSocketHandlers(mg_context *context, WebwinWindow &window);

// Waits (bounded) until no message thread uses the record but the caller's own; false when
// some still run, and the record must then be left alive.
bool messagesFinished(WebwinWindow &window);

}  // namespace webwin
