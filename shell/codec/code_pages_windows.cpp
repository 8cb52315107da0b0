#ifdef _WIN32
#include "code_pages.h"

#include <climits>

#include <windows.h>

namespace {

// The platform counts in int: longer texts are refused as the platform would refuse them.
bool fitsInt(size_t length) {
    return length <= size_t(INT_MAX);
}

} // namespace

std::wstring bytesToWide(CodePage page, std::string_view bytes) {
    if (bytes.empty() || !fitsInt(bytes.size())) return std::wstring();
    const UINT cp = UINT(page);
    const int n = MultiByteToWideChar(cp, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(size_t(n), L'\0');
    if (MultiByteToWideChar(cp, 0, bytes.data(), int(bytes.size()), wide.data(), n) != n) return std::wstring();
    return wide;
}

std::string wideToBytes(CodePage page, std::wstring_view units) {
    if (units.empty() || !fitsInt(units.size())) return std::string();
    const UINT cp = UINT(page);
    const int n = WideCharToMultiByte(cp, 0, units.data(), int(units.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string bytes(size_t(n), '\0');
    if (WideCharToMultiByte(cp, 0, units.data(), int(units.size()), bytes.data(), n, nullptr, nullptr) != n)
        return std::string();
    return bytes;
}
#endif
