// Free text tools shared by the whole program: blanks, quotes, brackets, digit tests,
// 64-bit conversions and the numerical infix validator.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
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

// Quicksort with median-of-three pivots and insertion sort for short ranges, ascending by <.
template <typename T> void quickSort(std::vector<T> &v, int64_t first, int64_t last) {
    while (first < last) {
        if (last < first + 10) {
            for (int64_t k = first + 1; k <= last; k++) {
                T t = v[k];
                int64_t j = k;
                for (; j > first && t < v[j - 1]; j--) v[j] = v[j - 1];
                v[j] = t;
            }
            return;
        }
        int64_t mid = int64_t((uint64_t(first) + uint64_t(last)) / 2);
        if (v[mid] < v[first]) std::swap(v[mid], v[first]);
        if (v[last] < v[first]) std::swap(v[last], v[first]);
        if (v[last] < v[mid]) std::swap(v[last], v[mid]);
        std::swap(v[mid], v[last - 1]);
        T pivot = v[last - 1];
        int64_t i = first, j = last - 1;
        for (;;) {
            while (v[++i] < pivot) {}
            while (pivot < v[--j]) {}
            if (i < j) std::swap(v[i], v[j]);
            else break;
        }
        std::swap(v[i], v[last - 1]);
        // Recurse into the smaller side, loop on the larger: the stack stays logarithmic.
        if (i - first < last - i) {
            quickSort(v, first, i - 1);
            first = i + 1;
        } else {
            quickSort(v, i + 1, last);
            last = i - 1;
        }
    }
}

template <typename T> void quickSort(std::vector<T> &v) {
    if (!v.empty()) quickSort(v, 0, int64_t(v.size()) - 1);
}
