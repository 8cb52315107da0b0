#include "text_search.h"

#include <algorithm>

namespace editor {

namespace {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool MatchesAt(std::string_view hay, size_t at, std::string_view needle, bool matchCase) {
    if (matchCase) return hay.compare(at, needle.size(), needle) == 0;
    for (size_t i = 0; i < needle.size(); ++i)
        if (FoldCase(hay[at + i]) != FoldCase(needle[i])) return false;
    return true;
}

}  // namespace

CharClass ClassOf(char c) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 0x80 || (u >= '0' && u <= '9') || (FoldCase(c) >= 'a' && FoldCase(c) <= 'z') || c == '_')
        return CharClass::Word;
    if (c == '\r' || c == '\n') return CharClass::LineEnd;
    if (u <= ' ' || u == 0x7F) return CharClass::Blank;
    return CharClass::Punctuation;
}

Position FindInDocument(TextDocument &doc, Position from, Position to, std::string_view needle, SearchOptions options,
                  Position &matchEnd) {
    Position length = doc.Length();
    from = std::clamp<Position>(from, 0, length);
    to = std::clamp<Position>(to, 0, length);
    bool forward = from <= to;
    Position low = std::min(from, to), high = std::max(from, to);
    auto n = Position(needle.size());
    if (n == 0 || n > high - low) return -1;
    // only the searched range is made contiguous: after an edit at its start the gap is there
    // already, so searching on after each replacement moves no text
    std::string_view hay = doc.View(low, high);
    auto boundary = [&](Position at) {
        return at == 0 || at == length || ClassOf(doc.CharAt(at - 1)) != ClassOf(doc.CharAt(at));
    };
    auto fits = [&](Position at) {
        return MatchesAt(hay, size_t(at - low), needle, options.matchCase) &&
               (!options.wholeWord || (boundary(at) && boundary(at + n)));
    };
    if (forward) {
        for (Position at = low; at <= high - n; ++at) {
            if (options.matchCase) {
                size_t found = hay.find(needle, size_t(at - low));
                if (found == std::string_view::npos) break;
                at = low + Position(found);
            }
            if (fits(at)) return matchEnd = at + n, at;
        }
    } else {
        for (Position at = high - n; at >= low; --at)
            if (fits(at)) return matchEnd = at + n, at;
    }
    return -1;
}

}  // namespace editor
