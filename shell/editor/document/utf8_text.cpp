#include "utf8_text.h"

#include <algorithm>

namespace editor {

namespace {

constexpr char32_t REPLACEMENT = 0xFFFD;

bool IsTrail(unsigned char c) { return (c & 0xC0) == 0x80; }

// The bounds of the second byte after each lead byte, which rule out overlong forms,
// surrogates and values past U+10FFFF.
struct LeadRule {
    int length;
    unsigned char low, high;
};

LeadRule RuleOf(unsigned char lead) {
    if (lead < 0x80) return {1, 0, 0};
    if (lead < 0xC2) return {0, 0, 0};
    if (lead < 0xE0) return {2, 0x80, 0xBF};
    if (lead == 0xE0) return {3, 0xA0, 0xBF};
    if (lead == 0xED) return {3, 0x80, 0x9F};
    if (lead < 0xF0) return {3, 0x80, 0xBF};
    if (lead == 0xF0) return {4, 0x90, 0xBF};
    if (lead < 0xF4) return {4, 0x80, 0xBF};
    if (lead == 0xF4) return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

// The character at bytes[0] and its length in bytes.
char32_t Decode(std::string_view bytes, int &length) {
    length = Utf8SequenceLength(bytes);
    auto lead = static_cast<unsigned char>(bytes[0]);
    if (length == 1) return lead < 0x80 ? lead : REPLACEMENT;
    char32_t value = lead & (0xFF >> (length + 1));
    for (int i = 1; i < length; ++i) value = (value << 6) | (static_cast<unsigned char>(bytes[size_t(i)]) & 0x3F);
    return value;
}

void AppendUtf8(std::string &out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// A UTF-8 character is at most four bytes: enough of the text around pos to judge it.
constexpr Position MAX_SEQUENCE = 4;

}  // namespace

int Utf8SequenceLength(std::string_view bytes) {
    if (bytes.empty()) return 0;
    LeadRule rule = RuleOf(static_cast<unsigned char>(bytes[0]));
    if (rule.length <= 1) return 1;
    if (bytes.size() < size_t(rule.length)) return 1;
    auto second = static_cast<unsigned char>(bytes[1]);
    if (second < rule.low || second > rule.high) return 1;
    for (int i = 2; i < rule.length; ++i)
        if (!IsTrail(static_cast<unsigned char>(bytes[size_t(i)]))) return 1;
    return rule.length;
}

size_t Utf8PrefixLength(std::string_view bytes, size_t limit) {
    size_t at = 0;
    while (at < bytes.size()) {
        size_t next = at + size_t(Utf8SequenceLength(bytes.substr(at)));
        if (next > limit) break;
        at = next;
    }
    return at;
}

Position CharacterStart(const TextDocument &doc, Position pos) {
    pos = std::clamp<Position>(pos, 0, doc.Length());
    if (!IsTrail(static_cast<unsigned char>(doc.CharAt(pos)))) return pos;
    for (Position start = pos - 1; start >= 0 && start > pos - MAX_SEQUENCE; --start) {
        if (IsTrail(static_cast<unsigned char>(doc.CharAt(start)))) continue;
        return start + Utf8SequenceLength(doc.Text(start, start + MAX_SEQUENCE)) > pos ? start : pos;
    }
    return pos;
}

Position NextCharacter(const TextDocument &doc, Position pos) {
    pos = CharacterStart(doc, pos);
    if (pos >= doc.Length()) return doc.Length();
    if (doc.CharAt(pos) == '\r' && doc.CharAt(pos + 1) == '\n') return pos + 2;
    return pos + Utf8SequenceLength(doc.Text(pos, pos + MAX_SEQUENCE));
}

Position PreviousCharacter(const TextDocument &doc, Position pos) {
    pos = CharacterStart(doc, pos);
    if (pos <= 0) return 0;
    if (doc.CharAt(pos - 1) == '\n' && doc.CharAt(pos - 2) == '\r') return pos - 2;
    return CharacterStart(doc, pos - 1);
}

std::u16string Utf8ToUtf16(std::string_view bytes, std::vector<Position> *byteOf) {
    std::u16string out;
    out.reserve(bytes.size());
    if (byteOf) byteOf->clear();
    for (size_t i = 0; i < bytes.size();) {
        int length = 0;
        char32_t c = Decode(bytes.substr(i), length);
        if (c >= 0x10000) {
            out += char16_t(0xD800 + ((c - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
            if (byteOf) byteOf->push_back(Position(i));
        } else {
            out += char16_t(c);
        }
        if (byteOf) byteOf->push_back(Position(i));
        i += size_t(length);
    }
    if (byteOf) byteOf->push_back(Position(bytes.size()));
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = REPLACEMENT;
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace editor
