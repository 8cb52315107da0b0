// Request paths of the bridge's HTTP server. Any program on the machine, and any page the
// user's browser visits, can send requests to a local port: a path is decoded exactly once,
// refused when it could name anything outside the served folder, and only then used.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace webwin {

// The path of a request as it came (not yet decoded; a query or fragment is cut off), decoded
// once and checked: it begins with "/", holds no NUL or control character, no "\" and no ":"
// (drive letters, streams), and no segment made only of dots and blanks or naming a device
// ("con", "nul", "com1", ...). The result is the decoded path, "/" included; nothing when refused.
std::optional<std::string> decodeRequestPath(std::string_view raw);

// The file or folder a checked request path names in the root folder, canonical and with
// symbolic links resolved; nothing when the result does not lie inside the root (or the
// root does not exist). Environment variables are never expanded.
std::optional<std::filesystem::path> pathInsideRoot(const std::string &root, std::string_view decodedPath);

// A UTF-8 text as a file-system path (wide on Windows).
std::filesystem::path utf8Path(std::string_view text);

// The path's extension after its last "." (empty when the dot is the first character of the name).
std::string pathExtension(std::string_view path);

}  // namespace webwin
