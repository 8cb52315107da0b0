/* Kavlo's browser window bridge: a window is a page served by its own local HTTP server and
   shown in a browser; the program and the page talk over a WebSocket protocol.
   Plain C interface: texts are NUL-terminated UTF-8; a size is as wide as an address. Every
   function reports failure only by its result (0, false, null or an empty text). */
#ifndef KAVLO_WEBWIN_H
#define KAVLO_WEBWIN_H

#include <stdbool.h>
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Options of webwin_set_config. */
enum webwin_config {
    CONFIG_WAIT_FOR_CONNECTION = 0, /* a show with a browser waits for the page (default on) */
    CONFIG_SERIAL_EVENTS = 1,       /* new windows handle their messages one at a time */
    CONFIG_WATCH_FOLDER = 2,        /* reload the page when the served folder changes */
    CONFIG_MULTI_CLIENT = 3,        /* several pages may connect to one window */
    CONFIG_COOKIE_AUTH = 4,         /* the "webwin_auth" cookie (default on) */
    CONFIG_ASYNC_RESPONSE = 5       /* bound handlers and file handlers answer later */
};

/* Browser ids of the shows. */
enum webwin_browser { WEBWIN_NO_BROWSER = 0, WEBWIN_ANY_BROWSER = 1, WEBWIN_WEBVIEW = 13 };

/* Kinds of event a handler receives. */
enum webwin_event_type {
    EVENT_DISCONNECTED = 0, /* a page's connection closed (all-events handler only) */
    EVENT_CONNECTED = 1,    /* a page passed the token check (all-events handler only) */
    EVENT_CLICK = 2,        /* a click on an element */
    EVENT_NAVIGATION = 3,   /* the page navigates (all-events handler only; argument 0 is the address) */
    EVENT_CALL = 4          /* the page called a bound function */
};

/* The record handed to a bound handler; valid until the handler returns. */
typedef struct WebwinEvent {
    size_t window;        /* window id */
    size_t event_type;    /* enum webwin_event_type */
    char *element;        /* bind name called, clicked element id, or empty */
    size_t event_number;  /* the event's slot in its window */
    size_t bind_id;       /* the bind whose handler runs */
    size_t client_id;     /* the page's cookie slot, 0 when unknown */
    size_t connection_id; /* the page's connection */
    char *cookies;        /* the page's "Cookie" header, empty when none, null on disconnection */
} WebwinEvent;

/* Library frame */
void *webwin_malloc(size_t size);
void webwin_free(void *ptr);
void webwin_memcpy(void *dest, void *src, size_t count);
void webwin_set_logger(void (*logger)(size_t level, const char *text, void *user_data), void *user_data);
void webwin_set_config(int option, bool status);
size_t webwin_get_last_error_number(void);
const char *webwin_get_last_error_message(void);
bool webwin_set_tls_certificate(const char *certificate_pem, const char *private_key_pem);

/* Windows */
size_t webwin_new_window(void);
size_t webwin_new_window_id(size_t window);
size_t webwin_get_new_window_id(void);
void webwin_destroy(size_t window);
void webwin_close(size_t window);
void webwin_exit(void);
void webwin_clean(void);
void webwin_wait(void);
bool webwin_wait_async(void);
void webwin_set_timeout(size_t seconds);
bool webwin_is_shown(size_t window);
bool webwin_interface_is_app_running(void);
size_t webwin_interface_get_window_id(size_t window);
bool webwin_set_root_folder(size_t window, const char *path);
bool webwin_set_default_root_folder(const char *path);
void webwin_set_public(size_t window, bool status);
void webwin_set_icon(size_t window, const char *icon, const char *icon_type);

/* HTTP serving */
void webwin_set_file_handler(size_t window, const void *(*handler)(const char *filename, int *length));
void webwin_set_file_handler_window(size_t window,
                                    const void *(*handler)(size_t window, const char *filename, int *length));
void webwin_interface_set_response_file_handler(size_t window, const void *response, int length);
void webwin_return_http(size_t window, const void *response, int length);
const char *webwin_get_mime_type(const char *file);

/* Showing windows, ports */
bool webwin_show(size_t window, const char *content);
bool webwin_show_browser(size_t window, const char *content, size_t browser);
/* As webwin_show, but a connected window navigates only the page of the event. */
bool webwin_show_client(WebwinEvent *e, const char *content);
const char *webwin_start_server(size_t window, const char *content);
const char *webwin_get_url(size_t window);
size_t webwin_get_port(size_t window);
bool webwin_set_port(size_t window, size_t port);
size_t webwin_get_free_port(void);

/* Bindings, events and answers */
size_t webwin_bind(size_t window, const char *element, void (*handler)(WebwinEvent *e));
size_t webwin_interface_bind(size_t window, const char *element,
                             void (*handler)(size_t window, size_t event_type, char *element, size_t event_number,
                                             size_t bind_id));
void webwin_set_context(size_t window, const char *element, void *context);
void *webwin_get_context(WebwinEvent *e);
void webwin_set_event_blocking(size_t window, bool status);
const char *webwin_get_string_at(WebwinEvent *e, size_t index);
long long int webwin_get_int_at(WebwinEvent *e, size_t index);
double webwin_get_float_at(WebwinEvent *e, size_t index);
bool webwin_get_bool_at(WebwinEvent *e, size_t index);
size_t webwin_get_size_at(WebwinEvent *e, size_t index);
size_t webwin_get_count(WebwinEvent *e);
const char *webwin_get_string(WebwinEvent *e);
long long int webwin_get_int(WebwinEvent *e);
double webwin_get_float(WebwinEvent *e);
bool webwin_get_bool(WebwinEvent *e);
size_t webwin_get_size(WebwinEvent *e);
const char *webwin_interface_get_string_at(size_t window, size_t event_number, size_t index);
long long int webwin_interface_get_int_at(size_t window, size_t event_number, size_t index);
double webwin_interface_get_float_at(size_t window, size_t event_number, size_t index);
bool webwin_interface_get_bool_at(size_t window, size_t event_number, size_t index);
size_t webwin_interface_get_size_at(size_t window, size_t event_number, size_t index);
void webwin_return_string(WebwinEvent *e, const char *text);
void webwin_return_int(WebwinEvent *e, long long int value);
void webwin_return_float(WebwinEvent *e, double value);
void webwin_return_bool(WebwinEvent *e, bool value);
void webwin_interface_set_response(size_t window, size_t event_number, const char *text);

/* Scripts, raw data and navigation */
void webwin_run(size_t window, const char *script);
void webwin_run_client(WebwinEvent *e, const char *script);
bool webwin_script(size_t window, const char *script, size_t timeout, char *buffer, size_t buffer_length);
bool webwin_script_client(WebwinEvent *e, const char *script, size_t timeout, char *buffer, size_t buffer_length);
void webwin_send_raw(size_t window, const char *function, const void *raw, size_t size);
void webwin_send_raw_client(WebwinEvent *e, const char *function, const void *raw, size_t size);
void webwin_navigate(size_t window, const char *url);
void webwin_navigate_client(WebwinEvent *e, const char *url);
void webwin_close_client(WebwinEvent *e);
void webwin_interface_run_client(size_t window, size_t event_number, const char *script);
bool webwin_interface_script_client(size_t window, size_t event_number, const char *script, size_t timeout,
                                    char *buffer, size_t buffer_length);
void webwin_interface_send_raw_client(size_t window, size_t event_number, const char *function, const void *raw,
                                      size_t size);
void webwin_interface_navigate_client(size_t window, size_t event_number, const char *url);
void webwin_interface_close_client(size_t window, size_t event_number);
bool webwin_interface_show_client(size_t window, size_t event_number, const char *content);

/* The WebView2 host: a window shown in an embedded WebView2 control (browser id 13) in a native
   window of its own, when WebView2Loader.dll and its runtime are there. */
bool webwin_show_wv(size_t window, const char *content);
/* Called with the window id when the user closes the host window; false keeps it open. */
void webwin_set_close_handler_wv(size_t window, bool (*handler)(size_t window));
void webwin_maximize(size_t window);
void webwin_minimize(size_t window);

/* Browsers and their profiles. A shown window opens in a browser started as a program of its
   own, in "app" mode on the window's address, with a profile folder of the library's under the
   user's ".Webwin" folder unless webwin_set_profile names one. */
enum webwin_browser_id {
    BROWSER_NONE = 0,            /* only serve the window */
    BROWSER_ANY = 1,             /* the best browser found */
    BROWSER_CHROME = 2,
    BROWSER_FIREFOX = 3,
    BROWSER_EDGE = 4,
    BROWSER_CHROMIUM = 6,
    BROWSER_BRAVE = 8,
    BROWSER_VIVALDI = 9,
    BROWSER_EPIC = 10,
    BROWSER_YANDEX = 11,
    BROWSER_CHROMIUM_BASED = 12, /* the first Chromium-based browser that starts */
    BROWSER_WEBVIEW = 13,        /* the embedded WebView2 host */
    BROWSER_SHELL_DEFAULT = 99   /* the system's default handler was used */
};
bool webwin_browser_exist(size_t browser);
size_t webwin_get_best_browser(size_t window);
void webwin_set_browser_folder(const char *path);
void webwin_set_profile(size_t window, const char *name, const char *path);
void webwin_delete_profile(size_t window);
void webwin_delete_all_profiles(void);

#ifdef __cplusplus
}
#endif

#endif
