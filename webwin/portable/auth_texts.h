// The texts that authenticate a page: the "webwin_auth" cookie and the window token.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace webwin {

// Fills a buffer with bytes from a cryptographic source.
using RandomFill = std::function<void(unsigned char *bytes, size_t count)>;

inline constexpr std::string_view kCookieName = "webwin_auth";
inline constexpr size_t kCookieRandomLength = 31;
inline constexpr size_t kCookieMaxLength = 63;

// "%zu_%s": the window id and 31 characters drawn evenly from letters and digits.
std::string makeCookieValue(size_t windowId, const RandomFill &fill);

// The value of cookie `name` in a request's Cookie header; empty when absent or longer than 63 bytes.
std::string cookieFromHeader(std::string_view header, std::string_view name);

// A window token: 32 random bits, never 0 (0 means "no token").
uint32_t makeToken(const RandomFill &fill);

// The Origin of a WebSocket request may only be the window's own address: "http://" and a
// name of this machine (localhost, 127.0.0.1, [::1]) or, for a public window, the host the
// request was sent to, then ":" and the window's port. A request without Origin comes from
// no web page and passes.
bool originAllowed(std::string_view origin, std::string_view hostHeader, size_t port, bool isPublic);

// Compares two texts in a time that does not depend on where they differ.
bool sameSecret(std::string_view a, std::string_view b);

}  // namespace webwin
