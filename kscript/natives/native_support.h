// What the natives share: reading arguments, making answers, and the natives that pass one or
// two texts through a bridge. A native reads a text only from
// a string or a number: a number stands for its "%g" text, and any other value ends the run
// with a runtime error that names the native and the argument. Integers read from numbers and
// texts are bounded, so no conversion overflows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "value.h"

class BigNumber;

// The text of args[index] into text; false after the runtime error of a wrong argument type.
bool native_text(const char *native, const ScriptValue *args, int index, std::string &text);
// The texts of all argCount arguments, read before any of them is used.
bool native_texts(const char *native, int argCount, const ScriptValue *args, std::vector<std::string> &texts);

// A number written with a printf format for one double ("%g", "%f").
std::string native_number_text(const char *format, double value);

// A number truncated toward zero and held to [-limit, limit]; NaN counts as 0.
int64_t native_truncate(double value, int64_t limit);
// The leading integer of a text as the standard library's atol reads it (blanks, a sign, then
// digits), held to [-limit, limit]; 0 when no digit is read.
int64_t native_leading_integer(const char *text, int64_t limit);

// Spends the run budget of a call that handled this many characters or numbers; false when the
// budget is spent (the run has then ended).
bool native_spend(size_t characters);

// The characters of a string argument; none for any other value.
const char *native_chars(ScriptValue arg);
// An integer argument: the truncated value of a number, the leading integer of a string (as
// atol reads it), fallback for anything else; held to the int range.
int native_int_argument(ScriptValue arg, int fallback);

// An integer argument from low to high: a number truncated toward zero, or a text read by the
// engine's checked conversion. False when it is neither or out of range; `text` is then what
// the refusal names.
bool native_bounded_argument(ScriptValue arg, int64_t low, int64_t high, int64_t &value, std::string &text);

ScriptValue native_string(const std::string &text);
ScriptValue native_string(const char *text);
inline ScriptValue native_number(double value) {
    return value_from_number(value);
}
// The interned copy of a bridge's answer, after spending the budget of the inputs' and the
// answer's characters; nil when the budget is spent.
ScriptValue native_engine_answer(const char *answer, size_t inputCharacters);

using UnaryTextBridge = const char *(*)(BigNumber *, const char *);
using BinaryTextBridge = const char *(*)(BigNumber *, const char *, const char *);
// A native of one (two) texts answered by a bridge; any other argument count answers fallback.
ScriptValue native_unary(const char *native, int argCount, const ScriptValue *args, UnaryTextBridge bridge,
                         const char *fallback);
ScriptValue native_binary(const char *native, int argCount, const ScriptValue *args, BinaryTextBridge bridge,
                          const char *fallback);
