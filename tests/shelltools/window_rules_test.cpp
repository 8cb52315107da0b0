// The portable rules behind the window's file, configuration, Go To and search commands.
#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "goto_rules.h"
#include "properties_file.h"
#include "save_paths.h"
#include "search_ranges.h"

TEST(SavePaths, TemporaryNameStaysBesideTheTargetAndDiffersPerAttempt) {
    const std::wstring target = L"C:\\work\\notes.txt";
    const std::wstring first = temporarySavePath(target, 0), second = temporarySavePath(target, 1);
    EXPECT_EQ(first.rfind(target, 0), 0u);
    EXPECT_EQ(first.find_first_of(L"\\/", target.size()), std::wstring::npos);
    EXPECT_NE(first, second);
    EXPECT_NE(first, target);
}

TEST(SavePaths, LongPathsAreRefusedWholeNeverCut) {
    const std::wstring longest(kLongestPath, L'a');
    EXPECT_TRUE(isUsablePath(longest));
    EXPECT_FALSE(isUsablePath(longest + L"b"));
    EXPECT_TRUE(temporarySavePath(longest, 0).empty());
    EXPECT_FALSE(isUsablePath(L""));
    EXPECT_FALSE(isUsablePath(std::wstring(L"a\0b", 3)));
}

TEST(PropertiesFile, ReadsFontLinesAndSkipsTheRest) {
    std::istringstream file("# font.monospace=Courier,9\r\n"
                            "font.monospace=Lucida Console,11\r\n"
                            "font.comment=Georgia\n"
                            "no equals sign here\n"
                            "\n"
                            "font.monospace = Consolas, 12\n"
                            "font.big=Arial,99999999999\n"
                            "font.word=Arial,  +14pt\n"
                            "font.none=Arial,abc\n"
                            "font.latin=Caf\xE9,10\n");
    std::map<std::wstring, FontSpec> fonts;
    readFontProperties(file, fonts);
    EXPECT_EQ(fonts[L"font.monospace"].face, L"Lucida Console");
    EXPECT_EQ(fonts[L"font.monospace"].size, 11);
    EXPECT_EQ(fonts.count(L"font.comment"), 0u);
    EXPECT_EQ(fonts[L"font.monospace "].face, L" Consolas");
    EXPECT_EQ(fonts[L"font.monospace "].size, 12);
    EXPECT_EQ(fonts.count(L"font.big"), 0u) << "a size beyond int is skipped";
    EXPECT_EQ(fonts[L"font.word"].size, 14);
    EXPECT_EQ(fonts[L"font.none"].size, 0);
    EXPECT_EQ(fonts[L"font.latin"].face, std::wstring(L"Caf") + wchar_t(0xE9)) << "bytes widen unsigned";
}

TEST(PropertiesFile, LaterLinesReplaceEarlierOnes) {
    std::map<std::wstring, FontSpec> fonts{{L"font.comment", {L"Old", 8}}};
    std::istringstream file("font.comment=New,-3\n");
    readFontProperties(file, fonts);
    EXPECT_EQ(fonts[L"font.comment"].face, L"New");
    EXPECT_EQ(fonts[L"font.comment"].size, -3);
}

TEST(GotoRules, NumbersLinesAndTheButton) {
    struct Case {
        const wchar_t *text;
        int64_t value;
    } cases[] = {{L"", 0}, {L"0", 0}, {L"12", 12}, {L"007", 7}, {L"12x", 12}, {L"x12", 0},
                 {L"2147483647", INT_MAX}, {L"9999999999", INT_MAX}, {L"000000000000000000005", 5}};
    for (const Case &c : cases) EXPECT_EQ(readGotoNumber(c.text), c.value) << std::wstring(c.text).size();
    EXPECT_EQ(gotoLineIndex(1000, 10), 9);
    EXPECT_EQ(gotoLineIndex(1, 10), 0);
    EXPECT_EQ(gotoLineIndex(3, 10), 2);
    EXPECT_EQ(gotoLineIndex(5, 0), 0);
    EXPECT_TRUE(gotoAllowed(L"", 10));
    EXPECT_TRUE(gotoAllowed(L"10", 10));
    EXPECT_FALSE(gotoAllowed(L"11", 10));
    EXPECT_TRUE(gotoAllowed(L"0", 10));
}

TEST(SearchRanges, DownFromTheCaretUpFromTheSelectionWrapCoversTheRest) {
    auto ranges = searchRanges(4, 3, 10, false, true);
    ASSERT_EQ(ranges.size(), 2u);
    EXPECT_EQ(ranges[0].from, 4);
    EXPECT_EQ(ranges[0].to, 10);
    EXPECT_EQ(ranges[1].from, 0);
    EXPECT_EQ(ranges[1].to, 4);
    ranges = searchRanges(4, 3, 10, true, false);
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(ranges[0].from, 3);
    EXPECT_EQ(ranges[0].to, 0);
    ranges = searchRanges(40, -2, 10, true, true);
    ASSERT_EQ(ranges.size(), 2u);
    EXPECT_EQ(ranges[0].from, 0);
    EXPECT_EQ(ranges[1].from, 10);
    EXPECT_EQ(ranges[1].to, 0);
}
