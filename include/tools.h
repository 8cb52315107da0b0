// Free text tools shared by the whole program: blanks, quotes, brackets, digit tests,
// 64-bit conversions, the message test and the numerical infix validator.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

void trim(std::string &text);          // leading and trailing ' ' only
void deleteBlanks(std::string &text);  // every ' '
bool stripQuotes(std::string &text);   // one enclosing pair of "" or ''
bool startsWithBracket(const std::string &text);
bool hasSignChar(const std::string &text);
std::string removeParentheses(const std::string &text);
// Occurrences of ch; lastIndex gets the last one, or all bits set when there is none.
int countChar(const std::string &text, char ch, uint32_t &lastIndex);
bool isAllDigits(const std::string &text);      // the empty text counts
bool isSignedInteger(const std::string &text);  // optional sign, then digits (may be none)
bool isValidIdentifier(const std::string &text);
std::string int64ToString(int64_t value);
int64_t str2int64(const std::string &text);  // digits by place value, wrapping, unchecked

// The checked conversion, for every number text that becomes a machine integer: true and the
// value when the text is an integer (an optional sign, then digits only, leading zeros fine)
// from `low` to `high`; false otherwise, `value` untouched.
bool checkedInt64(std::string_view text, int64_t low, int64_t high, int64_t &value);
// The answer to a text that checkedInt64 refused (a long text is shortened in it).
std::string integerRangeMessage(std::string_view text, int64_t low, int64_t high);
// The most decimals any engine member computes, whatever the precision asks.
int64_t precisionCap();

// A text that reports a failure or an open case instead of a value (an error, warning, hint
// or syntax text, an unfinished case, "... not available yet"). Computing on with it would
// turn the message into a name inside ever longer term texts.
bool isMessageText(std::string_view text);
std::wstring string2wstring(const std::string &text, const std::string &encodingName);
bool isInfixValid(const std::string &text);  // plain numerical infix expression
// Removes every blank, then true when only digits and + - * / | % ^ @ ! ( ) . < > ~ = remain.
bool has_only_expr_chars(std::string &text);
// The name of a call written name(...): an identifier, "(" and a text ending in ")".
bool function_call_name(const std::string &text, std::string &name);

// The value written by a string stream with its default formatting.
template <typename T> std::string toString(T value) {
    std::ostringstream os;
    os << value;
    return os.str();
}

// Fraction text in lowest terms (its own engine, default settings).
std::string reduce_fraction(const std::string &text);

// Puts the median of v[first], v[mid] and v[last] (by `before`) at last - 1 and returns it;
// afterwards v[first] and v[last] bound the pivot. Needs first < last, both in range.
template <typename T, typename Before>
T &medianOfThree(std::vector<T> &v, int64_t first, int64_t last, const Before &before) {
    int64_t mid = int64_t((uint64_t(first) + uint64_t(last)) / 2);
    if (before(v[size_t(mid)], v[size_t(first)])) std::swap(v[size_t(mid)], v[size_t(first)]);
    if (before(v[size_t(last)], v[size_t(first)])) std::swap(v[size_t(last)], v[size_t(first)]);
    if (before(v[size_t(last)], v[size_t(mid)])) std::swap(v[size_t(last)], v[size_t(mid)]);
    std::swap(v[size_t(mid)], v[size_t(last - 1)]);
    return v[size_t(last - 1)];
}

// Quicksort of v[first..last] with median-of-three pivots and insertion sort for ranges of
// at most ten entries, by `before`. The partition scans stop at the range's ends whatever
// `before` answers, so a comparison that is no order (texts that are not numbers) still
// gives a permutation, never a read past the vector.
template <typename T, typename Before>
void quickSort(std::vector<T> &v, int64_t first, int64_t last, const Before &before) {
    if (first < 0 || last >= int64_t(v.size())) return;
    while (first < last) {
        if (last < first + 10) {
            for (int64_t k = first + 1; k <= last; k++) {
                T t = v[size_t(k)];
                int64_t j = k;
                for (; j > first && before(t, v[size_t(j - 1)]); j--) v[size_t(j)] = v[size_t(j - 1)];
                v[size_t(j)] = t;
            }
            return;
        }
        T pivot = medianOfThree(v, first, last, before);
        int64_t i = first, j = last - 1;
        for (;;) {
            do i++;
            while (i < last - 1 && before(v[size_t(i)], pivot));
            do j--;
            while (j > first && before(pivot, v[size_t(j)]));
            if (i < j) std::swap(v[size_t(i)], v[size_t(j)]);
            else break;
        }
        std::swap(v[size_t(i)], v[size_t(last - 1)]);
        // Recurse into the smaller side, loop on the larger: the stack stays logarithmic.
        if (i - first < last - i) {
            quickSort(v, first, i - 1, before);
            first = i + 1;
        } else {
            quickSort(v, i + 1, last, before);
            last = i - 1;
        }
    }
}

// Ascending by T's less-than.
template <typename T> void quickSort(std::vector<T> &v, int64_t first, int64_t last) {
    quickSort(v, first, last, [](const T &a, const T &b) { return a < b; });
}

template <typename T> void quickSort(std::vector<T> &v) {
    if (!v.empty()) quickSort(v, 0, int64_t(v.size()) - 1);
}
