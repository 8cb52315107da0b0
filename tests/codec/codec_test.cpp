// The shell's UTF-8/UTF-16 codec, the conversions built on it and the file encodings.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "code_pages.h"
#include "file_encoding.h"
#include "text_codec.h"

namespace {

using Bytes = std::vector<unsigned char>;
using Units = std::vector<unsigned>;

// Decodes from a heap block of exactly the input's size, so that AddressSanitizer sees any
// read past the end.
Units decodeExact(const Bytes &bytes) {
    std::unique_ptr<unsigned char[]> exact(new unsigned char[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), exact.get());
    const size_t length = utf16DecodedLength(exact.get(), bytes.size());
    std::vector<wchar_t> out(length + 1, L'\x7777');
    const size_t written = utf8Decode(std::string_view(reinterpret_cast<const char *>(exact.get()), bytes.size()),
                                      out.data(), length);
    EXPECT_EQ(written, length);
    EXPECT_EQ(unsigned(out[length]), 0x7777u) << "wrote past the measured length";
    Units units;
    for (size_t i = 0; i < written; ++i) units.push_back(unsigned(out[i]));
    return units;
}

Bytes encodeUnits(const Units &units) {
    std::vector<wchar_t> in(units.begin(), units.end());
    const size_t length = utf8EncodedLength(in.data(), in.size());
    std::string out(length, '\0');
    utf8Encode(in.data(), in.size(), out.data());
    return Bytes(out.begin(), out.end());
}

Bytes bytesOf(const std::string &text) {
    return Bytes(text.begin(), text.end());
}

std::string textOf(const Bytes &bytes) {
    return std::string(bytes.begin(), bytes.end());
}

struct DecodeCase {
    const char *what;
    Bytes bytes;
    Units units;
};

TEST(Utf8Decode, SequencesByTheirFirstByte) {
    const DecodeCase cases[] = {
        {"ASCII", {'a', 'B', '1'}, {'a', 'B', '1'}},
        {"two bytes", {0xC3, 0xA9}, {0xE9}},
        {"three bytes", {0xE4, 0xB8, 0xAD}, {0x4E2D}},
        {"four bytes, a pair", {0xF0, 0x9F, 0x98, 0x80}, {0xD83D, 0xDE00}},
        {"overlong NUL", {0xC0, 0x80}, {0x0000}},
        {"stray continuation as a two-byte lead", {0x80, 0x41}, {0x41}},
        {"continuation bytes not examined", {0xC3, 0x41}, {0x101}},
        {"three bytes kept to 16 bits", {0xEF, 0xFF, 0xFF}, {0x103F}},
        {"overlong four bytes", {0xF0, 0x80, 0x80, 0x80}, {0xD7C0, 0xDC00}},
        {"NUL byte", {'a', 0x00, 'b'}, {'a', 0, 'b'}},
        {"empty", {}, {}},
    };
    for (const DecodeCase &c : cases) EXPECT_EQ(decodeExact(c.bytes), c.units) << c.what;
}

TEST(Utf8Decode, CutSequencesStopAtTheEndOfTheInput) {
    const unsigned cut = unsigned(kCutSequenceUnit);
    const DecodeCase cases[] = {
        {"lead of two alone", {0xC3}, {cut}},
        {"three cut after two", {0xE2, 0x82}, {cut}},
        {"four cut after three", {0xF0, 0x9F, 0x98}, {cut}},
        {"four cut after one, text before", {'a', 0xF0}, {'a', cut}},
        {"stray continuation at the end", {'x', 0xBF}, {'x', cut}},
    };
    for (const DecodeCase &c : cases) EXPECT_EQ(decodeExact(c.bytes), c.units) << c.what;
}

TEST(Utf8Decode, CapacityIsNeverExceededAndAPairIsNotSplit) {
    const std::string text = "a\xF0\x9F\x98\x80" "b";
    wchar_t out[4] = {0, 0, 0, 0};
    EXPECT_EQ(utf8Decode(text, out, 0), 0u);
    EXPECT_EQ(utf8Decode(text, out, 1), 1u);
    EXPECT_EQ(utf8Decode(text, out, 2), 1u); // the pair does not fit in what is left
    EXPECT_EQ(utf8Decode(text, out, 3), 3u);
    EXPECT_EQ(unsigned(out[3]), 0u);
}

struct EncodeCase {
    const char *what;
    Units units;
    Bytes bytes;
};

TEST(Utf8Encode, UnitsToBytes) {
    const EncodeCase cases[] = {
        {"ASCII", {'o', 'k'}, {'o', 'k'}},
        {"two bytes", {0xE9}, {0xC3, 0xA9}},
        {"three bytes", {0x20AC}, {0xE2, 0x82, 0xAC}},
        {"a pair", {0xD83D, 0xDE00}, {0xF0, 0x9F, 0x98, 0x80}},
        {"stops at a 0 unit", {'a', 0, 'b'}, {'a'}},
        {"high surrogate at the end takes a zero partner", {0xD83D}, {0xF0, 0x9F, 0x90, 0x80}},
        {"low surrogate takes whatever follows", {0xDC00, 'A', 'B'}, {0xF0, 0x90, 0x81, 0x81, 'B'}},
        {"a surrogate takes a 0 unit as its partner", {0xD800, 0, 'z'}, {0xF0, 0x90, 0x80, 0x80, 'z'}},
        {"empty", {}, {}},
    };
    for (const EncodeCase &c : cases) EXPECT_EQ(encodeUnits(c.units), c.bytes) << c.what;
}

TEST(Conversions, NulAndEmptyInputs) {
    EXPECT_EQ(utf8ToWide(static_cast<const char *>(nullptr)), L"");
    EXPECT_EQ(utf8ToWide(""), L"");
    EXPECT_EQ(utf8ToWide("ab\0cd"), L"ab"); // a NUL-terminated text ends at its NUL
    const std::wstring counted = utf8ToWide(std::string("ab\0cd", 5));
    ASSERT_EQ(counted.size(), 5u);
    EXPECT_EQ(counted[2], L'\0');
    EXPECT_EQ(wideToUtf8(std::wstring(L"x\0y", 3)), "x");
    EXPECT_EQ(wideToUtf8(L""), "");
    EXPECT_EQ(wstringToUtf8(std::wstring(L"1+2\0junk", 8)), "1+2");
    EXPECT_EQ(wstringToUtf8(L""), "");
}

TEST(Conversions, ThePlatformFormReplacesALoneSurrogate) {
    std::wstring lone = L"a";
    lone += wchar_t(0xD800);
    lone += L"b";
    EXPECT_EQ(wstringToUtf8(lone), "a\xEF\xBF\xBD" "b");
    std::wstring pair;
    pair += wchar_t(0xD83D);
    pair += wchar_t(0xDE00);
    EXPECT_EQ(wstringToUtf8(pair), "\xF0\x9F\x98\x80");
}

// Well-formed text of every unit class goes there and back unchanged, and the own codec
// agrees with the platform's conversion on it.
TEST(Conversions, RoundTripOfWellFormedText) {
    std::mt19937 random(27);
    const unsigned starts[] = {0x01, 0x80, 0x800, 0xE000, 0xD800};
    for (int round = 0; round < 300; ++round) {
        std::wstring text;
        const int length = int(random() % 24);
        for (int i = 0; i < length; ++i) {
            const unsigned kind = random() % 5;
            if (kind == 4) {
                text += wchar_t(0xD800 + random() % 0x400);
                text += wchar_t(0xDC00 + random() % 0x400);
            } else {
                const unsigned span[] = {0x7F, 0x780, 0xD000, 0x1FFF};
                text += wchar_t(starts[kind] + random() % span[kind]);
            }
        }
        const std::string utf8 = wideToUtf8(text);
        EXPECT_EQ(utf8ToWide(utf8), text);
        EXPECT_EQ(utf8, wstringToUtf8(text));
    }
}

struct DetectCase {
    const char *what;
    Bytes bytes;
    const wchar_t *name;
    size_t markLength;
};

TEST(FileEncoding, Detection) {
    const DetectCase cases[] = {
        {"UTF-8 mark only", {0xEF, 0xBB, 0xBF}, L"UTF-8-BOM", 3},
        {"UTF-8 mark and text", {0xEF, 0xBB, 0xBF, 'h', 'i'}, L"UTF-8-BOM", 3},
        {"UTF-16 LE mark only", {0xFF, 0xFE}, L"UTF-16-LE", 2},
        {"UTF-16 BE mark", {0xFE, 0xFF, 0x00, 'a'}, L"UTF-16-BE", 2},
        {"two bytes of a UTF-8 mark", {0xEF, 0xBB}, L"ANSI", 0},
        {"plain ASCII", {'a', 'b', '\n'}, L"UTF-8", 0},
        {"UTF-8 text", {'c', 'a', 'f', 0xC3, 0xA9}, L"UTF-8", 0},
        {"overlong NUL passes", {0xC0, 0x80}, L"UTF-8", 0},
        {"lead F5 passes", {0xF5, 0x80, 0x80, 0x80}, L"UTF-8", 0},
        {"a single E9", {0xE9}, L"ANSI", 0},
        {"cut at the end", {'a', 0xE2, 0x82}, L"ANSI", 0},
        {"bad continuation", {0xC3, 0x41}, L"ANSI", 0},
        {"lead F8", {0xF8, 0x80, 0x80, 0x80, 0x80}, L"ANSI", 0},
        {"empty", {}, L"ANSI", 0},
    };
    for (const DetectCase &c : cases) {
        std::unique_ptr<unsigned char[]> exact(new unsigned char[c.bytes.size() + 1]);
        std::copy(c.bytes.begin(), c.bytes.end(), exact.get());
        const FileEncoding found = detectFileEncoding(exact.get(), c.bytes.size());
        EXPECT_EQ(found.name, c.name) << c.what;
        EXPECT_EQ(found.markLength, c.markLength) << c.what;
    }
}

struct FileTextCase {
    const char *what;
    Bytes file;
    std::string text;
};

TEST(FileEncoding, FileBytesToEditorText) {
    const FileTextCase cases[] = {
        {"UTF-8 mark only", {0xEF, 0xBB, 0xBF}, ""},
        {"UTF-8 mark dropped", {0xEF, 0xBB, 0xBF, 'h', 'i'}, "hi"},
        {"UTF-8 unchanged", {'c', 'a', 'f', 0xC3, 0xA9}, "caf\xC3\xA9"},
        {"UTF-16 LE mark only", {0xFF, 0xFE}, ""},
        {"UTF-16 LE", {0xFF, 0xFE, 'A', 0x00, 0xE9, 0x00}, "A\xC3\xA9"},
        {"UTF-16 BE", {0xFE, 0xFF, 0x4E, 0x2D, 0x00, '1'}, "\xE4\xB8\xAD" "1"},
        {"UTF-16 LE pair", {0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE}, "\xF0\x9F\x98\x80"},
        {"UTF-16 odd last byte dropped", {0xFF, 0xFE, 'o', 0x00, 'k'}, "o"},
        {"ANSI byte", {'c', 'a', 'f', 0xE9}, "caf\xC3\xA9"},
    };
    for (const FileTextCase &c : cases) {
        std::unique_ptr<unsigned char[]> exact(new unsigned char[c.file.size()]);
        std::copy(c.file.begin(), c.file.end(), exact.get());
        const FileEncoding encoding = detectFileEncoding(exact.get(), c.file.size());
        const auto text = decodeFileText(exact.get(), c.file.size(), encoding.name, encoding.markLength);
        ASSERT_TRUE(text.has_value()) << c.what;
        EXPECT_EQ(*text, c.text) << c.what;
    }
}

struct SaveCase {
    const char *what;
    std::string text;
    const wchar_t *encoding;
    Bytes file;
};

TEST(FileEncoding, EditorTextToFileBytes) {
    const SaveCase cases[] = {
        {"UTF-8 unchanged", "caf\xC3\xA9", L"UTF-8", {'c', 'a', 'f', 0xC3, 0xA9}},
        {"UTF-8 with its mark", "caf\xC3\xA9", L"UTF-8-BOM", {0xEF, 0xBB, 0xBF, 'c', 'a', 'f', 0xC3, 0xA9}},
        {"ANSI", "caf\xC3\xA9", L"ANSI", {'c', 'a', 'f', 0xE9}},
        {"ANSI lacks the character", "\xE4\xB8\xAD", L"ANSI", {'?'}},
        {"UTF-16 LE written back with its mark", "A\xE4\xB8\xAD", L"UTF-16-LE", {0xFF, 0xFE, 'A', 0x00, 0x2D, 0x4E}},
        {"UTF-16 BE pair", "\xF0\x9F\x98\x80", L"UTF-16-BE", {0xFE, 0xFF, 0xD8, 0x3D, 0xDE, 0x00}},
    };
    for (const SaveCase &c : cases) {
        const auto bytes = encodeFileText(c.text, c.encoding);
        ASSERT_TRUE(bytes.has_value()) << c.what;
        EXPECT_EQ(bytesOf(*bytes), c.file) << c.what;
    }
    EXPECT_FALSE(encodeFileText("", L"ANSI").has_value()) << "nothing converted, nothing to write";
}

// A file read in its detected encoding and written back gives the same bytes.
TEST(FileEncoding, OpenedFilesAreWrittenBackUnchanged) {
    const Bytes files[] = {
        {0xEF, 0xBB, 0xBF, 'x', '=', 0xE2, 0x82, 0xAC},
        {0xFF, 0xFE, 'a', 0x00, 0x3D, 0xD8, 0x00, 0xDE},
        {0xFE, 0xFF, 0x4E, 0x2D, 0x00, '\n'},
        {'p', 'l', 'a', 'i', 'n'},
        {'c', 'a', 'f', 0xE9},
    };
    for (const Bytes &file : files) {
        const FileEncoding encoding = detectFileEncoding(file.data(), file.size());
        const auto text = decodeFileText(file.data(), file.size(), encoding.name, encoding.markLength);
        ASSERT_TRUE(text.has_value());
        const auto written = encodeFileText(*text, encoding.name);
        ASSERT_TRUE(written.has_value());
        EXPECT_EQ(bytesOf(*written), file) << textOf(file);
    }
}

} // namespace

TEST(FileEncodingHolds, AnsiHoldsOnlyItsOwnCharacters) {
    EXPECT_TRUE(encodingHoldsText("caf\xC3\xA9", L"ANSI"));
    EXPECT_FALSE(encodingHoldsText("\xE4\xB8\xAD", L"ANSI")); // a Chinese character
    EXPECT_TRUE(encodingHoldsText("\xE4\xB8\xAD", L"UTF-16-LE"));
    EXPECT_TRUE(encodingHoldsText("\xE4\xB8\xAD", L"UTF-8-BOM"));
    EXPECT_TRUE(encodingHoldsText("", L"ANSI"));
}
