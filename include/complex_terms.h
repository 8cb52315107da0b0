// Complex numbers as lists of terms in i: each term a coefficient text times i^0 or i^1.
#pragma once

#include <cstdint>
#include <string>

struct complex_term {
    complex_term *next = nullptr;
    int64_t i_power = 0;      // 0 or 1 in every list made here
    std::string coefficient;  // with its sign
};

// A new term with no successor; null when memory runs out.
complex_term *new_complex_term(std::string coefficient, int64_t power);
// Terms in the order of the text; the empty text gives no list (zero).
complex_term *complex_parse(const char *text);
// The reduced list: real part (power 0), then imaginary part (power 1).
complex_term *complex_collapse(const complex_term *list);
complex_term *complex_add(const complex_term *a, const complex_term *b);
complex_term *complex_subtract(const complex_term *a, const complex_term *b);
complex_term *complex_multiply(const complex_term *a, const complex_term *b);
complex_term *complex_divide(const complex_term *a, const complex_term *b);
std::string complex_to_string(const complex_term *list);
void complex_free(complex_term *list);
