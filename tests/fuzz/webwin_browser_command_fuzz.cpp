// fuzz-links: webwin_portable
// Browser command lines and profile texts: whatever the texts hold, each comes back from the
// built command line as the one argument it was; the removal rule accepts only paths inside the
// library's folder; unlisting a Firefox profile removes all of it at once.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "portable/browser_command.h"
#include "portable/browser_profiles.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

// Pieces of the input, cut at byte 0x01.
std::vector<std::string> pieces(std::string_view input) {
    std::vector<std::string> parts;
    size_t at = 0;
    while (true) {
        const size_t end = input.find('\x01', at);
        parts.emplace_back(input.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
        if (end == std::string_view::npos) return parts;
        at = end + 1;
    }
}

std::string lowered(std::string text) {
    for (char &c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c == '/') c = '\\';
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string input(reinterpret_cast<const char *>(data), size);
    std::vector<std::string> parts = pieces(input);
    for (std::string &part : parts) {
        for (char &c : part) {
            if (c == '\0') c = ' ';
        }
    }

    // quoting round-trips, alone and in a whole command line
    if (const auto line = webwin::commandLine("C:\\b.exe", parts)) {
        const std::string program = "\"C:\\b.exe\" ";
        require(line->rfind(program, 0) == 0 || (parts.empty() && *line == "\"C:\\b.exe\""));
        if (!parts.empty()) require(webwin::splitArguments(line->substr(program.size())) == parts);
    }
    // the program's parameters split once, then stay those arguments
    const std::vector<std::string> split = webwin::splitArguments(input);
    std::string rejoined;
    for (const std::string &argument : split) rejoined += webwin::quoteArgument(argument) + " ";
    require(webwin::splitArguments(rejoined) == split);

    webwin::BrowserSettings settings;
    settings.profile_path = parts[0];
    if (parts.size() > 1) settings.custom_parameters = parts[1];
    if (parts.size() > 2) settings.proxy = parts[2];
    const std::string address = parts.size() > 3 ? parts[3] : "http://localhost:1";
    const std::vector<std::string> arguments = webwin::browserArguments(BROWSER_EDGE, settings, address);
    require(!arguments.empty() && arguments.back() == "--app=" + address);

    // the removal rule
    const std::string user = "C:\\Users\\Ann";
    if (webwin::insideLibraryFolder(user, input)) {
        std::string path = lowered(input);
        while (!path.empty() && path.back() == '\\') path.pop_back();
        require(path.rfind("c:\\users\\ann\\.webwin\\", 0) == 0);
        size_t at = 0;
        while (at <= path.size()) {
            const size_t end = std::min(path.find('\\', at), path.size());
            const std::string part = path.substr(at, end - at);
            require(part.find_first_not_of(". ") != std::string::npos);
            at = end + 1;
        }
        require(path.size() > std::string("c:\\users\\ann\\.webwin\\").size());
    }

    // unlisting takes out all of the profile at once: a second time changes nothing
    if (parts.size() > 1) {
        const std::string kept = webwin::firefoxUnlistProfile(parts[1], parts[0]);
        require(webwin::firefoxUnlistProfile(kept, parts[0]) == kept);
    }
    return 0;
}
