// Global switches and the error getters of the interface.
#include "library_state.h"
#include "webwin.h"
#include "windows/window_record.h"

using namespace webwin;

extern "C" void webwin_set_config(int option, bool status) {
    if (!enter()) return;
    WebwinState &s = state();
    switch (option) {
        case CONFIG_WAIT_FOR_CONNECTION: s.wait_for_connection = status; break;
        case CONFIG_SERIAL_EVENTS:
            s.serial_events = status;
            for (size_t id = 1; id <= kLastWindowId; ++id) {
                if (WebwinWindow *window = windowOf(id)) window->event_blocking = status;
            }
            break;
        case CONFIG_WATCH_FOLDER: s.watch_folder = status; break;
        case CONFIG_MULTI_CLIENT: s.multi_client = status; break;
        case CONFIG_COOKIE_AUTH: s.cookie_auth = status; break;
        case CONFIG_ASYNC_RESPONSE: s.async_response = status; break;
        default: break;
    }
}

extern "C" size_t webwin_get_last_error_number(void) { return 0; }

extern "C" const char *webwin_get_last_error_message(void) { return "Unknown error."; }

extern "C" bool webwin_set_tls_certificate(const char *, const char *) {
    init();
    logError("SSL/TLS is not available in this library. Please use the secure version of Webwin library");
    webwin_exit();
    return false;
}
