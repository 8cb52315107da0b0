#include "gap_buffer.h"

#include <algorithm>
#include <cstring>

namespace editor {

void GapBuffer::MoveGap(Position pos) {
    if (pos == gapStart) return;
    char *data = bytes.get();
    if (pos < gapStart) {
        // the bytes [pos, gapStart) move behind the gap
        std::memmove(data + pos + gapLength, data + pos, size_t(gapStart - pos));
    } else {
        // the bytes after the gap up to pos move in front of it
        std::memmove(data + gapStart, data + gapStart + gapLength, size_t(pos - gapStart));
    }
    gapStart = pos;
}

void GapBuffer::Reserve(Position extra) {
    if (gapLength >= extra) return;
    Position length = Length();
    Position newGap = extra + std::max(MIN_GAP, (length + extra) / 4);
    // the new bytes stay uninitialised: the gap is never read
    std::unique_ptr<char[]> grown(new char[size_t(length + newGap)]);
    Copy(0, gapStart, grown.get());
    Copy(gapStart, length - gapStart, grown.get() + gapStart + newGap);
    bytes = std::move(grown);
    capacity = length + newGap;
    gapLength = newGap;
}

void GapBuffer::Insert(Position pos, std::string_view text) {
    if (text.empty()) return;
    Position n = Position(text.size());
    // growing first keeps the gap where it is, so the move below copies within the new array
    Reserve(n);
    MoveGap(pos);
    std::memcpy(bytes.get() + gapStart, text.data(), text.size());
    gapStart += n;
    gapLength -= n;
}

void GapBuffer::Erase(Position pos, Position length) {
    if (length <= 0) return;
    MoveGap(pos);
    gapLength += length;
}

void GapBuffer::Copy(Position start, Position length, char *out) const {
    ForEachPiece(start, start + length, [&](const char *piece, Position at, Position count) {
        std::memcpy(out + (at - start), piece, size_t(count));
    });
}

std::string_view GapBuffer::Contiguous(Position start, Position length) {
    if (length <= 0) return {};
    if (start < gapStart && start + length > gapStart) MoveGap(start + length);
    const char *data = bytes.get() + (start < gapStart ? start : start + gapLength);
    return std::string_view(data, size_t(length));
}

}  // namespace editor
