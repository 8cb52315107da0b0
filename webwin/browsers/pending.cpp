// The WebView2 host is not built yet: its road answers here, in one place.
#include "browser_launch.h"
#include "frame/library_state.h"

namespace webwin {

bool webviewShow(WebwinWindow &, const std::string &) {
    logError("the WebView2 host is not available yet");
    return false;
}

bool webviewAvailable() { return false; }

}  // namespace webwin
