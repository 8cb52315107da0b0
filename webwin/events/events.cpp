#include "events.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "protocol/connections.h"
#ifdef _WIN32
#include <windows.h>
#endif

namespace webwin {
namespace {

constexpr size_t kMaxArgumentSize = 64000000;

// Takes a free event number (going round from the last one) for a new slot; false when all
// 65,535 are in use.
bool newEventSlot(WebwinWindow &window, EventSlot *slot, size_t &number) {
    Guard guard(lockOf(memory_lock));
    for (size_t step = 1; step <= kTableSize; ++step) {
        const size_t candidate = (window.last_event + step) % kTableSize;
        if (window.events.count(candidate) == 0) {
            window.events[candidate] = slot;
            window.last_event = candidate;
            number = candidate;
            return true;
        }
    }
    return false;
}

void freeEventSlot(WebwinWindow &window, size_t number) {
    EventSlot *slot = nullptr;
    {
        Guard guard(lockOf(memory_lock));
        const auto found = window.events.find(number);
        if (found == window.events.end()) return;
        slot = found->second;
        window.events.erase(found);
    }
    delete slot;
}

// Polls the slot's answer (asynchronous mode) until it is set, the library exits or the window goes.
void awaitResponse(WebwinWindow &window, size_t number) {
    if (!state().async_response) return;
    while (!exiting() && windowOf(window.id) == &window) {
        {
            Guard guard(lockOf(memory_lock));
            const auto found = window.events.find(number);
            if (found == window.events.end()) return;
            Guard response(lockOf(response_lock));
            if (found->second->response_done) return;
        }
        sleepMs(10);
    }
}

// The bind of a name: its id and handler, looked up under bind_lock (never held while it runs).
bool findBind(WebwinWindow &window, std::string_view name, size_t &id, Bind &bind) {
    Guard guard(lockOf(bind_lock));
    for (const auto &entry : window.binds) {
        if (entry.second.name == name) {
            id = entry.first;
            bind = entry.second;
            return true;
        }
    }
    return false;
}

// The slot of an event record, when its window still holds it.
EventSlot *slotOfEvent(const WebwinEvent *event, WebwinWindow *&window) {
    if (event == nullptr) return nullptr;
    window = windowOf(event->window);
    if (window == nullptr) return nullptr;
    return eventSlot(*window, event->event_number);
}

void setResponse(size_t windowId, size_t number, std::string text) {
    WebwinWindow *window = windowOf(windowId);
    if (window == nullptr) return;
    Guard guard(lockOf(memory_lock));
    EventSlot *slot = eventSlot(*window, number);
    if (slot == nullptr) return;
    slot->response = std::move(text);
    if (state().async_response) {
        Guard response(lockOf(response_lock));
        slot->response_done = true;
    }
}

void setResponse(WebwinEvent *event, std::string text) {
    if (event == nullptr) return;
    setResponse(event->window, event->event_number, std::move(text));
}

// The argument text of an event (empty when absent); null for an index past 16 or a gone event.
const char *argumentAt(size_t windowId, size_t number, size_t index, size_t *size) {
    if (size != nullptr) *size = 0;
    if (index >= kMaxArguments || exiting()) return nullptr;
    WebwinWindow *window = windowOf(windowId);
    if (window == nullptr) return nullptr;
    Guard guard(lockOf(memory_lock));
    EventSlot *slot = eventSlot(*window, number);
    if (slot == nullptr) return nullptr;
    if (size != nullptr) *size = slot->sizes[index];
    if (slot->arguments[index] == nullptr || slot->sizes[index] < 1 || slot->sizes[index] > kMaxArgumentSize) return "";
    return slot->arguments[index];
}

// A number's text: only texts of 1 to 20 characters are converted.
bool numberText(const char *text, std::string &out) {
    if (text == nullptr) return false;
    const size_t length = strnlen(text, 21);
    if (length < 1 || length > 20) return false;
    out.assign(text, length);
    return true;
}

long long toInt(const char *text) {
    std::string digits;
    if (!numberText(text, digits)) return 0;
    errno = 0;
    const long long value = std::strtoll(digits.c_str(), nullptr, 10);
    return errno == ERANGE ? 0 : value;
}

double toFloat(const char *text) {
    std::string digits;
    if (!numberText(text, digits)) return 0.0;
    return std::strtod(digits.c_str(), nullptr);
}

bool toBool(const char *text) {
    if (text == nullptr) return false;
    return !(text[0] == '0' || text[0] == 'f' || text[0] == 'F');
}

void runHandlers(WebwinWindow &window, WebwinEvent &event, std::string_view element) {
    size_t id = 0;
    Bind bind;
    if (!exiting() && hasAllEvents(window) && findBind(window, "", id, bind) && bind.handler != nullptr) {
        event.bind_id = id;
        bind.handler(&event);
    }
    if (!exiting() && !element.empty() && findBind(window, element, id, bind) && bind.handler != nullptr) {
        event.bind_id = id;
        bind.handler(&event);
    }
    awaitResponse(window, event.event_number);
}

void interfaceBindHandler(WebwinEvent *event) {
    init();
    if (exiting() || event == nullptr) return;
    WebwinWindow *window = windowOf(event->window);
    if (window == nullptr) return;
    size_t id = 0;
    Bind bind;
    const std::string_view element = event->element == nullptr ? "" : event->element;
    if (!element.empty() && findBind(*window, element, id, bind) && bind.interface_handler != nullptr) {
        bind.interface_handler(event->window, event->event_type, event->element, event->event_number, id);
    }
    awaitResponse(*window, event->event_number);
}

void interfaceAllEventsHandler(WebwinEvent *event) {
    if (event == nullptr) return;
    WebwinWindow *window = windowOf(event->window);
    size_t id = 0;
    Bind bind;
    if (window != nullptr && hasAllEvents(*window) && findBind(*window, "", id, bind) &&
        bind.interface_handler != nullptr) {
        bind.interface_handler(event->window, event->event_type, event->element, event->event_number, id);
    }
}

bool highContrast() {
#ifdef _WIN32
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
#else
    return false;
#endif
}

// A fresh bind id for the window, or the id of the bind of that name; false past 65,535 ids.
bool bindIdFor(WebwinWindow &window, const std::string &name, bool byName, size_t &id) {
    if (byName) {
        for (const auto &entry : window.binds) {
            if (entry.second.name == name) {
                id = entry.first;
                return true;
            }
        }
    }
    if (state().next_bind_id >= kTableSize) return false;
    id = state().next_bind_id++;
    window.binds[id] = Bind();
    return true;
}

}  // namespace

EventSlot *eventSlot(WebwinWindow &window, size_t number) {
    Guard guard(lockOf(memory_lock));
    const auto found = window.events.find(number);
    return found == window.events.end() ? nullptr : found->second;
}

void releaseEventSlots(WebwinWindow &window) {
    Guard guard(lockOf(memory_lock));
    for (auto &entry : window.events) delete entry.second;
    window.events.clear();
}

std::string bindList(WebwinWindow &window) {
    Guard guard(lockOf(bind_lock));
    std::vector<std::string> names;
    for (const auto &entry : window.binds) names.push_back(entry.second.name);
    return tokenAnswer(names, window.has_all_events);
}

bool hasAllEvents(WebwinWindow &window) {
    Guard guard(lockOf(bind_lock));
    return window.has_all_events;
}

void dispatchEvent(WebwinWindow &window, ClientRef client, size_t type, std::string_view element,
                   const std::string_view *argument) {
    auto *slot = new EventSlot();
    slot->client = client;
    std::string argumentText;
    if (argument != nullptr) {
        argumentText = std::string(*argument);
        slot->arguments[0] = argumentText.c_str();
        slot->sizes[0] = argumentText.size();
        slot->count = 1;
    }
    size_t number = 0;
    if (!newEventSlot(window, slot, number)) {
        delete slot;
        return;
    }
    const ClientInfo info = type == EVENT_DISCONNECTED ? ClientInfo() : clientInfo(client);
    std::string elementText(element);
    std::string cookies = info.cookies;
    WebwinEvent event{window.id, type, elementText.data(), number, 0, info.client_id, client.index,
                      type == EVENT_DISCONNECTED ? nullptr : cookies.data()};
    runHandlers(window, event, element);
    freeEventSlot(window, number);
}

void handleCall(WebwinWindow &window, ClientRef client, std::string_view packet) {
    const auto head = readHead(packet);
    if (!head) return;
    const auto call = readCall(packet);
    std::string answer;
    auto *slot = new EventSlot();
    slot->client = client;
    size_t number = 0;
    if (!newEventSlot(window, slot, number)) {
        delete slot;
        sendToClient(window, client, head->id, CMD_CALL_FUNC, "", false);
        return;
    }
    if (call) {
        {
            Guard guard(lockOf(memory_lock));
            for (size_t k = 0; k < call->arguments.size(); ++k) {
                slot->sizes[k] = call->arguments[k].size;
                if (call->arguments[k].size > 0) slot->arguments[k] = packet.data() + call->arguments[k].offset;
            }
            slot->count = call->arguments.size();
        }
        const ClientInfo info = clientInfo(client);
        std::string name(call->name);
        std::string cookies = info.cookies;
        WebwinEvent event{window.id, EVENT_CALL, name.data(), number, 0, info.client_id, client.index, cookies.data()};
        size_t id = 0;
        Bind bind;
        if (!exiting() && findBind(window, name, id, bind) && bind.handler != nullptr) {
            event.bind_id = id;
            bind.handler(&event);
            awaitResponse(window, number);
        }
        Guard guard(lockOf(memory_lock));
        answer = slot->response;
    }
    sendToClient(window, client, head->id, CMD_CALL_FUNC, answer, false);
    freeEventSlot(window, number);
}

void coreApiHandler(WebwinEvent *event) {
    const char *what = webwin_get_string(event);
    if (what != nullptr && std::strcmp(what, "high_contrast") == 0) webwin_return_bool(event, highContrast());
}

}  // namespace webwin

using namespace webwin;

extern "C" size_t webwin_bind(size_t windowId, const char *element, void (*handler)(WebwinEvent *e)) {
    if (!enter()) return 0;
    WebwinWindow *window = windowOf(windowId);
    if (window == nullptr) return 0;
    const std::string name = textArgument(element);
    size_t id = 0;
    bool announce = false;
    {
        Guard guard(lockOf(bind_lock));
        // An empty name is the all-events entry: reused like any name.
        if (!bindIdFor(*window, name, true, id)) {
            logError("webwin_bind() refused: no bind ids are left");
            return 0;
        }
        Bind &bind = window->binds[id];
        bind.name = name;
        if (handler != nullptr) {
            bind.handler = handler;
            if (name.empty()) {
                window->has_all_events = true;
            } else {
                announce = true;
            }
        }
    }
    // Pages already connected learn the new name.
    if (announce) sendAll(*window, CMD_NEW_ID, name);
    return id;
}

extern "C" size_t webwin_interface_bind(size_t windowId, const char *element,
                                        void (*handler)(size_t, size_t, char *, size_t, size_t)) {
    if (!initialised() || exiting()) return 0;
    WebwinWindow *window = windowOf(windowId);
    if (window == nullptr) return 0;
    const std::string name = textArgument(element);
    size_t id = 0;
    if (!name.empty()) {
        id = webwin_bind(windowId, element, interfaceBindHandler);
        if (id == 0 && windowOf(windowId) == nullptr) return 0;
        Guard guard(lockOf(bind_lock));
        const auto found = window->binds.find(id);
        if (found == window->binds.end() || found->second.name != name) return 0;
        found->second.interface_handler = handler;
        return id;
    }
    init();
    Guard guard(lockOf(bind_lock));
    if (!bindIdFor(*window, "", true, id)) return 0;
    Bind &bind = window->binds[id];
    bind.name.clear();
    bind.handler = interfaceAllEventsHandler;
    bind.interface_handler = handler;
    window->has_all_events = true;
    return id;
}

extern "C" void webwin_set_context(size_t windowId, const char *element, void *context) {
    if (!enter()) return;
    WebwinWindow *window = windowOf(windowId);
    if (window == nullptr) return;
    const std::string name = textArgument(element);
    const size_t id = webwin_bind(windowId, element, nullptr);
    Guard guard(lockOf(bind_lock));
    const auto found = window->binds.find(id);
    if (found != window->binds.end() && found->second.name == name) found->second.context = context;
}

extern "C" void *webwin_get_context(WebwinEvent *e) {
    if (!enter() || e == nullptr) return nullptr;
    WebwinWindow *window = windowOf(e->window);
    if (window == nullptr) return nullptr;
    size_t id = 0;
    Bind bind;
    return findBind(*window, e->element == nullptr ? "" : e->element, id, bind) ? bind.context : nullptr;
}

extern "C" void webwin_set_event_blocking(size_t windowId, bool status) {
    if (!enter()) return;
    if (WebwinWindow *window = windowOf(windowId)) window->event_blocking = status;
}

extern "C" const char *webwin_get_string_at(WebwinEvent *e, size_t index) {
    init();
    if (e == nullptr) return nullptr;
    return argumentAt(e->window, e->event_number, index, nullptr);
}

extern "C" long long int webwin_get_int_at(WebwinEvent *e, size_t index) { return toInt(webwin_get_string_at(e, index)); }

extern "C" double webwin_get_float_at(WebwinEvent *e, size_t index) { return toFloat(webwin_get_string_at(e, index)); }

extern "C" bool webwin_get_bool_at(WebwinEvent *e, size_t index) { return toBool(webwin_get_string_at(e, index)); }

extern "C" size_t webwin_get_size_at(WebwinEvent *e, size_t index) {
    init();
    if (e == nullptr) return 0;
    size_t size = 0;
    argumentAt(e->window, e->event_number, index, &size);
    return size;
}

extern "C" size_t webwin_get_count(WebwinEvent *e) {
    init();
    WebwinWindow *window = nullptr;
    Guard guard(lockOf(memory_lock));
    const EventSlot *slot = slotOfEvent(e, window);
    return slot == nullptr ? 0 : slot->count;
}

extern "C" const char *webwin_get_string(WebwinEvent *e) { return webwin_get_string_at(e, 0); }
extern "C" long long int webwin_get_int(WebwinEvent *e) { return webwin_get_int_at(e, 0); }
extern "C" double webwin_get_float(WebwinEvent *e) { return webwin_get_float_at(e, 0); }
extern "C" bool webwin_get_bool(WebwinEvent *e) { return webwin_get_bool_at(e, 0); }
extern "C" size_t webwin_get_size(WebwinEvent *e) { return webwin_get_size_at(e, 0); }

extern "C" const char *webwin_interface_get_string_at(size_t window, size_t number, size_t index) {
    if (exiting() || windowOf(window) == nullptr) return nullptr;
    return argumentAt(window, number, index, nullptr);
}

extern "C" long long int webwin_interface_get_int_at(size_t window, size_t number, size_t index) {
    return toInt(webwin_interface_get_string_at(window, number, index));
}

extern "C" double webwin_interface_get_float_at(size_t window, size_t number, size_t index) {
    return toFloat(webwin_interface_get_string_at(window, number, index));
}

extern "C" bool webwin_interface_get_bool_at(size_t window, size_t number, size_t index) {
    return toBool(webwin_interface_get_string_at(window, number, index));
}

extern "C" size_t webwin_interface_get_size_at(size_t window, size_t number, size_t index) {
    if (exiting() || windowOf(window) == nullptr) return 0;
    size_t size = 0;
    argumentAt(window, number, index, &size);
    return size;
}

extern "C" void webwin_return_string(WebwinEvent *e, const char *text) {
    if (text == nullptr || text[0] == '\0') return;
    if (!enter()) return;
    setResponse(e, textArgument(text));
}

extern "C" void webwin_return_int(WebwinEvent *e, long long int value) {
    if (!enter()) return;
    char text[21];
    std::snprintf(text, sizeof text, "%lld", value);
    setResponse(e, text);
}

extern "C" void webwin_return_float(WebwinEvent *e, double value) {
    if (!enter()) return;
    char text[21];
    std::snprintf(text, sizeof text, "%lf", value);
    setResponse(e, text);
}

extern "C" void webwin_return_bool(WebwinEvent *e, bool value) {
    if (!enter()) return;
    char text[2];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(static_cast<unsigned char>(value)));
    setResponse(e, text);
}

extern "C" void webwin_interface_set_response(size_t window, size_t number, const char *text) {
    if (!enter()) return;
    setResponse(window, number, textArgument(text));
}
