// What the two commands that split a polynomial into its terms share: their argument and
// the end of their listing.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>

// The text between the first "(" and the last ")", taken without a check: a ")" missing (or
// standing before the "(") leaves everything after the "(".
std::string uncheckedWholeBracket(const std::string &text);

// The rule, "Total: " + count + " items." and the prompt that end the listing of terms.
void writeItemTotal(std::ostream &out, size_t count);
