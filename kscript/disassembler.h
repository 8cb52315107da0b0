#pragma once

#include "chunk.h"

// Developer listing of a chunk on the standard output, one line per instruction.
void disassemble_chunk(const Chunk *chunk, const char *name);
int disassemble_instruction(const Chunk *chunk, int offset);
