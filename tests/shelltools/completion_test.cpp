// Path completion: the token under the caret, its split, the candidates, how far they agree,
// and the candidate list in columns.
#include <gtest/gtest.h>

#include "completion.h"

namespace {

const std::optional<std::wstring> kProfile = std::wstring(L"C:\\Users\\me");

TEST(CompletionToken, StartsAfterTheNearestBlankOrTab) {
    const struct {
        std::wstring line;
        size_t caret, start;
    } cases[] = {
        {L"dir C:\\Win", 10, 4}, {L"open\tab", 7, 5}, {L"ab", 2, 0},   {L"cd ", 3, 3},
        {L"a b c", 3, 2},        {L"x", 99, 0},       {L"", 0, 0},
    };
    for (const auto &c : cases) EXPECT_EQ(completionTokenStart(c.line, c.caret), c.start);
}

TEST(CompletionToken, SplitsIntoDirectoryAndPrefix) {
    const struct {
        std::wstring token, directory, prefix;
    } cases[] = {
        {L"ab", L".", L"ab"},
        {L"C:\\Win", L"C:\\", L"Win"},
        {L"C:/Win", L"C:\\", L"Win"},
        {L"sub\\dir\\fi", L"sub\\dir", L"fi"},
        {L"sub/", L"sub", L""},
        {L"\\abs", L".", L"abs"},
        {L"  \tsub\\x", L"sub", L"x"},
        {L"\"my dir\\a\"", L"my dir", L"a"},
        {L"'q'", L".", L"q"},
        {L"~", L"C:\\Users\\me", L""},
        {L"~/Doc", L"C:\\Users\\me", L"Doc"},
        {L"~\\Documents\\x", L"C:\\Users\\me\\Documents", L"x"},
        {L"~a/b", L"C:\\Users\\me\\a", L"b"},
        {L"D:", L".", L"D:"},
    };
    for (const auto &c : cases) {
        std::wstring directory, prefix;
        ASSERT_TRUE(splitCompletionToken(c.token, kProfile, directory, prefix));
        EXPECT_EQ(directory, c.directory);
        EXPECT_EQ(prefix, c.prefix);
    }
}

TEST(CompletionToken, RefusesBlanksWildcardsAndAMissingProfile) {
    std::wstring directory = L"kept", prefix = L"kept";
    for (const std::wstring token : {L"", L"  \t", L"*.txt", L"a?b", L"sub\\*"})
        EXPECT_FALSE(splitCompletionToken(token, kProfile, directory, prefix));
    EXPECT_FALSE(splitCompletionToken(L"~/x", std::nullopt, directory, prefix));
    EXPECT_TRUE(splitCompletionToken(L"x", std::nullopt, directory, prefix));
    // A quote without its partner stays in the token, so no directory will match it.
    ASSERT_TRUE(splitCompletionToken(L"\"my", kProfile, directory, prefix));
    EXPECT_EQ(prefix, L"\"my");
}

TEST(CompletionCandidates, MatchThePrefixWithoutCaseAndMarkDirectories) {
    const std::vector<NameEntry> entries = {
        {L".", true}, {L"..", true}, {L"Windows", true}, {L"win.ini", false}, {L"WinSxS", true}, {L"w", false},
        {L"Program Files", true},
    };
    EXPECT_EQ(completionCandidates(entries, L"win"), (std::vector<std::wstring>{L"Windows\\", L"win.ini", L"WinSxS\\"}));
    EXPECT_EQ(completionCandidates(entries, L"").size(), 5u);
    EXPECT_TRUE(completionCandidates(entries, L"zz").empty());
    EXPECT_EQ(completionCandidates({{L"Ärger", false}}, L"är"), std::vector<std::wstring>{L"Ärger"});
}

TEST(CompletionCandidates, CompleteToTheSharedPart) {
    const struct {
        std::vector<std::wstring> candidates;
        size_t prefix;
        std::wstring completion;
    } cases[] = {
        {{L"Windows\\"}, 3, L"Windows\\"},
        {{L"abc1", L"abc2"}, 2, L"abc"},
        {{L"abc1", L"abc2"}, 3, L""},       // nothing more to add: the list is shown
        {{L"Abc", L"aBd"}, 1, L""},         // the shared part compares exactly
        {{L"abc", L"abcd"}, 1, L"abc"},
        {{}, 0, L""},
    };
    for (const auto &c : cases) EXPECT_EQ(completionOf(c.candidates, c.prefix), c.completion);
}

TEST(Columns, RunDownTheColumnsPaddedToTheLongestItem) {
    EXPECT_EQ(formatInColumns({}, 4), L"");
    EXPECT_EQ(formatInColumns({L"abc1", L"abc2"}, 4), L"abc1  abc2  \r\n");
    EXPECT_EQ(formatInColumns({L"a", L"bb", L"c", L"d", L"e"}, 4), L"a   c   e   \r\nbb  d   \r\n");
    EXPECT_EQ(formatInColumns({L"a", L"b"}, 0), L"a  \r\nb  \r\n") << "no columns counts as one";
}

} // namespace
