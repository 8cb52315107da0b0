// The bytes of a document in one array with a gap at the last place of editing: typing and
// deleting near one place move no text, and moving the gap costs one memmove of the bytes
// between the old and the new place.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace editor {

using Position = std::int64_t;

class GapBuffer {
public:
    Position Length() const { return capacity - gapLength; }
    // The byte at pos, 0 outside the text.
    char At(Position pos) const {
        if (pos < 0 || pos >= Length()) return 0;
        return bytes[pos < gapStart ? pos : pos + gapLength];
    }
    // Callers pass ranges inside the text (0 <= pos <= Length(), pos + length <= Length()).
    void Insert(Position pos, std::string_view text);
    void Erase(Position pos, Position length);
    void Copy(Position start, Position length, char *out) const;
    // The range as one piece of memory, valid until the next change: the gap moves out of it.
    std::string_view Contiguous(Position start, Position length);

    // Calls visit(pointer, position of the pointer's first byte, count) for the one or two
    // pieces of memory that hold [start, end).
    template <typename Visit> void ForEachPiece(Position start, Position end, Visit visit) const {
        if (start < gapStart) {
            Position stop = end < gapStart ? end : gapStart;
            if (stop > start) visit(bytes.get() + start, start, stop - start);
            start = stop;
        }
        if (end > start) visit(bytes.get() + start + gapLength, start, end - start);
    }

private:
    // A new gap is at least this large, or a quarter of the text, so that growing stays rare.
    static constexpr Position MIN_GAP = 4096;

    void MoveGap(Position pos);
    void Reserve(Position extra);

    std::unique_ptr<char[]> bytes;  // capacity bytes: the text before the gap, the gap, the rest
    Position capacity = 0;
    Position gapStart = 0;
    Position gapLength = 0;
};

}  // namespace editor
