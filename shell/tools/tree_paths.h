// Path rules of the directory tree: the parent of a folder, drive roots, and the root item's
// label.
#pragma once

#include <string>

// The parent folder, or empty when there is none ("C:\a\b" gives "C:\a", "C:\a" gives "C:",
// "C:" gives "C:\"). Paths of any length are handled.
std::wstring parentDirectory(const std::wstring &path);
// "X:\" or "X:" with a letter X (a forward slash after the colon does not count).
bool isDriveRoot(const std::wstring &path);
// The part after the last separator; the whole path when that part is empty.
std::wstring treeRootLabel(const std::wstring &root);
// The path with a backslash appended unless it already ends in a separator.
std::wstring withTrailingSeparator(const std::wstring &path);
