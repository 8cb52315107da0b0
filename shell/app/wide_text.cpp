#include "wide_text.h"

namespace {

constexpr wchar_t kWhitespace[] = L" \t\n\r";

} // namespace

std::wstring trimWhitespace(const std::wstring &text) {
    const size_t first = text.find_first_not_of(kWhitespace);
    if (first == std::wstring::npos) return std::wstring();
    return text.substr(first, text.find_last_not_of(kWhitespace) - first + 1);
}

std::wstring fileNamePart(const std::wstring &path) {
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

std::vector<std::wstring> splitAtBlanks(const std::wstring &text) {
    std::vector<std::wstring> pieces;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find(L' ', at);
        const size_t stop = end == std::wstring::npos ? text.size() : end;
        if (stop > at) pieces.push_back(text.substr(at, stop - at));
        at = stop + 1;
    }
    return pieces;
}
