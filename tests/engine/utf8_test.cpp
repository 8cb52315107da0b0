// The one UTF-8/UTF-16 coder: its strict and lenient readings and its writing.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "utf8/utf8.h"

namespace {

// Reads from a heap block of exactly the input's size, so that AddressSanitizer sees any
// read past the end.
utf8::Sequence decodeExact(const std::string &bytes) {
    std::unique_ptr<char[]> exact(new char[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), exact.get());
    return utf8::decode(std::string_view(exact.get(), bytes.size()));
}

TEST(Utf8Strict, WellFormedAndBrokenSequences) {
    struct Case {
        const char *what;
        std::string bytes;
        char32_t value;
        size_t length;
        bool wellFormed;
    };
    const Case cases[] = {
        {"ASCII", "a", 'a', 1, true},
        {"two bytes", "\xC3\xA9", 0xE9, 2, true},
        {"three bytes", "\xE4\xB8\xAD", 0x4E2D, 3, true},
        {"four bytes", "\xF0\x9F\x98\x80", 0x1F600, 4, true},
        {"last code point", "\xF4\x8F\xBF\xBF", 0x10FFFF, 4, true},
        {"only the first character", "\xC3\xA9z", 0xE9, 2, true},
        {"stray continuation", "\x80", 0xFFFD, 1, false},
        {"overlong two bytes", "\xC0\xAF", 0xFFFD, 1, false},
        {"overlong three bytes", "\xE0\x80\xAF", 0xFFFD, 1, false},
        {"surrogate", "\xED\xA0\x80", 0xFFFD, 1, false},
        {"past U+10FFFF", "\xF4\x90\x80\x80", 0xFFFD, 1, false},
        {"no lead", "\xFF", 0xFFFD, 1, false},
        // a cut or interrupted sequence is one character as far as it went well
        {"cut after two of four", "\xF0\x9F", 0xFFFD, 2, false},
        {"cut after three of four", "\xF0\x9F\x98", 0xFFFD, 3, false},
        {"interrupted by ASCII", "\xE2\x82z", 0xFFFD, 2, false},
        {"interrupted by a lead", "\xE2\xC3\xA9", 0xFFFD, 1, false},
    };
    for (const Case &c : cases) {
        const utf8::Sequence s = decodeExact(c.bytes);
        EXPECT_EQ(s.value, c.value) << c.what;
        EXPECT_EQ(s.length, c.length) << c.what;
        EXPECT_EQ(s.wellFormed, c.wellFormed) << c.what;
    }
}

// Every code point written and read back; every sequence of up to three bytes is well formed
// exactly when it is the writing of the value read.
TEST(Utf8Strict, ReadingAndWritingAgreeEverywhere) {
    char out[utf8::kMaxSequence];
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (utf8::isSurrogate(c)) continue;
        const size_t n = utf8::encode(c, out);
        const utf8::Sequence s = utf8::decode(std::string_view(out, n));
        ASSERT_TRUE(s.wellFormed && s.value == c && s.length == n) << std::hex << uint32_t(c);
    }
    for (uint32_t v = 0; v < (1u << 24); v += (v >> 16) < 0xC0 ? 0x10000 : 1) {
        const char bytes[3] = {char(v >> 16), char(v >> 8), char(v)};
        const utf8::Sequence s = utf8::decode(std::string_view(bytes, 3));
        const bool isWriting = s.wellFormed && utf8::encode(s.value, out) == s.length &&
                               std::string_view(out, s.length) == std::string_view(bytes, s.length);
        ASSERT_EQ(s.wellFormed, isWriting) << std::hex << v;
        ASSERT_TRUE(s.length >= 1 && s.length <= 3) << std::hex << v;
    }
}

TEST(Utf8Lenient, TheFirstByteDecidesAndNothingIsChecked) {
    struct Case {
        const char *what;
        std::string bytes;
        std::u16string units;
        size_t consumed;
    };
    const Case cases[] = {
        {"ASCII", "a", u"a", 1},
        {"three bytes", "\xE4\xB8\xAD", u"\u4E2D", 3},
        {"four bytes, a pair", "\xF0\x9F\x98\x80", {0xD83D, 0xDE00}, 4},
        {"stray continuation as a two-byte lead", "\x80\x41", u"A", 2},
        {"surrogate taken as it is", "\xED\xA0\x80", {0xD800}, 3},
        {"cut short: one U+FFFD for the rest", "\xF0\x9F", {0xFFFD}, 2},
        {"overlong four bytes keep 16 bits", "\xF0\x80\x80\x80", {0xD7C0, 0xDC00}, 4},
    };
    for (const Case &c : cases) {
        const utf8::LenientUnits d = utf8::decodeLenient(c.bytes);
        EXPECT_EQ(std::u16string(d.units, d.count), c.units) << c.what;
        EXPECT_EQ(d.consumed, c.consumed) << c.what;
    }
}

TEST(Utf8Write, ReplacementAndUtf16) {
    std::string out;
    for (char32_t c : {char32_t(0xD800), char32_t(0xDFFF), char32_t(0x110000), char32_t(0xFFFFFFFF)}) {
        out.clear();
        utf8::append(out, c);
        EXPECT_EQ(out, "\xEF\xBF\xBD") << std::hex << uint32_t(c);
    }
    std::u16string units;
    utf8::appendUtf16(units, 0x1F600);
    utf8::appendUtf16(units, 0xDC00);
    EXPECT_EQ(units, (std::u16string{0xD83D, 0xDE00, 0xFFFD}));

    EXPECT_EQ(utf8::fromUtf16(u"a\u00E9\u4E2D\U0001F600"), "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
    EXPECT_EQ(utf8::fromUtf16(std::u16string{u'x', 0xD800, u'y', 0xDC00}), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
    EXPECT_EQ(utf8::toUtf16("a\xC3\xA9\xF0\x9F\x98\x80\xE2\x82z\xFF"),
              (std::u16string{u'a', 0xE9, 0xD83D, 0xDE00, 0xFFFD, u'z', 0xFFFD}));
}

} // namespace
