// Writing answers: heads with the authentication cookie, files, redirects and error pages.
#include <civetweb.h>

#include <fstream>
#include <vector>

#include "frame/library_state.h"
#include "frame/secure_random.h"
#include "portable/auth_texts.h"
#include "portable/http_texts.h"
#include "portable/request_path.h"
#include "request.h"

namespace webwin {
namespace {

// A new cookie for the request, stored in the first free slot (1 and up: 0 means "no client").
std::string newCookie(Request &request) {
    WebwinState &s = state();
    if (!s.cookie_auth || request.known) return {};
    for (size_t slot = 1; slot < kTableSize; ++slot) {
        if (s.auth_cookies[slot].empty()) {
            s.auth_cookies[slot] = makeCookieValue(request.window.id, secureRandom);
            s.cookie_issued[request.window.id] = true;
            request.client = slot;
            request.known = true;
            return s.auth_cookies[slot];
        }
    }
    return {};
}

}  // namespace

void writeText(Request &request, std::string_view text) {
    size_t sent = 0;
    while (sent < text.size()) {
        const int wrote = mg_write(request.connection, text.data() + sent, text.size() - sent);
        if (wrote <= 0) return;
        sent += static_cast<size_t>(wrote);
    }
}

void sendHeader(Request &request, std::string_view mimeType, size_t length) {
    writeText(request, okHeader(newCookie(request), mimeType, length));
}

int sendNotFound(Request &request) {
    writeText(request, errorAnswer(404, notAvailablePage()));
    return 404;
}

int sendRedirect(Request &request, std::string_view location) {
    const auto answer = redirectAnswer(location);
    if (!answer) return sendNotFound(request);
    writeText(request, *answer);
    return 302;
}

int sendLocalFile(Request &request, const std::filesystem::path &file, std::string_view nameForType) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return sendNotFound(request);
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size < 0 || !in) return sendNotFound(request);
    sendHeader(request, mg_get_builtin_mime_type(std::string(nameForType).c_str()), static_cast<size_t>(size));
    std::vector<char> buffer(64 * 1024);
    std::streamoff left = size;
    while (left > 0 && in) {
        const auto chunk = static_cast<std::streamsize>(left < static_cast<std::streamoff>(buffer.size()) ? left : buffer.size());
        in.read(buffer.data(), chunk);
        const std::streamsize got = in.gcount();
        if (got <= 0) break;
        writeText(request, std::string_view(buffer.data(), static_cast<size_t>(got)));
        left -= got;
    }
    return 200;
}

}  // namespace webwin
