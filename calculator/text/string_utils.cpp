#include "text/string_utils.h"

#include <type_traits>

#include "BigNumber.h"
#include "utf8.h"

void replace_all(std::string &text, const std::string &pattern, const std::string &replacement) {
    BigNumber::replaceAll(text, pattern, replacement);
}

std::vector<std::string> split_by_char(const std::string &text, char delimiter) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t at = text.find(delimiter); at != std::string::npos; at = text.find(delimiter, start)) {
        pieces.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    if (start < text.size()) pieces.push_back(text.substr(start));
    return pieces;
}

std::string utf8_from_units(std::u16string_view units) {
    return utf8::fromUtf16(units);
}

std::string utf8_from_units(std::u32string_view units) {
    std::string out;
    out.reserve(units.size());
    for (char32_t u : units) utf8::append(out, u);
    return out;
}

std::string wide_to_utf8(const std::wstring &text) {
    if constexpr (sizeof(wchar_t) == 2) {
        return utf8_from_units(std::u16string(text.begin(), text.end()));
    } else {
        // Through an unsigned type: a negative wchar_t must not pass as a small code point.
        std::u32string units;
        units.reserve(text.size());
        for (wchar_t w : text) units += char32_t(std::make_unsigned_t<wchar_t>(w));
        return utf8_from_units(units);
    }
}

int64_t kmp_find(const std::string &text, const std::string &pattern) {
    const size_t m = pattern.size();
    if (m == 0) return -3;
    if (m > text.size()) return -2;
    // border[k]: length of the longest proper border of the first k pattern characters.
    std::vector<size_t> border(m + 1, 0);
    for (size_t i = 1; i < m; i++) {
        size_t j = border[i];
        while (j > 0 && pattern[j] != pattern[i]) j = border[j];
        if (pattern[j] == pattern[i]) border[i + 1] = j + 1;
    }
    size_t j = 0;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == pattern[j]) {
            if (++j == m) return int64_t(i + 1 - m);
            i++;
        } else if (j > 0) {
            j = border[j];
        } else {
            i++;
        }
    }
    return -1;
}

size_t matching_close_paren(const std::string &text, size_t open) {
    size_t depth = 0;
    for (size_t at = open; at < text.size(); at++) {
        if (text[at] == '(') depth++;
        else if (text[at] == ')' && depth > 0 && --depth == 0) return at;
    }
    return std::string::npos;
}
