// The HTTP side of a window's server.
#pragma once

#include <string>

#include "windows/window_record.h"

struct mg_connection;

namespace webwin {

// The request handler, installed for "/" and so reached by every path; its data is the window.
int httpHandler(mg_connection *connection, void *window);

// "/webwin.js" for the window: the bridge script and its settings line; empty when a
// single-client window is connected already.
std::string bridgeScript(WebwinWindow &window);

}  // namespace webwin
