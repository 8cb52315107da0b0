#include "line_index.h"

#include <algorithm>
#include <cstring>

namespace editor {

Position LineIndex::Start(Position line) const {
    line = std::clamp<Position>(line, 0, Count() - 1);
    return starts[size_t(line)];
}

Position LineIndex::LineOf(Position pos) const {
    auto after = std::upper_bound(starts.begin() + 1, starts.end(), pos);
    return Position(after - starts.begin()) - 1;
}

template <typename Found> void LineIndex::Scan(const GapBuffer &text, Position from, Position to, Found found) {
    Position length = text.Length();
    text.ForEachPiece(from, to, [&](const char *piece, Position at, Position count) {
        // memchr finds the line feeds and the carriage returns at full speed; the two runs are
        // merged as they go, so the starts come out in order
        const char *end = piece + count;
        auto next = [end](const char *p, char c) {
            return p < end ? static_cast<const char *>(std::memchr(p, c, size_t(end - p))) : nullptr;
        };
        const char *feed = next(piece, '\n');
        const char *ret = next(piece, '\r');
        while (feed || ret) {
            if (feed && (!ret || feed < ret)) {
                found(at + (feed - piece) + 1);
                feed = next(feed + 1, '\n');
            } else {
                Position after = at + (ret - piece) + 1;
                if (after >= length || text.At(after) != '\n') found(after);
                ret = next(ret + 1, '\r');
            }
        }
    });
}

void LineIndex::AddStarts(const GapBuffer &text, Position from, Position to, size_t at) {
    // counted first, so a large text makes the array grow once rather than double its way up
    size_t added = 0;
    Scan(text, from, to, [&](Position) { ++added; });
    if (added == 0) return;
    size_t old = starts.size();
    if (starts.capacity() - old < added) starts.reserve(std::max(old + added, 2 * starts.capacity()));
    Scan(text, from, to, [&](Position start) { starts.push_back(start); });
    std::rotate(starts.begin() + ptrdiff_t(at), starts.begin() + ptrdiff_t(old), starts.end());
}

Position LineIndex::Inserted(const GapBuffer &text, Position pos, Position length) {
    Position before = Count();
    auto first = std::upper_bound(starts.begin() + 1, starts.end(), pos);
    // a start at pos came from the byte before pos, which now has other bytes behind it
    if (first != starts.begin() + 1 && *(first - 1) == pos) first = starts.erase(first - 1);
    for (auto it = first; it != starts.end(); ++it) *it += length;
    AddStarts(text, std::max<Position>(pos - 1, 0), pos + length, size_t(first - starts.begin()));
    return Count() - before;
}

Position LineIndex::Deleted(const GapBuffer &text, Position pos, Position length) {
    Position before = Count();
    // starts made by the deleted bytes, and the start at pos made by the byte before it
    auto first = std::lower_bound(starts.begin() + 1, starts.end(), pos);
    auto last = std::upper_bound(first, starts.end(), pos + length);
    first = starts.erase(first, last);
    for (auto it = first; it != starts.end(); ++it) *it -= length;
    if (pos > 0) AddStarts(text, pos - 1, pos, size_t(first - starts.begin()));
    return Count() - before;
}

}  // namespace editor
