// Free text tools. Character classes are ASCII only: a byte of 128 or more is neither
// a digit nor a letter.
#include <algorithm>
#include <string_view>

#include "text_helpers.h"
#include "tools.h"

#ifdef _WIN32
#include <windows.h>
#endif

using engine::isDigit;
using engine::isLetter;

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

bool isAllDigits(const std::string &text) { return std::all_of(text.begin(), text.end(), isDigit); }

bool isSignedInteger(const std::string &text) {
    size_t start = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    return std::all_of(text.begin() + long(start), text.end(), isDigit);
}

bool isValidIdentifier(const std::string &text) {
    if (text.empty() || !(isLetter(text[0]) || text[0] == '_')) return false;
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return isLetter(c) || isDigit(c) || c == '_'; });
}

bool has_only_expr_chars(std::string &text) {
    deleteBlanks(text);
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return isDigit(c) || engine::inSet("+-*/|%^@!().<>~=", c); });
}

bool function_call_name(const std::string &text, std::string &name) {
    name.clear();
    if (text.size() < 2) return false;
    size_t open = text.find('(', 1);
    if (open == std::string::npos || text.back() != ')') return false;
    std::string prefix = text.substr(0, open);
    if (!isValidIdentifier(prefix)) return false;
    name = prefix;
    return true;
}

std::string int64ToString(int64_t value) {
    // The unsigned magnitude: the smallest value has no overflow.
    uint64_t m = value < 0 ? uint64_t(0) - uint64_t(value) : uint64_t(value);
    return value < 0 ? "-" + engine::decimalText(m) : engine::decimalText(m);
}

int64_t str2int64(const std::string &text) {
    uint64_t v = 0, place = 1;
    for (size_t i = text.size(); i-- > 0;) {
        v += uint64_t(int64_t(text[i] - 48)) * place;  // wraps modulo 2^64 by design
        place *= 10;
    }
    return int64_t(v);
}

bool checkedInt64(std::string_view text, int64_t low, int64_t high, int64_t &value) {
    bool negative = !text.empty() && text[0] == '-';
    std::string_view digits = !text.empty() && (text[0] == '-' || text[0] == '+') ? text.substr(1) : text;
    if (digits.empty() || !engine::allDigits(digits)) return false;
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size() - 1));
    if (digits.size() > 19) return false;  // beyond every 64-bit value
    uint64_t m = 0;
    for (char c : digits) m = m * 10 + uint64_t(c - '0');  // 19 digits fit below 2^64
    // magnitudes up to 2^63 for a negative text, 2^63 - 1 otherwise
    uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
    if (m > limit) return false;
    int64_t v = negative ? int64_t(uint64_t(0) - m) : int64_t(m);
    if (v < low || v > high) return false;
    value = v;
    return true;
}

std::string integerRangeMessage(std::string_view text, int64_t low, int64_t high) {
    constexpr size_t kShown = 40;
    std::string shown(text.substr(0, kShown));
    if (text.size() > kShown) shown += "...";
    return "Error> " + shown + " is out of range: an integer from " + int64ToString(low) + " to " +
           int64ToString(high) + " is needed here.";
}

namespace {

// The beginnings of the message texts, and the whole texts of the open cases.
constexpr std::string_view kMessageStarts[] = {"Error", "Warning>", "[error", "error>", "hint>", "\nhint>", "syntax>"};
constexpr std::string_view kMessageTexts[] = {"`` is empty", "undetermined", "TODO..."};
constexpr std::string_view kPendingEnd = "not available yet";

}  // namespace

bool isMessageText(std::string_view text) {
    for (std::string_view start : kMessageStarts)
        if (text.starts_with(start)) return true;
    for (std::string_view whole : kMessageTexts)
        if (text == whole) return true;
    return text.ends_with(kPendingEnd);
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
