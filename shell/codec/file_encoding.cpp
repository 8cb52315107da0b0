#include "file_encoding.h"

#include <cstring>

#include "code_pages.h"

namespace {

struct Mark {
    const wchar_t *name;
    unsigned char bytes[3];
    size_t length;
};

// First match wins.
constexpr Mark kMarks[] = {
    {L"UTF-8-BOM", {0xEF, 0xBB, 0xBF}, 3},
    {L"UTF-16-LE", {0xFF, 0xFE}, 2},
    {L"UTF-16-BE", {0xFE, 0xFF}, 2},
};

const Mark *markNamed(const std::wstring &encoding) {
    for (const Mark &m : kMarks)
        if (encoding == m.name) return &m;
    return nullptr;
}

// Continuation bytes a lead byte asks for; -1 for a byte that cannot begin a sequence.
// Overlong forms, surrogates and the leads F5-F7 are let through, as the scan always did.
int continuationsAfter(unsigned char b) {
    if (b < 0x80) return 0;
    if ((b & 0xE0) == 0xC0) return 1;
    if ((b & 0xF0) == 0xE0) return 2;
    if ((b & 0xF8) == 0xF0) return 3;
    return -1;
}

bool passesUtf8Scan(const unsigned char *bytes, size_t n) {
    for (size_t at = 0; at < n;) {
        const int more = continuationsAfter(bytes[at]);
        if (more < 0 || size_t(more) >= n - at) return false;
        for (int i = 1; i <= more; ++i)
            if ((bytes[at + size_t(i)] & 0xC0) != 0x80) return false;
        at += size_t(more) + 1;
    }
    return true;
}

std::optional<std::string> wideToEditorText(const std::wstring &wide) {
    std::string text = wideToBytes(CodePage::Utf8, wide);
    if (text.empty()) return std::nullopt;
    return text;
}

// UTF-16 units in the marked byte order; an odd last byte has no partner and is dropped.
std::wstring unitsOf(const unsigned char *bytes, size_t n, bool bigEndian) {
    std::wstring units(n / 2, L'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        const unsigned first = bytes[2 * i], second = bytes[2 * i + 1];
        units[i] = wchar_t(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return units;
}

std::string bytesOf(const std::wstring &units, bool bigEndian) {
    std::string bytes(units.size() * 2, '\0');
    for (size_t i = 0; i < units.size(); ++i) {
        const unsigned u = unsigned(units[i]) & 0xFFFF;
        bytes[2 * i + (bigEndian ? 0 : 1)] = char(u >> 8);
        bytes[2 * i + (bigEndian ? 1 : 0)] = char(u & 0xFF);
    }
    return bytes;
}

} // namespace

FileEncoding detectFileEncoding(const unsigned char *bytes, size_t n) {
    for (const Mark &m : kMarks)
        if (n >= m.length && std::memcmp(bytes, m.bytes, m.length) == 0) return {m.name, m.length};
    return {n > 0 && passesUtf8Scan(bytes, n) ? L"UTF-8" : L"ANSI", 0};
}

std::optional<std::string> decodeFileText(const unsigned char *bytes, size_t n, const std::wstring &encoding,
                                          size_t markLength) {
    const size_t skip = markLength < n ? markLength : n;
    bytes += skip;
    n -= skip;
    const std::string_view body(reinterpret_cast<const char *>(bytes), n);
    if (body.empty()) return std::string();
    if (encoding == L"UTF-16-LE" || encoding == L"UTF-16-BE")
        return wideToEditorText(unitsOf(bytes, n, encoding == L"UTF-16-BE"));
    if (encoding == L"ANSI") {
        const std::wstring wide = bytesToWide(CodePage::Ansi, body);
        if (wide.empty()) return std::string(body);
        return wideToEditorText(wide);
    }
    return std::string(body);
}

std::optional<std::string> encodeFileText(const std::string &text, const std::wstring &encoding) {
    if (encoding == L"UTF-8") return text;
    const Mark *mark = markNamed(encoding);
    const std::string markBytes = mark != nullptr ? std::string(reinterpret_cast<const char *>(mark->bytes), mark->length)
                                                  : std::string();
    if (encoding == L"UTF-8-BOM") return markBytes + text;
    const std::wstring wide = bytesToWide(CodePage::Utf8, text);
    if (wide.empty()) return std::nullopt;
    // A file opened as UTF-16 is written back as it was read, mark and byte order included:
    // the ANSI page would lose every character it lacks.
    if (encoding == L"UTF-16-LE" || encoding == L"UTF-16-BE")
        return markBytes + bytesOf(wide, encoding == L"UTF-16-BE");
    std::string bytes = wideToBytes(CodePage::Ansi, wide);
    if (bytes.empty()) return std::nullopt;
    return bytes;
}

bool encodingHoldsText(const std::string &text, const std::wstring &encoding) {
    if (encoding != L"ANSI" || text.empty()) return true;
    const std::wstring wide = bytesToWide(CodePage::Utf8, text);
    if (wide.empty()) return false;
    const std::string bytes = wideToBytes(CodePage::Ansi, wide);
    return !bytes.empty() && bytesToWide(CodePage::Ansi, bytes) == wide;
}
