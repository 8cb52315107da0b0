// What the shell asks of the disk and the environment: the current and the profile
// directory (at most 260 characters, none when longer or unreadable) and a folder's entries.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "completion.h"

std::optional<std::wstring> currentDirectory();
std::optional<std::wstring> userProfileDirectory();
// The entries of one folder, "." and ".." included, in the order the file system gives them.
bool readDirectoryEntries(const std::wstring &directory, std::vector<NameEntry> &entries);
