// Digit tools, 64-bit conversions and the number-text predicates. None of them touches
// the engine's fields: many callers choose between numeric and symbolic paths by these
// answers, so each acceptance rule (empty text, lone sign, lone point) is deliberate.
#include <sstream>

#include "BigNumber.h"
#include "text_helpers.h"
#include "tools.h"

namespace {

// One '+' or '-' at index 0 is skipped.
size_t signLength(const std::string &t) { return !t.empty() && (t[0] == '+' || t[0] == '-') ? 1 : 0; }

bool allDigits(const std::string &t, size_t from, size_t to) {
    return engine::allDigits(std::string_view(t).substr(from, to - from));
}

}  // namespace

std::string BigNumber::prependZeros(std::string &text, int n) {
    if (n > 0) text.insert(0, size_t(n), '0');
    return text;
}

std::string BigNumber::appendZeros(std::string &text, int n) {
    if (n > 0) text.append(size_t(n), '0');
    return text;
}

std::string BigNumber::trimZeros(const std::string &text) {
    if (text.empty()) return text;
    bool negative = text[0] == '-';
    std::string t = text.substr(signLength(text));
    long start = 0;
    while (size_t(start) < t.size() && t[size_t(start)] == '0') start++;
    size_t point = t.find('.');
    if (point != std::string::npos && long(point) == start && start > 0) start--;
    long end;
    if (point == std::string::npos) {
        end = long(t.size()) - 1;
    } else {
        end = long(t.size()) - 1;
        while (end >= 0 && t[size_t(end)] == '0') end--;
        if (end >= 0 && t[size_t(end)] == '.' && size_t(end) != t.size() - 1) end++;
    }
    std::string digits = end < start ? "0" : t.substr(size_t(start), size_t(end - start + 1));
    return negative ? "-" + digits : digits;
}

std::string BigNumber::stripLeadingZeros(const std::string &text) {
    size_t i = 0;
    while (i + 1 < text.size() && text[i] == '0') i++;
    if (i > 0 && text[i] == '.') i--;
    return text.substr(i);
}

bool BigNumber::isEven(const std::string &text) { return !text.empty() && (text.back() % 2) == 0; }

std::string BigNumber::ull2string(uint64_t value) { return engine::decimalText(value); }

std::string BigNumber::longlong2string(int64_t value) { return int64ToString(value); }

int64_t BigNumber::cstr2longlong(const char *chars) {
    uint64_t v = 0;
    for (; *chars >= '0' && *chars <= '9'; chars++) v = v * 10 + uint64_t(*chars - '0');
    return int64_t(v);
}

int64_t BigNumber::signedString2longlong(const char *chars) {
    bool negative = *chars == '-';
    if (*chars == '-' || *chars == '+') chars++;
    uint64_t v = uint64_t(cstr2longlong(chars));
    return int64_t(negative ? uint64_t(0) - v : v);
}

int64_t BigNumber::string2longlong(const std::string &text) { return str2int64(text); }

bool BigNumber::isRealNumber(const std::string &text) {
    size_t s = signLength(text);
    size_t point = text.find('.', s);
    if (point == std::string::npos) return allDigits(text, s, text.size());
    return allDigits(text, s, point) && allDigits(text, point + 1, text.size());
}

bool BigNumber::isDecimal(const std::string &text) {
    return text.find('.', signLength(text)) != std::string::npos && isRealNumber(text);
}

bool BigNumber::isFraction(const std::string &text) {
    size_t s = signLength(text);
    size_t bar = text.find('/', s);
    if (bar == std::string::npos) bar = text.find('|', s);
    if (bar == std::string::npos) return false;
    return allDigits(text, s, bar) && allDigits(text, bar + 1, text.size());
}

bool BigNumber::splitFraction(const std::string &text, std::string &numerator, std::string &denominator) {
    size_t s = signLength(text);
    bool negative = s && text[0] == '-';
    size_t bar = text.find('/', s);
    if (bar == std::string::npos) bar = text.find('|', s);
    if (bar == std::string::npos) {
        numerator = text;
        denominator = "1";
        return isRealNumber(text);
    }
    numerator = (negative ? "-" : "") + text.substr(s, bar - s);
    denominator = text.substr(bar + 1);
    return allDigits(text, s, bar) && allDigits(text, bar + 1, text.size());
}

bool BigNumber::isPositiveInteger(std::string &text) {
    if (text.empty()) return false;
    std::string t = text[0] == '+' ? text.substr(1) : text;
    if (t.empty() || !isAllDigits(t)) return false;
    t = trimZeros(t);
    if (t == "0") return false;
    text = t;
    return true;
}

bool BigNumber::isBinaryString(const std::string &text) {
    size_t i = 0, consumed = 0, points = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text.size() == 1) return false;
        consumed++;
        i++;
    }
    if (i < text.size() && text[i] == '.') {
        if (text.size() == i + 1 && i == 0) return false;
        points++;
        i++;
    }
    for (; i < text.size() && (text[i] == '0' || text[i] == '1' || text[i] == '.'); i++) {
        if (text[i] == '.') {
            if (++points > 1) return false;
        } else {
            consumed++;
        }
    }
    return consumed + points == text.size();
}
