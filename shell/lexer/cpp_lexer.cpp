#include "cpp_lexer.h"

#include <cstring>
#include <string_view>

namespace lexers {

namespace {

bool IsWordByte(unsigned char c) {
    return c >= 0x80 || c == '_' || (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
}
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// Reads one line left to right; `at` is the next byte to style.
class LineScanner {
public:
    LineScanner(const char *line, size_t length, unsigned char *styles)
        : text(line), length(length), styles(styles) {}

    bool Done() const { return at >= length; }
    unsigned char Peek(size_t ahead = 0) const {
        return at + ahead < length ? static_cast<unsigned char>(text[at + ahead]) : 0;
    }
    void Take(size_t count, unsigned char style) {
        for (size_t end = at + count > length ? length : at + count; at < end; ++at) styles[at] = style;
    }
    void TakeRest(unsigned char style) { Take(length - at, style); }
    // Styles up to and including the closing "*/"; true when it was found on this line.
    bool TakeBlockComment(unsigned char style) {
        while (!Done()) {
            if (Peek() == '*' && Peek(1) == '/') return Take(2, style), true;
            Take(1, style);
        }
        return false;
    }
    // Styles a quoted text up to its closing quote (a backslash escapes the next byte).
    void TakeQuoted(unsigned char quote, unsigned char style) {
        Take(1, style);
        while (!Done() && Peek() != '\r' && Peek() != '\n') {
            unsigned char c = Peek();
            Take(c == '\\' ? 2 : 1, style);
            if (c == quote) return;
        }
    }
    size_t WordLength() const {
        size_t n = 0;
        while (at + n < length && IsWordByte(static_cast<unsigned char>(text[at + n]))) ++n;
        return n;
    }
    std::string_view Ahead(size_t n) const { return std::string_view(text + at, n); }
    bool OnlyBlanksBefore() const {
        for (size_t i = 0; i < at; ++i)
            if (!IsBlank(static_cast<unsigned char>(text[i]))) return false;
        return true;
    }

private:
    const char *text;
    size_t length;
    unsigned char *styles;
    size_t at = 0;
};

size_t NumberLength(const LineScanner &s) {
    size_t n = 0;
    for (;;) {
        unsigned char c = s.Peek(n);
        unsigned char before = n > 0 ? s.Peek(n - 1) : 0;
        bool exponentSign = (c == '+' || c == '-') && ((before | 0x20) == 'e' || (before | 0x20) == 'p');
        if (!IsWordByte(c) && c != '.' && c != '\'' && !exponentSign) return n;
        ++n;
    }
}

}  // namespace

void CppLexer::SetKeywords(int set, const char *words) {
    if (set != 0 || !words) return;
    keywords.clear();
    std::string_view rest(words);
    while (!rest.empty()) {
        size_t start = 0;
        while (start < rest.size() && IsBlank(static_cast<unsigned char>(rest[start]))) ++start;
        size_t end = start;
        while (end < rest.size() && !IsBlank(static_cast<unsigned char>(rest[end]))) ++end;
        if (end > start) keywords.emplace(rest.substr(start, end - start));
        rest.remove_prefix(end);
    }
}

int CppLexer::StyleLine(const char *line, size_t length, int state, unsigned char *styles) {
    LineScanner s(line, length, styles);
    if (state == CPP_COMMENT || state == CPP_COMMENT_DOC) {
        if (!s.TakeBlockComment(static_cast<unsigned char>(state))) return state;
    }
    while (!s.Done()) {
        unsigned char c = s.Peek(), next = s.Peek(1);
        if (c == '/' && next == '*') {
            bool doc = (s.Peek(2) == '*' && s.Peek(3) != '/') || s.Peek(2) == '!';
            unsigned char style = doc ? CPP_COMMENT_DOC : CPP_COMMENT;
            s.Take(2, style);
            if (!s.TakeBlockComment(style)) return style;
        } else if (c == '/' && next == '/') {
            bool doc = s.Peek(2) == '/' || s.Peek(2) == '!';
            s.TakeRest(doc ? CPP_COMMENT_DOC : CPP_COMMENT);
        } else if (c == '"' || c == '\'') {
            s.TakeQuoted(c, c == '"' ? CPP_STRING : CPP_CHARACTER);
        } else if (c == '#' && s.OnlyBlanksBefore()) {
            // the directive up to a comment on the same line
            while (!s.Done() && !(s.Peek() == '/' && (s.Peek(1) == '/' || s.Peek(1) == '*')))
                s.Take(1, CPP_PREPROCESSOR);
        } else if (IsDigit(c) || (c == '.' && IsDigit(next))) {
            s.Take(NumberLength(s), CPP_NUMBER);
        } else if (IsWordByte(c)) {
            size_t n = s.WordLength();
            s.Take(n, keywords.count(s.Ahead(n)) ? CPP_KEYWORD : CPP_IDENTIFIER);
        } else if (IsBlank(c) || c < 0x20) {
            s.Take(1, CPP_DEFAULT);
        } else {
            s.Take(1, CPP_OPERATOR);
        }
    }
    return CPP_DEFAULT;
}

}  // namespace lexers
