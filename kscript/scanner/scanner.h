#pragma once

#include "scanner/token.h"

// One global scanner over a NUL-terminated source; it never reads past the terminator.
void scanner_init(const char *source);
Token scanner_next_token();
