// The terminal's directory listing (dir and ls): the pattern split into a directory and a
// file pattern, wildcard matching of names, and the listing text, flat or recursive. The
// directory reading is handed in, so the rules run anywhere.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "completion.h"

struct ListingTarget {
    std::wstring directory;
    std::wstring filePattern = L"*";
};

// Trailing separators dropped ("." when nothing is left); a last part with "*" or "?" is the
// file pattern.
ListingTarget splitListingPattern(const std::wstring &pattern);

// "*" any run of units, "?" exactly one, letter case aside; "*.*" matches every name.
bool matchesWildcard(const std::wstring &name, const std::wstring &pattern);

// Reads the entries of a directory (without "." and ".."), in the order the file system
// gives them; false when it cannot be read.
using DirectoryReader = std::function<bool(const std::wstring &directory, std::vector<NameEntry> &entries)>;

// A recursive listing goes this deep and no deeper, and a listing stops after so many lines.
constexpr int kListingDepthLimit = 32;
constexpr size_t kListingLineLimit = 20000;

// The whole output of dir: the heading, the entries and the closing line of hyphens. A
// recursive listing never descends into links; a listing cut at the depth or line limit
// says so before the closing line.
std::wstring directoryListing(const DirectoryReader &read, const ListingTarget &target, bool recursive);
