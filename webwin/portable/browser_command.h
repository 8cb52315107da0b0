// Browser ids and the command lines that start a browser on a window's address. Every text
// that reaches a command line (address, proxy, profile folder and name, the program's own
// parameters) becomes whole arguments, quoted as Windows programs split their command line,
// so no text can add, split or end an argument; a line that would not fit is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "webwin.h"

namespace webwin {

// One browser the library can start.
struct BrowserInfo {
    size_t id;
    const char *executable;      // file name looked for ("chrome.exe" for Chrome and Chromium)
    const char *profile_folder;  // folder of its library-made profile under ".Webwin"
    bool chromium_family;
};

// The browser of an id, or null (ids 0, 1, 5, 7, 12, 13 and above have none).
const BrowserInfo *browserInfo(size_t id);

// Orders of the search for a browser: the best one installed, and the Chromium-based ones.
inline constexpr size_t kBestBrowserOrder[] = {BROWSER_CHROME,  BROWSER_EDGE,    BROWSER_EPIC,    BROWSER_VIVALDI,
                                               BROWSER_BRAVE,   BROWSER_FIREFOX, BROWSER_YANDEX,  BROWSER_CHROMIUM};
inline constexpr size_t kChromiumBasedOrder[] = {BROWSER_CHROME, BROWSER_EDGE,   BROWSER_EPIC,    BROWSER_VIVALDI,
                                                 BROWSER_BRAVE,  BROWSER_YANDEX, BROWSER_CHROMIUM};

// What a window asks of its browser.
struct BrowserSettings {
    std::string profile_path;  // empty: no profile folder argument
    std::string profile_name;  // Firefox's "-P" profile, empty: none
    std::optional<std::string> custom_parameters;  // replace the default flags when present
    std::optional<std::string> proxy;
    bool kiosk = false;
    bool disable_high_contrast = false;
    bool hide = false;
    bool size_set = false;
    uint32_t width = 800, height = 600;
    bool position_set = false;
    uint32_t x = 0, y = 0;
};

// The arguments after the program for browser `id` on `address`; empty for an id that is not a
// browser. The program's custom parameters are split as Windows splits a command line and go in
// as the arguments they were.
std::vector<std::string> browserArguments(size_t id, const BrowserSettings &settings, const std::string &address);

// Longest command line Windows starts a process with, in UTF-16 units less the terminating NUL.
inline constexpr size_t kMaxCommandLine = 32766;

// One argument as Windows programs read it back (the C runtime's and CommandLineToArgvW's rules).
std::string quoteArgument(std::string_view argument);

// The command line of `program` with `arguments`: the program quoted, each argument quoted when it
// needs it. Nothing when the program holds a quote, a text holds a NUL, or the line is longer than
// kMaxCommandLine bytes (UTF-8 never has fewer bytes than UTF-16 units, so it fits).
std::optional<std::string> commandLine(std::string_view program, const std::vector<std::string> &arguments);

// Splits a text into arguments as the C runtime splits the arguments after the program name.
std::vector<std::string> splitArguments(std::string_view text);

}  // namespace webwin
