// The byte-string routines: replacing, splitting, substring search and wide text to UTF-8.
#include <gtest/gtest.h>

#include <random>

#include "globals.h"
#include "text/string_utils.h"

namespace {

TEST(StringUtils, ReplaceAll) {
    struct Row {
        const char *text, *pattern, *replacement, *result;
    };
    const Row rows[] = {
        {"aba", "a", "aa", "aabaa"}, // the inserted text is not searched again
        {"aaa", "aa", "a", "aa"},    {"mod mod", "mod", "@", "@ @"},
        {"abc", "x", "y", "abc"},    {"abc", "", "y", "abc"}, // an empty pattern changes nothing
        {"", "a", "b", ""},          {"abab", "ab", "", ""},
    };
    for (const Row &row : rows) {
        std::string a = row.text, b = row.text;
        replace_all(a, row.pattern, row.replacement);
        string_replace_all(b, row.pattern, row.replacement);
        EXPECT_EQ(a, row.result) << row.text;
        EXPECT_EQ(b, row.result) << row.text;
    }
}

TEST(StringUtils, SplitByChar) {
    using Pieces = std::vector<std::string>;
    struct Row {
        const char *text;
        Pieces pieces;
    };
    const Row rows[] = {
        {"a,,b,", {"a", "", "b"}}, {",a", {"", "a"}}, {"", {}}, {"abc", {"abc"}}, {",", {""}},
        {"a,,", {"a", ""}},        {",,", {"", ""}},
    };
    for (const Row &row : rows) EXPECT_EQ(split_by_char(row.text, ','), row.pieces) << row.text;
}

TEST(StringUtils, SplitTokens) {
    struct Row {
        const char *text, *delimiters;
        std::vector<std::string> tokens;
    };
    const Row rows[] = {
        {"1,,2,", ",", {"1", "2"}},
        {",,,", ",", {}},
        {"", ",", {}},
        {"a b;;c ", " ;", {"a", "b", "c"}},
        {"x_1,x_2,+", ",", {"x_1", "x_2", "+"}},
    };
    for (const Row &row : rows) {
        std::string buffer = row.text;
        std::vector<std::string> out = {"kept"}; // tokens are appended
        EXPECT_EQ(split_tokens(buffer.data(), row.delimiters, out), int(row.tokens.size())) << row.text;
        std::vector<std::string> expected = {"kept"};
        expected.insert(expected.end(), row.tokens.begin(), row.tokens.end());
        EXPECT_EQ(out, expected) << row.text;
    }
}

TEST(StringUtils, KmpFind) {
    struct Row {
        const char *text, *pattern;
        int64_t position;
    };
    const Row rows[] = {
        {"abcabd", "abd", 3},   {"aaab", "aab", 1}, {"ab", "abc", -2},          {"abc", "", -3},
        {"", "", -3},           {"abc", "d", -1},   {"abc", "abc", 0},          {"abababc", "ababc", 2},
        {"aabaaab", "aaab", 3}, {"xyz", "z", 2},    {"abcabcabd", "abcabd", 3},
    };
    for (const Row &row : rows)
        EXPECT_EQ(kmp_find(row.text, row.pattern), row.position) << row.text << " / " << row.pattern;
}

TEST(StringUtils, KmpFindAgreesWithPlainSearch) {
    std::mt19937 random(7);
    for (int i = 0; i < 20000; i++) {
        std::string text, pattern;
        for (size_t n = random() % 16; n > 0; n--) text += char('a' + random() % 2);
        for (size_t n = 1 + random() % 5; n > 0; n--) pattern += char('a' + random() % 2);
        if (pattern.size() > text.size()) continue;
        size_t at = text.find(pattern);
        ASSERT_EQ(kmp_find(text, pattern), at == std::string::npos ? -1 : int64_t(at))
            << text << " / " << pattern;
    }
}

TEST(StringUtils, WideToUtf8) {
    EXPECT_EQ(wide_to_utf8(L""), "");
    EXPECT_EQ(wide_to_utf8(L"abc"), "abc");
    EXPECT_EQ(wide_to_utf8(L"\u00e9"), "\xc3\xa9");
    EXPECT_EQ(wide_to_utf8(L"\u4e2d\u6587"), "\xe4\xb8\xad\xe6\x96\x87");
    EXPECT_EQ(wide_to_utf8(L"\U0001F600"), "\xf0\x9f\x98\x80"); // a surrogate pair where wchar_t has 16 bits
    EXPECT_EQ(wide_to_utf8(std::wstring(1, wchar_t(0xD800))), "\xef\xbf\xbd");
}

TEST(StringUtils, Utf16Units) {
    struct Row {
        std::u16string units;
        const char *utf8;
    };
    const Row rows[] = {
        {u"", ""},
        {u"A\u007f", "A\x7f"},
        {u"\u0080\u07ff", "\xc2\x80\xdf\xbf"},
        {u"\u0800\uffff", "\xe0\xa0\x80\xef\xbf\xbf"},
        {{char16_t(0xD83D), char16_t(0xDE00)}, "\xf0\x9f\x98\x80"},
        {{char16_t(0xDBFF), char16_t(0xDFFF)}, "\xf4\x8f\xbf\xbf"},
        {{char16_t(0xD800), u'a'},
         "\xef\xbf\xbd"
         "a"},                                                              // a high surrogate alone
        {{char16_t(0xDC00)}, "\xef\xbf\xbd"},                               // a low surrogate alone
        {{char16_t(0xDE00), char16_t(0xD83D)}, "\xef\xbf\xbd\xef\xbf\xbd"}, // a pair the wrong way round
        {{char16_t(0xD83D)}, "\xef\xbf\xbd"},                               // cut off at the end
    };
    for (const Row &row : rows) EXPECT_EQ(utf8_from_units(row.units), row.utf8);
}

TEST(StringUtils, Utf32Units) {
    struct Row {
        std::u32string units;
        const char *utf8;
    };
    const Row rows[] = {
        {U"\u00e9", "\xc3\xa9"},
        {U"\U00010000", "\xf0\x90\x80\x80"},
        {U"\U0010FFFF", "\xf4\x8f\xbf\xbf"},
        {{char32_t(0x110000)}, "\xef\xbf\xbd"},
        {{char32_t(0xD800)}, "\xef\xbf\xbd"},
        {{char32_t(0xFFFFFFFF)}, "\xef\xbf\xbd"},
    };
    for (const Row &row : rows) EXPECT_EQ(utf8_from_units(row.units), row.utf8);
}

TEST(StringUtils, MatchingCloseParen) {
    struct Row {
        const char *text;
        size_t open;
        size_t close; // std::string::npos when it never closes
    };
    const Row rows[] = {
        {"f()", 1, 2},
        {"f(a(b)c)+g(1)", 1, 7},
        {"f(a(b)c)+g(1)", 3, 5},
        {"f((x)", 1, std::string::npos},
        {"f(", 1, std::string::npos},
        {"(", 5, std::string::npos}, // an opening past the end
    };
    for (const Row &row : rows) EXPECT_EQ(matching_close_paren(row.text, row.open), row.close) << row.text;
}

} // namespace
