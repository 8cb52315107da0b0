// Tokens of the script language. A token is a view into the source (an error token's view is
// its message); nothing is copied or allocated.
#pragma once

enum ScriptTokenKind : int {
    TOKEN_LEFT_PAREN,
    TOKEN_RIGHT_PAREN,
    TOKEN_LEFT_BRACE,
    TOKEN_RIGHT_BRACE,
    TOKEN_LEFT_BRACKET,
    TOKEN_RIGHT_BRACKET,
    TOKEN_COMMA,
    TOKEN_DOT,
    TOKEN_MINUS,
    TOKEN_PLUS,
    TOKEN_AT,
    TOKEN_PERCENT,
    TOKEN_SEMICOLON,
    TOKEN_SLASH,
    TOKEN_STAR,
    TOKEN_CIRCUMFLEX,
    TOKEN_BAR,
    TOKEN_BANG,         // "!" not after a digit and not before "="
    TOKEN_BANG_POSTFIX, // "!" after a digit, not before a digit
    TOKEN_BANG_EQUAL,
    TOKEN_BANG_INFIX, // "!" between two digits
    TOKEN_EQUAL,
    TOKEN_EQUAL_EQUAL,
    TOKEN_GREATER,
    TOKEN_GREATER_EQUAL,
    TOKEN_LESS,
    TOKEN_LESS_EQUAL,
    TOKEN_IDENTIFIER,
    TOKEN_STRING,
    TOKEN_NUMBER_D,
    TOKEN_NUMBER_UPPER_D,
    TOKEN_NUMBER,
    TOKEN_CHAR,
    TOKEN_AND,
    TOKEN_CLASS,
    TOKEN_ELSE,
    TOKEN_FALSE,
    TOKEN_FOR,
    TOKEN_FUN,
    TOKEN_IF,
    TOKEN_NIL,
    TOKEN_OR,
    TOKEN_PRINT,
    TOKEN_RETURN,
    TOKEN_SUPER,
    TOKEN_THIS,
    TOKEN_TRUE,
    TOKEN_VAR,
    TOKEN_WHILE,
    TOKEN_PRINTLN,
    TOKEN_SCANF,
    TOKEN_END,
    TOKEN_ERROR,
    TOKEN_EOF,
    TOKEN_MODE,         // a ":" word
    TOKEN_SETPRECISION, // has a parse rule but is never produced: ":setprecision" scans as a mode word
};

constexpr int TOKEN_KIND_COUNT = TOKEN_SETPRECISION + 1;

struct Token {
    int kind;
    const char *start;
    int length;
    int line;
};
