// fuzz-links: kavlo_engine
// Lists of number texts through the engine's sorts. The first byte picks the mode word and
// the direction; the rest is the list, entries separated by commas. Whatever the entries,
// a sort ends within the vector and gives back a permutation of them (in fraction mode, of
// the entries as fractions); when every entry is a number of the mode, in order by value.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "BigNumber.h"
#include "fuzz_checks.h"

namespace {

constexpr size_t kMaxEntries = 64;
constexpr size_t kMaxEntryLength = 40;

std::vector<std::string> entriesOf(const std::string &text) {
    std::vector<std::string> v;
    size_t start = 0;
    while (v.size() < kMaxEntries) {
        size_t comma = text.find(',', start);
        v.push_back(text.substr(start, std::min(comma - start, kMaxEntryLength)));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return v;
}

std::string listText(const std::vector<std::string> &v) {
    std::string s;
    for (const std::string &t : v) s += t + ",";
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1 || size > 4096) return 0;
    std::string text(reinterpret_cast<const char *>(data + 1), size - 1);
    BigNumber bn;
    bn.setMode(data[0] & 1 ? kFractionBit : kNumericalMode);
    bool descending = data[0] & 2;
    std::vector<std::string> v = entriesOf(text);
    std::vector<std::string> expected = v;
    if (bn.getMode() != kNumericalMode)
        for (std::string &t : expected)
            if (t.find('|') == std::string::npos) t = bn.decimal_to_fraction(t);
    if (descending) bn.sort_numbers_desc(v);
    else bn.sort_numbers_asc(v);
    std::vector<std::string> got = v;
    std::sort(got.begin(), got.end());
    std::sort(expected.begin(), expected.end());
    fuzz::require(got == expected, "not a permutation: " + listText(v));
    // Order is asked of numbers only: decimals, and in fraction mode fractions too.
    std::vector<fuzz::Rational> values(v.size());
    for (size_t i = 0; i < v.size(); i++) {
        bool fraction = v[i].find_first_of("|/") != std::string::npos;
        if ((fraction && bn.getMode() == kNumericalMode) || !fuzz::parseRational(v[i], values[i])) return 0;
    }
    for (size_t i = 1; i < v.size(); i++) {
        bool outOfOrder = descending ? fuzz::lessThan(values[i - 1], values[i]) : fuzz::lessThan(values[i], values[i - 1]);
        fuzz::require(!outOfOrder, "out of order at " + std::to_string(i) + ": " + listText(v));
    }
    return 0;
}
