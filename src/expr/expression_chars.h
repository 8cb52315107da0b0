// Character classes shared by the stages that rewrite an expression text (normalisation,
// tokenisers, postfix converters). Digits and letters are ASCII; a byte of 128 or more
// belongs to a UTF-8 sequence and is treated as part of a name, never as an operator.
#pragma once

#include <string>

#include "text_helpers.h"

namespace expr {

using engine::inSet;
using engine::isDigit;
inline bool isUtf8Byte(char c) { return static_cast<unsigned char>(c) >= 0x80; }
// A character of a name: a letter or a byte of a UTF-8 sequence.
inline bool isNameChar(char c) { return engine::isLetter(c) || isUtf8Byte(c); }

constexpr char kRunEnd = '`';  // ends a number or a name in the token text

}  // namespace expr
