#include "disassembler.h"

#include <cstdio>

#include "object.h"

namespace {

enum InstructionForm { FORM_SIMPLE, FORM_BYTE, FORM_CONSTANT, FORM_INVOKE, FORM_JUMP, FORM_CLOSURE };

constexpr InstructionForm form_of(uint8_t opcode) {
    switch (opcode) {
    case OP_GET_LOCAL:
    case OP_SET_LOCAL:
    case OP_GET_UPVALUE:
    case OP_SET_UPVALUE:
    case OP_CALL:
    case OP_LIST_INIT:
        return FORM_BYTE;
    case OP_CONSTANT:
    case OP_GET_GLOBAL:
    case OP_DEFINE_GLOBAL:
    case OP_SET_GLOBAL:
    case OP_GET_PROPERTY:
    case OP_SET_PROPERTY:
    case OP_GET_SUPER:
    case OP_CLASS:
    case OP_METHOD:
        return FORM_CONSTANT;
    case OP_INVOKE:
    case OP_SUPER_INVOKE:
        return FORM_INVOKE;
    case OP_JUMP:
    case OP_JUMP_IF_FALSE:
    case OP_LOOP:
        return FORM_JUMP;
    case OP_CLOSURE:
        return FORM_CLOSURE;
    default:
        return FORM_SIMPLE;
    }
}

// Operand bytes that follow the opcode, not counting the upvalue pairs of a closure.
constexpr int OPERAND_BYTES[] = {0, 1, 1, 2, 2, 1};

// A constant is printed only when the chunk has it: a listing must not read past the array.
void print_constant_value(const Chunk *chunk, int index) {
    if (index < chunk->constants.count) value_print(chunk->constants.values[index]);
}

int constant_instruction(const char *name, const Chunk *chunk, int offset) {
    uint8_t constant = chunk->code[offset + 1];
    std::printf("%-16s %4d '", name, constant);
    print_constant_value(chunk, constant);
    std::printf("'\n");
    return offset + 2;
}

int invoke_instruction(const char *name, const Chunk *chunk, int offset) {
    uint8_t constant = chunk->code[offset + 1];
    uint8_t argCount = chunk->code[offset + 2];
    std::printf("%-16s (%d args) %4d '", name, argCount, constant);
    print_constant_value(chunk, constant);
    std::printf("'\n");
    return offset + 3;
}

int byte_instruction(const char *name, const Chunk *chunk, int offset) {
    std::printf("%-16s %4d\n", name, chunk->code[offset + 1]);
    return offset + 2;
}

int jump_instruction(const char *name, int sign, const Chunk *chunk, int offset) {
    int jump = (chunk->code[offset + 1] << 8) | chunk->code[offset + 2];
    std::printf("%-16s %4d -> %d\n", name, offset, offset + 3 + sign * jump);
    return offset + 3;
}

int closure_instruction(const char *name, const Chunk *chunk, int offset) {
    uint8_t constant = chunk->code[offset + 1];
    offset += 2;
    std::printf("%-16s %4d ", name, constant);
    print_constant_value(chunk, constant);
    std::printf("\n");
    if (constant >= chunk->constants.count ||
        !is_object_kind(chunk->constants.values[constant], OBJ_FUNCTION))
        return offset;
    FunctionObject *function = value_as_function(chunk->constants.values[constant]);
    for (int j = 0; j < function->upvalueCount && offset + 1 < chunk->count; ++j) {
        int isLocal = chunk->code[offset];
        int index = chunk->code[offset + 1];
        std::printf("%04d      |                     %s %d\n", offset, isLocal ? "local" : "upvalue", index);
        offset += 2;
    }
    return offset;
}

} // namespace

void disassemble_chunk(const Chunk *chunk, const char *name) {
    std::printf("== %s ==\n", name);
    for (int offset = 0; offset < chunk->count;) offset = disassemble_instruction(chunk, offset);
}

int disassemble_instruction(const Chunk *chunk, int offset) {
    std::printf("%04d ", offset);
    if (offset > 0 && chunk->lines[offset] == chunk->lines[offset - 1]) {
        std::printf("   | ");
    } else {
        std::printf("%4d ", chunk->lines[offset]);
    }
    uint8_t opcode = chunk->code[offset];
    const char *name = opcode_name(opcode);
    if (name == nullptr) {
        std::printf("Unknown opcode %d\n", opcode);
        return offset + 1;
    }
    InstructionForm form = form_of(opcode);
    if (offset + OPERAND_BYTES[form] >= chunk->count) {
        std::printf("%s (truncated)\n", name);
        return chunk->count;
    }
    switch (form) {
    case FORM_SIMPLE:
        std::printf("%s\n", name);
        return offset + 1;
    case FORM_BYTE:
        return byte_instruction(name, chunk, offset);
    case FORM_CONSTANT:
        return constant_instruction(name, chunk, offset);
    case FORM_INVOKE:
        return invoke_instruction(name, chunk, offset);
    case FORM_JUMP:
        return jump_instruction(name, opcode == OP_LOOP ? -1 : 1, chunk, offset);
    case FORM_CLOSURE:
        return closure_instruction(name, chunk, offset);
    }
    return offset + 1;
}
