// Browsers are not built yet: every launch answers here, in one place.
#include "browser_launch.h"
#include "frame/library_state.h"

namespace webwin {
namespace {

void notAvailable() { logError("starting a browser is not available yet"); }

}  // namespace

bool browserStart(WebwinWindow &, const std::string &, size_t) {
    notAvailable();
    return false;
}

bool openUrlNative(const std::string &) { return false; }

}  // namespace webwin
