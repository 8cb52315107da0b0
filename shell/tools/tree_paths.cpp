#include "tree_paths.h"

namespace {

bool isAsciiLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

bool endsInSeparator(const std::wstring &path) {
    return !path.empty() && (path.back() == L'\\' || path.back() == L'/');
}

} // namespace

std::wstring parentDirectory(const std::wstring &path) {
    std::wstring text = path;
    while (endsInSeparator(text)) text.pop_back();
    if (text.empty()) return std::wstring();
    size_t separator = text.rfind(L'\\');
    if (separator == std::wstring::npos) separator = text.rfind(L'/');
    if (separator != std::wstring::npos && separator > 0) return text.substr(0, separator);
    if (separator == 0) return text.size() >= 2 && text[1] == L':' ? text.substr(0, 2) + L'\\' : std::wstring();
    if (text.size() == 2 && isAsciiLetter(text[0]) && text[1] == L':') return text + L'\\';
    return std::wstring();
}

bool isDriveRoot(const std::wstring &path) {
    if (path.size() < 2 || path.size() > 3 || !isAsciiLetter(path[0]) || path[1] != L':') return false;
    return path.size() == 2 || path[2] == L'\\';
}

std::wstring treeRootLabel(const std::wstring &root) {
    const size_t separator = root.find_last_of(L"\\/");
    if (separator == std::wstring::npos || separator + 1 == root.size()) return root;
    return root.substr(separator + 1);
}

std::wstring withTrailingSeparator(const std::wstring &path) {
    return endsInSeparator(path) ? path : path + L'\\';
}
