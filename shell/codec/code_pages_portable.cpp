#ifndef _WIN32
// The native build has no code pages of its own: UTF-8 by the platform's rules (each
// malformed part becomes one U+FFFD, a lone surrogate too), the ANSI page as Latin-1.
#include "code_pages.h"

#include <cstdint>

#include "utf8.h"

namespace {

constexpr uint32_t kLatin1Last = 0xFF;
constexpr char kLatin1Default = '?';
constexpr uint32_t kUnitMask = 0xFFFF; // a wide string holds UTF-16 units

} // namespace

std::wstring bytesToWide(CodePage page, std::string_view bytes) {
    if (page == CodePage::Utf8) {
        const std::u16string units = utf8::toUtf16(bytes);
        return std::wstring(units.begin(), units.end());
    }
    std::wstring out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) out += wchar_t(b);
    return out;
}

std::string wideToBytes(CodePage page, std::wstring_view units) {
    if (page == CodePage::Utf8) {
        std::u16string utf16;
        utf16.reserve(units.size());
        for (wchar_t u : units) utf16 += char16_t(uint32_t(u) & kUnitMask);
        return utf8::fromUtf16(utf16);
    }
    std::string out;
    out.reserve(units.size());
    for (wchar_t u : units) out += uint32_t(u) <= kLatin1Last ? char(u) : kLatin1Default;
    return out;
}
#endif
