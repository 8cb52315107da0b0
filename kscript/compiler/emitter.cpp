// Emission helpers: every byte goes into the innermost function's chunk with the line of the
// last token consumed.
#include "compiler/compiler_internal.h"

Chunk *compiler_current_chunk() {
    return &compiler_current->function->chunk;
}

void emit_byte(uint8_t byte) {
    chunk_write(compiler_current_chunk(), byte, compiler_parser.previous.line);
}

void emit_bytes(uint8_t first, uint8_t second) {
    emit_byte(first);
    emit_byte(second);
}

uint8_t make_constant(ScriptValue value) {
    int constant = chunk_add_constant(compiler_current_chunk(), value);
    if (constant >= CHUNK_CONSTANTS_MAX) {
        parser_error("Too many constants in one chunk.");
        return 0;
    }
    return static_cast<uint8_t>(constant);
}

void emit_constant(ScriptValue value) {
    emit_bytes(OP_CONSTANT, make_constant(value));
}

int emit_jump(uint8_t opcode) {
    emit_byte(opcode);
    emit_byte(0xff);
    emit_byte(0xff);
    return compiler_current_chunk()->count - 2;
}

void patch_jump(int offset) {
    Chunk *chunk = compiler_current_chunk();
    int jump = chunk->count - offset - 2;
    if (jump > COMPILER_JUMP_MAX) parser_error("Too much code to jump over.");
    chunk->code[offset] = static_cast<uint8_t>((jump >> 8) & 0xff);
    chunk->code[offset + 1] = static_cast<uint8_t>(jump & 0xff);
}

void emit_loop(int loopStart) {
    emit_byte(OP_LOOP);
    int offset = compiler_current_chunk()->count - loopStart + 2;
    if (offset > COMPILER_JUMP_MAX) parser_error("Loop body too large.");
    emit_byte(static_cast<uint8_t>((offset >> 8) & 0xff));
    emit_byte(static_cast<uint8_t>(offset & 0xff));
}

void emit_return() {
    if (compiler_current->kind == FUNCTION_KIND_INITIALIZER) {
        emit_bytes(OP_GET_LOCAL, 0);
    } else {
        emit_byte(OP_NIL);
    }
    emit_byte(OP_RETURN);
}
