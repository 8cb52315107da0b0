#include "properties_file.h"

#include <climits>

#include "tools.h"

namespace {

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f';
}

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

} // namespace

bool readPropertySize(const std::wstring &text, int &size) {
    size_t at = 0;
    while (at < text.size() && isBlank(text[at])) ++at;
    std::string number;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) number += char(text[at++]);
    while (at < text.size() && isDigit(text[at])) number += char(text[at++]);
    if (number.empty() || number == "+" || number == "-") {
        size = 0;
        return true;
    }
    int64_t value = 0;
    if (!checkedInt64(number, INT_MIN, INT_MAX, value)) return false;
    size = int(value);
    return true;
}

void readFontProperties(std::istream &file, std::map<std::wstring, FontSpec> &into) {
    std::string raw;
    while (std::getline(file, raw)) {
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        std::wstring line;
        for (char c : raw) line += wchar_t(static_cast<unsigned char>(c));
        if (line.empty() || line[0] == L'#') continue;
        const size_t equals = line.find(L'=');
        if (equals == std::wstring::npos) continue;
        const std::wstring value = line.substr(equals + 1);
        const size_t comma = value.find(L',');
        if (comma == std::wstring::npos) continue;
        FontSpec spec;
        spec.face = value.substr(0, comma);
        if (!readPropertySize(value.substr(comma + 1), spec.size)) continue;
        into[line.substr(0, equals)] = spec;
    }
}
