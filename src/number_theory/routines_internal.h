// Helpers shared by the number-theory routines of sequences, lists and symbols (not part of
// the public interface).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "nat/nat.h"

class BigNumber;

namespace routines {

// A real number text with at least one digit (the engine's number test also passes "",
// "." and a lone sign).
bool isNumberText(const std::string &text);

// A signed integer text (optional '+' or '-', at least one digit) as a sign and a
// magnitude; false for any other text.
bool readInteger(std::string_view text, nat::Nat &magnitude, bool &negative);
// The canonical text of a signed magnitude ("0" for zero, never "-0").
std::string integerText(const nat::Nat &magnitude, bool negative);

// The value of an expression text: numerically (the evaluator's flags 0; a text the
// evaluator refuses comes back unchanged) or as a fraction text "n|d". The fraction road
// normalises the text first: without it, minus signs at the start or after "(" are lost.
std::string numericalValue(BigNumber &bn, const std::string &text);
std::string fractionValue(BigNumber &bn, const std::string &text);
// By bit 0 of the engine's mode word.
std::string modeValue(BigNumber &bn, const std::string &text);

// Index walks over a range of values: a range longer than this is refused.
constexpr int64_t kMaxRangeItems = 1000000;
// Items of an expanded list, and the characters all of them may hold together.
constexpr size_t kMaxListItems = 1000000;
constexpr size_t kMaxListChars = 64u << 20;

}  // namespace routines
