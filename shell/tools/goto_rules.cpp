#include "goto_rules.h"

#include <algorithm>
#include <climits>

#include "tools.h"

namespace {

constexpr size_t kIntDigits = 10; // INT_MAX has ten digits

} // namespace

int64_t readGotoNumber(const std::wstring &text) {
    std::string digits;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') break;
        digits += char(c);
    }
    if (digits.empty()) return 0;
    const size_t first = std::min(digits.find_first_not_of('0'), digits.size() - 1);
    digits.erase(0, first);
    int64_t value = INT_MAX;
    if (digits.size() > kIntDigits || !checkedInt64(digits, 0, INT_MAX, value)) return INT_MAX;
    return value;
}

bool gotoAllowed(const std::wstring &lineText, int64_t lineCount) {
    const int64_t line = readGotoNumber(lineText);
    return !(line > 0 && line > lineCount);
}

int64_t gotoLineIndex(int64_t line, int64_t lineCount) {
    return std::max<int64_t>(0, std::min(line - 1, lineCount - 1));
}
