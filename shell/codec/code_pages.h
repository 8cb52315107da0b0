// The platform's code-page conversions, as the file encodings and the terminal use them:
// no flags, so characters a code page lacks become its default character and malformed
// UTF-8 becomes U+FFFD. On Windows these are MultiByteToWideChar / WideCharToMultiByte;
// elsewhere (the native test build) UTF-8 is converted by the same rules and the ANSI code
// page is taken as Latin-1.
#pragma once

#include <string>
#include <string_view>

enum class CodePage : unsigned {
    Ansi = 0,     // the system's active code page
    Utf8 = 65001,
};

// An empty result stands for the platform's failure (a length of 0 or less).
std::wstring bytesToWide(CodePage page, std::string_view bytes);
std::string wideToBytes(CodePage page, std::wstring_view units);
