// The printf-style formatter through which script strings are printed. Its one addition to
// printf: "%s" turns the two-character sequences backslash-n and backslash-t into a line feed
// and a tab, which is how escapes written in script string literals take effect.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>

enum TextFormatFlag {
    TEXT_ZEROPAD = 1,
    TEXT_SIGN = 2,
    TEXT_PLUS = 4,
    TEXT_SPACE = 8,
    TEXT_LEFT = 16,
    TEXT_SMALL = 32,
    TEXT_SPECIAL = 64, // alternate form
};

// Formats to the standard output's file descriptor, after flushing the buffered standard
// output so that the two never interleave out of order. Returns the bytes formatted.
int text_printf(const char *format, ...);
int text_fprintf(FILE *stream, const char *format, ...);

// Appends the formatted text to out; any length. Returns the number of bytes appended.
int text_vformat(std::string &out, const char *format, va_list args);

// Appends value in the given base (2 to 16); false, with nothing written, for another base.
bool text_format_number(std::string &out, int64_t value, int base, int width, int precision, int flags);
