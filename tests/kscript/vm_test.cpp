// Scripts run end to end with an output stream: calls, closures, classes, globals and control
// flow, each a typed script and exactly what it prints. Every transcript runs a second time
// with the collector running at each allocation, which must not change a byte.
#include <gtest/gtest.h>

#include <string>

#include "script_test_support.h"

namespace {

const Transcript LANGUAGE_TRANSCRIPTS[] = {
    {R"(println 1 + 2; println 2^3^2; println 7 % 2, 7 @ 2; println 1.5d * 2d; println "12" + "30";)",
     "3\n64\n3\n1\n3\n42\n"},
    {"fun fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); } println fib(20);", "6765\n"},
    {"class Counter { init(n) { this.n = n; } inc() { this.n = this.n + 1; } }"
     " var c = Counter(5); c.inc(); c.inc(); println c.n;",
     "7\n"},

    // Closures: each call makes its own variable; two closures share one; upvalues of upvalues.
    {"fun make() { var c = 0; fun inc() { c = c + 1; return c; } return inc; }"
     " var a = make(); var b = make(); println a(), a(), b();",
     "1\n2\n1\n"},
    {"var get; var set; fun make() { var x = \"one\"; fun g() { return x; } fun s(v) { x = v; } get = g; set "
     "= s; }"
     " make(); set(\"two\"); println get();",
     "two\n"},
    {"fun outer() { var x = \"a\"; fun middle() { fun inner() { return x; } return inner; } return middle; }"
     " println outer()()();",
     "a\n"},
    // A variable declared in a loop body is closed when its iteration ends.
    {"var fs = [nil, nil]; for (var i = 0d; i < 2d; i = i + 1d) { var j = i; fun f() { return j; } fs[i] = "
     "f; }"
     " println fs[0](), fs[1]();",
     "0\n1\n"},

    // Classes: fields, methods returning this, inheritance, super calls and bound super methods.
    {"class A { init(x) { this.x = x; } name() { return \"A\"; } describe() { return this.name(); } }"
     " class B < A { init(x) { super.init(x + 1); } name() { return \"B\"; }"
     " parent() { return super.name(); } bound() { var m = super.name; return m(); } }"
     " var b = B(1); println b.x, b.describe(), b.parent(), b.bound();",
     "2\nB\nA\nA\n"},
    {"class P { init(n) { this.n = n; } inc() { this.n = this.n + 1; return this; } }"
     " var p = P(1); p.inc().inc(); var m = p.inc; m(); println p.n, p, P, m;",
     "4\nP instance\nP\n<fn inc>\n"},
    // A field holding a function is called through the invoke path; init returns the instance.
    {"fun make() { var c = 10; fun inc() { c = c + 1; return c; } return inc; }"
     " class H { init() { this.v = 1; return; } } var h = H(); h.f = make(); println h.f(), h.v, h.init();",
     "11\n1\nH instance\n"},
    {"class A { hi() { return \"hi\"; } } class B < A {} class C < B { hi() { return super.hi() + 1; } }"
     " println C().hi;",
     "<fn hi>\n"},

    // Control flow and truthiness: only nil and false are false; "0" and "" are true.
    {"var n = 0; while (n < 3) { print n; n = n + 1; } println \"\";", "012\n"},
    {"for (var i = 1; i <= 3; i = i + 1) if (i == 2) println \"two\"; else println i;", "1\ntwo\n3\n"},
    {"println nil or \"x\", false and 1, 0 and \"zero is true\", \"\" or 5;", "x\nfalse\nzero is true\n\n"},
    {"var a = 1, b; println a, b; a = b = 2; println a + b;", "1\nnil\n4\n"},

    // Printing: escapes in strings, lists, doubles in %g, functions and classes by name.
    {R"(println "a\nb", [1, 2.5d, "x", nil, true, [3]], 100000000000000000000d, 0.1d + 0.2d; fun f() {} println f;)",
     "a\nb\n[1, 2.5, x, nil, true, [3]]\n1e+20\n0.3\n<fn f>\n"},
    {"print 1, 2; print 3; println \"\";", "123\n"},
};

class LanguageTest : public ScriptRunTest {};

TEST_F(LanguageTest, ScriptsPrintExactly) {
    for (const Transcript &t : LANGUAGE_TRANSCRIPTS) {
        vm_init();
        EXPECT_EQ(run(t.source), (ScriptOutcome{VM_OK, t.printed, ""})) << t.source;
    }
}

TEST_F(LanguageTest, TheCollectorRunningAtEveryAllocationChangesNothing) {
    gc_set_stress(true);
    for (const Transcript &t : LANGUAGE_TRANSCRIPTS) {
        vm_init();
        EXPECT_EQ(run(t.source), (ScriptOutcome{VM_OK, t.printed, ""})) << t.source;
    }
}

TEST_F(LanguageTest, GlobalsLiveUntilTheNextInitialisation) {
    EXPECT_EQ(output("var g = 5; fun twice(x) { return x * 2; } class K {}"), "");
    EXPECT_EQ(output("println twice(g), K;"), "10\nK\n");
    vm_init();
    EXPECT_EQ(run("println g;").status, VM_RUNTIME_ERROR);
}

TEST_F(LanguageTest, DeepRecursionUpToTheFrameLimit) {
    // The script's frame and 2047 calls fill the 2048 frames exactly.
    const char *countdown = "fun f(n) { if (n > 1) return f(n - 1); return n; } ";
    EXPECT_EQ(output(std::string(countdown) + "println f(2047);"), "1\n");
    EXPECT_EQ(run(std::string(countdown) + "println f(2048);").status, VM_RUNTIME_ERROR);
}

TEST_F(LanguageTest, ACompileErrorRunsNothing) {
    EXPECT_EQ(run("println 1; println 2 +;"),
              (ScriptOutcome{VM_COMPILE_ERROR, "", "[line 1] Error at ';': Expect expression.\n"}));
    vm_set_error_report(0);
    EXPECT_EQ(run("println 1; println 2 +;"), (ScriptOutcome{VM_COMPILE_ERROR, "", ""}));
}

TEST_F(LanguageTest, AFreedMachineIsReadiedByTheNextRunKeepingTheReportSwitch) {
    vm_set_error_report(0);
    vm_free();
    EXPECT_EQ(output("println 2 + 2;"), "4\n");
    EXPECT_EQ(vm_error_report_switch, 0);
}

TEST_F(LanguageTest, RunsWithoutAnEngineComputeWithTheMachinesOwn) {
    std::string out = capture_stream(
        [](FILE *stream) { EXPECT_EQ(vm_interpret_stream(nullptr, "println 6 * 7;", stream), VM_OK); });
    EXPECT_EQ(out, "42\n");
}

// Re-initialising releases what the machine held: a machine re-made after a run holds no more
// than a fresh one.
TEST_F(LanguageTest, InitialisingAgainReleasesTheOldMachine) {
    size_t fresh = vm_machine.bytesAllocated;
    EXPECT_EQ(output("var l = [1, 2, 3]; class A {} var a = A(); a.l = l;"), "");
    EXPECT_GT(vm_machine.bytesAllocated, fresh);
    vm_init();
    EXPECT_EQ(vm_machine.bytesAllocated, fresh);
}

} // namespace
