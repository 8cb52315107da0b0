#include "text_codec.h"

#include <cstdint>
#include <cstring>

#include "code_pages.h"
#include "utf8.h"

namespace {

constexpr uint32_t kUnitMask = 0xFFFF;
constexpr uint32_t kSurrogateFirst = 0xD800, kSurrogateLast = 0xDFFF;
constexpr uint32_t kSupplementaryBase = 0x10000;

struct Decoded {
    wchar_t units[2];
    size_t count;    // units
    size_t consumed; // bytes
};

// One sequence at p, with `left` >= 1 bytes of input remaining, by the lenient reading.
Decoded decodeAt(const unsigned char *p, size_t left) {
    const utf8::LenientUnits d = utf8::decodeLenient(std::string_view(reinterpret_cast<const char *>(p), left));
    return {{wchar_t(d.units[0]), wchar_t(d.units[1])}, d.count, d.consumed};
}

struct Encoded {
    char bytes[utf8::kMaxSequence];
    size_t count;    // bytes
    size_t consumed; // units
};

// One unit at u (not 0), with `left` >= 1 units remaining. A surrogate takes the unit after
// it as its partner whatever that is; a surrogate at the end takes a zero partner.
Encoded encodeAt(const wchar_t *u, size_t left) {
    Encoded e{};
    const uint32_t unit = uint32_t(u[0]) & kUnitMask;
    if (unit < kSurrogateFirst || unit > kSurrogateLast) {
        e.count = utf8::encode(unit, e.bytes);
        e.consumed = 1;
        return e;
    }
    const uint32_t next = left > 1 ? uint32_t(u[1]) & kUnitMask : 0;
    e.count = utf8::encode(((unit & 0x3FF) << 10) + (next & 0x3FF) + kSupplementaryBase, e.bytes);
    e.consumed = left > 1 ? 2u : 1u;
    return e;
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
