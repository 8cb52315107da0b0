// Base64 (standard alphabet, with padding).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace webwin {

std::string base64Encode(std::string_view bytes);

// Refuses a length that is not a multiple of 4, foreign characters, misplaced padding and
// stray bits before the padding.
std::optional<std::string> base64Decode(std::string_view text);

}  // namespace webwin
