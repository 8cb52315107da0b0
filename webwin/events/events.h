// Bindings, events and their slots: what the page's calls and clicks reach in the program.
#pragma once

#include <string>
#include <string_view>

#include "portable/packets.h"
#include "windows/window_record.h"

namespace webwin {

// One event in progress: its page, the call's arguments (inside the received packet) and the answer.
struct EventSlot {
    ClientRef client;
    const char *arguments[kMaxArguments] = {};
    size_t sizes[kMaxArguments] = {};
    size_t count = 0;
    std::string response;    // under memory_lock
    bool response_done = false;  // under response_lock
};

// The CMD_CHECK_TK answer of the window: 1, its bind names, "," more with an all-events handler.
std::string bindList(WebwinWindow &window);
bool hasAllEvents(WebwinWindow &window);

// Connection, disconnection, click and navigation events (argument 0: `argument`, when given).
void dispatchEvent(WebwinWindow &window, ClientRef client, size_t type, std::string_view element,
                   const std::string_view *argument);
// A CMD_CALL_FUNC of the page: the named handler, then the answer with the packet's id.
void handleCall(WebwinWindow &window, ClientRef client, std::string_view packet);

// The slot of an event still in progress, under memory_lock (null when gone).
EventSlot *eventSlot(WebwinWindow &window, size_t number);
// Every slot still recorded, when the window goes.
void releaseEventSlots(WebwinWindow &window);

// The handler of "__webwin_core_api__", bound with every window.
void coreApiHandler(WebwinEvent *event);

}  // namespace webwin
