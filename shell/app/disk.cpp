#include "disk.h"

#include <windows.h>

namespace {

constexpr DWORD kPathLimit = 260;

} // namespace

std::optional<std::wstring> currentDirectory() {
    wchar_t buffer[kPathLimit + 1] = {};
    const DWORD length = GetCurrentDirectoryW(kPathLimit, buffer);
    if (length == 0 || length >= kPathLimit) return std::nullopt;
    return std::wstring(buffer, length);
}

std::optional<std::wstring> userProfileDirectory() {
    wchar_t buffer[kPathLimit + 1] = {};
    const DWORD length = GetEnvironmentVariableW(L"USERPROFILE", buffer, kPathLimit);
    if (length == 0 || length >= kPathLimit) return std::nullopt;
    return std::wstring(buffer, length);
}

bool readDirectoryEntries(const std::wstring &directory, std::vector<NameEntry> &entries) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((directory + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        const DWORD attributes = found.dwFileAttributes;
        entries.push_back(NameEntry{found.cFileName, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                    (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}
