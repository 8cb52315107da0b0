// Stand-ins for neighbours of the interpreter that are not built yet (see pending.cpp).
#pragma once

#include <string>

// The one answer of a road that is not built yet.
std::string notAvailableText(const std::string &road);
