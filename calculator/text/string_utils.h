// Byte-string routines shared by the interpreter, the help lookup, the matrix literal
// readers and the commands. None keeps state between calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Replaces every occurrence of `pattern`, left to right; the search resumes behind each
// inserted replacement, so a replacement is never searched again. An empty pattern
// changes nothing.
void replace_all(std::string &text, const std::string &pattern, const std::string &replacement);
inline void string_replace_all(std::string &text, const std::string &pattern,
                               const std::string &replacement) {
    replace_all(text, pattern, replacement);
}

// The text cut at every delimiter. Empty pieces between delimiters and before a leading
// one are kept; a trailing delimiter gives no empty last piece; the empty text gives none.
std::vector<std::string> split_by_char(const std::string &text, char delimiter);

// UTF-8 of a wide text: UTF-16 where wchar_t has 16 bits (Windows), UTF-32 elsewhere.
// A unit that is no character (a lone surrogate, a value past U+10FFFF) becomes U+FFFD.
std::string wide_to_utf8(const std::wstring &text);
std::string utf8_from_units(std::u16string_view units);
std::string utf8_from_units(std::u32string_view units);

// Knuth-Morris-Pratt search: the 0-based position of the first occurrence of `pattern`;
// -1 when there is none, -2 when the pattern is longer than the text, -3 when it is empty.
int64_t kmp_find(const std::string &text, const std::string &pattern);

// The position of the ")" that closes the "(" at `open` (nested pairs counted); npos when
// it never closes.
size_t matching_close_paren(const std::string &text, size_t open);
