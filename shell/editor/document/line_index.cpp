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

void LineIndex::Scan(const GapBuffer &text, Position from, Position to, std::vector<Position> &out) {
    Position length = text.Length();
    size_t first = out.size();
    text.ForEachPiece(from, to, [&](const char *piece, Position at, Position count) {
        // memchr finds the line feeds at full speed, then the carriage returns no line feed follows
        const char *end = piece + count;
        for (const char *p = piece; (p = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)))); ++p)
            out.push_back(at + (p - piece) + 1);
        size_t feeds = out.size();
        for (const char *p = piece; (p = static_cast<const char *>(std::memchr(p, '\r', size_t(end - p)))); ++p) {
            Position next = at + (p - piece) + 1;
            if (next >= length || text.At(next) != '\n') out.push_back(next);
        }
        if (out.size() > feeds) {
            std::inplace_merge(out.begin() + ptrdiff_t(first), out.begin() + ptrdiff_t(feeds), out.end());
        }
        first = out.size();
    });
}

Position LineIndex::Inserted(const GapBuffer &text, Position pos, Position length) {
    Position before = Count();
    auto first = std::upper_bound(starts.begin() + 1, starts.end(), pos);
    // a start at pos came from the byte before pos, which now has other bytes behind it
    if (first != starts.begin() + 1 && *(first - 1) == pos) first = starts.erase(first - 1);
    for (auto it = first; it != starts.end(); ++it) *it += length;
    std::vector<Position> found;
    Scan(text, std::max<Position>(pos - 1, 0), pos + length, found);
    starts.insert(first, found.begin(), found.end());
    return Count() - before;
}

Position LineIndex::Deleted(const GapBuffer &text, Position pos, Position length) {
    Position before = Count();
    // starts made by the deleted bytes, and the start at pos made by the byte before it
    auto first = std::lower_bound(starts.begin() + 1, starts.end(), pos);
    auto last = std::upper_bound(first, starts.end(), pos + length);
    first = starts.erase(first, last);
    for (auto it = first; it != starts.end(); ++it) *it -= length;
    if (pos > 0) {
        std::vector<Position> found;
        Scan(text, pos - 1, pos, found);
        starts.insert(first, found.begin(), found.end());
    }
    return Count() - before;
}

}  // namespace editor
