// The shell's own UTF-8 <-> UTF-16 codec and the conversions the rest of the shell calls.
// Documents in the editing component are UTF-8 bytes; window texts, file names and built-in
// texts are UTF-16. A wide string here always holds UTF-16 code units, whatever the width
// of wchar_t on the building system (the codec keeps every unit to 16 bits).
//
// The codec neither validates nor reports: malformed UTF-8 decodes by the bit formulas of
// the well-formed classes, a lone surrogate encodes together with the unit after it. Input
// is bounded by its length: a sequence the end of the input cuts short never reads past it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What a sequence cut short by the end of the input decodes to (one unit).
constexpr wchar_t kCutSequenceUnit = 0xFFFD;

// Units that utf8Decode produces for the bytes.
size_t utf16DecodedLength(const unsigned char *bytes, size_t length);
// Decodes into out[0..capacity); returns the units written. A pair is never written half.
size_t utf8Decode(std::string_view bytes, wchar_t *out, size_t capacity);
// Bytes that utf8Encode produces: units are taken until `count` or a 0 unit.
size_t utf8EncodedLength(const wchar_t *units, size_t count);
// Encodes into a buffer of exactly utf8EncodedLength(units, count) bytes.
void utf8Encode(const wchar_t *units, size_t count, char *out);

// NUL-terminated text (null gives an empty string).
std::wstring utf8ToWide(const char *text);
// Counted text: an embedded NUL byte becomes a 0 unit.
std::wstring utf8ToWide(const std::string &text);
std::wstring utf8ToWide(std::string_view text);
// Stops at a 0 unit.
std::string wideToUtf8(std::wstring_view text);
// Through the platform's UTF-8 conversion (a lone surrogate becomes U+FFFD there); the
// result ends at the first NUL. The form in which terminal lines reach the engine.
std::string wstringToUtf8(const std::wstring &text);
