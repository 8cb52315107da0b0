#include <gtest/gtest.h>

#include <initializer_list>

#include "script_test_support.h"

namespace {

class DisassemblerTest : public ScriptVmTest {
  protected:
    void SetUp() override {
        ScriptVmTest::SetUp();
        chunk_init(&chunk);
    }
    void TearDown() override {
        chunk_free(&chunk);
        ScriptVmTest::TearDown();
    }
    void write(std::initializer_list<int> bytes, int line = 1) {
        for (int b : bytes) chunk_write(&chunk, static_cast<uint8_t>(b), line);
    }
    std::string instruction(int offset, int *next = nullptr) {
        return capture_stdout([&] {
            int n = disassemble_instruction(&chunk, offset);
            if (next) *next = n;
        });
    }
    Chunk chunk;
};

TEST_F(DisassemblerTest, ConstantThenReturnOnTheSameLine) {
    chunk_add_constant(&chunk, value_from_object(string_copy("1", 1)));
    write({OP_CONSTANT, 0, OP_RETURN});
    EXPECT_EQ(capture_stdout([&] { disassemble_chunk(&chunk, "test"); }),
              "== test ==\n"
              "0000    1 OP_CONSTANT         0 '1'\n"
              "0002    | OP_RETURN\n");
}

TEST_F(DisassemblerTest, JumpTargetsCountFromAfterTheOperand) {
    for (int i = 0; i < 10; ++i) write({OP_NIL});
    write({OP_JUMP, 0x00, 0x05});
    for (int i = 13; i < 20; ++i) write({OP_NIL});
    write({OP_LOOP, 0x00, 0x0f}, 2);
    int next = 0;
    EXPECT_EQ(instruction(10, &next), "0010    | OP_JUMP            10 -> 18\n");
    EXPECT_EQ(next, 13);
    EXPECT_EQ(instruction(20, &next), "0020    2 OP_LOOP            20 -> 8\n");
    EXPECT_EQ(next, 23);
}

TEST_F(DisassemblerTest, OperandForms) {
    chunk_add_constant(&chunk, value_from_object(string_copy("area", 4)));
    write({OP_GET_LOCAL, 3, OP_LIST_INIT, 255, OP_INVOKE, 0, 2, OP_SUPER_INVOKE, 0, 0, OP_GET_GLOBAL, 0});
    write({OP_ADD}, 7);
    EXPECT_EQ(capture_stdout([&] { disassemble_chunk(&chunk, "forms"); }),
              "== forms ==\n"
              "0000    1 OP_GET_LOCAL        3\n"
              "0002    | OP_LIST_INIT      255\n"
              "0004    | OP_INVOKE        (2 args)    0 'area'\n"
              "0007    | OP_SUPER_INVOKE  (0 args)    0 'area'\n"
              "0010    | OP_GET_GLOBAL       0 'area'\n"
              "0012    7 OP_ADD\n");
}

TEST_F(DisassemblerTest, ClosureListsItsUpvalues) {
    FunctionObject *function = new_function();
    vm_push(value_from_object(function));
    function->name = string_copy("f", 1);
    function->upvalueCount = 2;
    chunk_add_constant(&chunk, value_from_object(function));
    vm_pop();
    write({OP_CLOSURE, 0, 1, 3, 0, 1, OP_NIL});
    int next = 0;
    EXPECT_EQ(instruction(0, &next), "0000    1 OP_CLOSURE          0 <fn f>\n"
                                     "0002      |                     local 3\n"
                                     "0004      |                     upvalue 1\n");
    EXPECT_EQ(next, 6);
}

TEST_F(DisassemblerTest, UnknownAndTruncatedInstructions) {
    write({51, OP_NIL, OP_CONSTANT});
    int next = 0;
    EXPECT_EQ(instruction(0, &next), "0000    1 Unknown opcode 51\n");
    EXPECT_EQ(next, 1);
    // The operand would lie past the code: nothing past the array is read.
    EXPECT_EQ(instruction(2, &next), "0002    | OP_CONSTANT (truncated)\n");
    EXPECT_EQ(next, 3);
}

} // namespace
