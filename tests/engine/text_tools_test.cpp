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

TEST(TextTools, CheckedIntegerConversion) {
    struct {
        const char *text;
        int64_t low, high;
        bool ok;
        int64_t value;
    } cases[] = {
        {"42", 0, 100, true, 42},
        {"+007", 0, 100, true, 7},
        {"-0", 0, 100, true, 0},
        {"000", 0, 0, true, 0},
        {"101", 0, 100, false, 0},
        {"-1", 0, 100, false, 0},
        {"9223372036854775807", INT64_MIN, INT64_MAX, true, INT64_MAX},
        {"-9223372036854775808", INT64_MIN, INT64_MAX, true, INT64_MIN},
        {"9223372036854775808", INT64_MIN, INT64_MAX, false, 0},
        {"-9223372036854775809", INT64_MIN, INT64_MAX, false, 0},
        {"18446744073709551619", INT64_MIN, INT64_MAX, false, 0},  // wraps to 3 unchecked
        {"00000000000000000000000000012", 0, 100, true, 12},       // zeros are no digits of value
        {"", 0, 100, false, 0},
        {"-", 0, 100, false, 0},
        {"1.0", 0, 100, false, 0},
        {"1 ", 0, 100, false, 0},
        {"0x1", 0, 100, false, 0},
        {"--1", -100, 100, false, 0},
    };
    for (auto &c : cases) {
        int64_t v = -77;
        EXPECT_EQ(checkedInt64(c.text, c.low, c.high, v), c.ok) << "'" << c.text << "'";
        EXPECT_EQ(v, c.ok ? c.value : -77) << "'" << c.text << "'";
    }
    EXPECT_EQ(integerRangeMessage("18446744073709551619", 1, 9),
              "Error> 18446744073709551619 is out of range: an integer from 1 to 9 is needed here.");
    EXPECT_EQ(integerRangeMessage(std::string(100, '7'), 0, 5),
              "Error> " + std::string(40, '7') + "... is out of range: an integer from 0 to 5 is needed here.");
    EXPECT_TRUE(isMessageText(integerRangeMessage("x", 0, 1)));
}

TEST(TextTools, MessageTexts) {
    const std::pair<const char *, bool> cases[] = {
        {"Error> the base must be an integer from 2 to 36.", true},
        {"Error: -5 is less than zero.", true},
        {"Error(EvalPostfixExprNoOutput)> The stack is empty.", true},
        {"Warning> n is too big.", true},
        {"[error 5776] `.` is wrong at position : 1", true},
        {"\nhint> ===*=== syntax error ===*===", true},
        {"`` is empty", true},
        {"TODO...", true},
        {"undetermined", true},
        {"polynomial evaluation: not available yet", true},
        {"pi(7): counting primes is not available yet", true},
        {"12.5", false},
        {"-3|4", false},
        {"Inf", false},
        {"NaN", false},
        {"undefined", false},
        {"x^2+Errors", false},
        {"", false},
    };
    for (auto [text, want] : cases) EXPECT_EQ(isMessageText(text), want) << text;
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

// A comparison that is no order (every entry "before" every other) must still leave a
// permutation, never a read past the vector.
TEST(QuickSort, ComparisonThatIsNoOrder) {
    for (size_t n : {2, 11, 12, 40, 200}) {
        std::vector<int> v;
        for (size_t i = 0; i < n; i++) v.push_back(int(i * 7 % n));
        quickSort(v, 0, int64_t(n) - 1, [](int, int) { return true; });
        std::vector<int> sorted = v;
        std::sort(sorted.begin(), sorted.end());
        for (size_t i = 0; i < n; i++) EXPECT_EQ(sorted[i], int(i)) << n;
    }
    std::vector<int> v = {3, 1, 2};
    quickSort(v, -1, 2, [](int a, int b) { return a < b; });  // a range outside: nothing moves
    quickSort(v, 0, 3, [](int a, int b) { return a < b; });
    EXPECT_EQ(v, (std::vector<int>{3, 1, 2}));
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
