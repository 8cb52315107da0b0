// The small character and text helpers of the engine and the layers above, each written once.
// Character classes are ASCII only: a byte of 128 or more is neither a digit nor a letter.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace engine {

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// c is one of the characters of the NUL-terminated set (the NUL itself never is).
inline bool inSet(const char *set, char c) { return c != '\0' && std::strchr(set, c) != nullptr; }

// Every character a digit; the empty text counts.
inline bool allDigits(std::string_view t) {
    for (char c : t)
        if (!isDigit(c)) return false;
    return true;
}

// The decimal digits of v, zero-padded on the left to at least `width` characters.
inline std::string decimalText(uint64_t v, size_t width = 1) {
    char buf[20];
    size_t i = sizeof buf;
    do {
        buf[--i] = char('0' + v % 10);
        v /= 10;
    } while (v);
    size_t digits = sizeof buf - i;
    std::string out(width > digits ? width - digits : 0, '0');
    out.append(buf + i, digits);
    return out;
}

}  // namespace engine
