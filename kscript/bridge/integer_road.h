// The integer road of the bridge: for integer texts written the way the engine writes integers
// ("0", or an optional "-" and digits without a leading zero), addition, subtraction,
// multiplication, the quotient operator, the remainder and the order are computed here and
// answer exactly the text the engine would. Short texts (at most eighteen digits) compute in
// machine words; longer ones add and subtract digit by digit and multiply by a short factor,
// which is how scripts build long numbers. Anything else (other texts, a zero divisor, an
// overflowing product, the quotient or remainder of long texts, a product of two long texts)
// is left to the engine.
#pragma once

#include <cstdint>
#include <string>

enum IntegerForm : int8_t {
    INTEGER_FORM_UNKNOWN = 0, // not looked at yet
    INTEGER_FORM_SHORT = 1,   // the engine's integer form, at most eighteen digits
    INTEGER_FORM_LONG = 2,    // the engine's integer form, more digits
    INTEGER_FORM_NONE = -1,   // any other text
};

constexpr int SHORT_INTEGER_DIGITS_MAX = 18;

// The form of a text, with its value when it is short.
IntegerForm integer_form(const char *chars, int length, int64_t *value);

struct IntegerText {
    const char *chars;
    int length;
    IntegerForm form; // SHORT or LONG
    int64_t value;    // when SHORT
};

enum IntegerOp {
    INTEGER_NONE,      // no road for this operation
    INTEGER_ADD,       // the engine's addition
    INTEGER_SUBTRACT,  // its subtraction
    INTEGER_MULTIPLY,  // its multiplication
    INTEGER_QUOTIENT,  // its quotient operator (truncated; at times "-0", see integer_road.cpp)
    INTEGER_REMAINDER, // its non-negative remainder
};

// The answer text of two texts of the integer form, written into out, with its own form (and
// value when short); false, with out unspecified, when the engine has to answer.
bool integer_answer(IntegerOp op, const IntegerText &a, const IntegerText &b, std::string &out,
                    IntegerForm *form, int64_t *value);

// For two short texts whose answer is itself a short text of the form: that answer's value.
// False for every other case (integer_answer then writes the text, or leaves it to the engine).
bool integer_short_value(IntegerOp op, const IntegerText &a, const IntegerText &b, int64_t *value);

// Whether a < b, for two texts of the integer form.
bool integer_less(const IntegerText &a, const IntegerText &b);
