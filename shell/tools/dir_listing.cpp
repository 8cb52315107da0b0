#include "dir_listing.h"

#include <algorithm>

namespace {

constexpr wchar_t kHeading[] = L"\n目录: ";
constexpr wchar_t kUnreadable[] = L"无法打开目录: ";
constexpr wchar_t kClosing[] = L"--------------------";

struct Walk {
    const DirectoryReader &read;
    const std::wstring &filePattern;
    bool recursive;
    std::wstring text;
    size_t lines = 0;
    bool cutByLines = false, cutByDepth = false;

    bool full() {
        if (lines < kListingLineLimit) return false;
        cutByLines = true;
        return true;
    }
    void line(int depth, const std::wstring &content) {
        if (recursive) text.append(size_t(depth) * 2, L' ');
        text += content;
        text += L"\r\n";
        ++lines;
    }
    void list(const std::wstring &directory, int depth) {
        std::vector<NameEntry> entries;
        if (!read(directory, entries)) {
            if (!full()) {
                text += kUnreadable + directory + L"\r\n";
                ++lines;
            }
            return;
        }
        for (const NameEntry &entry : entries) {
            if (entry.name == L"." || entry.name == L"..") continue;
            if (full()) return;
            if (entry.directory) {
                line(depth, L"[" + entry.name + L"]");
                if (!recursive || entry.link) continue;
                if (depth + 1 >= kListingDepthLimit) {
                    cutByDepth = true;
                    continue;
                }
                list(directory + L"\\" + entry.name, depth + 1);
            } else if (matchesWildcard(entry.name, filePattern)) {
                line(depth, L"|- " + entry.name);
            }
        }
    }
};

} // namespace

ListingTarget splitListingPattern(const std::wstring &pattern) {
    ListingTarget target;
    target.directory = pattern;
    while (!target.directory.empty() && (target.directory.back() == L'\\' || target.directory.back() == L'/'))
        target.directory.pop_back();
    if (target.directory.empty()) target.directory = L".";
    const size_t separator = target.directory.find_last_of(L"\\/");
    if (separator != std::wstring::npos) {
        const std::wstring last = target.directory.substr(separator + 1);
        if (last.find_first_of(L"*?") != std::wstring::npos) {
            target.filePattern = last;
            target.directory = target.directory.substr(0, separator);
            if (target.directory.empty()) target.directory = L".";
        }
    } else if (target.directory.find_first_of(L"*?") != std::wstring::npos) {
        target.filePattern = target.directory;
        target.directory = L".";
    }
    return target;
}

// Greedy matching with one remembered star: time bounded by the product of the lengths.
bool matchesWildcard(const std::wstring &name, const std::wstring &pattern) {
    if (pattern == L"*.*") return true;
    size_t n = 0, p = 0, starAt = std::wstring::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || (pattern[p] != L'*' && equalNoCase(pattern[p], name[n])))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::wstring::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

std::wstring directoryListing(const DirectoryReader &read, const ListingTarget &target, bool recursive) {
    Walk walk{read, target.filePattern, recursive, std::wstring()};
    walk.text = kHeading + target.directory + L"\r\n";
    walk.list(target.directory, 0);
    if (walk.cutByLines)
        walk.text += L"(列表已截断: 超过 " + std::to_wstring(kListingLineLimit) + L" 行)\r\n";
    if (walk.cutByDepth)
        walk.text += L"(未列出深于 " + std::to_wstring(kListingDepthLimit) + L" 层的子目录)\r\n";
    return walk.text + kClosing;
}
