// The input texts of the bridges: each bridge copies its inputs before it calls the engine, so
// an input may point into the engine's own answer.
#pragma once

#include <string>

inline std::string text_or_zero(const char *text) {
    return text != nullptr ? std::string(text) : std::string("0");
}
