// The lexers the lexer library offers, by name.
#pragma once

#include "editor_lexer.h"

#include <string_view>

namespace lexers {

int LexerCount();
// The name of lexer `index`, empty outside 0 .. LexerCount() - 1.
std::string_view LexerName(int index);
// A new lexer of that name (owned by the caller, who calls Release), or null for other names.
EditorLexer *MakeLexer(std::string_view name);

}  // namespace lexers
