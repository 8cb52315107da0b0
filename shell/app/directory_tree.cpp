// The directory tree of the left column: a root folder whose children are read from the disk
// when a folder is first expanded, ".." to move the root up, files opened when selected, and
// a context menu. Every item owns a heap copy of its full path, freed when the item goes. The
// path rules are portable (tree_paths).
#include <memory>

#include <shlobj.h>
#include <windowsx.h>

#include "commands.h"
#include "disk.h"
#include "tovrel.h"
#include "tree_paths.h"

namespace {

constexpr wchar_t kLoading[] = L"Loading...";
constexpr wchar_t kEmptyFolder[] = L"(空目录)";
constexpr int kItemTextLimit = 260;

std::wstring *itemPath(HWND tree, HTREEITEM item) {
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!TreeView_GetItem(tree, &data)) return nullptr;
    return reinterpret_cast<std::wstring *>(data.lParam);
}

std::wstring itemText(HWND tree, HTREEITEM item) {
    wchar_t text[kItemTextLimit] = L"";
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = kItemTextLimit;
    if (!TreeView_GetItem(tree, &data)) return std::wstring();
    return text;
}

// A child at the last position; the path, when given, becomes the item's own copy.
HTREEITEM insertItem(HWND tree, HTREEITEM parent, const std::wstring &text, const std::wstring *path) {
    std::wstring label = text;
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = label.data();
    std::unique_ptr<std::wstring> owned(path != nullptr ? new std::wstring(*path) : nullptr);
    insert.item.lParam = reinterpret_cast<LPARAM>(owned.get());
    HTREEITEM item = TreeView_InsertItem(tree, &insert);
    if (item != nullptr) owned.release();
    return item;
}

bool isDirectory(const std::wstring &path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

std::wstring Tovrel::ParentDirectory(const std::wstring &path) {
    return parentDirectory(path);
}

bool Tovrel::IsDriveRoot(const std::wstring &path) {
    return isDriveRoot(path);
}

void Tovrel::SetTreeRoot(const std::wstring &path) {
    if (path.empty()) return;
    treeRoot = withTrailingSeparator(path);
    RefreshDirectoryTree(treeRoot);
}

void Tovrel::RefreshDirectoryTree(const std::wstring &root) {
    if (directoryTree == nullptr) return;
    TreeView_DeleteAllItems(directoryTree);
    HTREEITEM rootItem = insertItem(directoryTree, TVI_ROOT, treeRootLabel(root), &root);
    if (rootItem == nullptr) return;
    insertItem(directoryTree, rootItem, kLoading, nullptr);
    if (!IsDriveRoot(root)) {
        const std::wstring parent = ParentDirectory(root);
        if (!parent.empty()) insertItem(directoryTree, rootItem, L"..", &parent);
    }
    TreeView_Expand(directoryTree, rootItem, TVE_EXPAND);
}

bool Tovrel::IsTreeItemLoaded(HTREEITEM item) {
    HTREEITEM child = TreeView_GetChild(directoryTree, item);
    return child == nullptr || itemText(directoryTree, child) != kLoading;
}

void Tovrel::ExpandTreeItem(HTREEITEM item) {
    if (directoryTree == nullptr || item == nullptr) return;
    const std::wstring *path = itemPath(directoryTree, item);
    if (path == nullptr || path->empty()) return;
    const std::wstring directory = withTrailingSeparator(*path);
    HTREEITEM first = TreeView_GetChild(directoryTree, item);
    if (first != nullptr && itemText(directoryTree, first) == kLoading) TreeView_DeleteItem(directoryTree, first);
    std::vector<NameEntry> entries;
    if (!readDirectoryEntries(directory.substr(0, directory.size() - 1), entries)) {
        insertItem(directoryTree, item, kEmptyFolder, nullptr);
        return;
    }
    for (const NameEntry &entry : entries) {
        if (entry.name == L"." || entry.name == L"..") continue;
        const std::wstring childPath = directory + entry.name;
        HTREEITEM child = insertItem(directoryTree, item, entry.name, &childPath);
        if (child != nullptr && entry.directory) insertItem(directoryTree, child, kLoading, nullptr);
    }
}

void Tovrel::FreeTreeItemData(HTREEITEM item) {
    std::wstring *path = itemPath(directoryTree, item);
    if (path == nullptr) return;
    delete path;
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    data.lParam = 0;
    TreeView_SetItem(directoryTree, &data);
}

void Tovrel::OnTreeNotify(const NMHDR *header) {
    const auto *view = reinterpret_cast<const NMTREEVIEWW *>(header);
    switch (header->code) {
    case TVN_DELETEITEMW:
        // The deleted item's parameter arrives with the notice; the item can no longer be read.
        delete reinterpret_cast<std::wstring *>(view->itemOld.lParam);
        break;
    case TVN_ITEMEXPANDINGW:
        if ((view->action & TVE_EXPAND) != 0 && !IsTreeItemLoaded(view->itemNew.hItem))
            ExpandTreeItem(view->itemNew.hItem);
        break;
    case TVN_SELCHANGEDW: {
        HTREEITEM item = view->itemNew.hItem;
        const std::wstring *path = item != nullptr ? itemPath(directoryTree, item) : nullptr;
        if (path == nullptr || path->empty()) break;
        const std::wstring target = *path; // setting a new root deletes the item
        if (itemText(directoryTree, item) == L"..") {
            SetTreeRoot(target);
            break;
        }
        const DWORD attributes = GetFileAttributesW(target.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) break;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) TreeView_Expand(directoryTree, item, TVE_EXPAND);
        else OpenFileByPath(target);
        break;
    }
    default:
        break;
    }
}

HMENU Tovrel::CreateTreeMenu() {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING | (IsDriveRoot(treeRoot) ? MF_GRAYED : 0), CmdTreeUp, L"向上");
    AppendMenuW(menu, MF_STRING, CmdTreeRefresh, L"刷新");
    AppendMenuW(menu, MF_STRING, CmdTreeSetRoot, L"设为根目录");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, CmdTreeChoose, L"选择目录...");
    return menu;
}

void Tovrel::ShowTreeMenu(LPARAM screenPoint) {
    POINT point{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    TVHITTESTINFO hit{};
    hit.pt = point;
    ScreenToClient(directoryTree, &hit.pt);
    HTREEITEM item = TreeView_HitTest(directoryTree, &hit);
    treeMenuItem = item != nullptr ? item : TreeView_GetRoot(directoryTree);
    HMENU menu = CreateTreeMenu();
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, point.x, point.y, 0, mainWindow.GetHandle(), nullptr);
    DestroyMenu(menu);
}

void Tovrel::OnTreeCommand(int id) {
    switch (id) {
    case CmdTreeUp:
        if (!IsDriveRoot(treeRoot)) {
            const std::wstring parent = ParentDirectory(treeRoot);
            if (!parent.empty()) SetTreeRoot(parent);
        }
        break;
    case CmdTreeRefresh:
        RefreshDirectoryTree(treeRoot);
        break;
    case CmdTreeSetRoot: {
        const std::wstring *path = treeMenuItem != nullptr ? itemPath(directoryTree, treeMenuItem) : nullptr;
        if (path != nullptr && isDirectory(*path)) SetTreeRoot(std::wstring(*path));
        break;
    }
    case CmdTreeChoose: {
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        BROWSEINFOW browse{};
        browse.hwndOwner = mainWindow.GetHandle();
        browse.lpszTitle = L"选择新的工作目录";
        browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
        if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse)) {
            wchar_t path[MAX_PATH] = L"";
            if (SHGetPathFromIDListW(chosen, path)) SetTreeRoot(path);
            CoTaskMemFree(chosen);
        }
        if (SUCCEEDED(com)) CoUninitialize();
        break;
    }
    default:
        break;
    }
}
