#include "text_format.h"

#include <climits>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#define TEXT_WRITE _write
#else
#include <unistd.h>
#define TEXT_WRITE write
#endif

namespace {

constexpr char DIGITS[] = "0123456789ABCDEF";

struct Directive {
    int flags = 0;
    int width = -1;
    int precision = -1;
    char qualifier = 0;
};

int clamp_to_int(size_t n) {
    return n > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(n);
}

void pad(std::string &out, int count, char c) {
    if (count > 0) out.append(static_cast<size_t>(count), c);
}

int read_flags(const char *&f) {
    int flags = 0;
    for (;; ++f) {
        switch (*f) {
        case '-':
            flags |= TEXT_LEFT;
            break;
        case '+':
            flags |= TEXT_PLUS;
            break;
        case ' ':
            flags |= TEXT_SPACE;
            break;
        case '#':
            flags |= TEXT_SPECIAL;
            break;
        case '0':
            flags |= TEXT_ZEROPAD;
            break;
        default:
            return flags;
        }
    }
}

int read_digits(const char *&f) {
    int n = 0;
    while (*f >= '0' && *f <= '9') {
        if (n < INT_MAX / 10) n = n * 10 + (*f - '0');
        ++f;
    }
    return n;
}

Directive read_directive(const char *&f, va_list *ap) {
    Directive d;
    d.flags = read_flags(f);
    if (*f >= '0' && *f <= '9') {
        d.width = read_digits(f);
    } else if (*f == '*') {
        ++f;
        d.width = va_arg(*ap, int);
        if (d.width < 0) {
            d.flags |= TEXT_LEFT;
            d.width = d.width == INT_MIN ? INT_MAX : -d.width;
        }
    }
    if (*f == '.') {
        ++f;
        if (*f == '*') {
            ++f;
            d.precision = va_arg(*ap, int);
        } else {
            d.precision = read_digits(f);
        }
        if (d.precision < 0) d.precision = 0;
    }
    if (*f == 'h' || *f == 'l' || *f == 'L') d.qualifier = *f++;
    return d;
}

void format_char(std::string &out, const Directive &d, int c) {
    int padding = d.width - 1;
    if (!(d.flags & TEXT_LEFT)) pad(out, padding, ' ');
    out.push_back(static_cast<char>(c));
    if (d.flags & TEXT_LEFT) pad(out, padding, ' ');
}

// Copies len characters of s, turning backslash-n and backslash-t into line feed and tab. A
// pair is translated only when both of its characters are among the counted ones.
void copy_translated(std::string &out, const char *s, size_t len) {
    for (size_t i = 0; i < len; ++i) {
        if (s[i] == '\\' && i + 1 < len && (s[i + 1] == 'n' || s[i + 1] == 't')) {
            out.push_back(s[i + 1] == 'n' ? '\n' : '\t');
            ++i;
        } else {
            out.push_back(s[i]);
        }
    }
}

void format_string(std::string &out, const Directive &d, const char *s) {
    if (s == nullptr) s = "(null)";
    size_t len = d.precision >= 0 ? strnlen(s, static_cast<size_t>(d.precision)) : std::strlen(s);
    int padding = d.width > 0 && static_cast<size_t>(d.width) > len ? d.width - static_cast<int>(len) : 0;
    if (!(d.flags & TEXT_LEFT)) pad(out, padding, ' ');
    copy_translated(out, s, len);
    if (d.flags & TEXT_LEFT) pad(out, padding, ' ');
}

int64_t read_integer(const Directive &d, int flags, va_list *ap) {
    int arg = va_arg(*ap, int);
    if (d.qualifier == 'h') {
        return (flags & TEXT_SIGN) ? static_cast<int64_t>(static_cast<short>(arg))
                                   : static_cast<int64_t>(static_cast<unsigned short>(arg));
    }
    return (flags & TEXT_SIGN) ? static_cast<int64_t>(arg) : static_cast<int64_t>(static_cast<unsigned>(arg));
}

struct IntegerConversion {
    char conversion;
    int base;
    int flags;
};

constexpr IntegerConversion INTEGER_CONVERSIONS[] = {
    {'d', 10, TEXT_SIGN}, {'i', 10, TEXT_SIGN},  {'u', 10, 0},
    {'o', 8, 0},          {'x', 16, TEXT_SMALL}, {'X', 16, 0},
};

const IntegerConversion *find_integer_conversion(char c) {
    for (const auto &conversion : INTEGER_CONVERSIONS)
        if (conversion.conversion == c) return &conversion;
    return nullptr;
}

void store_count(const Directive &d, size_t written, va_list *ap) {
    if (d.qualifier == 'l') {
        *va_arg(*ap, long long *) = static_cast<long long>(written);
    } else {
        *va_arg(*ap, int *) = clamp_to_int(written);
    }
}

// One conversion; returns false when the format ended right after the directive's "%".
bool format_conversion(std::string &out, size_t start, const char *&f, Directive d, va_list *ap) {
    char c = *f;
    if (const IntegerConversion *conversion = find_integer_conversion(c)) {
        int flags = d.flags | conversion->flags;
        text_format_number(out, read_integer(d, flags, ap), conversion->base, d.width, d.precision, flags);
        return true;
    }
    switch (c) {
    case '%':
        out.push_back('%');
        return true;
    case 'c':
        format_char(out, d, va_arg(*ap, int));
        return true;
    case 's':
        format_string(out, d, va_arg(*ap, const char *));
        return true;
    case 'p': {
        if (d.width == -1) {
            d.width = 2 * static_cast<int>(sizeof(void *));
            d.flags |= TEXT_ZEROPAD;
        }
        auto address = reinterpret_cast<uintptr_t>(va_arg(*ap, void *));
        text_format_number(out, static_cast<int64_t>(address), 16, d.width, d.precision, d.flags);
        return true;
    }
    case 'n':
        store_count(d, out.size() - start, ap);
        return true;
    case '\0':
        out.push_back('%');
        return false;
    default:
        out.push_back('%');
        out.push_back(c);
        return true;
    }
}

int write_all(int fd, const std::string &text) {
    const char *p = text.data();
    size_t left = text.size();
    while (left > 0) {
        unsigned chunk = left > 1u << 30 ? 1u << 30 : static_cast<unsigned>(left);
        auto written = TEXT_WRITE(fd, p, chunk);
        if (written <= 0) break;
        p += written;
        left -= static_cast<size_t>(written);
    }
    return clamp_to_int(text.size());
}

} // namespace

bool text_format_number(std::string &out, int64_t value, int base, int width, int precision, int flags) {
    if (flags & TEXT_LEFT) flags &= ~TEXT_ZEROPAD;
    if (base < 2 || base > 16) return false;
    char padChar = (flags & TEXT_ZEROPAD) ? '0' : ' ';
    char sign = 0;
    auto magnitude = static_cast<uint64_t>(value);
    if (flags & TEXT_SIGN) {
        if (value < 0) {
            sign = '-';
            magnitude = 0 - magnitude;
        } else if (flags & TEXT_PLUS) {
            sign = '+';
        } else if (flags & TEXT_SPACE) {
            sign = ' ';
        }
        if (sign) --width;
    }
    if (flags & TEXT_SPECIAL) width -= base == 16 ? 2 : base == 8 ? 1 : 0;

    char digits[66];
    int count = 0;
    char lower = (flags & TEXT_SMALL) ? 0x20 : 0;
    if (magnitude == 0) digits[count++] = '0';
    while (magnitude != 0) {
        digits[count++] = static_cast<char>(DIGITS[magnitude % static_cast<unsigned>(base)] | lower);
        magnitude /= static_cast<unsigned>(base);
    }
    if (count > precision) precision = count;
    width -= precision;

    // Whatever is left of the width is filled once: blanks before the sign, the pad character
    // after the prefix, or blanks after a left-justified number.
    if (!(flags & (TEXT_ZEROPAD | TEXT_LEFT))) {
        pad(out, width, ' ');
        width = 0;
    }
    if (sign) out.push_back(sign);
    if (flags & TEXT_SPECIAL) {
        if (base == 8) out.push_back('0');
        if (base == 16) out.append(lower ? "0x" : "0X");
    }
    if (!(flags & TEXT_LEFT)) {
        pad(out, width, padChar);
        width = 0;
    }
    pad(out, precision - count, '0');
    while (count > 0) out.push_back(digits[--count]);
    pad(out, width, ' ');
    return true;
}

int text_vformat(std::string &out, const char *format, va_list args) {
    size_t start = out.size();
    va_list ap;
    va_copy(ap, args);
    for (const char *f = format; *f != '\0'; ++f) {
        if (*f != '%') {
            out.push_back(*f);
            continue;
        }
        ++f;
        Directive d = read_directive(f, &ap);
        if (!format_conversion(out, start, f, d, &ap)) break;
    }
    va_end(ap);
    return clamp_to_int(out.size() - start);
}

int text_printf(const char *format, ...) {
    std::string text;
    va_list args;
    va_start(args, format);
    text_vformat(text, format, args);
    va_end(args);
    std::fflush(stdout);
    return write_all(1, text);
}

int text_fprintf(FILE *stream, const char *format, ...) {
    std::string text;
    va_list args;
    va_start(args, format);
    text_vformat(text, format, args);
    va_end(args);
    std::fwrite(text.data(), 1, text.size(), stream);
    return clamp_to_int(text.size());
}
