// Compiler output checked through the disassembler: source in, exact listing out. Every case
// also compiles with the collector running at each allocation, which must not change a byte.
#include <gtest/gtest.h>

#include "script_test_support.h"

namespace {

struct ListingCase {
    const char *source;
    const char *listing;
};

const ListingCase LISTING_CASES[] = {
    {"print 1 + 2 * 3;", R"(== <script> ==
0000    1 OP_CONSTANT         0 '1'
0002    | OP_CONSTANT         1 '2'
0004    | OP_CONSTANT         2 '3'
0006    | OP_MULTIPLY
0007    | OP_ADD
0008    | OP_PRINT
0009    | OP_NIL
0010    | OP_RETURN
)"},
    // "^" groups to the left; the factorial binds tighter than "-", "^" and "*".
    {"print 2^3^2; print -5!; print 2^3!; print 2*3!;", R"(== <script> ==
0000    1 OP_CONSTANT         0 '2'
0002    | OP_CONSTANT         1 '3'
0004    | OP_CIRCUMFLEX
0005    | OP_CONSTANT         2 '2'
0007    | OP_CIRCUMFLEX
0008    | OP_PRINT
0009    | OP_CONSTANT         3 '5'
0011    | OP_SINGLE_FACTORIAL
0012    | OP_NEGATE
0013    | OP_PRINT
0014    | OP_CONSTANT         4 '2'
0016    | OP_CONSTANT         5 '3'
0018    | OP_SINGLE_FACTORIAL
0019    | OP_CIRCUMFLEX
0020    | OP_PRINT
0021    | OP_CONSTANT         6 '2'
0023    | OP_CONSTANT         7 '3'
0025    | OP_SINGLE_FACTORIAL
0026    | OP_MULTIPLY
0027    | OP_PRINT
0028    | OP_NIL
0029    | OP_RETURN
)"},
    {"print 5!3 != 4 >= 3 <= 2;", R"(== <script> ==
0000    1 OP_CONSTANT         0 '5'
0002    | OP_CONSTANT         1 '3'
0004    | OP_FACTORIAL
0005    | OP_CONSTANT         2 '4'
0007    | OP_CONSTANT         3 '3'
0009    | OP_LESS
0010    | OP_NOT
0011    | OP_CONSTANT         4 '2'
0013    | OP_GREATER
0014    | OP_NOT
0015    | OP_EQUAL
0016    | OP_NOT
0017    | OP_PRINT
0018    | OP_NIL
0019    | OP_RETURN
)"},
    // Number literals keep their text; only the suffix d makes a double.
    {"print 007, 1.50, 1.5d;", R"(== <script> ==
0000    1 OP_CONSTANT         0 '007'
0002    | OP_PRINT
0003    | OP_CONSTANT         1 '1.50'
0005    | OP_PRINT
0006    | OP_CONSTANT         2 '1.5'
0008    | OP_PRINT
0009    | OP_NIL
0010    | OP_RETURN
)"},
    {"var a = 1, b;", R"(== <script> ==
0000    1 OP_CONSTANT         1 '1'
0002    | OP_DEFINE_GLOBAL    0 'a'
0004    | OP_NIL
0005    | OP_DEFINE_GLOBAL    2 'b'
0007    | OP_NIL
0008    | OP_RETURN
)"},
    {"scanf a, b = 2;", R"(== <script> ==
0000    1 OP_NIL
0001    | OP_DEFINE_GLOBAL    0 'a'
0003    | OP_CONSTANT         2 '2'
0005    | OP_DEFINE_GLOBAL    1 'b'
0007    | OP_NIL
0008    | OP_RETURN
)"},
    {"println 1, 2;\nprint 1; end", R"(== <script> ==
0000    1 OP_CONSTANT         0 '1'
0002    | OP_PRINTLN
0003    | OP_CONSTANT         1 '2'
0005    | OP_PRINTLN
0006    2 OP_CONSTANT         2 '1'
0008    | OP_PRINT
0009    | OP_END
0010    | OP_NIL
0011    | OP_RETURN
)"},
    {"if (true) print 1; else print 2;", R"(== <script> ==
0000    1 OP_TRUE
0001    | OP_JUMP_IF_FALSE    1 -> 11
0004    | OP_POP
0005    | OP_CONSTANT         0 '1'
0007    | OP_PRINT
0008    | OP_JUMP             8 -> 15
0011    | OP_POP
0012    | OP_CONSTANT         1 '2'
0014    | OP_PRINT
0015    | OP_NIL
0016    | OP_RETURN
)"},
    {"print a and b or c;", R"(== <script> ==
0000    1 OP_GET_GLOBAL       0 'a'
0002    | OP_JUMP_IF_FALSE    2 -> 8
0005    | OP_POP
0006    | OP_GET_GLOBAL       1 'b'
0008    | OP_JUMP_IF_FALSE    8 -> 14
0011    | OP_JUMP            11 -> 17
0014    | OP_POP
0015    | OP_GET_GLOBAL       2 'c'
0017    | OP_PRINT
0018    | OP_NIL
0019    | OP_RETURN
)"},
    {"while (x) {}", R"(== <script> ==
0000    1 OP_GET_GLOBAL       0 'x'
0002    | OP_JUMP_IF_FALSE    2 -> 9
0005    | OP_POP
0006    | OP_LOOP             6 -> 0
0009    | OP_POP
0010    | OP_NIL
0011    | OP_RETURN
)"},
    {"for (var i = 0; i < 3; i = i + 1) print i;", R"(== <script> ==
0000    1 OP_CONSTANT         0 '0'
0002    | OP_GET_LOCAL        1
0004    | OP_CONSTANT         1 '3'
0006    | OP_LESS
0007    | OP_JUMP_IF_FALSE    7 -> 31
0010    | OP_POP
0011    | OP_JUMP            11 -> 25
0014    | OP_GET_LOCAL        1
0016    | OP_CONSTANT         2 '1'
0018    | OP_ADD
0019    | OP_SET_LOCAL        1
0021    | OP_POP
0022    | OP_LOOP            22 -> 2
0025    | OP_GET_LOCAL        1
0027    | OP_PRINT
0028    | OP_LOOP            28 -> 14
0031    | OP_POP
0032    | OP_POP
0033    | OP_NIL
0034    | OP_RETURN
)"},
    {"for (;;) {}", R"(== <script> ==
0000    1 OP_LOOP             0 -> 0
0003    | OP_NIL
0004    | OP_RETURN
)"},
    // The body's local is popped each time round, the loop variable once after the loop.
    {"for (var i = 0; i < 1;) { var j = i; }", R"(== <script> ==
0000    1 OP_CONSTANT         0 '0'
0002    | OP_GET_LOCAL        1
0004    | OP_CONSTANT         1 '1'
0006    | OP_LESS
0007    | OP_JUMP_IF_FALSE    7 -> 17
0010    | OP_POP
0011    | OP_GET_LOCAL        1
0013    | OP_POP
0014    | OP_LOOP            14 -> 2
0017    | OP_POP
0018    | OP_POP
0019    | OP_NIL
0020    | OP_RETURN
)"},
    {"f(a)(b); x.y(1); x.y = 3; a[0] = 3; print a[1]; print [1, 2, ]; print [];", R"(== <script> ==
0000    1 OP_GET_GLOBAL       0 'f'
0002    | OP_GET_GLOBAL       1 'a'
0004    | OP_CALL             1
0006    | OP_GET_GLOBAL       2 'b'
0008    | OP_CALL             1
0010    | OP_POP
0011    | OP_GET_GLOBAL       3 'x'
0013    | OP_CONSTANT         5 '1'
0015    | OP_INVOKE        (1 args)    4 'y'
0018    | OP_POP
0019    | OP_GET_GLOBAL       6 'x'
0021    | OP_CONSTANT         8 '3'
0023    | OP_SET_PROPERTY     7 'y'
0025    | OP_POP
0026    | OP_GET_GLOBAL       9 'a'
0028    | OP_CONSTANT        10 '0'
0030    | OP_CONSTANT        11 '3'
0032    | OP_LIST_SETIDX
0033    | OP_POP
0034    | OP_GET_GLOBAL      12 'a'
0036    | OP_CONSTANT        13 '1'
0038    | OP_LIST_GETIDX
0039    | OP_PRINT
0040    | OP_CONSTANT        14 '1'
0042    | OP_CONSTANT        15 '2'
0044    | OP_LIST_INIT        2
0046    | OP_PRINT
0047    | OP_LIST_INIT        0
0049    | OP_PRINT
0050    | OP_NIL
0051    | OP_RETURN
)"},
    {"fun f(a, b) { a = b; return a % b @ 2 | 3 / 4 - 5; }", R"(== <script> ==
0000    1 OP_CLOSURE          1 <fn f>
0002    | OP_DEFINE_GLOBAL    0 'f'
0004    | OP_NIL
0005    | OP_RETURN
== f ==
0000    1 OP_GET_LOCAL        2
0002    | OP_SET_LOCAL        1
0004    | OP_POP
0005    | OP_GET_LOCAL        1
0007    | OP_GET_LOCAL        2
0009    | OP_INTDIV
0010    | OP_CONSTANT         0 '2'
0012    | OP_MOD
0013    | OP_CONSTANT         1 '3'
0015    | OP_DIVIDE_FR
0016    | OP_CONSTANT         2 '4'
0018    | OP_DIVIDE
0019    | OP_CONSTANT         3 '5'
0021    | OP_SUBTRACT
0022    | OP_RETURN
0023    | OP_NIL
0024    | OP_RETURN
)"},
    // A captured local is closed, not popped, when its block ends.
    {"{ var a = 1; fun f() { return a; } }", R"(== <script> ==
0000    1 OP_CONSTANT         0 '1'
0002    | OP_CLOSURE          1 <fn f>
0004      |                     local 1
0006    | OP_POP
0007    | OP_CLOSE_UPVALUE
0008    | OP_NIL
0009    | OP_RETURN
== f ==
0000    1 OP_GET_UPVALUE      0
0002    | OP_RETURN
0003    | OP_NIL
0004    | OP_RETURN
)"},
    {"fun outer() { var x = 1; fun mid() { fun inner() { return x; } } }", R"(== <script> ==
0000    1 OP_CLOSURE          1 <fn outer>
0002    | OP_DEFINE_GLOBAL    0 'outer'
0004    | OP_NIL
0005    | OP_RETURN
== outer ==
0000    1 OP_CONSTANT         0 '1'
0002    | OP_CLOSURE          1 <fn mid>
0004      |                     local 1
0006    | OP_NIL
0007    | OP_RETURN
== mid ==
0000    1 OP_CLOSURE          0 <fn inner>
0002      |                     upvalue 0
0004    | OP_NIL
0005    | OP_RETURN
== inner ==
0000    1 OP_GET_UPVALUE      0
0002    | OP_RETURN
0003    | OP_NIL
0004    | OP_RETURN
)"},
    // An initializer returns its instance, also from a bare return.
    {"class A { init() { this.v = 1; return; } get() { return this.v; } }", R"(== <script> ==
0000    1 OP_CLASS            0 'A'
0002    | OP_DEFINE_GLOBAL    0 'A'
0004    | OP_GET_GLOBAL       1 'A'
0006    | OP_CLOSURE          3 <fn init>
0008    | OP_METHOD           2 'init'
0010    | OP_CLOSURE          5 <fn get>
0012    | OP_METHOD           4 'get'
0014    | OP_POP
0015    | OP_NIL
0016    | OP_RETURN
== init ==
0000    1 OP_GET_LOCAL        0
0002    | OP_CONSTANT         1 '1'
0004    | OP_SET_PROPERTY     0 'v'
0006    | OP_POP
0007    | OP_GET_LOCAL        0
0009    | OP_RETURN
0010    | OP_GET_LOCAL        0
0012    | OP_RETURN
== get ==
0000    1 OP_GET_LOCAL        0
0002    | OP_GET_PROPERTY     0 'v'
0004    | OP_RETURN
0005    | OP_NIL
0006    | OP_RETURN
)"},
    // "super" is a local of the class's scope, captured by the methods that use it.
    {"class A < B { m(x) { return super.m(x); } n() { return super.n; } }", R"(== <script> ==
0000    1 OP_CLASS            0 'A'
0002    | OP_DEFINE_GLOBAL    0 'A'
0004    | OP_GET_GLOBAL       1 'B'
0006    | OP_GET_GLOBAL       2 'A'
0008    | OP_INHERIT
0009    | OP_GET_GLOBAL       3 'A'
0011    | OP_CLOSURE          5 <fn m>
0013      |                     local 1
0015    | OP_METHOD           4 'm'
0017    | OP_CLOSURE          7 <fn n>
0019      |                     local 1
0021    | OP_METHOD           6 'n'
0023    | OP_POP
0024    | OP_CLOSE_UPVALUE
0025    | OP_NIL
0026    | OP_RETURN
== m ==
0000    1 OP_GET_LOCAL        0
0002    | OP_GET_LOCAL        1
0004    | OP_GET_UPVALUE      0
0006    | OP_SUPER_INVOKE  (1 args)    0 'm'
0009    | OP_RETURN
0010    | OP_NIL
0011    | OP_RETURN
== n ==
0000    1 OP_GET_LOCAL        0
0002    | OP_GET_UPVALUE      0
0004    | OP_GET_SUPER        0 'n'
0006    | OP_RETURN
0007    | OP_NIL
0008    | OP_RETURN
)"},
    // Mode words are string constants followed by their opcode; ":mode1" announces itself
    // while compiling.
    {":mode1; :setprecision;", R"(switch into fraction mode.
== <script> ==
0000    1 OP_CONSTANT         0 ':mode1'
0002    | OP_MODE
0003    | OP_POP
0004    | OP_CONSTANT         1 ':setprecision'
0006    | OP_MODE
0007    | OP_POP
0008    | OP_NIL
0009    | OP_RETURN
)"},
    // At the top level the initializer reads the global of the same name.
    {"var a = a;", R"(== <script> ==
0000    1 OP_GET_GLOBAL       1 'a'
0002    | OP_DEFINE_GLOBAL    0 'a'
0004    | OP_NIL
0005    | OP_RETURN
)"},
    {"print \"a\\tb\";\n\nprint nil, true, false;", "== <script> ==\n"
                                                    "0000    1 OP_CONSTANT         0 'a\tb'\n"
                                                    "0002    | OP_PRINT\n"
                                                    "0003    3 OP_NIL\n"
                                                    "0004    | OP_PRINT\n"
                                                    "0005    | OP_TRUE\n"
                                                    "0006    | OP_PRINT\n"
                                                    "0007    | OP_FALSE\n"
                                                    "0008    | OP_PRINT\n"
                                                    "0009    | OP_NIL\n"
                                                    "0010    | OP_RETURN\n"},
};

class CompilerListing : public ScriptVmTest, public ::testing::WithParamInterface<bool> {};

TEST_P(CompilerListing, SourceToBytecode) {
    gc_set_stress(GetParam());
    for (const auto &c : LISTING_CASES) {
        EXPECT_EQ(compile_listing(c.source), c.listing) << c.source;
    }
}

INSTANTIATE_TEST_SUITE_P(CollectorQuietOrAtEveryAllocation, CompilerListing, ::testing::Bool());

using CompilerOutput = ScriptVmTest;

TEST_F(CompilerOutput, DoubleLiteralIsANumberConstantAndTextLiteralsAreStrings) {
    FunctionObject *function = compiler_compile("print 1.5d, 1.50, 2;");
    ASSERT_NE(function, nullptr);
    const ValueArray &constants = function->chunk.constants;
    ASSERT_EQ(constants.count, 3);
    EXPECT_TRUE(value_is_number(constants.values[0]));
    EXPECT_EQ(value_as_number(constants.values[0]), 1.5);
    EXPECT_TRUE(is_object_kind(constants.values[1], OBJ_STRING));
    EXPECT_STREQ(value_as_string(constants.values[1])->chars, "1.50");
    EXPECT_TRUE(is_object_kind(constants.values[2], OBJ_STRING));
}

TEST_F(CompilerOutput, ModeWordsAnnounceThemselvesWhileCompiling) {
    EXPECT_EQ(
        capture_stdout([] { compiler_compile("if (false) { :mode1; } :mode0; :modex; :setprecision;"); }),
        "switch into fraction mode.\nswitch into numerical mode.\n");
}

TEST_F(CompilerOutput, FunctionsGetTheirNameAndArity) {
    FunctionObject *script = compiler_compile("fun add(a, b, c) { return a; }");
    ASSERT_NE(script, nullptr);
    EXPECT_EQ(script->name, nullptr);
    EXPECT_EQ(script->arity, 0);
    FunctionObject *add = value_as_function(script->chunk.constants.values[1]);
    EXPECT_STREQ(add->name->chars, "add");
    EXPECT_EQ(add->arity, 3);
}

// A literal of 255 items is the most one count byte can describe.
TEST_F(CompilerOutput, ListLiteralOfTheMaximumSize) {
    std::string source = "print [";
    for (int i = 0; i < 255; ++i) source += "nil, ";
    source += "];";
    std::string listing = compile_listing(source.c_str());
    EXPECT_NE(listing.find("OP_LIST_INIT      255\n"), std::string::npos) << listing;
}

} // namespace
