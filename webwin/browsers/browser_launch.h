// Starting a browser on a window's address, and ending what was started.
#pragma once

#include <cstddef>
#include <string>

#include "windows/window_record.h"

namespace webwin {

// The requested browser (1: the best one found) on the address; false when none started.
bool browserStart(WebwinWindow &window, const std::string &address, size_t browser);
// The address with the system's default handler.
bool openUrlNative(const std::string &address);
// Whether the browser is installed; with a window, its executable is remembered there.
bool browserExist(WebwinWindow *window, size_t browser);
size_t findBestBrowser(WebwinWindow &window);

// Makes sure the window has a usable profile for the browser (profiles.cpp).
bool browserProfileFolder(WebwinWindow &window, size_t browser);

// The browser process started for the window: its id while it runs (0 otherwise), and its end
// when the window's server stops.
unsigned long browserProcessId(WebwinWindow &window);
void endBrowser(WebwinWindow &window);

}  // namespace webwin
