// Helpers of the polynomial tests: lists from text and terms, and lists as comparable pairs.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "polynomial.h"

namespace polyn_test {

using Terms = std::vector<std::pair<std::string, int64_t>>;

// The terms of a list in its walking order.
inline Terms termsOf(const poly *list) {
    Terms out;
    for (const poly *t = list; t; t = walk_next(list, t)) out.emplace_back(t->coefficient, t->exponent);
    return out;
}

// A backward list holding the terms in the given order (the first one is the handle).
inline TermList backward(const Terms &terms) {
    poly *handle = nullptr, *last = nullptr;
    for (const auto &[c, e] : terms) append_term(handle, last, new_term(c, e), false);
    return TermList(handle);
}

// The normalised polynomial of a typed text.
inline TermList normalised(const std::string &text) {
    bool ok = false;
    TermList parsed(polyn_parse(text, ok));
    EXPECT_TRUE(ok) << text;
    return TermList(polyn_normalize(parsed.get()));
}

inline std::string engineForm(const std::string &text) { return polyn_to_string(normalised(text).get()); }

}  // namespace polyn_test
