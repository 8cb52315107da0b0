// The operations on values: number texts computed by the engine, doubles in floating point,
// comparisons, lists and the mode words, as typed scripts and what they print.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

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


// ---- short integers kept as machine words ----

// The values that meet the edges: of the word (2^48), of the short texts (10^18), of int64 and of
// its products (3037000499^2 is just below 2^63), beside random values of every bit length.
std::vector<std::string> boundary_integers(std::mt19937_64 &random) {
    const int64_t word = int64_t(1) << 48;
    std::vector<int64_t> values = {0,
                                   1,
                                   7,
                                   word - 1,
                                   word,
                                   word + 1,
                                   word / 2,
                                   16777216,
                                   2147483647,
                                   2147483648,
                                   3037000499,
                                   3037000500,
                                   999999999999999999,
                                   INT64_MAX};
    std::vector<std::string> texts = {"1000000000000000000", "9223372036854775808", "18446744073709551616",
                                      "-9223372036854775808", "123456789012345678901234567890"};
    for (int64_t v : values) {
        texts.push_back(std::to_string(v));
        if (v != 0) texts.push_back("-" + std::to_string(v));
    }
    for (int i = 0; i < 60; ++i) {
        int bits = 1 + static_cast<int>(random() % 63);
        auto v = static_cast<int64_t>(random() >> (64 - bits));
        texts.push_back(std::to_string(random() % 2 ? v : -v));
    }
    return texts;
}

// Seeded random pairs and triples of those values, as words where they fit and as strings
// where they do not, through every integer operation, the comparisons, the negation and chains
// whose middle answer crosses from words to strings and back: every answer is the engine's
// own text for the same texts.
TEST_F(ValueOperationsTest, ShortIntegerWordsAnswerAsTheEngineAcrossTheirEdges) {
    std::mt19937_64 random(43);
    std::vector<std::string> texts = boundary_integers(random);
    std::uniform_int_distribution<size_t> pick(0, texts.size() - 1);
    BigNumber reference;
    auto word = [](bool b) { return std::string(b ? "true" : "false"); };
    for (int i = 0; i < 400; ++i) {
        const std::string a = texts[pick(random)];
        const std::string b = texts[pick(random)];
        const std::string c = texts[pick(random)];
        std::string expected;
        auto line = [&](const std::string &text) { expected += text + "\n"; };
        line(std::string(reference.addition(a, b)));
        line(std::string(reference.real_subtraction(a, b)));
        line(std::string(reference.multiplication(a, b)));
        line(std::string(reference.quotient_operator(a, b)));
        line(std::string(reference.int_remainder(a, b)));
        line(word(reference.isLessThan(a, b)));
        line(word(reference.isLessThan(b, a)));
        line(word(!reference.isLessThan(a, b) && !reference.isLessThan(b, a)));
        line(std::string(reference.real_subtraction("0", a)));
        std::string product = reference.multiplication(a, b);
        line(std::string(reference.addition(product, c)));
        std::string sum = reference.addition(a, c);
        line(std::string(reference.multiplication(sum, b)));
        std::string difference = reference.real_subtraction(a, b);
        line(std::string(reference.real_subtraction(difference, c)));
        // "+ 0" makes a word of every value that fits one; the others stay strings.
        std::string script = "var a = " + a + " + 0; var b = " + b + " + 0; var c = " + c +
                             " + 0; println a + b, a - b, a * b, a % b, a @ b, a < b, a > b, a == b, -a, "
                             "a * b + c, (a + c) * b, a - b - c;";
        ASSERT_EQ(output(script), expected) << script;
    }
}

// Words are made where the answer fits one and strings where it does not, on both sides of
// each end of the word's range.
TEST_F(ValueOperationsTest, AnAnswerIsAWordExactlyWhenItFitsOne) {
    output("var in1 = 281474976710654 + 1; var out1 = 281474976710655 + 1; var in2 = -281474976710655 - 1; "
           "var out2 = -281474976710656 - 1; var in3 = -(0 - 281474976710655); var out3 = -(-281474976710655 - "
           "1); var in4 = 16777216 * 16777215; var out4 = 16777216 * 16777216; var in5 = 7 % 2;");
    const std::pair<const char *, bool> globals[] = {{"in1", true},  {"out1", false}, {"in2", true},
                                                     {"out2", false}, {"in3", true},  {"out3", false},
                                                     {"in4", true},  {"out4", false}, {"in5", true}};
    for (const auto &[name, isWord] : globals) {
        ScriptValue value = VALUE_NIL;
        ASSERT_TRUE(table_get(&vm_machine.globals, string_copy(name, static_cast<int>(std::strlen(name))), &value))
            << name;
        EXPECT_EQ(value_is_integer(value), isWord) << name;
        EXPECT_EQ(is_object_kind(value, OBJ_STRING), !isWord) << name;
    }
    EXPECT_EQ(output("println in1, out1, in2, out2, in3, out3, in4, out4;"),
              "281474976710655\n281474976710656\n-281474976710656\n-281474976710657\n281474976710655\n"
              "281474976710656\n281474959933440\n281474976710656\n");
}

// A word is the string of its text wherever a value goes: each script prints what its twin,
// which holds the texts as strings, prints.
TEST_F(ValueOperationsTest, AWordActsAsTheStringOfItsText) {
    const std::pair<const char *, const char *> twins[] = {
        // Printing, alone and inside lists.
        {"var a = 2 + 3; var b = 0 - 7; println a, b, [a, [b]];", "println \"5\", \"-7\", [\"5\", [\"-7\"]];"},
        // The natives read its text.
        {"var a = 120 + 3; println length(a), ith_char(a, 1d), Shorten(a, 2d), gcd(a, 18 + 0), isprime(a - 2), "
         "sqrt(a + 1), truncate(a, 1d), factorial(a - 118);",
         "println length(\"123\"), ith_char(\"123\", 1d), Shorten(\"123\", 2d), gcd(\"123\", \"18\"), "
         "isprime(\"121\"), sqrt(\"124\"), truncate(\"123\", 1d), factorial(\"5\");"},
        {"var l = []; append(l, 4 + 0); append(l, 0 - 4); println l, size(l);",
         "var l = []; append(l, \"4\"); append(l, \"-4\"); println l, size(l);"},
        // Reading a list by its text; an index past the int range is no decimal int.
        {"var l = [10, 20, 30]; var i = 1 + 1; println l[i], l[i - 2], l[0 + 0];",
         "var l = [10, 20, 30]; println l[\"2\"], l[\"0\"], l[\"0\"];"},
        // Beside other texts the engine decides; beside doubles it counts as its int (0 past the
        // int range).
        {"var a = 1 + 0; var b = 3000000000 + 0; var f5 = a + 4; println a == \"1.0\", \"01\" == a, a < \"1.5\", a + \"0.5\", a / 4, "
         "a | 4, a ^ 3, f5!, a > 0.5d, 2d > a, b > 1d, b < 1d;",
         "var f5 = \"5\"; println \"1\" == \"1.0\", \"01\" == \"1\", \"1\" < \"1.5\", \"1\" + \"0.5\", \"1\" / \"4\", \"1\" | \"4\", "
         "\"1\" ^ \"3\", f5!, \"1\" > 0.5d, 2d > \"1\", \"3000000000\" > 1d, \"3000000000\" < 1d;"},
        // Every value but nil and false is true, a zero word too.
        {"var z = 1 - 1; if (z) println \"yes\"; else println \"no\";",
         "if (\"0\") println \"yes\"; else println \"no\";"},
        // Fraction mode: the four operations are the engine's, the integer quotient and remainder
        // still words.
        {":mode1; var a = 7 % 2; var b = 7 @ 4; println a - 1, -a, a / 2, a * b, b + 1; :mode0;",
         ":mode1; println \"3\" - \"1\", -\"3\", \"3\" / \"2\", \"3\" * \"3\", \"3\" + \"1\"; :mode0;"},
    };
    for (const auto &[words, strings] : twins) {
        std::string expected = output(strings);
        EXPECT_EQ(output(words), expected) << words;
    }
}

TEST_F(ValueOperationsTest, AWordIsNoNumberWhereANumberIsNeeded) {
    const Transcript cases[] = {
        {"var l = [1, 2]; l[0 + 0] = 5d;", "List index is not a number."},
        {"var l = [1, 2]; l[2147483648 + 0];", "List index \xB2\xBB\xCA\xC7\xCA\xFD\xD7\xD6"},
        {"var l = [1, 2]; l[2 + 0];", "List index out of range"},
        {"var l = [1, 2]; l[0 - 1];", "List index out of range"},
        {"var l = [1, 2]; delete(l, 0 + 0);", "index cannot be a non-number value."},
        {"var a = 1 + 0; a[0];", "Invalid type to index into."},
    };
    vm_set_error_report(0);
    for (const Transcript &c : cases) {
        EXPECT_EQ(run(c.source),
                  (ScriptOutcome{VM_RUNTIME_ERROR, "", std::string(c.printed) + "\n[line 1] in script\n"}))
            << c.source;
    }
    vm_set_error_report(1);
    const std::pair<const char *, const char *> errors[] = {
        {"var a = 1 + 0; a + 2d;", "Operands must be two numbers or two strings for +."},
        {"var a = 1 + 0; a == 1d;", "Operands must be two numbers or two strings for ==."},
        {"var a = 1 + 0; a * [1];", "Operands must be two numbers or two strings for *."},
        {"var a = 1 + 0; a();", "Can only call functions and classes."},
        {"var a = 1 + 0; a.x;", "Only instances have properties."},
    };
    for (const auto &[source, message] : errors)
        EXPECT_EQ(run(source).err, std::string(message) + "\n[line 1] in script\n") << source;
}

// Words live only in the machine's values: a collection under stress keeps every string the
// loop made from them (natives' texts, answers past the word) and the answers stay right.
TEST_F(ValueOperationsTest, WordsAndTheirStringsSurviveCollections) {
    gc_set_stress(true);
    EXPECT_EQ(output("var s = 0; var l = []; for (var i = 1; i <= 40; i = i + 1) { s = s + i * 7036874417766; "
                     "append(l, i); } println s, size(l), l[39], length(s);"),
              "5770237022568120\n40\n40\n16\n");
}

} // namespace
