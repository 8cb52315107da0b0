#include "browser_command.h"

namespace webwin {
namespace {

constexpr BrowserInfo kBrowsers[] = {
    {BROWSER_CHROME, "chrome.exe", "WebwinChromeProfile", true},
    {BROWSER_FIREFOX, "firefox.exe", nullptr, false},  // its folder depends on high contrast
    {BROWSER_EDGE, "msedge.exe", "WebwinEdgeProfile", true},
    {BROWSER_CHROMIUM, "chrome.exe", "WebwinChromiumProfile", true},
    {BROWSER_BRAVE, "brave.exe", "WebwinBraveProfile", true},
    {BROWSER_VIVALDI, "vivaldi.exe", "WebwinVivaldiProfile", true},
    {BROWSER_EPIC, "epic.exe", "WebwinEpicProfile", true},
    {BROWSER_YANDEX, "browser.exe", "WebwinYandexProfile", true},
};

// Flags of a Chromium-family browser when the program gives no parameters of its own.
constexpr const char *kChromiumDefaults[] = {
    "--no-first-run",          "--safe-mode",
    "--disable-extensions",    "--disable-background-mode",
    "--disable-plugins",       "--disable-plugins-discovery",
    "--disable-translate",     "--disable-features=Translate",
    "--bwsi",                  "--disable-sync",
    "--disable-sync-preferences", "--disable-component-update",
    "--allow-insecure-localhost", "--auto-accept-camera-and-microphone-capture",
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

void appendCustom(std::vector<std::string> &arguments, const BrowserSettings &settings) {
    if (!settings.custom_parameters) return;
    for (std::string &argument : splitArguments(*settings.custom_parameters)) arguments.push_back(std::move(argument));
}

std::vector<std::string> chromiumArguments(const BrowserSettings &s, const std::string &address) {
    std::vector<std::string> arguments;
    if (!s.profile_path.empty()) arguments.push_back("--user-data-dir=" + s.profile_path);
    if (!s.custom_parameters) arguments.insert(arguments.end(), std::begin(kChromiumDefaults), std::end(kChromiumDefaults));
    if (s.kiosk) arguments.insert(arguments.end(), {"--chrome-frame", "--kiosk"});
    if (s.disable_high_contrast) arguments.push_back("--disable-features=ForcedColors");
    if (s.hide) arguments.insert(arguments.end(), {"--headless", "--headless=new"});
    if (s.size_set) arguments.push_back("--window-size=" + std::to_string(s.width) + "," + std::to_string(s.height));
    if (s.position_set) arguments.push_back("--window-position=" + std::to_string(s.x) + "," + std::to_string(s.y));
    if (s.proxy) {
        arguments.push_back("--proxy-server=" + *s.proxy);
    } else if (!s.custom_parameters) {
        arguments.push_back("--no-proxy-server");
    }
    appendCustom(arguments, s);
    arguments.push_back("--app=" + address);
    return arguments;
}

std::vector<std::string> firefoxArguments(const BrowserSettings &s, const std::string &address) {
    std::vector<std::string> arguments;
    if (!s.profile_name.empty()) arguments.insert(arguments.end(), {"-P", s.profile_name});
    if (!s.custom_parameters) arguments.push_back("-purgecaches");
    if (s.kiosk) arguments.push_back("-kiosk");
    if (s.hide) arguments.push_back("-headless");
    if (s.size_set) {
        arguments.insert(arguments.end(), {"-width", std::to_string(s.width), "-height", std::to_string(s.height)});
    }
    appendCustom(arguments, s);
    arguments.insert(arguments.end(), {"-new-window", address});
    return arguments;
}

}  // namespace

const BrowserInfo *browserInfo(size_t id) {
    for (const BrowserInfo &info : kBrowsers) {
        if (info.id == id) return &info;
    }
    return nullptr;
}

std::vector<std::string> browserArguments(size_t id, const BrowserSettings &settings, const std::string &address) {
    const BrowserInfo *info = browserInfo(id);
    if (info == nullptr) return {};
    return info->chromium_family ? chromiumArguments(settings, address) : firefoxArguments(settings, address);
}

std::string quoteArgument(std::string_view argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string_view::npos) {
        return std::string(argument);
    }
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are literal unless a quote follows them: then each is doubled, and the
        // quote itself is escaped.
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    // before the closing quote, too
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

std::optional<std::string> commandLine(std::string_view program, const std::vector<std::string> &arguments) {
    // The program's name is read up to the next quote, without escapes: it cannot hold one.
    if (program.empty() || program.find_first_of(std::string_view("\"\0", 2)) != std::string_view::npos) {
        return std::nullopt;
    }
    std::string line = "\"" + std::string(program) + "\"";
    for (const std::string &argument : arguments) {
        if (argument.find('\0') != std::string::npos) return std::nullopt;
        line += ' ';
        line += quoteArgument(argument);
        if (line.size() > kMaxCommandLine) return std::nullopt;
    }
    if (line.size() > kMaxCommandLine) return std::nullopt;
    return line;
}

std::vector<std::string> splitArguments(std::string_view text) {
    std::vector<std::string> arguments;
    size_t i = 0;
    while (true) {
        while (i < text.size() && isBlank(text[i])) ++i;
        if (i >= text.size()) break;
        std::string argument;
        bool quoted = false;
        while (i < text.size()) {
            size_t backslashes = 0;
            while (i < text.size() && text[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < text.size() && text[i] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument += '"';
                    ++i;
                } else if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                    // two quotes inside a quoted part: one literal quote, still quoted
                    argument += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
                continue;
            }
            argument.append(backslashes, '\\');
            if (i >= text.size() || (!quoted && isBlank(text[i]))) break;
            argument += text[i++];
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

}  // namespace webwin
