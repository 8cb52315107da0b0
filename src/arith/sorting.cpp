// Sorting of number texts by value: quicksort with a median-of-three pivot and insertion
// sort for ranges of at most ten entries. In fraction mode (any mode bit) the entries are
// compared, and left, as fractions.
#include "BigNumber.h"

namespace {

struct Order {
    BigNumber &bn;
    bool fractions;
    bool descending;
    // "comes before": less for ascending, greater for descending
    bool before(const std::string &a, const std::string &b) const {
        bool lessWanted = !descending;
        if (fractions) return lessWanted ? bn.isFractionLess(a, b) : bn.isFractionGreater(a, b);
        return lessWanted ? bn.isLessThan(a, b) : bn.isGreaterThan(a, b);
    }
};

void toFractions(BigNumber &bn, std::vector<std::string> &v) {
    for (std::string &t : v)
        if (t.find('|') == std::string::npos) t = bn.decimal_to_fraction(t);
}

std::string &median3(const Order &o, std::vector<std::string> &v, int64_t first, int64_t last) {
    int64_t mid = (first + last) / 2;
    if (o.before(v[size_t(mid)], v[size_t(first)])) std::swap(v[size_t(mid)], v[size_t(first)]);
    if (o.before(v[size_t(last)], v[size_t(first)])) std::swap(v[size_t(last)], v[size_t(first)]);
    if (o.before(v[size_t(last)], v[size_t(mid)])) std::swap(v[size_t(last)], v[size_t(mid)]);
    std::swap(v[size_t(mid)], v[size_t(last - 1)]);
    return v[size_t(last - 1)];
}

void sortRange(const Order &o, std::vector<std::string> &v, int64_t first, int64_t last) {
    while (first < last) {
        if (last < first + 10) {
            for (int64_t k = first + 1; k <= last; k++) {
                std::string t = v[size_t(k)];
                int64_t j = k;
                for (; j > first && o.before(t, v[size_t(j - 1)]); j--) v[size_t(j)] = v[size_t(j - 1)];
                v[size_t(j)] = t;
            }
            return;
        }
        std::string pivot = median3(o, v, first, last);
        int64_t i = first, j = last - 1;
        for (;;) {
            while (o.before(v[size_t(++i)], pivot)) {}
            while (o.before(pivot, v[size_t(--j)])) {}
            if (i < j) std::swap(v[size_t(i)], v[size_t(j)]);
            else break;
        }
        std::swap(v[size_t(i)], v[size_t(last - 1)]);
        // The smaller side recursively, the larger in this loop: logarithmic depth.
        if (i - first < last - i) {
            sortRange(o, v, first, i - 1);
            first = i + 1;
        } else {
            sortRange(o, v, i + 1, last);
            last = i - 1;
        }
    }
}

}  // namespace

void BigNumber::sort_numbers_asc_range(std::vector<std::string> &v, int64_t first, int64_t last) {
    Order o{*this, mode != 0, false};
    if (o.fractions) toFractions(*this, v);
    if (first < 0 || last >= int64_t(v.size())) return;
    sortRange(o, v, first, last);
}

void BigNumber::sort_numbers_desc_range(std::vector<std::string> &v, int64_t first, int64_t last) {
    Order o{*this, mode != 0, true};
    if (o.fractions) toFractions(*this, v);
    if (first < 0 || last >= int64_t(v.size())) return;
    sortRange(o, v, first, last);
}

void BigNumber::sort_numbers_asc(std::vector<std::string> &v) {
    if (mode != 0) toFractions(*this, v);
    if (!v.empty()) sort_numbers_asc_range(v, 0, int64_t(v.size()) - 1);
}

void BigNumber::sort_numbers_desc(std::vector<std::string> &v) {
    if (mode != 0) toFractions(*this, v);
    if (!v.empty()) sort_numbers_desc_range(v, 0, int64_t(v.size()) - 1);
}

std::string &BigNumber::sort_numbers_median3(std::vector<std::string> &v, int64_t first, int64_t last) {
    return median3(Order{*this, mode != 0, false}, v, first, last);
}
