// Starting a browser on a window's address.
#pragma once

#include <cstddef>
#include <string>

#include "windows/window_record.h"

namespace webwin {

// The requested browser (1: the best one found) on the address; false when none started.
bool browserStart(WebwinWindow &window, const std::string &address, size_t browser);
// The address with the system's default handler.
bool openUrlNative(const std::string &address);

}  // namespace webwin
