// The program's logger, or the standard streams without one. It survives webwin_clean.
#include <cstdio>
#include <mutex>

#include "library_state.h"
#include "webwin.h"

namespace webwin {
namespace {

struct Logger {
    void (*callback)(size_t, const char *, void *) = nullptr;
    void *user_data = nullptr;
};

std::mutex g_logger_mutex;
Logger g_logger;

void logAt(size_t level, const std::string &text) {
    Logger logger;
    {
        std::lock_guard<std::mutex> guard(g_logger_mutex);
        logger = g_logger;
    }
    if (logger.callback != nullptr) {
        logger.callback(level, text.c_str(), logger.user_data);
        return;
    }
    std::fputs(text.c_str(), level == 2 ? stderr : stdout);
}

}  // namespace

void logInfo(const std::string &text) { logAt(0, text); }

void logError(const std::string &what) { logAt(2, "Webwin Error: " + what + ".\n"); }

}  // namespace webwin

extern "C" void webwin_set_logger(void (*logger)(size_t, const char *, void *), void *user_data) {
    std::lock_guard<std::mutex> guard(webwin::g_logger_mutex);
    webwin::g_logger.callback = logger;
    webwin::g_logger.user_data = user_data;
}
