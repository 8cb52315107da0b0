// The directory tree's path rules.
#include <gtest/gtest.h>

#include "tree_paths.h"

namespace {

TEST(TreePaths, ParentDirectory) {
    const struct {
        std::wstring path, parent;
    } cases[] = {
        {L"C:\\a\\b", L"C:\\a"}, {L"C:\\a\\b\\", L"C:\\a"}, {L"C:\\a", L"C:"},   {L"C:", L"C:\\"},
        {L"C:\\", L"C:\\"},      {L"a/b", L"a"},            {L"a\\b/c", L"a"},   {L".", L""},
        {L"", L""},              {L"\\", L""},              {L"\\x", L""},       {L"name", L""},
        {L"Z:\\" + std::wstring(400, L'n') + L"\\x", L"Z:\\" + std::wstring(400, L'n')},
    };
    for (const auto &c : cases) EXPECT_EQ(parentDirectory(c.path), c.parent);
}

TEST(TreePaths, DriveRootsLabelsAndSeparators) {
    EXPECT_TRUE(isDriveRoot(L"C:\\"));
    EXPECT_TRUE(isDriveRoot(L"d:"));
    EXPECT_FALSE(isDriveRoot(L"C:/"));
    EXPECT_FALSE(isDriveRoot(L"C:\\a"));
    EXPECT_FALSE(isDriveRoot(L"1:"));
    EXPECT_FALSE(isDriveRoot(L""));
    EXPECT_EQ(treeRootLabel(L"C:\\Users\\me\\"), L"C:\\Users\\me\\");
    EXPECT_EQ(treeRootLabel(L"C:\\Users\\me"), L"me");
    EXPECT_EQ(treeRootLabel(L"plain"), L"plain");
    EXPECT_EQ(withTrailingSeparator(L"C:"), L"C:\\");
    EXPECT_EQ(withTrailingSeparator(L"a/"), L"a/");
    EXPECT_EQ(withTrailingSeparator(L"a\\"), L"a\\");
}

} // namespace
