// Finding installed browsers: the program's browser folder, the "App Paths" registry entries,
// running processes; the best browser of the machine.
#include <array>
#include <atomic>

#include "browser_launch.h"
#include "browser_system.h"
#include "frame/library_state.h"
#include "portable/browser_command.h"
#include "webview/webview.h"

namespace webwin {
namespace {

// Set once a browser was found, never cleared (process-wide, beyond webwin_clean).
std::array<std::atomic<bool>, BROWSER_WEBVIEW + 1> g_found{};

constexpr const char *kAppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

// How the registry tells where a browser is: its install folder in the value "Path" (the two
// that share "chrome.exe", told apart by Google's preference files), or the executable itself
// in the key's default value.
struct RegistryRule {
    size_t id;
    RegistryRoot first, second;
    bool install_folder;
    bool chrome_files;  // with install_folder: the folder must (Chrome) or must not (Chromium) have them
};

constexpr RegistryRoot kMachine = RegistryRoot::local_machine;
constexpr RegistryRoot kUser = RegistryRoot::current_user;

constexpr RegistryRule kRegistryRules[] = {
    {BROWSER_CHROME, kMachine, kUser, true, true},     {BROWSER_CHROMIUM, kUser, kMachine, true, false},
    {BROWSER_FIREFOX, kMachine, kUser, false, false},  {BROWSER_EDGE, kMachine, kUser, false, false},
    {BROWSER_BRAVE, kMachine, kUser, false, false},    {BROWSER_VIVALDI, kMachine, kUser, false, false},
    {BROWSER_EPIC, kUser, kMachine, false, false},     {BROWSER_YANDEX, kUser, kMachine, false, false},
};

// Running browsers, asked first: a browser the user has open is the one to use.
constexpr std::pair<const char *, size_t> kRunningOrder[] = {
    {"chrome.exe", BROWSER_CHROME},   {"msedge.exe", BROWSER_EDGE},    {"epic.exe", BROWSER_EPIC},
    {"vivaldi.exe", BROWSER_VIVALDI}, {"brave.exe", BROWSER_BRAVE},    {"firefox.exe", BROWSER_FIREFOX},
    {"browser.exe", BROWSER_YANDEX},  {"chrome.exe", BROWSER_CHROMIUM},
};

const RegistryRule *registryRule(size_t id) {
    for (const RegistryRule &rule : kRegistryRules) {
        if (rule.id == id) return &rule;
    }
    return nullptr;
}

// A Google Chrome installation has its preference file beside "chrome.exe".
bool chromeFolderOk(const std::string &folder) {
    return (fileExists(folder + "\\master_preferences") || fileExists(folder + "\\initial_preferences")) &&
           fileExists(folder + "\\chrome.exe");
}

void remember(WebwinWindow *window, size_t id, const std::string &path) {
    if (window == nullptr) return;
    window->browser_path = path;
    window->browser_path_id = id;
}

bool browserInFolder(WebwinWindow *window, size_t id) {
    const BrowserInfo *info = browserInfo(id);
    const std::string folder = state().browser_folder;
    if (info == nullptr || !folderExists(folder)) return false;
    const std::string path = folder + "\\" + info->executable;
    if (!fileExists(path)) return false;
    remember(window, id, path);
    return true;
}

// The executable the registry names for a browser, when it passes the rule's test.
std::optional<std::string> fromRegistry(const RegistryRule &rule) {
    const std::string key = kAppPaths + std::string(browserInfo(rule.id)->executable);
    for (const RegistryRoot root : {rule.first, rule.second}) {
        const auto value = readRegistryText(root, key, rule.install_folder ? "Path" : "");
        if (!value || value->empty()) continue;
        if (!rule.install_folder) {
            if (fileExists(*value)) return *value;
            continue;
        }
        // Chromium is a "chrome.exe" without Google's files; it must still be there.
        const std::string executable = *value + "\\chrome.exe";
        if (chromeFolderOk(*value) == rule.chrome_files && fileExists(executable)) return executable;
    }
    return std::nullopt;
}

}  // namespace

bool browserExist(WebwinWindow *window, size_t id) {
    if (id == BROWSER_WEBVIEW) return webviewAvailable();
    const RegistryRule *rule = registryRule(id);
    if (rule == nullptr) return false;
    // The path found before answers again only for the browser it was found for.
    if (window != nullptr && g_found[id] && window->browser_path_id == id && !window->browser_path.empty()) {
        return true;
    }
    if (!browserInFolder(window, id)) {
        const auto executable = fromRegistry(*rule);
        if (!executable) return false;
        remember(window, id, *executable);
    }
    g_found[id] = true;
    return true;
}

size_t findBestBrowser(WebwinWindow &window) {
    for (const auto &[executable, id] : kRunningOrder) {
        if (processRunning(executable) && browserExist(&window, id)) return id;
    }
    for (const size_t id : kBestBrowserOrder) {
        if (browserExist(&window, id)) return id;
    }
    return BROWSER_ANY;
}

}  // namespace webwin

using namespace webwin;

extern "C" bool webwin_browser_exist(size_t browser) { return browserExist(nullptr, browser); }

extern "C" size_t webwin_get_best_browser(size_t id) {
    if (!enter()) return BROWSER_ANY;
    WebwinWindow *window = windowOf(id);
    if (window == nullptr) return BROWSER_ANY;
    return findBestBrowser(*window);
}

extern "C" void webwin_set_browser_folder(const char *path) {
    init();
    state().browser_folder = textArgument(path);
}
