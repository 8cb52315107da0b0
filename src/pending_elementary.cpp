// Temporary: sine and cosine arrive with the elementary functions. Until then the
// evaluators' "sin" and "cos" get this clear answer instead of a value.
#include "BigNumber.h"

std::string &BigNumber::sine(const std::string &) { return result = "sin: not available yet"; }
std::string &BigNumber::cosine(const std::string &) { return result = "cos: not available yet"; }
