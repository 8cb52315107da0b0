#include "search_ranges.h"

#include <algorithm>

std::vector<SearchRange> searchRanges(int64_t caret, int64_t selectionStart, int64_t length, bool up, bool wrap) {
    length = std::max<int64_t>(length, 0);
    caret = std::clamp<int64_t>(caret, 0, length);
    selectionStart = std::clamp<int64_t>(selectionStart, 0, length);
    std::vector<SearchRange> ranges;
    if (up) {
        ranges.push_back({selectionStart, 0});
        if (wrap) ranges.push_back({length, selectionStart});
    } else {
        ranges.push_back({caret, length});
        if (wrap) ranges.push_back({0, caret});
    }
    return ranges;
}
