// Bits of the engine's mode word (BigNumber::setMode/getMode), set by ":mode". Every test
// of the word names its bit.
#pragma once

#include <cstdint>

constexpr int32_t kNumericalMode = 0; // the whole word: no bit set
constexpr int32_t kFractionBit = 1;
constexpr int32_t kPolynBit = 2;
constexpr int32_t kComplexBit = 4;
constexpr int32_t kCmdBit = 8; // numerical expressions skip the script attempt
constexpr int32_t kPaintBit = 16;
