#ifndef _WIN32
// The native build has no code pages of its own: UTF-8 by the platform's rules (each
// malformed part becomes one U+FFFD, a lone surrogate too), the ANSI page as Latin-1.
#include "code_pages.h"

#include <cstdint>

namespace {

constexpr wchar_t kReplacement = 0xFFFD;
constexpr uint32_t kLatin1Last = 0xFF;
constexpr char kLatin1Default = '?';

bool isContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// The bounds of the second byte that keep a sequence well formed (no overlong form, no
// surrogate, nothing above U+10FFFF); the later bytes are plain continuations.
struct LeadRule {
    size_t length;
    unsigned char secondLow, secondHigh;
};

LeadRule leadRule(unsigned char b) {
    if (b >= 0xC2 && b <= 0xDF) return {2, 0x80, 0xBF};
    if (b == 0xE0) return {3, 0xA0, 0xBF};
    if (b == 0xED) return {3, 0x80, 0x9F};
    if (b >= 0xE1 && b <= 0xEF) return {3, 0x80, 0xBF};
    if (b == 0xF0) return {4, 0x90, 0xBF};
    if (b == 0xF4) return {4, 0x80, 0x8F};
    if (b >= 0xF1 && b <= 0xF3) return {4, 0x80, 0xBF};
    return {0, 0, 0};
}

void appendCodePoint(std::wstring &out, uint32_t cp) {
    if (cp < 0x10000) {
        out += wchar_t(cp);
        return;
    }
    cp -= 0x10000;
    out += wchar_t(0xD800 + (cp >> 10));
    out += wchar_t(0xDC00 + (cp & 0x3FF));
}

std::wstring strictUtf8ToWide(std::string_view bytes) {
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const size_t n = bytes.size();
    std::wstring out;
    for (size_t at = 0; at < n;) {
        if (p[at] < 0x80) {
            out += wchar_t(p[at++]);
            continue;
        }
        const LeadRule rule = leadRule(p[at]);
        if (rule.length == 0) {
            out += kReplacement;
            ++at;
            continue;
        }
        // The longest well-formed beginning; a broken sequence is replaced as a whole.
        size_t good = 1;
        if (at + 1 < n && p[at + 1] >= rule.secondLow && p[at + 1] <= rule.secondHigh) {
            good = 2;
            while (good < rule.length && at + good < n && isContinuation(p[at + good])) ++good;
        }
        if (good < rule.length) {
            out += kReplacement;
            at += good;
            continue;
        }
        uint32_t cp = p[at] & (0x7F >> rule.length);
        for (size_t i = 1; i < rule.length; ++i) cp = (cp << 6) | (p[at + i] & 0x3F);
        appendCodePoint(out, cp);
        at += rule.length;
    }
    return out;
}

void appendUtf8(std::string &out, uint32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

std::string strictWideToUtf8(std::wstring_view units) {
    std::string out;
    for (size_t at = 0; at < units.size(); ++at) {
        const uint32_t u = uint32_t(units[at]) & 0xFFFF;
        const bool high = u >= 0xD800 && u <= 0xDBFF;
        const bool low = u >= 0xDC00 && u <= 0xDFFF;
        if (high && at + 1 < units.size()) {
            const uint32_t next = uint32_t(units[at + 1]) & 0xFFFF;
            if (next >= 0xDC00 && next <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (next - 0xDC00));
                ++at;
                continue;
            }
        }
        appendUtf8(out, high || low ? uint32_t(kReplacement) : u);
    }
    return out;
}

} // namespace

std::wstring bytesToWide(CodePage page, std::string_view bytes) {
    if (page == CodePage::Utf8) return strictUtf8ToWide(bytes);
    std::wstring out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) out += wchar_t(b);
    return out;
}

std::string wideToBytes(CodePage page, std::wstring_view units) {
    if (page == CodePage::Utf8) return strictWideToUtf8(units);
    std::string out;
    out.reserve(units.size());
    for (wchar_t u : units) out += uint32_t(u) <= kLatin1Last ? char(u) : kLatin1Default;
    return out;
}
#endif
