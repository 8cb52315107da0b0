// Comma lists of numbers and expressions, with the ranges a,b,...,z (arithmetic),
// a,b,c,...,z (arithmetic or geometric) and a,a,...,n (n copies).
#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "number_theory/routines_internal.h"
#include "tools.h"

using namespace engine;
using routines::kMaxListChars;
using routines::kMaxListItems;

namespace {

bool isRangeMarker(const std::string &item) { return item == "..." || item == ".."; }

// The items between the separators; false for an empty text. A text without the separator
// is appended whole.
bool cutAt(const std::string &text, std::vector<std::string> &list, char separator, bool &cut) {
    cut = false;
    if (text.empty()) return false;
    if (text.find(separator) == std::string::npos) {
        list.push_back(text);
        return true;
    }
    list.clear();
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
        list.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    list.push_back(text.substr(start));
    cut = true;
    return true;
}

// A list under construction that refuses to grow past the limits.
struct BoundedList {
    std::vector<std::string> items;
    size_t chars = 0;
    bool full = false;

    bool add(const std::string &item) {
        if (items.size() >= kMaxListItems || chars + item.size() > kMaxListChars) {
            full = true;
            return false;
        }
        chars += item.size();
        items.push_back(item);
        return true;
    }
};

}  // namespace

bool BigNumber::splitAtChar(const std::string &text, std::vector<std::string> &list, char separator) {
    bool cut;
    return cutAt(text, list, separator, cut);
}

bool BigNumber::expandItemList(const std::string &text, std::vector<std::string> &list, char separator) {
    bool cut;
    if (!cutAt(text, list, separator, cut)) return false;
    if (!cut) return true;
    size_t marker = list.size();
    for (size_t i = 0; i < list.size(); i++) {
        std::string &item = list[i];
        if (isRealNumber(item)) continue;
        if (isRangeMarker(item)) {
            marker = i;
        } else if (isInfixValid(item)) {
            if (mode & kFractionBit) item = "(" + item + ")";
            else item = routines::numericalValue(*this, item);
        } else {
            return false;
        }
    }
    if (marker == list.size()) return true;
    size_t n = list.size();
    if (!((n == 4 && marker == 2) || (n == 5 && marker == 3))) return false;
    // The numbers that shape a range must be numbers, not texts the evaluator left.
    for (size_t i = 0; i < n; i++)
        if (i != marker && !routines::isNumberText(list[i])) return false;
    std::string first = list[0], last = list[n - 1];
    std::string step = real_subtraction(list[1], list[0]);
    bool geometric = false;
    if (n == 4) {
        if (isEqualTo(step, "0") && isNegative(last)) {
            outStream << "Error> The last number " << last << " should be positive." << std::endl;
            return false;
        }
    } else {
        std::string second = real_subtraction(list[2], list[1]);
        if (step == second) {
            if (isEqualTo(step, "0") && isNegative(last)) return false;
        } else {
            if (isEqualTo(list[0], "0") || isEqualTo(list[1], "0")) return false;
            step = real_division(list[1], list[0]);
            std::string ratio2 = real_division(list[2], list[1]);
            if (step != ratio2) return false;
            geometric = true;
        }
    }
    BoundedList out;
    std::string limit = std::to_string(kMaxListItems);
    if (geometric || isEqualTo(step, "0")) {
        // the last item counts the items
        if (isGreaterThan(last, limit)) out.full = true;
        std::string v = first;
        for (std::string left = last; !out.full && isGreaterThan(left, "0") && out.add(v); left = addition(left, "-1"))
            if (geometric) v = multiplication(v, step);
    } else {
        bool rising = isGreaterThan(step, "0");
        if (!(rising ? isLessThan(first, last) : isLessThan(last, first))) {
            if (!isEqualTo(first, last)) {
                outStream << "The last item " << last << (rising ? " is less than" : " is greater than")
                          << " the first item " << first << "." << std::endl;
                return false;
            }
            out.add(last);
        } else {
            // a range plainly too long is refused before it is walked
            std::string span = real_subtraction(last, first);
            span = absolute(span);
            std::string stepSize = absolute(step);
            std::string reach = multiplication(stepSize, limit);
            if (isGreaterThan(span, reach)) out.full = true;
            std::string v = first;
            while (!out.full && (rising ? isLessThan(v, last) : isLessThan(last, v)) && out.add(v))
                v = addition(v, step);
            if (!out.full && isEqualTo(v, last)) out.add(last);
        }
    }
    if (out.full) {
        outStream << "Error> A list is limited to " << kMaxListItems << " items and " << kMaxListChars
                  << " characters." << std::endl;
        return false;
    }
    list.swap(out.items);
    return true;
}
