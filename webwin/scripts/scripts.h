// Scripts run in a page, with or without an answer; raw data for a page function; navigation.
#pragma once

#include <cstdint>
#include <string_view>

namespace webwin {

// A CMD_JS answer of a page: copied into the buffer of the caller still waiting for it.
void scriptAnswer(uint16_t id, std::string_view packet);

}  // namespace webwin
