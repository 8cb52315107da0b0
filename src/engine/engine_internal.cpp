#include "engine/engine_internal.h"

#include <algorithm>

#include "BigNumber.h"
#include "tools.h"

namespace engine {

bool precisionDecimals(int32_t precision, size_t &decimals) {
    decimals = precision > 0 ? size_t(precision) : 0;
    return decimals <= kMaxPrecision;
}

std::string precisionMessage(const std::string &member) {
    return "Error> " + member + " is computed to at most " + decimalText(kMaxPrecision) + " decimals.";
}

bool isZeroValue(std::string_view t) {
    std::string_view u = unsignedPart(t);
    size_t bar = u.find_first_of("|/");
    std::string_view numerator = u.substr(0, bar);
    if (bar != std::string_view::npos) {
        std::string_view denominator = u.substr(bar + 1);
        bool nonzero = denominator.find_first_not_of('0') != std::string_view::npos;
        if (!nonzero || !allDigits(denominator)) return false;
    }
    size_t point = numerator.find('.');
    std::string_view whole = numerator.substr(0, point);
    std::string_view decimals = point == std::string_view::npos ? std::string_view() : numerator.substr(point + 1);
    if (whole.empty() && decimals.empty()) return false;
    if (bar != std::string_view::npos && point != std::string_view::npos) return false;
    return whole.find_first_not_of('0') == std::string_view::npos &&
           decimals.find_first_not_of('0') == std::string_view::npos;
}

bool isSpecialWord(std::string_view t) {
    std::string_view u = unsignedPart(t);
    return u == "Inf" || u == "NaN" || u == "\xE2\x88\x9E" || t == "undefined";
}

int compareMagnitude(std::string_view a, std::string_view b) {
    size_t pa = std::min(a.find('.'), a.size()), pb = std::min(b.find('.'), b.size());
    std::string_view ia = a.substr(0, pa), ib = b.substr(0, pb);
    ia.remove_prefix(std::min(ia.find_first_not_of('0'), ia.size()));
    ib.remove_prefix(std::min(ib.find_first_not_of('0'), ib.size()));
    if (ia.size() != ib.size()) return ia.size() < ib.size() ? -1 : 1;
    if (int c = ia.compare(ib)) return c < 0 ? -1 : 1;
    std::string_view fa = pa < a.size() ? a.substr(pa + 1) : std::string_view();
    std::string_view fb = pb < b.size() ? b.substr(pb + 1) : std::string_view();
    for (size_t i = 0; i < std::max(fa.size(), fb.size()); i++) {
        char x = i < fa.size() ? fa[i] : '0', y = i < fb.size() ? fb[i] : '0';
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

std::vector<std::string> splitTerms(const std::string &text) {
    std::string t = startsWith(text, '+') || startsWith(text, '-') ? text : "+" + text;
    std::vector<std::string> terms;
    size_t start = 0;
    long depth = 0;
    for (size_t i = 0; i < t.size(); i++) {
        char c = t[i];
        if (c == '(') depth++;
        else if (c == ')') depth--;
        else if ((c == '+' || c == '-') && i >= 1 && depth < 1) {
            terms.push_back(t.substr(start, i - start));
            start = i;
        }
    }
    terms.push_back(t.substr(start));
    return terms;
}

std::string scaledDigits(const std::string &unsignedReal, size_t &decimals) {
    std::string t = unsignedReal;
    size_t p = t.find('.');
    decimals = 0;
    if (p != std::string::npos) {
        decimals = t.size() - p - 1;
        t.erase(p, 1);
    }
    return BigNumber::stripLeadingZeros(t);
}

std::string cutDecimals(const std::string &text, size_t places) {
    size_t point = text.find('.');
    if (point == std::string::npos || text.size() <= point + 1 + places) return text;
    return text.substr(0, point + 1 + places);
}

}  // namespace engine

int64_t precisionCap() { return int64_t(engine::kMaxPrecision); }
