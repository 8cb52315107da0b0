// The ranges one Find Next tries, in order. Down searches from the caret to the end, up from
// the selection's start back to the beginning; with Wrap around the rest of the document
// follows, so a match before the caret is found too. A range runs from `from` towards `to`
// (backwards when `from` is greater).
#pragma once

#include <cstdint>
#include <vector>

struct SearchRange {
    int64_t from, to;
};

std::vector<SearchRange> searchRanges(int64_t caret, int64_t selectionStart, int64_t length, bool up, bool wrap);
