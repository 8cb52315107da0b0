#include <gtest/gtest.h>

#include "chunk.h"
#include "script_test_support.h"

namespace {

using ChunkTest = ScriptVmTest;

TEST_F(ChunkTest, CodeAndLinesGrowTogether) {
    Chunk chunk;
    chunk_init(&chunk);
    chunk_write(&chunk, OP_NIL, 1);
    EXPECT_EQ(chunk.capacity, 8);
    for (int i = 1; i < 8; ++i) chunk_write(&chunk, OP_POP, i + 1);
    EXPECT_EQ(chunk.capacity, 8);
    chunk_write(&chunk, OP_RETURN, 42);
    EXPECT_EQ(chunk.capacity, 16);
    EXPECT_EQ(chunk.count, 9);
    EXPECT_EQ(chunk.code[8], OP_RETURN);
    EXPECT_EQ(chunk.lines[8], 42);
    EXPECT_EQ(chunk.lines[0], 1);
    size_t before = vm_machine.bytesAllocated;
    chunk_free(&chunk);
    EXPECT_EQ(vm_machine.bytesAllocated, before - 16 * (sizeof(uint8_t) + sizeof(int)));
    EXPECT_EQ(chunk.count, 0);
    EXPECT_EQ(chunk.code, nullptr);
}

TEST_F(ChunkTest, ConstantsAreIndexedInOrderAndLeaveTheStackAsItWas) {
    Chunk chunk;
    chunk_init(&chunk);
    ScriptValue *top = vm_machine.stackTop;
    for (int i = 0; i < 256; ++i) EXPECT_EQ(chunk_add_constant(&chunk, value_from_number(i)), i);
    EXPECT_EQ(vm_machine.stackTop, top);
    EXPECT_EQ(chunk.constants.values[255], value_from_number(255));
    chunk_free(&chunk);
}

TEST(Opcodes, NamesFollowTheByteValues) {
    EXPECT_STREQ(opcode_name(OP_CONSTANT), "OP_CONSTANT");
    EXPECT_STREQ(opcode_name(28), "OP_SCANF");
    EXPECT_STREQ(opcode_name(OP_MOD), "OP_MOD");
    EXPECT_EQ(OP_MOD, 48);
    EXPECT_STREQ(opcode_name(50), "OP_END");
    EXPECT_EQ(opcode_name(51), nullptr);
}

} // namespace
