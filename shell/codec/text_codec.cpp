#include "text_codec.h"

#include <cstdint>
#include <cstring>

#include "code_pages.h"

namespace {

constexpr uint32_t kUnitMask = 0xFFFF;
constexpr uint32_t kSurrogateFirst = 0xD800, kSurrogateLast = 0xDFFF;
constexpr uint32_t kLowSurrogateBase = 0xDC00, kSupplementaryBase = 0x10000;
constexpr size_t kMaxSequence = 4;

// The class of a sequence is decided by its first byte alone (stray continuation bytes
// count as two-byte leads); continuation bytes are not examined.
size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    return kMaxSequence;
}

struct Decoded {
    wchar_t units[2];
    size_t count;    // units
    size_t consumed; // bytes
};

// One sequence at p, with `left` >= 1 bytes of input remaining.
Decoded decodeAt(const unsigned char *p, size_t left) {
    const size_t length = sequenceLength(p[0]);
    if (length > left) return {{kCutSequenceUnit, 0}, 1, left};
    switch (length) {
    case 1:
        return {{wchar_t(p[0]), 0}, 1, 1};
    case 2:
        return {{wchar_t(((p[0] & 0x1Fu) << 6) + (p[1] & 0x7Fu)), 0}, 1, 2};
    case 3: {
        // Kept to 16 bits: a malformed continuation byte may carry past them.
        const uint16_t unit = uint16_t(((p[0] & 0x0Fu) << 12) + ((p[1] & 0x7Fu) << 6) + (p[2] & 0x7Fu));
        return {{wchar_t(unit), 0}, 1, 3};
    }
    default: {
        const int32_t cp = int32_t(((p[0] & 0x07u) << 18) | ((p[1] & 0x3Fu) << 12) | ((p[2] & 0x3Fu) << 6) |
                                   (p[3] & 0x3Fu));
        // An overlong form gives a negative offset; the shift keeps its sign and the unit
        // keeps its low 16 bits.
        const int32_t high = ((cp - int32_t(kSupplementaryBase)) >> 10) + int32_t(kSurrogateFirst);
        const int32_t low = (cp & 0x3FF) | int32_t(kLowSurrogateBase);
        return {{wchar_t(uint32_t(high) & kUnitMask), wchar_t(uint32_t(low) & kUnitMask)}, 2, kMaxSequence};
    }
    }
}

struct Encoded {
    unsigned char bytes[kMaxSequence];
    size_t count;    // bytes
    size_t consumed; // units
};

// One unit at u (not 0), with `left` >= 1 units remaining. A surrogate takes the unit after
// it as its partner whatever that is; a surrogate at the end takes a zero partner.
Encoded encodeAt(const wchar_t *u, size_t left) {
    const uint32_t unit = uint32_t(u[0]) & kUnitMask;
    if (unit < 0x80) return {{uint8_t(unit)}, 1, 1};
    if (unit < 0x800) return {{uint8_t(0xC0 | (unit >> 6)), uint8_t(0x80 | (unit & 0x3F))}, 2, 1};
    if (unit < kSurrogateFirst || unit > kSurrogateLast)
        return {{uint8_t(0xE0 | (unit >> 12)), uint8_t(0x80 | ((unit >> 6) & 0x3F)), uint8_t(0x80 | (unit & 0x3F))}, 3, 1};
    const uint32_t next = left > 1 ? uint32_t(u[1]) & kUnitMask : 0;
    const uint32_t cp = ((unit & 0x3FF) << 10) + (next & 0x3FF) + kSupplementaryBase;
    return {{uint8_t(0xF0 | (cp >> 18)), uint8_t(0x80 | ((cp >> 12) & 0x3F)), uint8_t(0x80 | ((cp >> 6) & 0x3F)),
             uint8_t(0x80 | (cp & 0x3F))},
            4,
            left > 1 ? 2u : 1u};
}

} // namespace

size_t utf16DecodedLength(const unsigned char *bytes, size_t length) {
    size_t units = 0;
    for (size_t at = 0; at < length;) {
        const Decoded d = decodeAt(bytes + at, length - at);
        units += d.count;
        at += d.consumed;
    }
    return units;
}

size_t utf8Decode(std::string_view bytes, wchar_t *out, size_t capacity) {
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    size_t written = 0;
    for (size_t at = 0; at < bytes.size();) {
        const Decoded d = decodeAt(p + at, bytes.size() - at);
        if (d.count > capacity - written) break;
        for (size_t i = 0; i < d.count; ++i) out[written++] = d.units[i];
        at += d.consumed;
    }
    return written;
}

size_t utf8EncodedLength(const wchar_t *units, size_t count) {
    size_t bytes = 0;
    for (size_t at = 0; at < count && units[at] != 0;) {
        const Encoded e = encodeAt(units + at, count - at);
        bytes += e.count;
        at += e.consumed;
    }
    return bytes;
}

void utf8Encode(const wchar_t *units, size_t count, char *out) {
    for (size_t at = 0; at < count && units[at] != 0;) {
        const Encoded e = encodeAt(units + at, count - at);
        std::memcpy(out, e.bytes, e.count);
        out += e.count;
        at += e.consumed;
    }
}

std::wstring utf8ToWide(std::string_view text) {
    if (text.empty()) return std::wstring();
    std::wstring wide(utf16DecodedLength(reinterpret_cast<const unsigned char *>(text.data()), text.size()), L'\0');
    wide.resize(utf8Decode(text, wide.data(), wide.size()));
    return wide;
}

std::wstring utf8ToWide(const char *text) {
    return text == nullptr ? std::wstring() : utf8ToWide(std::string_view(text));
}

std::wstring utf8ToWide(const std::string &text) {
    return utf8ToWide(std::string_view(text));
}

std::string wideToUtf8(std::wstring_view text) {
    if (text.empty()) return std::string();
    std::string bytes(utf8EncodedLength(text.data(), text.size()), '\0');
    utf8Encode(text.data(), text.size(), bytes.data());
    return bytes;
}

std::string wstringToUtf8(const std::wstring &text) {
    if (text.empty()) return std::string();
    std::string bytes = wideToBytes(CodePage::Utf8, text);
    bytes.resize(std::strlen(bytes.c_str()));
    return bytes;
}
