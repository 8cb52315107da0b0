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
const char *webwin_start_server(size_t window, const char *content);
const char *webwin_get_url(size_t window);
size_t webwin_get_port(size_t window);
bool webwin_set_port(size_t window, size_t port);
size_t webwin_get_free_port(void);

#ifdef __cplusplus
}
#endif

#endif
