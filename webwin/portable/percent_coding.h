// Percent coding of addresses: decoding a request path once, encoding names for addresses.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace webwin {

// "%XY" becomes the byte 0xXY; a "%" without two hexadecimal digits after it refuses the whole text.
std::optional<std::string> percentDecode(std::string_view text);

// Letters, digits, "-", ".", "_" and "~" stay, and "/" when keepSlash; every other byte becomes "%XY".
std::string percentEncode(std::string_view text, bool keepSlash);

}  // namespace webwin
