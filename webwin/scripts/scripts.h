// Scripts run in a page, with or without an answer; raw data for a page function; navigation.
#pragma once

#include <cstdint>
#include <string_view>

#include "windows/window_record.h"

namespace webwin {

// The window and page of an event, for the one-client members; null when either is gone.
WebwinWindow *eventWindow(const WebwinEvent *event, ClientRef &client);
// An event made of a window id and an event number, while that event's slot lives (the
// prologue included: false while the library exits).
bool interfaceEvent(size_t windowId, size_t number, WebwinEvent &event);

// A CMD_JS answer of a page: copied into the buffer of the caller still waiting for it.
void scriptAnswer(uint16_t id, std::string_view packet);

}  // namespace webwin
