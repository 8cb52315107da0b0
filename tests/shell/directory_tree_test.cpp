// The directory tree: its root with "..", folders read when first expanded, empty and
// unreadable folders, moving the root, the context menu's commands, and files handed to the
// opening when selected. Also the output pane it sits beside.
#include "commands.h"
#include "shell_test_support.h"

namespace {

class DirectoryTreeTest : public ShellTest {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        root_ = std::wstring(temp) + L"kavlo-tree-" + std::to_wstring(GetCurrentProcessId());
        removeTree(root_);
        ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
        for (const wchar_t *folder : {L"sub", L"sub\\deep", L"empty"})
            CreateDirectoryW((root_ + L"\\" + folder).c_str(), nullptr);
        for (const wchar_t *file : {L"a.txt", L"sub\\b.txt"}) writeFile(root_ + L"\\" + file, "x");
        ShellTest::SetUp();
        tree = shell->directoryTree;
        shell->SetTreeRoot(root_);
    }
    void TearDown() override {
        ShellTest::TearDown();
        removeTree(root_);
    }

    std::wstring text(HTREEITEM item) {
        wchar_t buffer[260] = L"";
        TVITEMW data{};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = buffer;
        data.cchTextMax = 260;
        TreeView_GetItem(tree, &data);
        return buffer;
    }
    const std::wstring *path(HTREEITEM item) {
        TVITEMW data{};
        data.mask = TVIF_PARAM;
        data.hItem = item;
        TreeView_GetItem(tree, &data);
        return reinterpret_cast<const std::wstring *>(data.lParam);
    }
    std::vector<HTREEITEM> children(HTREEITEM item) {
        std::vector<HTREEITEM> found;
        for (HTREEITEM child = TreeView_GetChild(tree, item); child != nullptr; child = TreeView_GetNextSibling(tree, child))
            found.push_back(child);
        return found;
    }
    std::vector<std::wstring> childTexts(HTREEITEM item) {
        std::vector<std::wstring> texts;
        for (HTREEITEM child : children(item)) texts.push_back(text(child));
        return texts;
    }
    HTREEITEM child(HTREEITEM item, const std::wstring &name) {
        for (HTREEITEM c : children(item))
            if (text(c) == name) return c;
        ADD_FAILURE() << "no child " << wideToUtf8(name);
        return nullptr;
    }
    bool has(const std::vector<std::wstring> &texts, const std::wstring &name) {
        return std::find(texts.begin(), texts.end(), name) != texts.end();
    }
    HTREEITEM root() { return TreeView_GetRoot(tree); }

    std::wstring root_;
    HWND tree = nullptr;
};

TEST_F(DirectoryTreeTest, TheRootShowsDotDotFirstThenItsEntries) {
    EXPECT_EQ(shell->treeRoot, root_ + L"\\");
    EXPECT_EQ(TreeView_GetCount(tree) > 0, true);
    EXPECT_EQ(TreeView_GetNextSibling(tree, root()), nullptr) << "one top-level item";
    EXPECT_EQ(text(root()), root_ + L"\\");
    ASSERT_NE(path(root()), nullptr);
    EXPECT_EQ(*path(root()), root_ + L"\\");
    const std::vector<std::wstring> texts = childTexts(root());
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), L"..");
    EXPECT_EQ(*path(children(root()).front()), root_.substr(0, root_.find_last_of(L'\\')));
    for (const wchar_t *name : {L"sub", L"empty", L"a.txt"}) EXPECT_TRUE(has(texts, name)) << wideToUtf8(name);
    EXPECT_EQ(*path(child(root(), L"a.txt")), root_ + L"\\a.txt");
    EXPECT_EQ(childTexts(child(root(), L"sub")), std::vector<std::wstring>{L"Loading..."}) << "read when expanded";
}

TEST_F(DirectoryTreeTest, ExpandingReadsAFolderOnce) {
    HTREEITEM sub = child(root(), L"sub");
    TreeView_Expand(tree, sub, TVE_EXPAND);
    std::vector<std::wstring> texts = childTexts(sub);
    EXPECT_EQ(texts.size(), 2u);
    EXPECT_TRUE(has(texts, L"deep") && has(texts, L"b.txt"));
    EXPECT_TRUE(shell->IsTreeItemLoaded(sub));
    TreeView_Expand(tree, sub, TVE_COLLAPSE);
    TreeView_Expand(tree, sub, TVE_EXPAND);
    EXPECT_EQ(childTexts(sub).size(), 2u) << "not read twice";
    HTREEITEM empty = child(root(), L"empty");
    TreeView_Expand(tree, empty, TVE_EXPAND);
    EXPECT_TRUE(childTexts(empty).empty());
    // A folder that is gone by the time it is expanded shows the placeholder of a failed listing.
    HTREEITEM deep = child(sub, L"deep");
    RemoveDirectoryW((root_ + L"\\sub\\deep").c_str());
    TreeView_Expand(tree, deep, TVE_EXPAND);
    EXPECT_EQ(childTexts(deep), std::vector<std::wstring>{L"(空目录)"});
}

TEST_F(DirectoryTreeTest, SelectingDotDotMovesTheRootUpAndAFolderExpands) {
    TreeView_SelectItem(tree, child(root(), L"sub"));
    pump(*shell);
    EXPECT_TRUE(has(childTexts(child(root(), L"sub")), L"b.txt")) << "a selected folder is expanded";
    TreeView_SelectItem(tree, children(root()).front());
    pump(*shell);
    const std::wstring parent = root_.substr(0, root_.find_last_of(L'\\'));
    EXPECT_EQ(shell->treeRoot, parent + L"\\");
    EXPECT_EQ(text(root()), parent + L"\\");
}

TEST_F(DirectoryTreeTest, SelectingAFileHandsItToTheOpening) {
    TreeView_SelectItem(tree, child(root(), L"a.txt"));
    pump(*shell);
    ASSERT_EQ(shell->tabs.size(), 1u) << "the fresh tab takes the file";
    EXPECT_EQ(shell->GetActiveTab().path, root_ + L"\\a.txt");
    EXPECT_EQ(editorText(shell->GetActiveTab().editorWindow), "x");
    EXPECT_TRUE(boxes.seen().empty());
    writeFile(root_ + L"\\late.txt", "x");
    const size_t seen = boxes.seen().size();
    HTREEITEM gone = child(root(), L"a.txt");
    DeleteFileW((root_ + L"\\a.txt").c_str());
    TreeView_SelectItem(tree, nullptr);
    TreeView_SelectItem(tree, gone);
    pump(*shell);
    EXPECT_EQ(boxes.seen().size(), seen) << "a file that is gone does nothing";
}

TEST_F(DirectoryTreeTest, TheContextMenuCommands) {
    writeFile(root_ + L"\\new.txt", "x");
    command(CmdTreeRefresh);
    EXPECT_TRUE(has(childTexts(root()), L"new.txt"));
    shell->treeMenuItem = child(root(), L"sub");
    command(CmdTreeSetRoot);
    EXPECT_EQ(shell->treeRoot, root_ + L"\\sub\\");
    command(CmdTreeUp);
    EXPECT_EQ(shell->treeRoot, root_ + L"\\");
    shell->treeMenuItem = child(root(), L"new.txt");
    command(CmdTreeSetRoot);
    EXPECT_EQ(shell->treeRoot, root_ + L"\\") << "a file is no root";

    HMENU menu = shell->CreateTreeMenu();
    EXPECT_EQ(GetMenuItemCount(menu), 5);
    EXPECT_EQ(GetMenuState(menu, CmdTreeUp, MF_BYCOMMAND) & MF_GRAYED, 0u);
    DestroyMenu(menu);
    shell->SetTreeRoot(root_.substr(0, 2));
    EXPECT_EQ(shell->treeRoot, root_.substr(0, 2) + L"\\") << "a drive gets its backslash";
    EXPECT_EQ(childTexts(root()).empty() || childTexts(root()).front() != L"..", true) << "no .. at a drive root";
    menu = shell->CreateTreeMenu();
    EXPECT_EQ(GetMenuState(menu, CmdTreeUp, MF_BYCOMMAND) & MF_GRAYED, UINT(MF_GRAYED));
    DestroyMenu(menu);
    command(CmdTreeUp);
    EXPECT_EQ(shell->treeRoot, root_.substr(0, 2) + L"\\");
}

} // namespace
