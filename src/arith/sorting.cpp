// Sorting of number texts by value: the shared quicksort (median-of-three pivot, insertion
// sort for ranges of at most ten entries) with the engine's comparisons. In fraction mode
// (any mode bit) the entries are compared, and left, as fractions.
#include "BigNumber.h"
#include "tools.h"

namespace {

struct Order {
    BigNumber &bn;
    bool fractions;
    bool descending;
    // "comes before": less for ascending, greater for descending
    bool operator()(const std::string &a, const std::string &b) const {
        bool lessWanted = !descending;
        if (fractions) return lessWanted ? bn.isFractionLess(a, b) : bn.isFractionGreater(a, b);
        return lessWanted ? bn.isLessThan(a, b) : bn.isGreaterThan(a, b);
    }
};

void toFractions(BigNumber &bn, std::vector<std::string> &v) {
    for (std::string &t : v)
        if (t.find('|') == std::string::npos) t = bn.decimal_to_fraction(t);
}

}  // namespace

void BigNumber::sort_numbers_asc_range(std::vector<std::string> &v, int64_t first, int64_t last) {
    Order o{*this, mode != kNumericalMode, false};
    if (o.fractions) toFractions(*this, v);
    quickSort(v, first, last, o);
}

void BigNumber::sort_numbers_desc_range(std::vector<std::string> &v, int64_t first, int64_t last) {
    Order o{*this, mode != kNumericalMode, true};
    if (o.fractions) toFractions(*this, v);
    quickSort(v, first, last, o);
}

// The entries are rewritten as fractions once: a text that is no number may change again
// on a second pass.
void BigNumber::sort_numbers_asc(std::vector<std::string> &v) { sort_numbers_asc_range(v, 0, int64_t(v.size()) - 1); }

void BigNumber::sort_numbers_desc(std::vector<std::string> &v) { sort_numbers_desc_range(v, 0, int64_t(v.size()) - 1); }

// A range of fewer than two entries (or outside the vector) has no pivot: the engine's
// result text, emptied, stands in for it.
std::string &BigNumber::sort_numbers_median3(std::vector<std::string> &v, int64_t first, int64_t last) {
    if (first < 0 || last >= int64_t(v.size()) || last <= first) return result = "";
    return medianOfThree(v, first, last, Order{*this, mode != kNumericalMode, false});
}
