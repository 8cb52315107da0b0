#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scanner/scanner.h"

namespace {

constexpr const char *KIND_NAMES[] = {
    "(",
    ")",
    "{",
    "}",
    "[",
    "]",
    ",",
    ".",
    "-",
    "+",
    "@",
    "%",
    ";",
    "/",
    "*",
    "^",
    "|",
    "BANG",
    "BANG_POSTFIX",
    "BANG_EQUAL",
    "BANG_INFIX",
    "=",
    "==",
    ">",
    ">=",
    "<",
    "<=",
    "IDENT",
    "STRING",
    "NUMBER_D",
    "NUMBER_UPPER_D",
    "NUMBER",
    "CHAR",
    "AND",
    "CLASS",
    "ELSE",
    "FALSE",
    "FOR",
    "FUN",
    "IF",
    "NIL",
    "OR",
    "PRINT",
    "RETURN",
    "SUPER",
    "THIS",
    "TRUE",
    "VAR",
    "WHILE",
    "PRINTLN",
    "SCANF",
    "END",
    "ERROR",
    "EOF",
    "MODE",
    "SETPRECISION",
};
static_assert(sizeof KIND_NAMES / sizeof *KIND_NAMES == TOKEN_KIND_COUNT);

// Every token up to the end, as kind(lexeme); punctuation as its lexeme alone.
std::string scan(const char *source) {
    scanner_init(source);
    std::string out;
    for (int guard = 0; guard < 100; ++guard) {
        Token t = scanner_next_token();
        if (t.kind == TOKEN_EOF) break;
        if (!out.empty()) out += ' ';
        std::string lexeme(t.start, static_cast<size_t>(t.length));
        if (t.kind < TOKEN_BANG) {
            out += lexeme;
        } else {
            out += std::string(KIND_NAMES[t.kind]) + "(" + lexeme + ")";
        }
    }
    return out;
}

struct ScanCase {
    const char *source;
    const char *tokens;
};

TEST(Scanner, TokenKindsAndLexemes) {
    const ScanCase cases[] = {
        {"(){}[],.-+@%;/ *^|", "( ) { } [ ] , . - + @ % ; / * ^ |"},
        {"= == < <= > >=", "=(=) ==(==) <(<) <=(<=) >(>) >=(>=)"},
        {"5!", "NUMBER(5) BANG_POSTFIX(!)"},
        {"5!3", "NUMBER(5) BANG_INFIX(!) NUMBER(3)"},
        {"x!", "IDENT(x) BANG(!)"},
        {"!x", "BANG(!) IDENT(x)"},
        {"5!=3", "NUMBER(5) BANG_POSTFIX(!) =(=) NUMBER(3)"},
        {"5 != 3", "NUMBER(5) BANG_EQUAL(!=) NUMBER(3)"},
        {"5 !3", "NUMBER(5) BANG(!) NUMBER(3)"},
        {"1.5d", "NUMBER_D(1.5d)"},
        {"2D 007 1.50", "NUMBER_UPPER_D(2D) NUMBER(007) NUMBER(1.50)"},
        {"1.", "NUMBER(1) ."},
        {".5", ". NUMBER(5)"},
        {"1e5", "NUMBER(1) IDENT(e5)"},
        {"1.x", "NUMBER(1) . IDENT(x)"},
        {"printl println print End end _a1",
         "IDENT(printl) PRINTLN(println) PRINT(print) IDENT(End) END(end) IDENT(_a1)"},
        {"and class else false for fun if nil or return super this true var while scanf",
         "AND(and) CLASS(class) ELSE(else) FALSE(false) FOR(for) FUN(fun) IF(if) NIL(nil) OR(or) "
         "RETURN(return) SUPER(super) THIS(this) TRUE(true) VAR(var) WHILE(while) SCANF(scanf)"},
        {":mode1;", "MODE(:mode1) ;"},
        {":mode12", "MODE(:mode1) NUMBER(2)"},
        {":setprecision", "MODE(:setprecision)"},
        {":x1", "MODE(:x1)"},
        {": x", "MODE(: x)"},
        {":", "MODE(:)"},
        {"\"a b\"", "STRING(\"a b\")"},
        {"'a'", "CHAR('a')"},
        {"''", "CHAR('')"},
        {"'ab'", "ERROR(The input is not a single char.) IDENT(b) ERROR(Unterminated char.)"},
        {"'a", "ERROR(Unterminated char.)"},
        {"'", "ERROR(Unterminated char.)"},
        {"\"abc", "ERROR(Unterminated string.)"},
        {"a # b", "IDENT(a) ERROR(Unexpected character.) IDENT(b)"},
        {"\xc3\xa9", "ERROR(Unexpected character.) ERROR(Unexpected character.)"},
        {"a // note\nb", "IDENT(a) IDENT(b)"},
        {"a /* note */ b / c", "IDENT(a) IDENT(b) / IDENT(c)"},
        {"a /* never closed", "IDENT(a)"},
        {"a //", "IDENT(a)"},
    };
    for (const auto &c : cases) EXPECT_EQ(scan(c.source), c.tokens) << c.source;
}

std::vector<int> lines(const char *source) {
    scanner_init(source);
    std::vector<int> out;
    for (Token t = scanner_next_token(); t.kind != TOKEN_EOF; t = scanner_next_token()) out.push_back(t.line);
    return out;
}

TEST(Scanner, LineNumbers) {
    EXPECT_EQ(lines("a\nb\r\n\nc"), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(lines("a // c\nb"), (std::vector<int>{1, 2}));
    // A block comment does not count its line feeds; a string does, up to its closing quote.
    EXPECT_EQ(lines("/* one\ntwo */ x\ny"), (std::vector<int>{1, 2}));
    EXPECT_EQ(lines("\"a\nb\" x"), (std::vector<int>{2, 2}));
    EXPECT_EQ(lines("'\n' x"), (std::vector<int>{2, 2}));
}

TEST(Scanner, EndIsSticky) {
    scanner_init("x");
    EXPECT_EQ(scanner_next_token().kind, TOKEN_IDENTIFIER);
    for (int i = 0; i < 3; ++i) {
        Token t = scanner_next_token();
        EXPECT_EQ(t.kind, TOKEN_EOF);
        EXPECT_EQ(t.length, 0);
    }
}

TEST(Scanner, ErrorTokensPointAtTheirMessage) {
    scanner_init("$");
    Token t = scanner_next_token();
    ASSERT_EQ(t.kind, TOKEN_ERROR);
    EXPECT_EQ(std::string(t.start, static_cast<size_t>(t.length)), "Unexpected character.");
    EXPECT_EQ(scanner_next_token().kind, TOKEN_EOF);
}

} // namespace
