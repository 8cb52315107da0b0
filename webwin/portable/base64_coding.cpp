#include "base64_coding.h"

namespace webwin {
namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int sextet(char c) {
    const size_t at = kAlphabet.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace

std::string base64Encode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t left = bytes.size() - i;
        unsigned group = static_cast<unsigned char>(bytes[i]) << 16;
        if (left > 1) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (left > 2) group |= static_cast<unsigned char>(bytes[i + 2]);
        out.push_back(kAlphabet[(group >> 18) & 63]);
        out.push_back(kAlphabet[(group >> 12) & 63]);
        out.push_back(left > 1 ? kAlphabet[(group >> 6) & 63] : '=');
        out.push_back(left > 2 ? kAlphabet[group & 63] : '=');
    }
    return out;
}

std::optional<std::string> base64Decode(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    std::string out;
    out.reserve(text.size() / 4 * 3);
    for (size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        const int padding = (text[i + 3] == '=') + (text[i + 2] == '=' && text[i + 3] == '=');
        if (padding > 0 && !last) return std::nullopt;
        unsigned group = 0;
        for (int k = 0; k < 4; ++k) {
            const int value = k >= 4 - padding ? 0 : sextet(text[i + k]);
            if (value < 0) return std::nullopt;
            group = group << 6 | static_cast<unsigned>(value);
        }
        // Bits below the last byte must be zero: one text for one byte string.
        if ((padding == 1 && (group & 0xFF) != 0) || (padding == 2 && (group & 0xFFFF) != 0)) return std::nullopt;
        out.push_back(static_cast<char>(group >> 16));
        if (padding < 2) out.push_back(static_cast<char>((group >> 8) & 255));
        if (padding < 1) out.push_back(static_cast<char>(group & 255));
    }
    return out;
}

}  // namespace webwin
