// The operations on values: number texts computed by the engine, doubles in floating point,
// comparisons, lists and the mode words, as typed scripts and what they print.
#include <gtest/gtest.h>

#include <string>

#include "script_test_support.h"

namespace {

const Transcript ARITHMETIC_TRANSCRIPTS[] = {
    // Unsuffixed numbers are exact decimal texts handed to the engine.
    {"println 1 / 3, 1 | 3, 10 - 2.5, 0.1 + 0.2, 007 + 1, -5, --5;",
     "0.33333333\n1|3\n7.5\n0.3\n008\n-5\n5\n"},
    {"println 123456789012345678901234567890 * 10, 999999999999999999 + 1, -999999999999999999 - 1;",
     "1234567890123456789012345678900\n1000000000000000000\n-1000000000000000000\n"},
    {"println 7 % 2, -7 % 2, 7 % -2, -1 % 2, 0 % 5, 7 @ 2, -7 @ 2, -2 @ -5;", "3\n-3\n-3\n-0\n0\n1\n1\n3\n"},
    {"println 5!, 5!3, 2^10, 2^-1, 1 / 0;", "120\n60\n1024\n0.5\n+Inf\n"},
    {"println 7.5 % 2;",
     "\nhint> ===*=== syntax error ===*===\n    > the operand `7.5` of % must be integers.\n"},
    // Doubles: floating point, the remainder of the values, a true division for "%".
    {"println 1.5d * 2d, 7d @ 2d, -7d @ 2d, 7.5d @ 2d, 7d % 2d, 2d ^ 10d, 1d / 0d, -0d;",
     "3\n1\n-1\n1.5\n3.5\n1024\ninf\n-0\n"},
    // The factorial of a double multiplies the factors down to 1.
    {"var x1 = 5d; var x2 = 2.5d; var x3 = 0.5d; println x1!, x2!, x3!;", "120\n3.75\n1\n"},
    // A factorial that can no longer change ends at once instead of counting down for ever.
    {"var x1 = 10d ^ 300d; var x2 = 1d / 0d; var x3 = 0d / 0d; println x1!, x2!, x3!;", "inf\ninf\n1\n"},
    // Comparisons: texts by value, doubles by value, a text beside a double by its leading integer.
    {R"(println 2 < 10, "10" < "9", "1.0" == "1", 1 != 2, 3 >= 3, 3 <= 2, 1d == 1d, 0d == -0d;)",
     "true\nfalse\ntrue\ntrue\ntrue\nfalse\ntrue\ntrue\n"},
    {R"(println "2.5" > 2d, "3" > 2d, 2d < "3x", "x" < 1d, 123456789012345678901234567890 > 123456789012345678901234567889;)",
     "false\ntrue\ntrue\ntrue\ntrue\n"},
    // Lists: read with decimal-text indexes, written with number indexes; number items read
    // back as the text of their low 32 bits.
    {"var l = [1, 2, ]; println l[0], l[1], l; l[0d] = 5d; l[1.9d] = \"b\"; l[-0.5d] = 7d; println l; "
     "println [1.5d][0];",
     "1\n2\n[1, 2]\n[7, b]\n0\n"},
    // Long integers built digit by digit, and taken apart again.
    {"var s = 1; for (var i = 0; i < 25; i = i + 1) s = s * 10 + 7; println s, s - s, s * 2 - s == s, -s < 1 "
     "- s, s @ 10;",
     "17777777777777777777777777\n0\ntrue\ntrue\n7\n"},
    {"var l = [[1, 2], []]; l[1d] = l[0]; println l[1][1], l;", "2\n[[1, 2], [1, 2]]\n"},
};

const Transcript MODE_TRANSCRIPTS[] = {
    // The mode word stays the value of its expression; its last character picks the mode.
    {":mode1; println 1 / 3, 1 + 0.5, 2 * 3; :mode0; println 1 / 4, 1 | 4;", "1|3\n3|2\n6\n0.25\n1|4\n"},
    {"println :mode1; println :modex;", ":mode1\n:modex\n"},
};

class ValueOperationsTest : public ScriptRunTest {};

TEST_F(ValueOperationsTest, ArithmeticComparisonsAndLists) {
    for (const Transcript &t : ARITHMETIC_TRANSCRIPTS) EXPECT_EQ(output(t.source), t.printed) << t.source;
}

TEST_F(ValueOperationsTest, ModeWordsSwitchTheEngineAndTheModeStays) {
    for (const Transcript &t : MODE_TRANSCRIPTS) {
        std::string out;
        capture_stdout([&] { out = output(t.source); });
        EXPECT_EQ(out, t.printed) << t.source;
    }
    EXPECT_EQ(engine.getMode(), 1); // the last transcript left fraction mode on
    engine.setMode(0);
    capture_stdout([&] { output(":mode0;"); });
    EXPECT_EQ(engine.getMode(), 0);
}

// Every operand pair that is neither two numbers nor two strings is the operator's error, objects
// included (a list, a class, a native, an instance beside a string).
TEST_F(ValueOperationsTest, MixedOperandsAreTheOperatorsError) {
    struct Case {
        const char *source;
        const char *symbol;
    };
    const Case cases[] = {
        {"1 + 2d;", "+"},           {"[1] + [2];", "+"},     {"\"1\" * [2];", "*"},
        {"nil - 1;", "-"},          {"[1] / \"2\";", "/"},   {"true | 1;", "/"},
        {"[2] ^ \"3\";", "pow"},    {"[1] @ [2];", "@"},     {"[7] % \"2\";", "%"},
        {"nil == nil;", "=="},      {"true != true;", "=="}, {"[1] == [1];", "=="},
        {"class A {} A < 1;", "<"}, {"nil > 1;", ">"},       {"fun f() {} f <= \"1\";", ">"},
    };
    for (const Case &c : cases) {
        vm_init();
        std::string message = std::string("Operands must be two numbers or two strings for ") + c.symbol +
                              ".\n[line 1] in script\n";
        EXPECT_EQ(run(c.source), (ScriptOutcome{VM_RUNTIME_ERROR, "", message})) << c.source;
    }
    vm_init();
    EXPECT_EQ(run("var x1 = nil; x1!;").err, "Operand must be a number.\n[line 1] in script\n");
    EXPECT_EQ(run("-[1];").err, "Operand must be a number.\n[line 1] in script\n");
}

// A native beside a string was once dropped or read as text; it is the operator's error too.
TEST_F(ValueOperationsTest, ANativeOperandIsAnError) {
    vm_define_native("seven", [](int, ScriptValue *) { return value_from_number(7); });
    EXPECT_EQ(run("seven + \"1\";").err,
              "Operands must be two numbers or two strings for +.\n[line 1] in script\n");
    EXPECT_EQ(output("println seven() + 1d, seven;"), "8\n<native fn>\n");
}

TEST_F(ValueOperationsTest, ListErrorsArePrintedEvenWithReportsOff) {
    const Transcript cases[] = {
        {"var l = [1, 2]; l[0d];", "List index is not a number."},
        {"var l = [1, 2]; l[nil];", "List index is not a number."},
        {"var l = [1, 2]; l[\"x\"];", "List index \xB2\xBB\xCA\xC7\xCA\xFD\xD7\xD6"},
        {"var l = [1, 2]; l[\"1.0\"];", "List index \xB2\xBB\xCA\xC7\xCA\xFD\xD7\xD6"},
        {"var l = [1, 2]; l[[0]];", "List index \xB2\xBB\xCA\xC7\xCA\xFD\xD7\xD6"},
        {"var l = [1, 2]; l[2];", "List index out of range"},
        {"var l = [1, 2]; l[-1];", "List index out of range"},
        {"1[0];", "Invalid type to index into."},
        {"var l = [1, 2]; l[0] = 5d;", "List index is not a number."},
        {"var l = [1, 2]; l[2d] = 1;", "List index out of range"},
        {"var l = [1, 2]; l[-1d] = 1;", "List index out of range"},
        {"var l = [1, 2]; l[0d / 0d] = 1;", "List index out of range"},
        {"var l = [1, 2]; l[10d ^ 400d] = 1;", "List index out of range"},
        {"\"ab\"[0d] = 1;", "Invalid type to index into."},
    };
    vm_set_error_report(0);
    for (const Transcript &c : cases) {
        EXPECT_EQ(run(c.source),
                  (ScriptOutcome{VM_RUNTIME_ERROR, "", std::string(c.printed) + "\n[line 1] in script\n"}))
            << c.source;
    }
}

// The short road for integer texts gives exactly the engine's texts, down to the quotient's "-0".
TEST_F(ValueOperationsTest, ShortIntegersAgreeWithTheEngine) {
    const char *pairs[][2] = {
        {"17", "5"}, {"-17", "5"}, {"17", "-5"}, {"-17", "-5"},
        {"0", "-3"}, {"3", "7"},   {"-3", "7"},  {"999999999999999999", "999999999999999999"}};
    using Member = std::string &(BigNumber::*)(const std::string &, const std::string &);
    const std::pair<const char *, Member> operators[] = {{"+", &BigNumber::addition},
                                                         {"-", &BigNumber::real_subtraction},
                                                         {"*", &BigNumber::multiplication},
                                                         {"%", &BigNumber::quotient_operator},
                                                         {"@", &BigNumber::int_remainder}};
    for (auto &pair : pairs) {
        for (auto &[op, member] : operators) {
            BigNumber reference;
            std::string expected = (reference.*member)(pair[0], pair[1]);
            std::string script =
                std::string("var a = ") + pair[0] + "; var b = " + pair[1] + "; println a " + op + " b;";
            EXPECT_EQ(output(script), expected + "\n") << script;
        }
    }
}

// The engine's last answer (the calculator's "_") is the value of the last arithmetic
// operation, whichever road computed it: the short and long integer roads, the engine, or a
// native that computes with the engine.
TEST_F(ValueOperationsTest, TheEnginesLastAnswerIsTheLastValueComputed) {
    const std::pair<const char *, const char *> rows[] = {
        {"var a = 1 + 2;", "3"},
        {"var a = 999999999999999999 + 1;", "1000000000000000000"},
        {"var a = 3 + 4; var b = 10 - 2; var c = 4 + 3;", "7"}, // a recent answer met again
        {"var a = 1 / 4; var b = 1 + 2;", "3"},
        {"var a = 1 + 2; var b = 1 / 4;", "0.25"},
        {"var a = 5 * 5; var b = sqrt(16);", "4.00000000"}, // the engine's own text
        {"var a = 5 * 5; var b = length(\"abc\");", "25"},
        {"var a = 6 * 7; println a;", "42"},
    };
    for (const auto &[script, last] : rows) {
        engine.setResult("0");
        output(script);
        EXPECT_EQ(engine.getResult(), last) << script;
    }
    engine.setResult("0");
    EXPECT_EQ(run("var a = 2 + 3; var b = a + nil;").status, VM_RUNTIME_ERROR);
    EXPECT_EQ(engine.getResult(), "5"); // a run that fails keeps the last value it computed
}

// Comparisons of integer texts give the engine's order whether or not the texts were met as
// short integers before (an answer of the arithmetic is; a literal is not until compared).
TEST_F(ValueOperationsTest, IntegerComparisonsAgreeWithTheEngine) {
    const char *pairs[][2] = {{"-5", "3"},
                              {"3", "-5"},
                              {"7", "7"},
                              {"0", "-1"},
                              {"-999999999999999999", "999999999999999999"},
                              {"1000000000000000000", "999999999999999999"},
                              {"-1000000000000000000", "-999999999999999999"}};
    for (auto &pair : pairs) {
        BigNumber reference;
        bool less = reference.isLessThan(pair[0], pair[1]);
        bool greater = reference.isLessThan(pair[1], pair[0]);
        bool equal = reference.isEqualTo(pair[0], pair[1]);
        auto word = [](bool b) { return std::string(b ? "true" : "false"); };
        std::string line =
            word(less) + "\n" + word(greater) + "\n" + word(equal) + "\n" + word(!greater) + "\n";
        std::string literal = std::string("println ") + pair[0] + " < " + pair[1] + ", " + pair[0] + " > " +
                              pair[1] + ", " + pair[0] + " == " + pair[1] + ", " + pair[0] +
                              " <= " + pair[1] + ";";
        std::string noted = std::string("var a = ") + pair[0] + " + 0; var b = " + pair[1] +
                            " - 0; println a < b, a > b, a == b, a <= b;";
        EXPECT_EQ(output(literal), line) << literal;
        EXPECT_EQ(output(noted), line) << noted;
    }
}

} // namespace
