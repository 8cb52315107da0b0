// Browser profiles: the library's own under "<user profile>\.Webwin", or the program's choice;
// Firefox's registered in its profiles.ini and prepared; removal only inside ".Webwin".
#include "browser_launch.h"
#include "browser_system.h"
#include "frame/library_state.h"
#include "portable/browser_command.h"
#include "portable/browser_profiles.h"

namespace webwin {
namespace {

constexpr size_t kMaxFirefoxFolder = 259;
constexpr unsigned kCreateProfileWaitMs = 1500;
constexpr int kFolderLooks = 10;  // a second apart
constexpr int kCreateFolderRetries = 6;

std::string userProfile() { return environmentText("USERPROFILE"); }

std::string profilesIni() {
    const std::string app_data = environmentText("APPDATA");
    return app_data.empty() ? std::string() : app_data + "\\Mozilla\\Firefox\\profiles.ini";
}

bool firefoxListed(const std::string &name) {
    const std::string ini = profilesIni();
    if (ini.empty()) return false;
    const auto text = readWholeFile(ini);
    return text && firefoxProfileListed(*text, name);
}

void firefoxUnlist(const std::string &name) {
    const std::string ini = profilesIni();
    if (ini.empty()) return;
    const auto text = readWholeFile(ini);
    if (!text) return;
    const std::string kept = firefoxUnlistProfile(*text, name);
    if (kept != *text) replaceFile(ini, kept);
}

// Only folders inside the library's own ".Webwin" folder are ever removed.
bool removeProfileFolder(const std::string &folder) {
    if (!insideLibraryFolder(userProfile(), folder)) return false;
    return removeFolderTree(folder);
}

bool firefoxProfile(WebwinWindow &window) {
    if (!window.profile_set) {
        const auto folder = libraryProfileFolder(userProfile(), BROWSER_FIREFOX, window.disable_high_contrast);
        if (!folder || folder->size() > kMaxFirefoxFolder) return false;
        window.profile_path = *folder;
    }
    const std::string &folder = window.profile_path;
    const std::string &name = window.profile_name;
    if (folderExists(folder) && firefoxListed(name)) return true;
    // Made anew: an unlisted folder is not a profile Firefox would open with "-P".
    firefoxUnlist(name);
    removeProfileFolder(folder);
    const auto line = commandLine(window.browser_path, {"-CreateProfile", name + " " + folder});
    if (!line) return false;
    void *process = startProgram(window.browser_path, *line);
    if (process == nullptr) return false;
    waitForProgram(process, kCreateProfileWaitMs);
    closeProgram(process);
    for (int look = 0; look < kFolderLooks && !folderExists(folder); ++look) sleepMs(1000);
    if (!folderExists(folder) || !firefoxListed(name)) return false;
    const std::string chrome = folder + "\\chrome";
    return appendToFile(folder + "\\prefs.js", firefoxPreferences(window.disable_high_contrast)) &&
           makeFolder(chrome) && appendToFile(chrome + "\\userChrome.css", kFirefoxUserChrome);
}

void deleteProfile(WebwinWindow &window) {
    if (!folderExists(window.profile_path)) return;
    if (window.current_browser == BROWSER_FIREFOX) firefoxUnlist(window.profile_name);
    removeProfileFolder(window.profile_path);
}

}  // namespace

bool browserProfileFolder(WebwinWindow &window, size_t browser) {
    if (window.default_profile) return true;
    if (window.profile_set) {
        if (window.profile_path.empty() || window.profile_name.empty()) return false;
    } else {
        window.profile_name = libraryProfileName(window.disable_high_contrast);
    }
    const BrowserInfo *info = browserInfo(browser);
    if (info == nullptr) return false;
    if (browser == BROWSER_FIREFOX) return firefoxProfile(window);
    if (window.profile_set) return true;
    // Chromium-family browsers make the folder themselves.
    const auto folder = libraryProfileFolder(userProfile(), browser, window.disable_high_contrast);
    if (!folder) return false;
    window.profile_path = *folder;
    return true;
}

}  // namespace webwin

using namespace webwin;

extern "C" void webwin_set_profile(size_t id, const char *name, const char *path) {
    if (!enter()) return;
    WebwinWindow *window = windowOf(id);
    if (window == nullptr) return;
    window->profile_name = textArgument(name);
    window->profile_path = textArgument(path);
    window->profile_set = true;
    window->default_profile = window->profile_name.empty() && window->profile_path.empty();
    if (window->default_profile || window->profile_path.empty() || folderExists(window->profile_path)) return;
    for (int retry = 0; !makeFolder(window->profile_path) && retry < kCreateFolderRetries; ++retry) {
        logInfo("[Core]\t\t_webwin_create_folder() -> Retry #" + std::to_string(retry) + "...\n");
        sleepMs(500);
    }
}

extern "C" void webwin_delete_profile(size_t id) {
    init();
    if (WebwinWindow *window = windowOf(id)) deleteProfile(*window);
}

extern "C" void webwin_delete_all_profiles(void) {
    init();
    for (size_t id = 1; id <= kLastWindowId; ++id) {
        if (WebwinWindow *window = windowOf(id)) deleteProfile(*window);
    }
}
