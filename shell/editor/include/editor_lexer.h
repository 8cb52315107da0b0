// The contract between the editing component and the lexer library (Lexilla.dll): the lexer
// object that CreateLexer hands out and SCI_SETILEXER gives to an editor, and the signatures of the
// library's three exports. Both libraries are built by the same compiler, so the object crosses
// the library border as a plain virtual interface.
#pragma once

#include <cstddef>

class EditorLexer {
public:
    // The editor that owns the lexer releases it when it gets another one or is destroyed.
    virtual void Release() = 0;
    // Words of keyword set `set` (blank-separated, NUL-ended); unknown sets are ignored.
    virtual void SetKeywords(int set, const char *words) = 0;
    // Styles the bytes of one line (its line end included): styles[i] is the style of line[i].
    // `state` is the state at the end of the previous line (0 at the first line); returns the
    // state at the end of this one.
    virtual int StyleLine(const char *line, size_t length, int state, unsigned char *styles) = 0;

protected:
    ~EditorLexer() = default;
};

// Exports of the lexer library, in the form the shell looks them up with GetProcAddress.
extern "C" {
typedef EditorLexer *(*CreateLexerFn)(const char *name);
typedef int (*GetLexerCountFn)();
typedef void (*GetLexerNameFn)(unsigned int index, char *name, int bufferLength);
}
