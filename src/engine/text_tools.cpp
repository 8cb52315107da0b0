// Free text tools. Character classes are ASCII only: a byte of 128 or more is neither
// a digit nor a letter.
#include <algorithm>
#include <string_view>

#include "tools.h"

#ifdef _WIN32
#include <windows.h>
#endif

static inline bool isDigitChar(char c) { return c >= '0' && c <= '9'; }
static inline bool isLetterChar(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

void trim(std::string &text) {
    size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos) {
        text.clear();
        return;
    }
    size_t e = text.find_last_not_of(' ');
    text = text.substr(b, e - b + 1);
}

void deleteBlanks(std::string &text) { text.erase(std::remove(text.begin(), text.end(), ' '), text.end()); }

bool stripQuotes(std::string &text) {
    if (text.size() < 2) return false;
    char f = text.front(), l = text.back();
    if (f != l || (f != '"' && f != '\'')) return false;
    text = text.substr(1, text.size() - 2);
    return true;
}

bool startsWithBracket(const std::string &text) { return !text.empty() && text[0] == '['; }

bool hasSignChar(const std::string &text) { return text.find_first_of("+-") != std::string::npos; }

std::string removeParentheses(const std::string &text) {
    std::string r;
    r.reserve(text.size());
    for (char c : text)
        if (c != '(' && c != ')') r += c;
    return r;
}

int countChar(const std::string &text, char ch, uint32_t &lastIndex) {
    int n = 0;
    lastIndex = UINT32_MAX;
    for (size_t i = 0; i < text.size(); i++)
        if (text[i] == ch) {
            n++;
            lastIndex = uint32_t(i);
        }
    return n;
}

bool isAllDigits(const std::string &text) { return std::all_of(text.begin(), text.end(), isDigitChar); }

bool isSignedInteger(const std::string &text) {
    size_t start = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    return std::all_of(text.begin() + long(start), text.end(), isDigitChar);
}

bool isValidIdentifier(const std::string &text) {
    if (text.empty() || !(isLetterChar(text[0]) || text[0] == '_')) return false;
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return isLetterChar(c) || isDigitChar(c) || c == '_'; });
}

bool has_only_expr_chars(std::string &text) {
    deleteBlanks(text);
    return std::all_of(text.begin(), text.end(), [](char c) {
        return isDigitChar(c) || std::string_view("+-*/|%^@!().<>~=").find(c) != std::string_view::npos;
    });
}

bool function_call_name(const std::string &text, std::string &name) {
    name.clear();
    size_t open = text.find('(');
    if (text.size() < 2 || open == std::string::npos || open == 0 || text.back() != ')') return false;
    std::string head = text.substr(0, open);
    if (!isValidIdentifier(head)) return false;
    name = head;
    return true;
}

std::string int64ToString(int64_t value) {
    // Work on the unsigned magnitude so that the smallest value has no overflow.
    uint64_t m = value < 0 ? uint64_t(0) - uint64_t(value) : uint64_t(value);
    char buf[24];
    int i = 24;
    do {
        buf[--i] = char('0' + m % 10);
        m /= 10;
    } while (m);
    if (value < 0) buf[--i] = '-';
    return std::string(buf + i, buf + 24);
}

int64_t str2int64(const std::string &text) {
    uint64_t v = 0, place = 1;
    for (size_t i = text.size(); i-- > 0;) {
        v += uint64_t(int64_t(text[i] - 48)) * place;  // wraps modulo 2^64 by design
        place *= 10;
    }
    return int64_t(v);
}

std::wstring string2wstring(const std::string &text, const std::string & /*encodingName*/) {
    if (text.empty()) return std::wstring();
#ifdef _WIN32
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring w(size_t(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), w.data(), n);
    return w;
#else
    // No ANSI code page here: bytes map to the code points of Latin-1 (ASCII unchanged).
    std::wstring w;
    w.reserve(text.size());
    for (unsigned char c : text) w += wchar_t(c);
    return w;
#endif
}
