// The natives: every name with the answers of its calls, the argument counts that answer fixed
// defaults, values of every type where a native reads a text, long texts, lists, and what they
// write besides their answers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "natives/natives.h"
#include "script_test_support.h"

namespace {

class NativesTest : public ScriptRunTest {
  protected:
    void TearDown() override {
        vm_set_run_budget(0);
        ScriptRunTest::TearDown();
    }
};

TEST(NativeTable, TheNamesInTheirOrder) {
    const std::vector<std::string> expected = {
        "clock",       "length",   "ith_char", "avg",           "setprecision", "setmode", "sqrt",
        "sqrtn",       "floor",    "ceil",     "round",         "tau",          "biggest_factor",
        "multiplicativeOrder",     "gcd",      "gcd2",          "isprime",      "binom",   "factorial",
        "sin",         "cos",      "tan",      "cot",           "EulerVarphi",  "Shorten", "truncate",
        "ln",          "exp",      "pi",       "ispseudoprime", "Primes",       "size",    "append",
        "delete"};
    std::vector<std::string> names;
    for (const NativeDefinition &native : script_natives()) names.emplace_back(native.name);
    EXPECT_EQ(names, expected);
}

// Each native, called as scripts call it, and exactly what the script prints.
const Transcript NATIVE_CALLS[] = {
    {"println clock;", "<native fn>\n"},
    {"println clock() >= 0d, clock(1, nil) >= 0d;", "true\ntrue\n"},
    {"println length(\"abc\"), length(\"\"), length(5d), length(2.5d), length(), length(\"a\", \"b\");",
     "3\n0\n1\n3\n0\n0\n"},
    {"println ith_char(\"abc\", 1d), ith_char(\"abc\", \"1\"), ith_char(\"abc\", 1.9d), ith_char(\"abc\");",
     "b\nb\nb\na\n"},
    {"println ith_char(\"abc\", 5d), ith_char(\"abc\", -1d), ith_char(\"abc\", nil), ith_char(\"abc\", \"-1\");",
     " \n \na\n \n"}, // a text "-1" is -1 too, not 0
    {"println ith_char(), ith_char(\"a\", 1d, 2d);", "0\n0\n"},
    {"println avg(1, 2), avg(1, 2, 3, 4), avg(0.5, 1d), avg();", "1.5\n2.5\n0.75\n-NaN\n"},
    {"println setprecision(20d); println 1/3; println setprecision(); println 1/3;",
     "20\n0.33333333333333333333\n8\n0.33333333\n"},
    {"println setprecision(\"12\"), setprecision(0d), setprecision(-3d); println 1/3; println setprecision(nil);",
     "12\nError> 0 is out of range: an integer from 1 to 100000 is needed here.\nError> -3 is out of range: an "
     "integer from 1 to 100000 is needed here.\n0.333333333333\n8\n"},
    // Past the cap, or past every machine integer, nothing changes.
    {"println setprecision(1000000000000d), setprecision(\"99999999999\"), setprecision(100001d); println 1/3;",
     "Error> 1e+12 is out of range: an integer from 1 to 100000 is needed here.\nError> 99999999999 is out of "
     "range: an integer from 1 to 100000 is needed here.\nError> 100001 is out of range: an integer from 1 to "
     "100000 is needed here.\n0.33333333\n"},
    {"println sqrt(8, \"18446744073709551617\");",
     "Error> 18446744073709551617 is out of range: an integer from -2147483648 to 2147483647 is needed here.\n"},
    {"println setmode(1d); println 1/3; println setmode(\"0\"); println 1/3;", "1\n1|3\n0\n0.33333333\n"},
    {"println setmode(\"1\"), setmode(), setmode(nil), setmode(1d, 1d);", "1\n0\n0\n0\n"},
    {"println sqrt(2), sqrt(2d), sqrt(0.0000001d), sqrt(\"0.0000001\");",
     "1.41421356\n1.41421356\n0.00000000\n0.00031623\n"},
    {"println sqrt(27, 3), sqrtn(27, 3), sqrt(27, \"3\"), sqrt(27, 3.9d), sqrt(-8, 3), sqrt(16, nil);",
     "3\n3\n3\n3\n-2\n4.00000000\n"},
    {"println sqrtn(-4, 2), sqrt(-4), sqrt(nil), sqrt(), sqrt(8, 0d);",
     "2.00000000*i\n2.00000000*i\n0\n0\nError> the degree of a root must be at least 1.\n"},
    {"println floor(2.5), ceil(2.5), round(2.5), floor(-2.5), floor(2.5d), round(\"x\");",
     "2\n3\n3\n-3\n2\nx should be a valid real number.\n"},
    {"println floor(), ceil(1, 2), round(1, 2, 3), round(1.5, 2147483648d);",
     "Usage: floor(x)\nUsage: ceil(x)\nUsage: round(x)\nUsage: round(x)\n"},
    {"println tau(12), tau(12d), tau(1), tau();", "6\n6\n1\n0\n"},
    {"println biggest_factor(84), biggest_factor(97), biggest_factor();", "7\n97\n1\n"},
    {"println multiplicativeOrder(2, 7), multiplicativeOrder(10, 7), multiplicativeOrder(2);", "3\n6\n1\n"},
    {"println gcd(12, 18), gcd(12, 18, 5), gcd(-12, 18), gcd(12d, 18), gcd(12), gcd();", "6\n1\n6\n6\n1\n1\n"},
    {"println gcd2(12, 18), gcd2(12, 18, 4), gcd2(5);", "6\n2\n1\n"},
    {"println isprime(7), isprime(8), isprime(97d), isprime(2, 3, 4), isprime(4, 6), isprime();",
     "true\nfalse\ntrue\n2\n0\n0\n"},
    {"println ispseudoprime(341), ispseudoprime(341, 561, 7), ispseudoprime();", "true\n2\n0\n"},
    {"println binom(5, 2), binom(5d, 2d), binom(5), binom(5, 2, 1);", "10\n10\n0\n0\n"},
    {"println factorial(5), factorial(5, 3), factorial(5d), factorial(), factorial(5, 3, 1);",
     "120\n60\n120\n0\n0\n"},
    {"println sin(\"30d\"), cos(\"60d\"), cos(0), sin(nil), cos([1]), tan(nil), cot(nil);",
     "(1/2)\n1/2\n1\nerr\nerr\nerr\nerr\n"},
    {"println sin(), cos(1, 2), tan(), cot(1, 2);", "error\nerror\nerror\nerror\n"},
    {"println EulerVarphi(12), EulerVarphi(97), EulerVarphi();", "4\n96\nerror\n"},
    {"var s = \"123\"; println Shorten(s, 2d), s, Shorten(s, \"2\"), Shorten(s, 5d), Shorten(s, -1d);",
     "12\n123\n12\n123\n123\n"},
    {"println Shorten(\"123\"); println truncate(\"1\");",
     "Usage: Shorten(s,5d)\n\twhere s is string, 5d means number 5\n"
     "Usage: truncate(s,5d)\n\twhere s is string, 5d means number 5\n"},
    {"var t = \"3.14159\"; println truncate(t, 2d), truncate(t, 0d), t, truncate(t, -1d), truncate(t, 9d);",
     "3.14\n3.\n3.14159\n3.14159\n3.14159\n"},
    {"println truncate(\"123\", 1d), truncate(\"123\", 2d), truncate(\"123\", \"1\"), truncate(12.5d, 0d);",
     "12\n123\n12\n12.\n"},
    // A count given as text is read with its sign: "-5" keeps the whole text.
    {"println truncate(\"1.5\", \"-5\"), truncate(\"1.55\", \"1\");", "1.5\n1.5\n"},
    {"println ln(1), ln(0), exp(0), exp(1), ln(), exp(1, 2);", "0\n-∞\n1\n2.71828182\nerror\nerror\n"},
    {"println pi(), pi(10), pi(100d), pi(1, 2);", "3.14159265\n4\n25\nerror\n"},
    {"var p = Primes(10); println p, size(p), p[0], p[3];", "[2, 3, 5, 7]\n4\n2\n7\n"},
    {"println Primes(1), Primes(\"-5\"), Primes(), Primes(1, 2, 3), Primes(10d);", "[]\n[]\n[]\n[]\n0\n"},
    {"println gcd(0, 0), gcd(12, -6), gcd(0, -5), gcd(\"006\", 4), factorial(0), factorial(3);",
     "0\n6\n5\n2\n1\n6\n"},
    {"println Primes(\"10\", nil), Primes(\" 10\");", "[2, 3, 5, 7]\n[2, 3, 5, 7]\n"},
    // with the listing off, as the command's flag: the number of primes
    {"println Primes(100, false), Primes(100, \"no\"), Primes(10, true), Primes(10, \"YES\");",
     "25\n25\n[2, 3, 5, 7]\n[2, 3, 5, 7]\n"},
    {"var l = [1, 2, 3]; println size(l); append(l, 4d); println l; delete(l, 0d); println l; delete(l, 2.5d); "
     "println l, size([]);",
     "3\n[1, 2, 3, 4]\n[2, 3, 4]\n[2, 3]\n0\n"},
    {"println append([1], 2), delete([1], 0d);", "nil\nnil\n"},
};

TEST_F(NativesTest, EveryNativeAnswers) {
    for (const Transcript &t : NATIVE_CALLS) {
        vm_init();
        engine.setPrecision(8);
        engine.setMode(0);
        EXPECT_EQ(run(t.source), (ScriptOutcome{VM_OK, t.printed, ""})) << t.source;
    }
}

TEST_F(NativesTest, TheListOfPrimesHoldsTheirDecimalTexts) {
    EXPECT_EQ(output("var p = Primes(100); println p[p[2]]; var l = [1, 2]; append(l, 3); println size(l); "
                     "println gcd(12, 18), isprime(97);"),
              "13\n3\n6\ntrue\n");
    EXPECT_EQ(output("println Primes(30);"), "[2, 3, 5, 7, 11, 13, 17, 19, 23, 29]\n");
    EXPECT_EQ(output("var q = Primes(\"1000\"); println size(q), q[167], q[0] + q[1];"), "168\n997\n5\n");
}

TEST_F(NativesTest, ModeWordsAndPrecisionStayWithTheEngine) {
    EXPECT_EQ(output(":mode1; println 1/3 + 1/6; :mode0; setprecision(20d); println 1/3; setprecision();"),
              "1|2\n0.33333333333333333333\n");
    EXPECT_EQ(engine.getPrecision(), 8);
    EXPECT_EQ(engine.getMode(), 0);
    output("setprecision(30d); setmode(1d);");
    EXPECT_EQ(engine.getPrecision(), 30);
    EXPECT_EQ(engine.getMode(), 1);
}

// A text that is no string is read only from a number; any other value ends the run, reported
// whatever the report switch says, and the stack is empty for the next run.
TEST_F(NativesTest, ArgumentsThatAreNoTextEndTheRun) {
    const Transcript cases[] = {
        {"length(nil);", "length: argument 1 is neither a string nor a number."},
        {"ith_char(true, 1d);", "ith_char: argument 1 is neither a string nor a number."},
        {"avg(1, [2]);", "avg: argument 2 is neither a string nor a number."},
        {"floor(nil);", "floor: argument 1 is neither a string nor a number."},
        {"ceil(clock);", "ceil: argument 1 is neither a string nor a number."},
        {"round(false);", "round: argument 1 is neither a string nor a number."},
        {"tau(nil);", "tau: argument 1 is neither a string nor a number."},
        {"biggest_factor([]);", "biggest_factor: argument 1 is neither a string nor a number."},
        {"multiplicativeOrder(2, nil);", "multiplicativeOrder: argument 2 is neither a string nor a number."},
        {"gcd([1], 2);", "gcd: argument 1 is neither a string nor a number."},
        {"gcd(12, 18, 5, nil);", "gcd: argument 4 is neither a string nor a number."},
        {"gcd2(2, nil);", "gcd2: argument 2 is neither a string nor a number."},
        {"isprime(nil);", "isprime: argument 1 is neither a string nor a number."},
        {"isprime(2, 3, nil);", "isprime: argument 3 is neither a string nor a number."},
        {"ispseudoprime(341, true);", "ispseudoprime: argument 2 is neither a string nor a number."},
        {"binom(nil, 2);", "binom: argument 1 is neither a string nor a number."},
        {"factorial(5, nil);", "factorial: argument 2 is neither a string nor a number."},
        {"EulerVarphi(nil);", "EulerVarphi: argument 1 is neither a string nor a number."},
        {"class A {} Shorten(A, 1d);", "Shorten: argument 1 is neither a string nor a number."},
        {"fun f() {} truncate(f, 1d);", "truncate: argument 1 is neither a string nor a number."},
        {"class A {} ln(A());", "ln: argument 1 is neither a string nor a number."},
        {"exp(nil);", "exp: argument 1 is neither a string nor a number."},
        {"pi(nil);", "pi: argument 1 is neither a string nor a number."},
        {"Primes(\"10.5\");", "Primes: 10.5 is not a bound the sieve takes."},
        {"Primes(10000000000);", "Primes: 10000000000 is not a bound the sieve takes."},
        {"multiplicativeOrder(2, 4);", "multiplicativeOrder: 2 has no order modulo 4."},
        {"multiplicativeOrder(3, 0);", "multiplicativeOrder: 3 has no order modulo 0."},
        {"size(5d);", "cannot get length of a non-list variable."},
        {"size();", "insufficient arguments, need 1 got=0"},
        {"size([], []);", "insufficient arguments, need 1 got=2"},
        {"append(\"1\", 2);", "cannot append item to non-list variable."},
        {"append([]);", "insufficient arguments, need 2 got=1"},
        {"delete(5d, 0d);", "cannot delete item from non-list variable."},
        {"delete([1]);", "insufficient arguments, need 2 got=1"},
        {"delete([1], 0);", "index cannot be a non-number value."},
        {"delete([1], 1d);", "index out of range."},
        {"delete([1], -1d);", "index out of range."},
        {"delete([1], 0d / 0d);", "index out of range."},
    };
    vm_set_error_report(0);
    for (const Transcript &t : cases) {
        EXPECT_EQ(run(std::string(t.source) + "\nprintln \"not reached\";"),
                  (ScriptOutcome{VM_RUNTIME_ERROR, "", std::string(t.printed) + "\n[line 1] in script\n"}))
            << t.source;
        EXPECT_EQ(vm_machine.stackTop, vm_machine.stack);
    }
}

// Numbers go to the root and angle natives as "%f" texts, the angles in degrees; sin shows its
// angle on the standard output.
TEST_F(NativesTest, NumbersOfAnglesAreDegrees) {
    ScriptOutcome outcome;
    std::string shown = capture_stdout([&] { outcome = run("println sin(30d), cos(60d), tan(0d);"); });
    EXPECT_EQ(outcome, (ScriptOutcome{VM_OK, "(1/2)\n1/2\n0\n", ""}));
    EXPECT_EQ(shown, "buff=30.000000d\n");
    EXPECT_EQ(capture_stdout([&] { run("println sin(\"30d\"), sin(nil), sin();"); }), "");
}

TEST_F(NativesTest, PrimalityReportsWithHint) {
    ScriptOutcome outcome;
    std::string shown = capture_stdout([&] { outcome = run("println isprime(2, 9, \"hint\");"); });
    EXPECT_EQ(outcome, (ScriptOutcome{VM_OK, "1\n", ""}));
    EXPECT_NE(shown.find("9 is NOT a prime number."), std::string::npos) << shown;
    EXPECT_NE(shown.find("2 is a PRIME number."), std::string::npos) << shown;

    shown = capture_stdout([&] { outcome = run("println ispseudoprime(341, 7, 561, \"hint\");"); });
    EXPECT_EQ(outcome, (ScriptOutcome{VM_OK, "2\n", ""}));
    EXPECT_EQ(shown, "341 is a pseudo prime.\n561 is a pseudo prime.\n");
    // Without "hint" last, the word is just one more argument that is not prime.
    EXPECT_EQ(capture_stdout([&] { outcome = run("println isprime(\"hint\", 2);"); }), "");
    EXPECT_EQ(outcome.out, "1\n");
}

TEST_F(NativesTest, Gcd2WritesEuclidsSteps) {
    EXPECT_EQ(output("println gcd2(12, 18);"), "6\n");
    EXPECT_NE(engine.outStream.str().find("18==1*12+6"), std::string::npos) << engine.outStream.str();
}

// Texts of any length: no buffer cuts or overruns them.
TEST_F(NativesTest, LongTexts) {
    const std::string zeros(10050, '0');
    const std::string big = "1" + zeros;                         // 10^10050
    const std::string middle = "1" + zeros.substr(0, 10045);     // 10^10045
    const std::string gcdText = "2" + zeros.substr(0, 10040);    // 2 * 10^10040
    EXPECT_EQ(output("println gcd(" + big + "4, 2);"), "2\n");
    EXPECT_EQ(output("println gcd(" + big + ", " + gcdText + ", " + middle + ");"), gcdText + "\n");
    EXPECT_EQ(output("println length(\"" + big + "\"), Shorten(\"" + big + "\", 3d), truncate(\"" + big +
                     "\", 10049d) == \"" + big + "\";"),
              "10051\n100\nfalse\n");
    // 10^300 as a double goes to the root as its "%f" text of 301 digits: the root has 151
    // digits and 8 decimals.
    EXPECT_EQ(output("println length(sqrt(10d ^ 300d));"), "160\n");
}

// Every object a native makes stays reachable while the next one is made.
TEST_F(NativesTest, CollectionsDuringNativesKeepTheirObjects) {
    gc_set_stress(true);
    EXPECT_EQ(output("var p = Primes(300); println size(p), p[61], avg(p[0], p[1]), gcd(p[5], 26);"
                     "var l = []; append(l, Shorten(\"abc\", 2d)); append(l, ith_char(\"xyz\", 2d)); println l;"),
              "62\n293\n2.5\n13\n[ab, z]\n");
}

// The test hook's budget bounds what natives sieve and compute.
TEST_F(NativesTest, TheRunBudgetCoversNatives) {
    vm_set_run_budget(1000);
    EXPECT_EQ(run("var p = Primes(\"100000000\");").status, VM_RUNTIME_ERROR);
    EXPECT_EQ(run("var p = Primes(\"1000\");").status, VM_OK);
}

} // namespace
