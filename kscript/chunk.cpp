#include "chunk.h"

#include "memory.h"
#include "vm/vm.h"

void chunk_init(Chunk *chunk) {
    chunk->count = 0;
    chunk->capacity = 0;
    chunk->code = nullptr;
    chunk->lines = nullptr;
    value_array_init(&chunk->constants);
}

void chunk_free(Chunk *chunk) {
    mem_free_array(chunk->code, static_cast<size_t>(chunk->capacity));
    mem_free_array(chunk->lines, static_cast<size_t>(chunk->capacity));
    value_array_free(&chunk->constants);
    chunk_init(chunk);
}

void chunk_write(Chunk *chunk, uint8_t byte, int line) {
    if (chunk->count + 1 > chunk->capacity) {
        // The capacity changes only once both arrays have grown: memory that runs out leaves
        // the chunk as it was.
        auto oldCapacity = static_cast<size_t>(chunk->capacity);
        auto newCapacity = static_cast<size_t>(mem_grow_capacity(chunk->capacity));
        chunk->code = mem_grow_array(chunk->code, oldCapacity, newCapacity);
        try {
            chunk->lines = mem_grow_array(chunk->lines, oldCapacity, newCapacity);
        } catch (const ScriptOutOfMemory &) {
            chunk->code = mem_grow_array(chunk->code, newCapacity, oldCapacity);
            throw;
        }
        chunk->capacity = static_cast<int>(newCapacity);
    }
    chunk->code[chunk->count] = byte;
    chunk->lines[chunk->count] = line;
    chunk->count++;
}

int chunk_add_constant(Chunk *chunk, ScriptValue value) {
    // On the stack while the constants grow: the value may be a new object reachable from
    // nowhere else yet.
    vm_push(value);
    value_array_write(&chunk->constants, value);
    vm_pop();
    return chunk->constants.count - 1;
}

namespace {
constexpr const char *OPCODE_NAMES[OPCODE_COUNT] = {
    "OP_CONSTANT",      "OP_NIL",
    "OP_TRUE",          "OP_FALSE",
    "OP_POP",           "OP_GET_LOCAL",
    "OP_SET_LOCAL",     "OP_GET_GLOBAL",
    "OP_DEFINE_GLOBAL", "OP_SET_GLOBAL",
    "OP_GET_UPVALUE",   "OP_SET_UPVALUE",
    "OP_GET_PROPERTY",  "OP_SET_PROPERTY",
    "OP_GET_SUPER",     "OP_EQUAL",
    "OP_GREATER",       "OP_LESS",
    "OP_ADD",           "OP_SUBTRACT",
    "OP_MULTIPLY",      "OP_DIVIDE",
    "OP_DIVIDE_FR",     "OP_CIRCUMFLEX",
    "OP_FACTORIAL",     "OP_SINGLE_FACTORIAL",
    "OP_NOT",           "OP_NEGATE",
    "OP_SCANF",         "OP_PRINT",
    "OP_PRINTLN",       "OP_JUMP",
    "OP_JUMP_IF_FALSE", "OP_LOOP",
    "OP_CALL",          "OP_INVOKE",
    "OP_SUPER_INVOKE",  "OP_CLOSURE",
    "OP_CLOSE_UPVALUE", "OP_LIST_INIT",
    "OP_LIST_GETIDX",   "OP_LIST_SETIDX",
    "OP_RETURN",        "OP_CLASS",
    "OP_INHERIT",       "OP_METHOD",
    "OP_MODE",          "OP_SETPRECISION",
    "OP_MOD",           "OP_INTDIV",
    "OP_END",
};
} // namespace

const char *opcode_name(uint8_t opcode) {
    return opcode < OPCODE_COUNT ? OPCODE_NAMES[opcode] : nullptr;
}
