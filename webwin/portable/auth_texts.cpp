#include "auth_texts.h"

namespace webwin {

std::string makeCookieValue(size_t windowId, const RandomFill &fill) {
    static constexpr std::string_view alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    // 248 = 4 * 62: bytes from 248 up are drawn again, so every character is equally likely.
    static constexpr unsigned kLimit = 4 * alphabet.size();
    std::string value = std::to_string(windowId) + "_";
    unsigned char pool[64];
    size_t used = sizeof pool;
    while (value.size() < std::to_string(windowId).size() + 1 + kCookieRandomLength) {
        if (used == sizeof pool) {
            fill(pool, sizeof pool);
            used = 0;
        }
        const unsigned byte = pool[used++];
        if (byte < kLimit) value.push_back(alphabet[byte % alphabet.size()]);
    }
    return value;
}

std::string cookieFromHeader(std::string_view header, std::string_view name) {
    size_t pos = 0;
    while (pos < header.size()) {
        size_t end = header.find(';', pos);
        if (end == std::string_view::npos) end = header.size();
        std::string_view pair = header.substr(pos, end - pos);
        while (!pair.empty() && (pair.front() == ' ' || pair.front() == '\t')) pair.remove_prefix(1);
        const size_t eq = pair.find('=');
        if (eq != std::string_view::npos && pair.substr(0, eq) == name) {
            std::string_view value = pair.substr(eq + 1);
            while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
            if (value.size() > kCookieMaxLength) return {};
            return std::string(value);
        }
        pos = end + 1;
    }
    return {};
}

uint32_t makeToken(const RandomFill &fill) {
    uint32_t token = 0;
    while (token == 0) {
        unsigned char bytes[4];
        fill(bytes, sizeof bytes);
        token = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    }
    return token;
}

bool sameSecret(std::string_view a, std::string_view b) {
    unsigned char diff = a.size() == b.size() ? 0 : 1;
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

bool originAllowed(std::string_view origin, std::string_view hostHeader, size_t port, bool isPublic) {
    if (origin.empty()) return true;
    const std::string suffix = ":" + std::to_string(port);
    for (const std::string_view name : {"localhost", "127.0.0.1", "[::1]"}) {
        if (origin == "http://" + std::string(name) + suffix) return true;
    }
    if (!isPublic || hostHeader.size() <= suffix.size() ||
        hostHeader.substr(hostHeader.size() - suffix.size()) != suffix) {
        return false;
    }
    return origin == "http://" + std::string(hostHeader);
}

}  // namespace webwin
