#include "request_path.h"

#include <array>
#include <system_error>

#include "percent_coding.h"

namespace webwin {
namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Windows opens these devices whatever folder and extension the name has.
bool deviceName(std::string_view segment) {
    static const std::array<std::string_view, 8> names = {"con", "prn", "aux", "nul", "conin$", "conout$", "clock$",
                                                          "config$"};
    const std::string_view base = segment.substr(0, segment.find('.'));
    std::string low;
    for (char c : base) low.push_back(lower(c));
    while (!low.empty() && low.back() == ' ') low.pop_back();
    for (std::string_view name : names) {
        if (low == name) return true;
    }
    // com0-com9 and lpt0-lpt9, and their superscript-digit forms (UTF-8 of ¹ ² ³).
    if (low.size() >= 4 && (low.starts_with("com") || low.starts_with("lpt"))) {
        const std::string_view rest = std::string_view(low).substr(3);
        if (rest.size() == 1 && rest[0] >= '0' && rest[0] <= '9') return true;
        if (rest == "\xC2\xB9" || rest == "\xC2\xB2" || rest == "\xC2\xB3") return true;
    }
    return false;
}

bool dotsAndBlanks(std::string_view segment) {
    if (segment.empty()) return false;
    for (char c : segment) {
        if (c != '.' && c != ' ') return false;
    }
    return true;
}

bool segmentAllowed(std::string_view segment) { return !dotsAndBlanks(segment) && !deviceName(segment); }

}  // namespace

std::optional<std::string> decodeRequestPath(std::string_view raw) {
    const size_t cut = raw.find_first_of("?#");
    if (cut != std::string_view::npos) raw = raw.substr(0, cut);
    auto decoded = percentDecode(raw);
    if (!decoded || decoded->empty() || (*decoded)[0] != '/') return std::nullopt;
    for (const char ch : *decoded) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F || c == '\\' || c == ':') return std::nullopt;
    }
    size_t start = 1;
    while (start <= decoded->size()) {
        size_t end = decoded->find('/', start);
        if (end == std::string::npos) end = decoded->size();
        if (!segmentAllowed(std::string_view(*decoded).substr(start, end - start))) return std::nullopt;
        start = end + 1;
    }
    return decoded;
}

std::filesystem::path utf8Path(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::optional<std::filesystem::path> pathInsideRoot(const std::string &root, std::string_view decodedPath) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path base = fs::canonical(utf8Path(root), error);
    if (error) return std::nullopt;
    std::string_view relative = decodedPath;
    while (!relative.empty() && relative.front() == '/') relative.remove_prefix(1);
    fs::path candidate = base;
    if (!relative.empty()) candidate /= utf8Path(relative);
    candidate = fs::weakly_canonical(candidate, error);
    if (error) return std::nullopt;
    auto inside = candidate.begin();
    for (auto part = base.begin(); part != base.end(); ++part, ++inside) {
        if (inside == candidate.end() || *inside != *part) return std::nullopt;
    }
    return candidate;
}

std::string pathExtension(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos || dot == 0) return {};
    return std::string(name.substr(dot + 1));
}

}  // namespace webwin
