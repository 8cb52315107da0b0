// Bytes from the system's cryptographic source, for tokens, cookies and port draws.
#pragma once

#include <cstddef>

namespace webwin {

void secureRandom(unsigned char *bytes, size_t count);

}  // namespace webwin
