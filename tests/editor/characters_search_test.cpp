// Characters of the UTF-8 document and finding text in it.
#include "text_search.h"
#include "utf8_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using editor::Position;
using editor::TextDocument;

namespace {

TextDocument Holding(const std::string &text) {
    TextDocument doc;
    doc.Insert(0, text, nullptr);
    return doc;
}

}  // namespace

TEST(Characters, StepsAndStartsOverMultiByteAndBrokenSequences) {
    // "a", "é" (2 bytes), "€" (3), U+1F600 (4), "\r\n", a stray trail byte, a cut-off lead, "z"
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\r\n\x80\xE2\x82z";
    TextDocument doc = Holding(text);
    const std::vector<Position> boundaries = {0, 1, 3, 6, 10, 12, 13, 14, 15, 16};
    for (size_t i = 0; i + 1 < boundaries.size(); ++i) {
        EXPECT_EQ(editor::NextCharacter(doc, boundaries[i]), boundaries[i + 1]) << boundaries[i];
        EXPECT_EQ(editor::PreviousCharacter(doc, boundaries[i + 1]), boundaries[i]) << boundaries[i + 1];
    }
    // positions inside a character belong to its start
    const Position inside[][2] = {{2, 1}, {4, 3}, {5, 3}, {7, 6}, {9, 6}, {13, 13}, {14, 14}};
    for (auto [pos, start] : inside) EXPECT_EQ(editor::CharacterStart(doc, pos), start) << pos;
    EXPECT_EQ(editor::NextCharacter(doc, 16), 16);
    EXPECT_EQ(editor::PreviousCharacter(doc, 0), 0);
    EXPECT_EQ(editor::CharacterStart(doc, -4), 0);
    EXPECT_EQ(editor::CharacterStart(doc, 40), 16);
}

TEST(Characters, SequenceLengthsRefuseOverlongSurrogateAndTooLargeForms) {
    const std::pair<std::string, int> cases[] = {
        {"A", 1},
        {"\xC3\xA9", 2},
        {"\xC0\xAF", 1},          // overlong "/"
        {"\xE0\x80\xAF", 1},      // overlong
        {"\xED\xA0\x80", 1},      // a surrogate
        {"\xF4\x90\x80\x80", 1},  // past U+10FFFF
        {"\xF0\x9F\x98", 1},      // cut off
        {"\xE2\x82\xAC", 3},
        {"\xF4\x8F\xBF\xBF", 4},
        {"\xFF", 1},
        {"", 0},
    };
    for (const auto &[bytes, length] : cases) EXPECT_EQ(editor::Utf8SequenceLength(bytes), length) << bytes;
}

TEST(Characters, Utf16FormsAndTheByteOfEachUnit) {
    std::vector<Position> byteOf;
    std::u16string wide = editor::Utf8ToUtf16("a\xC3\xA9\xF0\x9F\x98\x80\xFFz", &byteOf);
    EXPECT_EQ(wide, (std::u16string{u'a', 0xE9, 0xD83D, 0xDE00, 0xFFFD, u'z'}));
    EXPECT_EQ(byteOf, (std::vector<Position>{0, 1, 3, 3, 7, 8, 9}));
    EXPECT_EQ(editor::Utf16ToUtf8(u"a\u00E9\u4E2D\U0001F600"), "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
    // an unpaired surrogate cannot be written in UTF-8
    EXPECT_EQ(editor::Utf16ToUtf8(std::u16string{u'x', char16_t(0xD800), u'y', char16_t(0xDC00)}),
              "x\xEF\xBF\xBDy\xEF\xBF\xBD");
}

TEST(Search, FindsForwardBackwardByCaseAndWholeWords) {
    struct Case {
        std::string text, needle;
        Position from, to;
        bool matchCase, wholeWord;
        Position found;
    };
    const Case cases[] = {
        {"banana", "a", 0, 6, false, false, 1},
        {"banana", "a", 2, 6, false, false, 3},
        {"banana", "a", 4, 6, false, false, 5},
        {"banana", "a", 6, 6, false, false, -1},
        {"banana", "ana", 0, 6, false, true, -1},
        {"banana", "banana", 0, 6, false, true, 0},
        {"a banana", "banana", 0, 8, false, true, 2},
        {"Banana", "banana", 0, 6, true, false, -1},
        {"Banana", "bANANA", 0, 6, false, false, 0},
        {"x = ana_b + ana;", "ana", 0, 16, true, true, 12},
        {"banana", "ana", 0, 5, false, false, 1},  // a match must end inside the range
        {"banana", "ana", 2, 6, false, false, 3},
        {"banana", "a", 6, 0, false, false, 5},     // backward: the last match first
        {"banana", "ana", 6, 0, false, false, 3},
        {"banana", "ana", 5, 0, false, false, 1},
        {"banana", "", 0, 6, false, false, -1},
        {"banana", "a", -9, 99, false, false, 1},   // the range is clamped
        {"中文 中", "中", 1, 10, true, true, 7},        // non-ASCII bytes are word characters
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text + " / " + c.needle);
        TextDocument doc = Holding(c.text);
        Position end = -7;
        Position found = editor::FindInDocument(doc, c.from, c.to, c.needle, {c.matchCase, c.wholeWord}, end);
        EXPECT_EQ(found, c.found);
        if (found >= 0) {
            EXPECT_EQ(end, found + Position(c.needle.size()));
        }
    }
}

// Replacing every match from the last replacement on, as Replace All does, over a text whose
// gap sits elsewhere: each search must see the text as it is after the replacement.
TEST(Search, SearchingOnAfterEachReplacement) {
    TextDocument doc = Holding("banana");
    Position start = 0, end = 0, count = 0;
    for (Position at; (at = editor::FindInDocument(doc, start, doc.Length(), "a", {}, end)) >= 0; ++count) {
        ASSERT_TRUE(doc.Replace(at, end, "aa", nullptr));
        start = at + 2;
    }
    EXPECT_EQ(count, 3);
    EXPECT_EQ(doc.Text(0, doc.Length()), "baanaanaa");
}
