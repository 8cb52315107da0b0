// Colours for C and C++ source, one line at a time: comments, strings, characters, numbers,
// keywords of set 0, preprocessor lines and operators. A block comment is the only thing that
// runs on into the next line.
#pragma once

#include "editor_lexer.h"

#include <set>
#include <string>

namespace lexers {

// The styles the lexer gives; the shell colours them.
enum CppStyle : unsigned char {
    CPP_DEFAULT = 0,
    CPP_COMMENT = 1,      // /* ... */ and // ...
    CPP_COMMENT_DOC = 3,  // /** ... */, /*! ... */, /// ... and //! ...
    CPP_NUMBER = 4,
    CPP_KEYWORD = 5,
    CPP_STRING = 6,
    CPP_CHARACTER = 7,
    CPP_PREPROCESSOR = 9,
    CPP_OPERATOR = 10,
    CPP_IDENTIFIER = 11,
};

class CppLexer final : public EditorLexer {
public:
    void Release() override { delete this; }
    void SetKeywords(int set, const char *words) override;
    int StyleLine(const char *line, size_t length, int state, unsigned char *styles) override;

private:
    std::set<std::string, std::less<>> keywords;
};

}  // namespace lexers
