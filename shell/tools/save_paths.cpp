#include "save_paths.h"

std::wstring temporarySavePath(const std::wstring &target, unsigned attempt) {
    std::wstring name = target + L".kavlo-save-" + std::to_wstring(attempt) + L".tmp";
    return name.size() <= kLongestPath ? name : std::wstring();
}

bool isUsablePath(const std::wstring &path) {
    return !path.empty() && path.size() <= kLongestPath && path.find(L'\0') == std::wstring::npos;
}
