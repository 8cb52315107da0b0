// Finding a text in the document: case-sensitive or not (letters A-Z only), whole words or not.
#pragma once

#include "text_document.h"

#include <string_view>

namespace editor {

struct SearchOptions {
    bool matchCase = false;
    bool wholeWord = false;  // the match begins and ends where the kind of character changes
};

// Searches forward for the first match inside [from, to) when from <= to, and backward for the
// last match inside [to, from) when from > to; both ends are clamped into the text. Returns the
// match's start and sets matchEnd, or returns -1 (also for an empty needle).
Position FindInDocument(TextDocument &doc, Position from, Position to, std::string_view needle, SearchOptions options,
                  Position &matchEnd);

// Word characters (letters, digits, '_' and every byte of a non-ASCII character), blanks, line
// ends, and the rest: the classes whose changes bound words.
enum class CharClass { Blank, LineEnd, Word, Punctuation };
CharClass ClassOf(char c);

}  // namespace editor
