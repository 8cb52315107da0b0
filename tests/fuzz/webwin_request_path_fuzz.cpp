// fuzz-links: webwin_portable
// Request paths of the bridge's HTTP server: whatever a client sends, a path that is accepted
// names nothing outside the root folder; percent coding and Base64 round-trip.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "portable/base64_coding.h"
#include "portable/percent_coding.h"
#include "portable/request_path.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

void checkAccepted(const std::string &path) {
    require(!path.empty() && path.front() == '/');
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        require(c >= 0x20 && c != 0x7F && c != '\\' && c != ':');
    }
    // joined to the root as the server joins it: every leading "/" dropped
    const std::string relative = path.substr(path.find_first_not_of('/') == std::string::npos ? path.size()
                                                                                                : path.find_first_not_of('/'));
    const std::filesystem::path root("/served/root");
    const std::string joined = (root / std::filesystem::path(relative)).lexically_normal().generic_string();
    require(joined == "/served/root" || joined == "/served/root/" || joined.rfind("/served/root/", 0) == 0);
    for (const auto &part : std::filesystem::path(relative)) require(part != "..");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string input(reinterpret_cast<const char *>(data), size);
    if (const auto path = webwin::decodeRequestPath(input)) checkAccepted(*path);
    if (const auto path = webwin::decodeRequestPath("/" + input)) checkAccepted(*path);
    require(webwin::percentDecode(webwin::percentEncode(input, false)) == input);
    require(webwin::percentDecode(webwin::percentEncode(input, true)) == input);
    require(webwin::base64Decode(webwin::base64Encode(input)) == input);
    if (const auto bytes = webwin::base64Decode(input)) require(webwin::base64Encode(*bytes) == input);
    return 0;
}
