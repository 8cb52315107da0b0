// The directory listing of dir and ls over a made-up file system: the pattern split, the
// wildcards, flat and recursive listings, unreadable folders, link cycles and the limits.
#include <gtest/gtest.h>

#include <map>

#include "dir_listing.h"

namespace {

using Tree = std::map<std::wstring, std::vector<NameEntry>>;

DirectoryReader readerOf(const Tree &tree) {
    return [&tree](const std::wstring &directory, std::vector<NameEntry> &entries) {
        const auto found = tree.find(directory);
        if (found == tree.end()) return false;
        entries = found->second;
        return true;
    };
}

TEST(ListingPattern, SplitsTheDirectoryFromAFilePattern) {
    const struct {
        std::wstring pattern, directory, filePattern;
    } cases[] = {
        {L".", L".", L"*"},          {L"", L".", L"*"},           {L"sub\\\\", L"sub", L"*"},
        {L"*.txt", L".", L"*.txt"},  {L"sub\\*.c", L"sub", L"*.c"}, {L"a/b/?x", L"a/b", L"?x"},
        {L"\\*.c", L".", L"*.c"},    {L"-r", L"-r", L"*"},        {L"C:\\", L"C:", L"*"},
    };
    for (const auto &c : cases) {
        const ListingTarget target = splitListingPattern(c.pattern);
        EXPECT_EQ(target.directory, c.directory) << std::string(c.pattern.begin(), c.pattern.end());
        EXPECT_EQ(target.filePattern, c.filePattern);
    }
}

TEST(Wildcards, MatchAsTheFileSystemShellDoes) {
    const struct {
        std::wstring name, pattern;
        bool matches;
    } cases[] = {
        {L"a.txt", L"*.txt", true},  {L"A.TXT", L"*.txt", true},   {L"a.txt.bak", L"*.txt", false},
        {L"abc", L"a?c", true},      {L"ac", L"a?c", false},       {L"abc", L"*", true},
        {L"", L"*", true},           {L"noext", L"*.*", true},     {L"x.c", L"*.c*", true},
        {L"aaab", L"*a*b", true},    {L"aaac", L"*a*b", false},    {L"ab", L"ab*", true},
        {L"mississippi", L"m*iss*ppi", true},
    };
    for (const auto &c : cases) EXPECT_EQ(matchesWildcard(c.name, c.pattern), c.matches);
    const std::wstring longName(4000, L'a');
    EXPECT_FALSE(matchesWildcard(longName, L"*a*a*a*a*b")) << "ends in time";
}

TEST(Listing, FlatShowsEveryFolderAndTheMatchingFiles) {
    const Tree tree = {{L".", {{L"notes.txt"}, {L"sub", true}, {L"main.c"}, {L"b.TXT"}}}};
    EXPECT_EQ(directoryListing(readerOf(tree), splitListingPattern(L"*.txt"), false),
              L"\n目录: .\r\n|- notes.txt\r\n[sub]\r\n|- b.TXT\r\n--------------------");
}

TEST(Listing, RecursiveIndentsAndDescends) {
    const Tree tree = {
        {L"sub", {{L"x.c"}, {L"deep", true}, {L"y.h"}, {L"gone", true}}},
        {L"sub\\deep", {{L"z.c"}}},
    };
    EXPECT_EQ(directoryListing(readerOf(tree), splitListingPattern(L"sub\\*.c"), true),
              L"\n目录: sub\r\n|- x.c\r\n[deep]\r\n  |- z.c\r\n[gone]\r\n无法打开目录: sub\\gone\r\n"
              L"--------------------");
}

TEST(Listing, AnUnreadableFolderSaysSo) {
    EXPECT_EQ(directoryListing(readerOf({}), splitListingPattern(L"nowhere"), false),
              L"\n目录: nowhere\r\n无法打开目录: nowhere\r\n--------------------");
}

TEST(Listing, NeverFollowsLinksAndStopsAtTheDepthLimit) {
    // A reader that answers every path with a link and a folder: an endless tree.
    const DirectoryReader endless = [](const std::wstring &, std::vector<NameEntry> &entries) {
        entries = {{L"loop", true, true}, {L"next", true}};
        return true;
    };
    const std::wstring text = directoryListing(endless, splitListingPattern(L"."), true);
    EXPECT_NE(text.find(std::wstring(size_t(kListingDepthLimit - 1) * 2, L' ') + L"[next]"), std::wstring::npos);
    EXPECT_EQ(text.find(std::wstring(size_t(kListingDepthLimit) * 2, L' ') + L"["), std::wstring::npos);
    EXPECT_NE(text.find(L"(未列出深于 32 层的子目录)\r\n--------------------"), std::wstring::npos);
}

TEST(Listing, AHugeTreeIsCutAndSaysSo) {
    const DirectoryReader wide = [](const std::wstring &, std::vector<NameEntry> &entries) {
        entries.assign(1000, NameEntry{L"d", true});
        return true;
    };
    const std::wstring text = directoryListing(wide, splitListingPattern(L"."), true);
    size_t lines = 0;
    for (size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at + 2)) ++lines;
    EXPECT_LE(lines, kListingLineLimit + 3);
    EXPECT_NE(text.find(L"\r\n(列表已截断: 超过 20000 行)\r\n"), std::wstring::npos);
    EXPECT_EQ(text.substr(text.size() - 20), L"--------------------");
}

} // namespace
