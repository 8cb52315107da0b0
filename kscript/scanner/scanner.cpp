#include "scanner/scanner.h"

#include <cstring>

#include "text_helpers.h"

namespace {

struct Scanner {
    const char *source; // to tell whether a "!" has a character before it
    const char *start;
    const char *current;
    int line;
};

Scanner scanner;

struct Keyword {
    const char *text;
    int kind;
};

constexpr Keyword KEYWORDS[] = {
    {"and", TOKEN_AND},         {"class", TOKEN_CLASS}, {"else", TOKEN_ELSE},     {"false", TOKEN_FALSE},
    {"for", TOKEN_FOR},         {"fun", TOKEN_FUN},     {"if", TOKEN_IF},         {"nil", TOKEN_NIL},
    {"or", TOKEN_OR},           {"print", TOKEN_PRINT}, {"return", TOKEN_RETURN}, {"super", TOKEN_SUPER},
    {"this", TOKEN_THIS},       {"true", TOKEN_TRUE},   {"var", TOKEN_VAR},       {"while", TOKEN_WHILE},
    {"println", TOKEN_PRINTLN}, {"scanf", TOKEN_SCANF}, {"end", TOKEN_END},
};

struct SingleCharToken {
    char c;
    int kind;
};

constexpr SingleCharToken SINGLE_CHAR_TOKENS[] = {
    {'(', TOKEN_LEFT_PAREN},  {')', TOKEN_RIGHT_PAREN},  {'{', TOKEN_LEFT_BRACE},
    {'}', TOKEN_RIGHT_BRACE}, {'[', TOKEN_LEFT_BRACKET}, {']', TOKEN_RIGHT_BRACKET},
    {',', TOKEN_COMMA},       {'.', TOKEN_DOT},          {'-', TOKEN_MINUS},
    {'+', TOKEN_PLUS},        {'/', TOKEN_SLASH},        {'*', TOKEN_STAR},
    {';', TOKEN_SEMICOLON},   {'@', TOKEN_AT},           {'%', TOKEN_PERCENT},
    {'^', TOKEN_CIRCUMFLEX},  {'|', TOKEN_BAR},
};

// "=", "<" and ">" with and without a following "=".
struct PairToken {
    char c;
    int single;
    int withEqual;
};

constexpr PairToken PAIR_TOKENS[] = {
    {'=', TOKEN_EQUAL, TOKEN_EQUAL_EQUAL},
    {'<', TOKEN_LESS, TOKEN_LESS_EQUAL},
    {'>', TOKEN_GREATER, TOKEN_GREATER_EQUAL},
};

// Bytes from 0x80 up are neither letters nor digits.
bool is_alpha(char c) {
    return engine::isLetter(c) || c == '_';
}
using engine::isDigit;

bool at_end() {
    return *scanner.current == '\0';
}
char peek() {
    return *scanner.current;
}
char peek_next() {
    return at_end() ? '\0' : scanner.current[1];
}
char advance() {
    return *scanner.current++;
}

bool match(char expected) {
    if (at_end() || *scanner.current != expected) return false;
    scanner.current++;
    return true;
}

Token make_token(int kind) {
    return {kind, scanner.start, static_cast<int>(scanner.current - scanner.start), scanner.line};
}

Token error_token(const char *message) {
    return {TOKEN_ERROR, message, static_cast<int>(std::strlen(message)), scanner.line};
}

void skip_line_comment() {
    while (peek() != '\n' && !at_end()) advance();
}

// Line feeds inside a block comment are not counted: tokens after a multi-line block comment
// carry the line on which the comment opened.
void skip_block_comment() {
    advance();
    advance();
    while (!at_end() && !(peek() == '*' && peek_next() == '/')) advance();
    if (!at_end()) {
        advance();
        advance();
    }
}

void skip_blanks_and_comments() {
    for (;;) {
        switch (peek()) {
        case ' ':
        case '\r':
        case '\t':
            advance();
            break;
        case '\n':
            scanner.line++;
            advance();
            break;
        case '/':
            if (peek_next() == '/') {
                skip_line_comment();
            } else if (peek_next() == '*') {
                skip_block_comment();
            } else {
                return;
            }
            break;
        default:
            return;
        }
    }
}

int keyword_kind(const char *start, int length) {
    for (const Keyword &keyword : KEYWORDS)
        if (static_cast<int>(std::strlen(keyword.text)) == length &&
            std::memcmp(keyword.text, start, length) == 0)
            return keyword.kind;
    return TOKEN_IDENTIFIER;
}

Token identifier() {
    while (is_alpha(peek()) || isDigit(peek())) advance();
    return make_token(keyword_kind(scanner.start, static_cast<int>(scanner.current - scanner.start)));
}

Token number() {
    while (isDigit(peek())) advance();
    if (peek() == '.' && isDigit(peek_next())) {
        advance();
        while (isDigit(peek())) advance();
    }
    if (match('d')) return make_token(TOKEN_NUMBER_D);
    if (match('D')) return make_token(TOKEN_NUMBER_UPPER_D);
    return make_token(TOKEN_NUMBER);
}

// ":" then any one character, then letters, then an optional "0" or "1".
Token mode_word() {
    if (!at_end()) advance();
    while (is_alpha(peek())) advance();
    if (peek() == '0' || peek() == '1') advance();
    return make_token(TOKEN_MODE);
}

Token string() {
    while (peek() != '"' && !at_end()) {
        if (peek() == '\n') scanner.line++;
        advance();
    }
    if (at_end()) return error_token("Unterminated string.");
    advance();
    return make_token(TOKEN_STRING);
}

Token character() {
    if (!at_end() && peek() != '\'') {
        if (peek() == '\n') scanner.line++;
        advance();
    }
    if (at_end()) return error_token("Unterminated char.");
    if (match('\'')) return make_token(TOKEN_CHAR);
    return error_token("The input is not a single char.");
}

// The "!" forms depend on the character before it: after a digit it is a factorial.
Token bang() {
    char before = scanner.start > scanner.source ? scanner.start[-1] : '\0';
    if (isDigit(before)) return make_token(isDigit(peek()) ? TOKEN_BANG_INFIX : TOKEN_BANG_POSTFIX);
    return make_token(match('=') ? TOKEN_BANG_EQUAL : TOKEN_BANG);
}

Token punctuation(char c) {
    for (const SingleCharToken &token : SINGLE_CHAR_TOKENS)
        if (token.c == c) return make_token(token.kind);
    for (const PairToken &token : PAIR_TOKENS)
        if (token.c == c) return make_token(match('=') ? token.withEqual : token.single);
    switch (c) {
    case '!':
        return bang();
    case '"':
        return string();
    case '\'':
        return character();
    default:
        return error_token("Unexpected character.");
    }
}

} // namespace

void scanner_init(const char *source) {
    scanner.source = source;
    scanner.start = source;
    scanner.current = source;
    scanner.line = 1;
}

Token scanner_next_token() {
    skip_blanks_and_comments();
    scanner.start = scanner.current;
    if (at_end()) return make_token(TOKEN_EOF);
    char c = advance();
    if (c == ':') return mode_word();
    if (is_alpha(c)) return identifier();
    if (isDigit(c)) return number();
    return punctuation(c);
}
