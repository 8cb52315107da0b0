#include "completion.h"

#include <algorithm>

namespace {

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

wchar_t foldUnit(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return wchar_t(c - L'A' + L'a');
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return wchar_t(c + 0x20);
    return c;
}

// Directory and prefix of a path text: before and after its last separator.
void splitAtLastSeparator(const std::wstring &text, std::wstring &before, std::wstring &after) {
    const size_t separator = text.find_last_of(L"\\/");
    if (separator == std::wstring::npos) {
        before.clear();
        after = text;
    } else {
        before = text.substr(0, separator);
        after = text.substr(separator + 1);
    }
}

bool isDriveOnly(const std::wstring &text) {
    return text.size() == 2 && text[1] == L':' &&
           ((text[0] >= L'A' && text[0] <= L'Z') || (text[0] >= L'a' && text[0] <= L'z'));
}

} // namespace

bool equalNoCase(wchar_t a, wchar_t b) {
    return foldUnit(a) == foldUnit(b);
}

size_t completionTokenStart(const std::wstring &line, size_t caret) {
    caret = std::min(caret, line.size());
    size_t start = caret;
    while (start > 0 && line[start - 1] != L' ' && line[start - 1] != L'\t') --start;
    return start;
}

bool splitCompletionToken(const std::wstring &token, const std::optional<std::wstring> &profile,
                          std::wstring &directory, std::wstring &prefix) {
    const size_t first = token.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return false;
    std::wstring text = token.substr(first);
    if (text.size() >= 2 && (text[0] == L'"' || text[0] == L'\'') && text.back() == text[0])
        text = text.substr(1, text.size() - 2);
    if (text.find_first_of(L"*?") != std::wstring::npos) return false;
    if (!text.empty() && text[0] == L'~') {
        if (!profile) return false;
        std::wstring rest = text.substr(1);
        if (!rest.empty() && isSeparator(rest[0])) rest.erase(0, 1);
        std::wstring before;
        splitAtLastSeparator(rest, before, prefix);
        directory = *profile;
        if (rest.find_first_of(L"\\/") != std::wstring::npos) directory += L"\\" + before;
    } else {
        splitAtLastSeparator(text, directory, prefix);
        if (directory.empty()) directory = L".";
    }
    if (isDriveOnly(directory)) directory += L'\\';
    return true;
}

std::vector<std::wstring> completionCandidates(const std::vector<NameEntry> &entries, const std::wstring &prefix) {
    std::vector<std::wstring> candidates;
    for (const NameEntry &entry : entries) {
        if (entry.name == L"." || entry.name == L".." || entry.name.size() < prefix.size()) continue;
        if (!std::equal(prefix.begin(), prefix.end(), entry.name.begin(), equalNoCase)) continue;
        candidates.push_back(entry.directory ? entry.name + L'\\' : entry.name);
    }
    return candidates;
}

std::wstring completionOf(const std::vector<std::wstring> &candidates, size_t prefixLength) {
    if (candidates.empty()) return std::wstring();
    if (candidates.size() == 1) return candidates.front();
    size_t common = prefixLength;
    const std::wstring &first = candidates.front();
    while (common < first.size() &&
           std::all_of(candidates.begin(), candidates.end(), [&](const std::wstring &candidate) {
               return common < candidate.size() && candidate[common] == first[common];
           }))
        ++common;
    return common > prefixLength ? first.substr(0, common) : std::wstring();
}

std::wstring formatInColumns(const std::vector<std::wstring> &items, int columns) {
    if (items.empty()) return std::wstring();
    const size_t columnCount = size_t(std::max(columns, 1));
    size_t width = 0;
    for (const std::wstring &item : items) width = std::max(width, item.size());
    width += 2;
    const size_t rows = (items.size() + columnCount - 1) / columnCount;
    std::wstring text;
    for (size_t row = 0; row < rows; ++row) {
        for (size_t at = row; at < items.size(); at += rows) {
            text += items[at];
            text.append(width - items[at].size(), L' ');
        }
        text += L"\r\n";
    }
    return text;
}
