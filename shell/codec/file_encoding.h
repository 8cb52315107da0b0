// The encodings a document file is read and written in, as the tab's encoding name shows
// them: "UTF-8" (every new tab), "UTF-8-BOM", "UTF-16-LE", "UTF-16-BE" and "ANSI" (the
// system's active code page). The byte order mark is not part of the document text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

struct FileEncoding {
    std::wstring name;
    size_t markLength; // 3 for UTF-8-BOM, 2 for either UTF-16, else 0
};

// Recognises the encoding of the n bytes read: a byte order mark, else a UTF-8 validity
// scan ("UTF-8" when it passes on at least one byte, else "ANSI").
FileEncoding detectFileEncoding(const unsigned char *bytes, size_t n);
// The editor's UTF-8 text of the bytes after the mark; none when the platform conversion
// yields nothing.
std::optional<std::string> decodeFileText(const unsigned char *bytes, size_t n, const std::wstring &encoding,
                                          size_t markLength);
// The bytes to write for the editor's UTF-8 text; none when a conversion yields nothing.
std::optional<std::string> encodeFileText(const std::string &text, const std::wstring &encoding);
// True when the encoding can hold every character of the UTF-8 text: always for the UTF-8
// and UTF-16 names; for "ANSI" only when the code page has each character (its bytes read
// back give the same text).
bool encodingHoldsText(const std::string &text, const std::wstring &encoding);
