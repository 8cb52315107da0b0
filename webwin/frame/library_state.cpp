#include "library_state.h"

#include <civetweb.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace webwin {
namespace {

WebwinState *g_state = new WebwinState();  // never destroyed: threads may still read it at exit
bool g_initialised = false;
std::mutex g_init_mutex;

}  // namespace

WebwinState &state() { return *g_state; }

std::recursive_mutex &lockOf(Lock which) {
    static auto *locks = new std::array<std::recursive_mutex, kLockCount>();
    return (*locks)[which];
}

std::condition_variable_any &waitCondition() {
    static auto *condition = new std::condition_variable_any();
    return *condition;
}

void init() {
    std::lock_guard<std::mutex> guard(g_init_mutex);
    if (g_initialised) return;
    *g_state = WebwinState();
    mg_init_library(0);
    g_initialised = true;
}

bool initialised() {
    std::lock_guard<std::mutex> guard(g_init_mutex);
    return g_initialised;
}

void resetState() {
    mg_exit_library();
    std::lock_guard<std::mutex> guard(g_init_mutex);
    g_initialised = false;
}

bool exiting() {
    Guard guard(lockOf(exit_lock));
    return g_state->exit_now;
}

bool enter() {
    init();
    return !exiting();
}

std::string textArgument(const char *text) {
    if (text == nullptr) return {};
    return std::string(text, strnlen(text, 64000000));
}

void sleepMs(unsigned milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

}  // namespace webwin
