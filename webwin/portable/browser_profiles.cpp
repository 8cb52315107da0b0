#include "browser_profiles.h"

#include <algorithm>
#include <vector>

#include "browser_command.h"

namespace webwin {
namespace {

std::string_view trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The parts of an absolute Windows path ("C:" first, or "\\server" and "share" first), or
// nothing when the path is not absolute or has a part that could name something else: empty
// (two separators), only dots and blanks, or ending in a dot or blank (Windows drops those), or
// one with a character no Windows name has.
std::optional<std::vector<std::string>> absoluteParts(std::string_view path) {
    std::string text(path);
    for (char &c : text) {
        if (c == '/') c = '\\';
    }
    while (text.size() > 3 && text.back() == '\\') text.pop_back();
    std::vector<std::string> parts;
    size_t at = 0;
    if (text.size() >= 3 && isLetter(text[0]) && text[1] == ':' && text[2] == '\\') {
        parts.push_back(text.substr(0, 2));
        at = 3;
        if (text.size() == 3) return parts;
    } else if (text.rfind("\\\\", 0) == 0) {
        const size_t server_end = text.find('\\', 2);
        if (server_end == std::string::npos) return std::nullopt;
        const std::string server = text.substr(2, server_end - 2);
        if (server.empty() || server == "?" || server == ".") return std::nullopt;  // no device paths
        parts.push_back("\\\\" + server);
        at = server_end + 1;
    } else {
        return std::nullopt;
    }
    while (true) {
        const size_t end = text.find('\\', at);
        const std::string part = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (part.empty() || part.find_first_not_of(". ") == std::string::npos || part.back() == '.' ||
            part.back() == ' ' || part.find_first_of(":*?\"<>|") != std::string::npos ||
            std::any_of(part.begin(), part.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
            return std::nullopt;
        }
        parts.push_back(part);
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return parts;
}

bool isProfileHeader(std::string_view line) {
    const std::string_view text = trimmed(line);
    constexpr std::string_view prefix = "[Profile";
    if (text.size() <= prefix.size() + 1 || text.substr(0, prefix.size()) != prefix || text.back() != ']') return false;
    const std::string_view digits = text.substr(prefix.size(), text.size() - prefix.size() - 1);
    return digits.find_first_not_of("0123456789") == std::string_view::npos;
}

bool isHeader(std::string_view line) {
    const std::string_view text = trimmed(line);
    return !text.empty() && text.front() == '[';
}

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        const size_t next = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(at, next - at));
        at = next;
    }
    return lines;
}

}  // namespace

const char *const kFirefoxUserChrome =
    "#navigator-toolbox,#TabsToolbar,#nav-bar,#PersonalToolbar,#sidebar-box{visibility:collapse!important;"
    "height:0!important;margin:0!important;padding:0!important;}#titlebar{visibility:visible!important;"
    "display:flex!important;}#browser{margin-top:0!important;padding-top:0!important;}";

std::string libraryProfileName(bool disable_high_contrast) {
    return disable_high_contrast ? "Webwin-NoHC" : "Webwin";
}

std::optional<std::string> libraryProfileFolder(std::string_view user_profile, size_t browser,
                                                bool disable_high_contrast) {
    const BrowserInfo *info = browserInfo(browser);
    if (info == nullptr || !absoluteParts(user_profile)) return std::nullopt;
    std::string folder(user_profile);
    if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
    folder += std::string(kLibraryFolderName) + "\\";
    if (info->profile_folder != nullptr) return folder + info->profile_folder;
    // Firefox keeps one profile a high-contrast choice, each named after it.
    return folder + (disable_high_contrast ? "WebwinFirefoxProfile-NoHC" : "WebwinFirefoxProfile");
}

bool insideLibraryFolder(std::string_view user_profile, std::string_view path) {
    auto base = absoluteParts(user_profile);
    const auto inner = absoluteParts(path);
    if (!base || !inner) return false;
    base->push_back(kLibraryFolderName);
    if (inner->size() <= base->size()) return false;
    for (size_t i = 0; i < base->size(); ++i) {
        if (!sameLetters((*base)[i], (*inner)[i])) return false;
    }
    return true;
}

bool firefoxProfileListed(std::string_view ini, std::string_view name) {
    const std::string wanted = "Name=" + std::string(name);
    for (const std::string_view line : linesOf(ini)) {
        if (trimmed(line) == wanted) return true;
    }
    return false;
}

std::string firefoxUnlistProfile(std::string_view ini, std::string_view name) {
    const std::string wanted = "Name=" + std::string(name);
    const std::vector<std::string_view> lines = linesOf(ini);
    // Sections as ranges of lines; the lines before the first header belong to none.
    std::vector<size_t> starts;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (isHeader(lines[i])) starts.push_back(i);
    }
    std::vector<bool> dropped(lines.size(), false);
    bool any = false;
    for (size_t s = 0; s < starts.size(); ++s) {
        const size_t end = s + 1 < starts.size() ? starts[s + 1] : lines.size();
        bool named = false;
        for (size_t i = starts[s] + 1; i < end && !named; ++i) named = trimmed(lines[i]) == wanted;
        if (!named) continue;
        any = true;
        for (size_t i = starts[s]; i < end; ++i) dropped[i] = true;
    }
    if (!any) return std::string(ini);
    std::string kept;
    size_t number = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (dropped[i]) continue;
        if (isProfileHeader(lines[i])) {
            const std::string_view line = lines[i];
            const size_t open = line.find('[');
            const size_t close = line.find(']', open);
            kept.append(line.substr(0, open));
            kept += "[Profile" + std::to_string(number++) + "]";
            kept.append(line.substr(close + 1));
        } else {
            kept.append(lines[i]);
        }
    }
    return kept;
}

std::string firefoxPreferences(bool disable_high_contrast) {
    std::string preferences =
        "user_pref(\"toolkit.legacyUserProfileCustomizations.stylesheets\", true);"
        "user_pref(\"browser.shell.checkDefaultBrowser\", false);"
        "user_pref(\"browser.tabs.warnOnClose\", false);"
        "user_pref(\"browser.tabs.inTitlebar\", 0);";
    if (disable_high_contrast) preferences += "user_pref(\"browser.display.document_color_use\", 1);";
    return preferences;
}

}  // namespace webwin
