// UTF-8 and UTF-16 of Unicode text: the one coder every layer uses. Two readings of UTF-8
// bytes: the strict one (a well-formed sequence or, for a broken one, U+FFFD) and the codec's
// lenient one (the bit formulas of the class the first byte names, unchecked), and one
// writing of a code point. Every reading is bounded by the bytes it is given.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace utf8 {

constexpr char32_t kReplacement = 0xFFFD;
constexpr size_t kMaxSequence = 4; // bytes of the longest sequence

constexpr bool isHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
constexpr bool isLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }
constexpr bool isSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDFFF; }
// The code point of a surrogate pair.
constexpr char32_t fromPair(char32_t high, char32_t low) {
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// The strict reading of the character that begins `bytes` (not empty). A well-formed
// sequence (no overlong form, no surrogate, nothing past U+10FFFF, not cut short) gives its
// value and length. Otherwise the value is U+FFFD and the length that of the longest
// well-formed beginning of a sequence, at least 1: a broken sequence is one character.
struct Sequence {
    char32_t value;
    size_t length;
    bool wellFormed;
};
Sequence decode(std::string_view bytes);

// The lenient reading of the codec, into UTF-16 units: the first byte alone decides the
// length (a stray continuation byte reads as a two-byte lead), continuation bytes are not
// examined, a sequence the end cuts short is one U+FFFD for the bytes left, and a four-byte
// sequence is one pair of units (of the low 16 bits of its formula when it is overlong).
struct LenientUnits {
    char16_t units[2];
    size_t count;    // units
    size_t consumed; // bytes
};
LenientUnits decodeLenient(std::string_view bytes);

// The UTF-8 of a code point into out (room for kMaxSequence bytes); returns its length. A
// surrogate or a value past U+10FFFF is written as U+FFFD.
size_t encode(char32_t c, char *out);
void append(std::string &out, char32_t c);
// The UTF-16 of a code point (a pair past U+FFFF), with the same replacement.
void appendUtf16(std::u16string &out, char32_t c);

// UTF-16 to UTF-8: pairs joined, an unpaired surrogate becomes U+FFFD.
std::string fromUtf16(std::u16string_view units);
// UTF-8 to UTF-16 by the strict reading.
std::u16string toUtf16(std::string_view bytes);

} // namespace utf8
