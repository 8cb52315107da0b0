// The short road of the bridge: for integer texts of at most eighteen digits written the way
// the engine writes integers ("0", or an optional "-" and digits without a leading zero), the
// basic integer operations are computed in machine words and written as exactly the text the
// engine would answer. Anything else (other texts, a zero divisor, an overflowing product,
// fraction mode for the mode-dependent operations) is left to the engine.
#pragma once

#include <cstdint>

enum SmallIntegerOp {
    SMALL_NONE,      // no short road for this operation
    SMALL_ADD,       // the engine's addition
    SMALL_SUBTRACT,  // its subtraction
    SMALL_MULTIPLY,  // its multiplication
    SMALL_QUOTIENT,  // its quotient operator: truncated, at times "-0" (see small_integers.cpp)
    SMALL_REMAINDER, // its non-negative remainder
};

constexpr int SMALL_INTEGER_DIGITS_MAX = 18;
// Room for any answer: a sign, nineteen digits, the terminator.
constexpr int SMALL_INTEGER_TEXT_SIZE = 24;

// The value of a text of the engine's integer form; false for any other text.
bool small_integer_parse(const char *chars, int length, int64_t *value);

// Writes the answer text into out (SMALL_INTEGER_TEXT_SIZE bytes) and returns its length, or
// -1 when the engine has to answer. inForm tells whether the answer is itself a short integer
// of that form (small_integer_parse would take it), of the value given.
int small_integer_answer(SmallIntegerOp op, int64_t a, int64_t b, char *out, bool *inForm, int64_t *value);
