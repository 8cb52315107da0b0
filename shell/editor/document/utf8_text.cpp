#include "utf8_text.h"

#include <algorithm>

#include "utf8.h"

namespace editor {

namespace {

bool IsTrail(unsigned char c) { return (c & 0xC0) == 0x80; }

// The character at bytes[0] and its length in bytes: a byte that begins no well-formed
// sequence is a character of its own, shown as U+FFFD.
char32_t Decode(std::string_view bytes, int &length) {
    const utf8::Sequence s = utf8::decode(bytes);
    length = s.wellFormed ? int(s.length) : 1;
    return s.value;
}

// A UTF-8 character is at most four bytes: enough of the text around pos to judge it.
constexpr Position MAX_SEQUENCE = 4;

}  // namespace

int Utf8SequenceLength(std::string_view bytes) {
    if (bytes.empty()) return 0;
    int length = 0;
    Decode(bytes, length);
    return length;
}

size_t Utf8PrefixLength(std::string_view bytes, size_t limit) {
    size_t at = 0;
    while (at < bytes.size()) {
        size_t next = at + size_t(Utf8SequenceLength(bytes.substr(at)));
        if (next > limit) break;
        at = next;
    }
    return at;
}

Position CharacterStart(const TextDocument &doc, Position pos) {
    pos = std::clamp<Position>(pos, 0, doc.Length());
    if (!IsTrail(static_cast<unsigned char>(doc.CharAt(pos)))) return pos;
    for (Position start = pos - 1; start >= 0 && start > pos - MAX_SEQUENCE; --start) {
        if (IsTrail(static_cast<unsigned char>(doc.CharAt(start)))) continue;
        return start + Utf8SequenceLength(doc.Text(start, start + MAX_SEQUENCE)) > pos ? start : pos;
    }
    return pos;
}

Position NextCharacter(const TextDocument &doc, Position pos) {
    pos = CharacterStart(doc, pos);
    if (pos >= doc.Length()) return doc.Length();
    if (doc.CharAt(pos) == '\r' && doc.CharAt(pos + 1) == '\n') return pos + 2;
    return pos + Utf8SequenceLength(doc.Text(pos, pos + MAX_SEQUENCE));
}

Position PreviousCharacter(const TextDocument &doc, Position pos) {
    pos = CharacterStart(doc, pos);
    if (pos <= 0) return 0;
    if (doc.CharAt(pos - 1) == '\n' && doc.CharAt(pos - 2) == '\r') return pos - 2;
    return CharacterStart(doc, pos - 1);
}

std::u16string Utf8ToUtf16(std::string_view bytes, std::vector<Position> *byteOf) {
    std::u16string out;
    out.reserve(bytes.size());
    if (byteOf) byteOf->clear();
    for (size_t i = 0; i < bytes.size();) {
        int length = 0;
        const size_t before = out.size();
        utf8::appendUtf16(out, Decode(bytes.substr(i), length));
        if (byteOf) byteOf->insert(byteOf->end(), out.size() - before, Position(i));
        i += size_t(length);
    }
    if (byteOf) byteOf->push_back(Position(bytes.size()));
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) { return utf8::fromUtf16(text); }

}  // namespace editor
