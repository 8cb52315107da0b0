// The three entry points of the lexer library, looked up by name at run time.
#include "lexer_catalogue.h"

#include <cstring>
#include <new>

extern "C" {

__declspec(dllexport) EditorLexer *CreateLexer(const char *name) {
    if (!name) return nullptr;
    try {
        return lexers::MakeLexer(name);
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}

__declspec(dllexport) int GetLexerCount() { return lexers::LexerCount(); }

// Writes the name, cut to fit and NUL-ended; an index outside the catalogue gives "".
__declspec(dllexport) void GetLexerName(unsigned int index, char *name, int bufferLength) {
    if (!name || bufferLength <= 0) return;
    std::string_view text = index < unsigned(lexers::LexerCount()) ? lexers::LexerName(int(index)) : "";
    size_t n = text.size() < size_t(bufferLength) ? text.size() : size_t(bufferLength) - 1;
    std::memcpy(name, text.data(), n);
    name[n] = '\0';
}

}
