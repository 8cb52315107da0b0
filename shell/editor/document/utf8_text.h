// Characters of the UTF-8 document: where they begin and end, and their UTF-16 form for the
// window system. A byte that begins no valid sequence counts as one character of its own and
// shows as U+FFFD, so every byte of any text belongs to exactly one character.
#pragma once

#include "text_document.h"

#include <string>
#include <string_view>
#include <vector>

namespace editor {

// Length of the valid sequence that begins at bytes[0] (1 for a byte that begins none).
int Utf8SequenceLength(std::string_view bytes);

// The longest start of bytes, at most `limit` bytes long, that cuts no character in two.
size_t Utf8PrefixLength(std::string_view bytes, size_t limit);

// The next and the previous character boundary, clamped into the text. "\r\n" counts as one
// character here, as the caret steps over a line end as a whole.
Position NextCharacter(const TextDocument &doc, Position pos);
Position PreviousCharacter(const TextDocument &doc, Position pos);
// pos clamped into the text and moved back to the start of the character it falls into.
Position CharacterStart(const TextDocument &doc, Position pos);

// UTF-16 form of bytes; byteOf (when given) receives, for each UTF-16 unit, the offset of its
// character's first byte, and one last entry bytes.size().
std::u16string Utf8ToUtf16(std::string_view bytes, std::vector<Position> *byteOf = nullptr);
// UTF-8 form of UTF-16 text; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace editor
