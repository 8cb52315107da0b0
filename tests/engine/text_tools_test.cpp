#include <gtest/gtest.h>

#include <climits>

#include "BigNumber.h"
#include "tools.h"

TEST(TextTools, BlanksQuotesBrackets) {
    std::string s = "   ";
    trim(s);
    EXPECT_EQ(s, "");
    s = "  a b\t ";
    trim(s);
    EXPECT_EQ(s, "a b\t");
    s = "1 + 2";
    deleteBlanks(s);
    EXPECT_EQ(s, "1+2");

    struct {
        const char *in;
        bool stripped;
        const char *out;
    } quotes[] = {{"\"ab\"", true, "ab"}, {"'ab'", true, "ab"}, {"'ab\"", false, "'ab\""},
                  {"\"", false, "\""},    {"\"\"", true, ""},   {"\"\"x\"\"", true, "\"x\""}};
    for (auto &q : quotes) {
        std::string t = q.in;
        EXPECT_EQ(stripQuotes(t), q.stripped) << q.in;
        EXPECT_EQ(t, q.out) << q.in;
    }
    EXPECT_TRUE(startsWithBracket("[1]"));
    EXPECT_FALSE(startsWithBracket(""));
    EXPECT_TRUE(hasSignChar("a-b"));
    EXPECT_FALSE(hasSignChar("a*b"));
    EXPECT_EQ(removeParentheses("(a+(b))"), "a+b");
    uint32_t last = 0;
    EXPECT_EQ(countChar("a|b|c", '|', last), 2);
    EXPECT_EQ(last, 3u);
    EXPECT_EQ(countChar("abc", '|', last), 0);
    EXPECT_EQ(last, UINT32_MAX);
}

TEST(TextTools, DigitAndIdentifierTests) {
    EXPECT_TRUE(isAllDigits(""));
    EXPECT_FALSE(isAllDigits("12a"));
    EXPECT_TRUE(isSignedInteger("-"));
    EXPECT_TRUE(isSignedInteger("-12"));
    EXPECT_FALSE(isSignedInteger("1-2"));
    EXPECT_TRUE(isValidIdentifier("_x1"));
    EXPECT_FALSE(isValidIdentifier("1x"));
    EXPECT_FALSE(isValidIdentifier(""));
    EXPECT_FALSE(isValidIdentifier("x-y"));
    EXPECT_FALSE(isValidIdentifier("\xc3\xa4"));  // bytes above 127 are not letters
}

TEST(TextTools, IntegerConversions) {
    EXPECT_EQ(int64ToString(-45), "-45");
    EXPECT_EQ(int64ToString(0), "0");
    EXPECT_EQ(int64ToString(LLONG_MIN), "-9223372036854775808");
    EXPECT_EQ(int64ToString(LLONG_MAX), "9223372036854775807");
    EXPECT_EQ(str2int64("123"), 123);
    EXPECT_EQ(str2int64(""), 0);
    EXPECT_EQ(str2int64("18446744073709551617"), 1);  // wraps modulo 2^64
    EXPECT_EQ(BigNumber::string2longlong("9"), 9);
    EXPECT_EQ(BigNumber::cstr2longlong("123abc"), 123);
    EXPECT_EQ(BigNumber::cstr2longlong("x1"), 0);
    EXPECT_EQ(BigNumber::signedString2longlong("-42"), -42);
    EXPECT_EQ(BigNumber::signedString2longlong("+42"), 42);
    EXPECT_EQ(BigNumber::ull2string(18446744073709551615ull), "18446744073709551615");
    EXPECT_EQ(BigNumber::longlong2string(LLONG_MIN), "-9223372036854775808");
    EXPECT_EQ(string2wstring("abc", "UTF-8"), L"abc");
    EXPECT_EQ(string2wstring("", "UTF-8"), L"");
    EXPECT_EQ(toString(42), "42");
    EXPECT_EQ(toString(0.5), "0.5");
}

TEST(NumberText, RealDecimalFraction) {
    struct {
        const char *t;
        bool real, decimal, fraction;
    } cases[] = {
        {"007", true, false, false},  {"-3.25", true, true, false}, {"+5", true, false, false},
        {"1.2.3", false, false, false}, {"1e5", false, false, false}, {"1 2", false, false, false},
        {"", true, false, false},     {"-", true, false, false},    {".", true, true, false},
        {"5.", true, true, false},    {".5", true, true, false},    {"-0.0", true, true, false},
        {"3|4", false, false, true},  {"-3/4", false, false, true}, {"3|", false, false, true},
        {"3|-4", false, false, false}, {"1.5|2", false, false, false}, {"3/4|5", false, false, false},
    };
    for (auto &c : cases) {
        EXPECT_EQ(BigNumber::isRealNumber(c.t), c.real) << c.t;
        EXPECT_EQ(BigNumber::isDecimal(c.t), c.decimal) << c.t;
        EXPECT_EQ(BigNumber::isFraction(c.t), c.fraction) << c.t;
    }
}

TEST(NumberText, SplitFraction) {
    struct {
        const char *t, *num, *den;
        bool ok;
    } cases[] = {{"-3|4", "-3", "4", true}, {"2.5", "2.5", "1", true}, {"x", "x", "1", false},
                 {"6/8", "6", "8", true},   {"3|x", "3", "x", false}, {"+1|2", "1", "2", true}};
    for (auto &c : cases) {
        std::string n, d;
        EXPECT_EQ(BigNumber::splitFraction(c.t, n, d), c.ok) << c.t;
        EXPECT_EQ(n, c.num) << c.t;
        EXPECT_EQ(d, c.den) << c.t;
    }
}

TEST(NumberText, TrimAndStripZeros) {
    const std::pair<const char *, const char *> trims[] = {
        {"007.500", "7.5"}, {"100", "100"}, {"100.00", "100.0"}, {"0.000", "0.0"}, {"000", "0"},
        {"-000", "-0"},     {"+0", "0"},    {"5.", "5."},        {".5", ".5"},     {".50", ".5"},
        {"-", "-0"},        {"+", "0"},     {"", ""},            {"-007.10", "-7.1"}};
    for (auto [in, want] : trims) EXPECT_EQ(BigNumber::trimZeros(in), want) << in;
    const std::pair<const char *, const char *> strips[] = {
        {"000", "0"}, {"007", "7"}, {"00.5", "0.5"}, {"0", "0"}, {"", ""}, {"-007", "-007"}};
    for (auto [in, want] : strips) EXPECT_EQ(BigNumber::stripLeadingZeros(in), want) << in;
    std::string z = "12";
    EXPECT_EQ(BigNumber::prependZeros(z, 2), "0012");
    EXPECT_EQ(BigNumber::appendZeros(z, 1), "00120");
    EXPECT_EQ(BigNumber::prependZeros(z, -3), "00120");
}

TEST(NumberText, PositiveIntegerEvenBinary) {
    std::string t = "+007";
    EXPECT_TRUE(BigNumber::isPositiveInteger(t));
    EXPECT_EQ(t, "7");
    for (const char *bad : {"0", "000", "+0", "-3", "+", "", "1.0"}) {
        std::string u = bad;
        EXPECT_FALSE(BigNumber::isPositiveInteger(u)) << bad;
        EXPECT_EQ(u, bad);
    }
    EXPECT_FALSE(BigNumber::isEven(""));
    EXPECT_TRUE(BigNumber::isEven("10"));
    EXPECT_FALSE(BigNumber::isEven("7"));
    const std::pair<const char *, bool> binaries[] = {
        {"", true},   {"+", false}, {"-.1", true}, {"10.01", true}, {"1.0.1", false}, {"1011", true},
        {".1", true}, {"1.", true}, {".", false},  {"102", false}};
    for (auto [in, want] : binaries) EXPECT_EQ(BigNumber::isBinaryString(in), want) << in;
}

TEST(QuickSort, TextsAndIntegers) {
    std::vector<std::string> t = {"10", "9", "100"};
    quickSort(t);
    EXPECT_EQ(t, (std::vector<std::string>{"10", "100", "9"}));
    std::vector<int64_t> v;
    for (int i = 0; i < 50; i++) v.push_back((i * 37) % 23 - 11);
    auto sorted = v;
    std::sort(sorted.begin(), sorted.end());
    quickSort(v);
    EXPECT_EQ(v, sorted);
}
