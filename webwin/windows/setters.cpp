// The record setters that belong to no other topic: root folders, public listening, icon.
#include <filesystem>
#include <system_error>

#include "frame/library_state.h"
#include "portable/request_path.h"
#include "webwin.h"
#include "window_record.h"

namespace webwin {
namespace {

constexpr size_t kMaxPath = 260;

bool usableFolder(const std::string &path) {
    std::error_code error;
    return !path.empty() && path.size() <= kMaxPath && std::filesystem::is_directory(utf8Path(path), error);
}

}  // namespace
}  // namespace webwin

using namespace webwin;

extern "C" bool webwin_set_root_folder(size_t id, const char *path) {
    if (!enter()) return false;
    WebwinWindow *window = windowOf(id);
    if (window == nullptr) return false;
    // A running server goes on serving the folder it was started with.
    if (serverRunning(*window)) return false;
    const std::string folder = textArgument(path);
    if (!usableFolder(folder)) {
        window->root_folder = ".";
        return false;
    }
    window->root_folder = folder;
    return true;
}

extern "C" bool webwin_set_default_root_folder(const char *path) {
    if (!enter()) return false;
    const std::string folder = textArgument(path);
    if (!usableFolder(folder)) {
        state().default_root_folder.clear();
        return false;
    }
    state().default_root_folder = folder;
    for (size_t id = 1; id <= kLastWindowId; ++id) {
        WebwinWindow *window = windowOf(id);
        if (window != nullptr && !serverRunning(*window)) window->root_folder = folder;
    }
    return true;
}

extern "C" void webwin_set_public(size_t id, bool status) {
    if (!enter()) return;
    if (WebwinWindow *window = windowOf(id)) window->is_public = status;
}

extern "C" void webwin_set_icon(size_t id, const char *icon, const char *icon_type) {
    if (!enter()) return;
    WebwinWindow *window = windowOf(id);
    if (window == nullptr) return;
    Guard guard(lockOf(http_lock));
    window->icon = textArgument(icon);
    window->icon_type = textArgument(icon_type);
}
