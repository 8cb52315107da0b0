// Complete HTTP answer heads and the bridge's two error pages.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace webwin {

inline constexpr std::string_view kNoCache = "no-cache, no-store, must-revalidate, private, max-age=0";

// The head of a 200 answer; with a cookie value, the Set-Cookie line that hands it out.
// No Access-Control-Allow-Origin: the answers are for the window's own pages only.
std::string okHeader(std::string_view cookie, std::string_view mimeType, size_t length);

// A whole HTML answer with the given status and page.
std::string errorAnswer(int status, std::string_view page);

// A 302 answer to `location` (encoded for an address; "/" kept); nothing when it could not be
// written safely (a CR or LF would split the head).
std::optional<std::string> redirectAnswer(std::string_view location);

// The "Access Denied" (403) and "Resource Not Available" (404) pages.
std::string accessDeniedPage();
std::string notAvailablePage();

}  // namespace webwin
