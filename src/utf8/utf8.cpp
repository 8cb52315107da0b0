#include "utf8.h"

#include <cstdint>

namespace utf8 {

namespace {

constexpr char32_t kLastCodePoint = 0x10FFFF;

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The length a lead byte announces and the bounds of the second byte that keep the
// sequence well formed (no overlong form, no surrogate, nothing past U+10FFFF); the later
// bytes are plain continuations. Length 0: the byte begins no sequence.
struct LeadRule {
    size_t length;
    unsigned char secondLow, secondHigh;
};

LeadRule leadRule(unsigned char b) {
    if (b < 0x80) return {1, 0, 0};
    if (b >= 0xC2 && b <= 0xDF) return {2, 0x80, 0xBF};
    if (b == 0xE0) return {3, 0xA0, 0xBF};
    if (b == 0xED) return {3, 0x80, 0x9F};
    if (b >= 0xE1 && b <= 0xEF) return {3, 0x80, 0xBF};
    if (b == 0xF0) return {4, 0x90, 0xBF};
    if (b >= 0xF1 && b <= 0xF3) return {4, 0x80, 0xBF};
    if (b == 0xF4) return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

// The class of a sequence by its first byte alone, as the lenient reading takes it.
size_t lenientLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    return kMaxSequence;
}

} // namespace

Sequence decode(std::string_view bytes) {
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const size_t n = bytes.size();
    const LeadRule rule = leadRule(p[0]);
    if (rule.length == 1) return {p[0], 1, true};
    if (rule.length == 0) return {kReplacement, 1, false};
    size_t good = 1;
    if (n > 1 && p[1] >= rule.secondLow && p[1] <= rule.secondHigh) {
        good = 2;
        while (good < rule.length && good < n && isContinuation(p[good])) ++good;
    }
    if (good < rule.length) return {kReplacement, good, false};
    char32_t value = p[0] & (0x7F >> rule.length);
    for (size_t i = 1; i < rule.length; ++i) value = (value << 6) | (p[i] & 0x3F);
    return {value, rule.length, true};
}

LenientUnits decodeLenient(std::string_view bytes) {
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const size_t left = bytes.size();
    const size_t length = lenientLength(p[0]);
    if (length > left) return {{char16_t(kReplacement), 0}, 1, left};
    switch (length) {
    case 1:
        return {{char16_t(p[0]), 0}, 1, 1};
    case 2:
        return {{char16_t(((p[0] & 0x1Fu) << 6) + (p[1] & 0x7Fu)), 0}, 1, 2};
    case 3: // kept to 16 bits: a malformed continuation byte may carry past them
        return {{char16_t(((p[0] & 0x0Fu) << 12) + ((p[1] & 0x7Fu) << 6) + (p[2] & 0x7Fu)), 0}, 1, 3};
    default: {
        const int32_t cp = int32_t(((p[0] & 0x07u) << 18) | ((p[1] & 0x3Fu) << 12) | ((p[2] & 0x3Fu) << 6) |
                                   (p[3] & 0x3Fu));
        // An overlong form gives a negative offset; the shift keeps its sign and the unit
        // keeps its low 16 bits.
        const int32_t high = ((cp - 0x10000) >> 10) + 0xD800;
        const int32_t low = (cp & 0x3FF) | 0xDC00;
        return {{char16_t(uint32_t(high) & 0xFFFF), char16_t(uint32_t(low) & 0xFFFF)}, 2, kMaxSequence};
    }
    }
}

size_t encode(char32_t c, char *out) {
    if (c > kLastCodePoint || isSurrogate(c)) c = kReplacement;
    if (c < 0x80) {
        out[0] = char(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = char(0xC0 | (c >> 6));
        out[1] = char(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = char(0xE0 | (c >> 12));
        out[1] = char(0x80 | ((c >> 6) & 0x3F));
        out[2] = char(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = char(0xF0 | (c >> 18));
    out[1] = char(0x80 | ((c >> 12) & 0x3F));
    out[2] = char(0x80 | ((c >> 6) & 0x3F));
    out[3] = char(0x80 | (c & 0x3F));
    return 4;
}

void append(std::string &out, char32_t c) {
    char bytes[kMaxSequence];
    out.append(bytes, encode(c, bytes));
}

void appendUtf16(std::u16string &out, char32_t c) {
    if (c > kLastCodePoint || isSurrogate(c)) c = kReplacement;
    if (c < 0x10000) {
        out += char16_t(c);
        return;
    }
    c -= 0x10000;
    out += char16_t(0xD800 + (c >> 10));
    out += char16_t(0xDC00 + (c & 0x3FF));
}

std::string fromUtf16(std::u16string_view units) {
    std::string out;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (isHighSurrogate(c) && i + 1 < units.size() && isLowSurrogate(units[i + 1])) c = fromPair(c, units[++i]);
        append(out, c); // an unpaired surrogate is written as U+FFFD
    }
    return out;
}

std::u16string toUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (size_t at = 0; at < bytes.size();) {
        const Sequence s = decode(bytes.substr(at));
        appendUtf16(out, s.value);
        at += s.length;
    }
    return out;
}

} // namespace utf8
