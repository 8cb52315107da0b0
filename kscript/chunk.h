// Compiled code of one function: instruction bytes, the source line of each byte, constants.
#pragma once

#include <cstdint>

#include "value.h"

enum ScriptOpcode : uint8_t {
    OP_CONSTANT,
    OP_NIL,
    OP_TRUE,
    OP_FALSE,
    OP_POP,
    OP_GET_LOCAL,
    OP_SET_LOCAL,
    OP_GET_GLOBAL,
    OP_DEFINE_GLOBAL,
    OP_SET_GLOBAL,
    OP_GET_UPVALUE,
    OP_SET_UPVALUE,
    OP_GET_PROPERTY,
    OP_SET_PROPERTY,
    OP_GET_SUPER,
    OP_EQUAL,
    OP_GREATER,
    OP_LESS,
    OP_ADD,
    OP_SUBTRACT,
    OP_MULTIPLY,
    OP_DIVIDE,
    OP_DIVIDE_FR,
    OP_CIRCUMFLEX,
    OP_FACTORIAL,
    OP_SINGLE_FACTORIAL,
    OP_NOT,
    OP_NEGATE,
    OP_SCANF,
    OP_PRINT,
    OP_PRINTLN,
    OP_JUMP,
    OP_JUMP_IF_FALSE,
    OP_LOOP,
    OP_CALL,
    OP_INVOKE,
    OP_SUPER_INVOKE,
    OP_CLOSURE,
    OP_CLOSE_UPVALUE,
    OP_LIST_INIT,
    OP_LIST_GETIDX,
    OP_LIST_SETIDX,
    OP_RETURN,
    OP_CLASS,
    OP_INHERIT,
    OP_METHOD,
    OP_MODE,
    OP_SETPRECISION,
    OP_MOD,
    OP_INTDIV,
    OP_END,
};

constexpr int OPCODE_COUNT = OP_END + 1;

// A constant operand is one byte, so a chunk addresses at most this many constants.
constexpr int CHUNK_CONSTANTS_MAX = 256;

struct Chunk {
    int count;
    int capacity;
    uint8_t *code;
    int *lines; // one per code byte
    ValueArray constants;
};

void chunk_init(Chunk *chunk);
void chunk_free(Chunk *chunk);
void chunk_write(Chunk *chunk, uint8_t byte, int line);
int chunk_add_constant(Chunk *chunk, ScriptValue value);

const char *opcode_name(uint8_t opcode);
