#pragma once

#include "tovrel.h"

// Registers the open and save rows, driven through the shell in this process.
void registerFileBenchmarks(Tovrel &shell);
