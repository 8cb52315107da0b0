// The C/C++ lexer and the catalogue of lexers behind the lexer library.
#include "cpp_lexer.h"
#include "lexer_catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Styles as one letter a byte: . default, c comment, d doc comment, n number, k keyword,
// s string, q character, p preprocessor, o operator, i identifier.
char Letter(unsigned char style) {
    switch (style) {
    case lexers::CPP_DEFAULT: return '.';
    case lexers::CPP_COMMENT: return 'c';
    case lexers::CPP_COMMENT_DOC: return 'd';
    case lexers::CPP_NUMBER: return 'n';
    case lexers::CPP_KEYWORD: return 'k';
    case lexers::CPP_STRING: return 's';
    case lexers::CPP_CHARACTER: return 'q';
    case lexers::CPP_PREPROCESSOR: return 'p';
    case lexers::CPP_OPERATOR: return 'o';
    case lexers::CPP_IDENTIFIER: return 'i';
    }
    return '?';
}

// Styles the lines one after another, carrying the state, and returns the letters per line.
std::vector<std::string> Styled(EditorLexer &lexer, const std::vector<std::string> &lines) {
    std::vector<std::string> out;
    int state = 0;
    for (const std::string &line : lines) {
        std::vector<unsigned char> styles(line.size(), 0xEE);
        state = lexer.StyleLine(line.data(), line.size(), state, styles.data());
        std::string letters;
        for (unsigned char s : styles) letters += Letter(s);
        out.push_back(letters);
    }
    return out;
}

struct LexerHolder {
    EditorLexer *lexer = lexers::MakeLexer("cpp");
    ~LexerHolder() {
        if (lexer) lexer->Release();
    }
};

}  // namespace

TEST(CppLexer, StylesEachKindOfToken) {
    LexerHolder holder;
    ASSERT_NE(holder.lexer, nullptr);
    holder.lexer->SetKeywords(0, "int  return\tif");
    holder.lexer->SetKeywords(1, "ignored");
    struct Case {
        std::vector<std::string> lines;
        std::vector<std::string> styles;
    };
    const Case cases[] = {
        {{"int x = 42;"}, {"kkk.i.o.nno"}},
        {{"return a+b; // done\n"}, {"kkkkkk.ioio.cccccccc"}},
        {{"s = \"a\\\"b\" + 'c';"}, {"i.o.ssssss.o.qqqo"}},
        {{"  #include <x> // why"}, {"..pppppppppppppcccccc"}},
        {{"x = 1.5e+3f + 0x1F;"}, {"i.o.nnnnnnn.o.nnnno"}},
        {{"/** doc */ if", "/// doc"}, {"dddddddddd.kk", "ddddddd"}},
        // a block comment runs on into the next lines, and ends there
        {{"a /* one", "two", "three */ int"}, {"i.cccccc", "ccc", "cccccccc.kkk"}},
        {{"\"open", "next"}, {"sssss", "iiii"}},  // a string ends with its line
        {{"é = 1;"}, {"ii.o.no"}},                 // non-ASCII bytes are part of names
        {{""}, {""}},
        {{"ifx iF if"}, {"iii.ii.kk"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.lines[0]);
        EXPECT_EQ(Styled(*holder.lexer, c.lines), c.styles);
    }
}

TEST(CppLexer, CatalogueNamesOnlyWhatItMakes) {
    ASSERT_EQ(lexers::LexerCount(), 1);
    EXPECT_EQ(lexers::LexerName(0), "cpp");
    EXPECT_EQ(lexers::LexerName(1), "");
    EXPECT_EQ(lexers::LexerName(-1), "");
    EXPECT_EQ(lexers::MakeLexer("CPP"), nullptr);
    EXPECT_EQ(lexers::MakeLexer(""), nullptr);
    EXPECT_EQ(lexers::MakeLexer("python"), nullptr);
}
