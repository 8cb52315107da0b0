#include <gtest/gtest.h>

#include <cstdarg>
#include <string>

#include "script_test_support.h"
#include "text_format.h"

namespace {

std::string format(const char *fmt, ...) {
    std::string out;
    va_list args;
    va_start(args, fmt);
    text_vformat(out, fmt, args);
    va_end(args);
    return out;
}

struct FormatCase {
    std::string got;
    const char *expected;
};

TEST(TextFormat, StringConversionTranslatesBackslashPairs) {
    const FormatCase cases[] = {
        {format("%s", "a\\nb"), "a\nb"},
        {format("%s", "a\\tb"), "a\tb"},
        {format("%s", "a\\q"), "a\\q"},
        {format("%s", "end\\"), "end\\"},
        {format("%5s|", "ab"), "   ab|"},
        {format("%-5s|", "ab"), "ab   |"},
        {format("%.2s", "abcd"), "ab"},
        {format("%.1s", "\\n"), "\\"}, // the pair is cut by the precision
        {format("%*s|", -4, "x"), "x   |"},
        {format("%.*s", -1, "abc"), ""},
        {format("%4s|", "\\n"), "  \n|"}, // padding counts the text before translation
        {format("%c%3c%-3c|", 'a', 'b', 'c'), "a  bc  |"},
    };
    for (const auto &c : cases) EXPECT_EQ(c.got, c.expected);
}

TEST(TextFormat, NumberConversions) {
    const FormatCase cases[] = {
        {format("%d", -42), "-42"},       {format("%+d", 42), "+42"},
        {format("% d", 42), " 42"},       {format("%05d", 42), "00042"},
        {format("%-5d|", 42), "42   |"},  {format("%-05d|", 42), "42   |"},
        {format("%5.3d", 7), "  007"},    {format("%x", 255), "ff"},
        {format("%X", 255), "FF"},        {format("%#X", 255), "0XFF"},
        {format("%#x", 255), "0xff"},     {format("%#o", 8), "010"},
        {format("%u", -1), "4294967295"}, {format("%i", -2147483647 - 1), "-2147483648"},
        {format("%hd", 65535), "-1"},     {format("%hu", 65537), "1"},
        {format("%ld", 5), "5"},          {format("%d", 0), "0"},
    };
    for (const auto &c : cases) EXPECT_EQ(c.got, c.expected);
}

TEST(TextFormat, OtherDirectives) {
    EXPECT_EQ(format("100%%"), "100%");
    EXPECT_EQ(format("%q"), "%q");
    EXPECT_EQ(format("50%"), "50%");
    EXPECT_EQ(format("%-"), "%");
    int written = -1;
    EXPECT_EQ(format("abc%n", &written), "abc");
    EXPECT_EQ(written, 3);
    long long wide = -1;
    format("ab%ln", &wide);
    EXPECT_EQ(wide, 2);
    EXPECT_EQ(format("%p", reinterpret_cast<void *>(0xABCDEF)), "0000000000ABCDEF");
}

TEST(TextFormat, NumberHelperRejectsBadBases) {
    std::string out;
    EXPECT_FALSE(text_format_number(out, 5, 1, -1, -1, 0));
    EXPECT_FALSE(text_format_number(out, 5, 17, -1, -1, 0));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(text_format_number(out, 5, 2, -1, -1, 0));
    EXPECT_EQ(out, "101");
}

// The formatter used to work in a 1024-byte buffer; longer text must come out whole.
TEST(TextFormat, AnyLengthReachesTheOutput) {
    std::string longText(5000, 'z');
    longText.replace(2500, 2, "\\n");
    std::string expected = longText;
    expected.replace(2500, 2, "\n");
    EXPECT_EQ(format("%s", longText.c_str()), expected);

    int count = 0;
    EXPECT_EQ(capture_stdout([&] { count = text_printf("<%s>", longText.c_str()); }), "<" + expected + ">");
    EXPECT_EQ(count, static_cast<int>(expected.size()) + 2);
    EXPECT_EQ(capture_stream([&](FILE *f) { text_fprintf(f, "%s", longText.c_str()); }), expected);
}

// text_printf bypasses the buffered standard output; what was printed before must still come
// out first.
TEST(TextFormat, DirectWritesKeepTheirPlaceAfterBufferedOutput) {
    EXPECT_EQ(capture_stdout([] {
                  std::printf("[");
                  text_printf("%s", "a");
                  std::printf("]");
              }),
              "[a]");
}

} // namespace
