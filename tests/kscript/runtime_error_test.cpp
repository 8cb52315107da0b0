// Runtime errors: every message with its trace, the error-report switch, the stack and frame
// limits, natives that report errors, and the state the machine is left in.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "script_test_support.h"
#include "memory.h"
#include "stop_request.h"

namespace {

const Transcript RUNTIME_ERRORS[] = {
    {"print x;", "Undefined variable 'x'."},
    {"x = 1;", "Undefined variable 'x'."},
    {"var a = 1; a.b;", "Only instances have properties."},
    {"var a = 1; a.b = 2;", "Only instances have fields."},
    {"class A {} A().m();", "Undefined property 'm'."},
    {"class A {} A().m;", "Undefined property 'm'."},
    {"var a = 1; a.m();", "Only instances have methods."},
    {"var NotClass = 1; class B < NotClass {}", "Superclass must be a class."},
    {"var a = 1; a();", "Can only call functions and classes."},
    {"nil();", "Can only call functions and classes."},
    {"fun f(a) {} f();", "Expected 1 arguments but got 0."},
    {"class A { init(a, b) {} } A(1);", "Expected 2 arguments but got 1."},
    {"class A {} A(1);", "Expected 0 arguments but got 1."},
};

class RuntimeErrorTest : public ScriptRunTest {};

TEST_F(RuntimeErrorTest, MessagesWithTheirTrace) {
    for (const Transcript &t : RUNTIME_ERRORS) {
        vm_init();
        EXPECT_EQ(run(t.source),
                  (ScriptOutcome{VM_RUNTIME_ERROR, "", std::string(t.printed) + "\n[line 1] in script\n"}))
            << t.source;
    }
}

// The trace names each frame from the innermost out, at the line of its current instruction.
TEST_F(RuntimeErrorTest, TheTraceWalksTheFrames) {
    const char *source = "fun inner() {\n"
                         "  return missing;\n"
                         "}\n"
                         "class K { m() { return inner(); } }\n"
                         "println \"before\";\n"
                         "K().m();\n"
                         "println \"after\";\n";
    EXPECT_EQ(run(source), (ScriptOutcome{VM_RUNTIME_ERROR, "before\n",
                                          "Undefined variable 'missing'.\n[line 2] in inner()\n"
                                          "[line 4] in m()\n[line 6] in script\n"}));
}

TEST_F(RuntimeErrorTest, AfterAnErrorTheNextRunStartsEmpty) {
    vm_set_error_report(0);
    EXPECT_EQ(run("fun f() { var a = 1; var b = [a]; fun g() { return a; } return nope; } f();"),
              (ScriptOutcome{VM_RUNTIME_ERROR, "", ""}));
    EXPECT_EQ(vm_machine.stackTop, vm_machine.stack);
    EXPECT_EQ(vm_machine.frameCount, 0);
    EXPECT_EQ(vm_machine.openUpvalues, nullptr);
    EXPECT_EQ(output("println 1 + 1;"), "2\n");
}

TEST_F(RuntimeErrorTest, ReportsOffSilenceAllButTheStackAndListErrors) {
    vm_set_error_report(0);
    for (const Transcript &t : RUNTIME_ERRORS) {
        EXPECT_EQ(run(t.source), (ScriptOutcome{VM_RUNTIME_ERROR, "", ""})) << t.source;
    }
    EXPECT_EQ(run("fun f() { f(); } f();").err.substr(0, 16), "Stack overflow.\n");
}

// 2048 frames: the script's own and 2047 calls; the next call overflows, with a trace line per frame.
TEST_F(RuntimeErrorTest, TheFrameLimit) {
    ScriptOutcome outcome = run("fun f() { f(); }\nf();");
    EXPECT_EQ(outcome.status, VM_RUNTIME_ERROR);
    std::string expected = "Stack overflow.\n";
    for (int i = 0; i < VM_FRAMES_MAX - 1; ++i) expected += "[line 1] in f()\n";
    expected += "[line 2] in script\n";
    EXPECT_EQ(outcome.err, expected);
}

// Frames full of locals and pending values fill the value stack long before the frame limit:
// the push past its end fails the run the same way instead of writing beyond the stack.
TEST_F(RuntimeErrorTest, TheValueStackLimit) {
    std::string locals;
    std::string items;
    for (int i = 0; i < 200; ++i) {
        locals += "var a" + std::to_string(i) + " = " + std::to_string(i) + "; ";
        items += "a" + std::to_string(i) + ", ";
    }
    std::string source = "fun f() { " + locals + "return [" + items + "f()]; }\nf();";
    vm_set_error_report(0);
    ScriptOutcome outcome = run(source);
    EXPECT_EQ(outcome.status, VM_RUNTIME_ERROR);
    EXPECT_EQ(outcome.err.substr(0, 16), "Stack overflow.\n");
    // Fewer frames than the frame limit: it was the value stack that ran out.
    auto traceLines = std::count(outcome.err.begin(), outcome.err.end(), '\n') - 1;
    EXPECT_LT(traceLines, VM_FRAMES_MAX);
    EXPECT_EQ(vm_machine.stackTop, vm_machine.stack);
    EXPECT_EQ(output("println 3;"), "3\n");
}

ScriptValue native_add(int argCount, ScriptValue *args) {
    double sum = 0;
    for (int i = 0; i < argCount; ++i) sum += value_as_number(args[i]);
    return value_from_number(sum);
}

// A native's failure ends the run: its message and trace are printed whatever the switch says,
// and nothing after the call runs.
ScriptValue native_size(int argCount, ScriptValue *args) {
    if (argCount != 1) {
        vm_runtime_error("insufficient arguments, need 1 got=%d", argCount);
        return VALUE_NIL;
    }
    if (!is_object_kind(args[0], OBJ_LIST)) {
        vm_runtime_error("cannot get length of a non-list variable.");
        return VALUE_NIL;
    }
    // Pushes its answer, as natives may; the call drops it.
    std::string count = std::to_string(value_as_list(args[0])->count);
    vm_push(value_from_object(string_copy(count.c_str(), static_cast<int>(count.size()))));
    return vm_peek(0);
}

TEST_F(RuntimeErrorTest, NativesAnswerOrEndTheRun) {
    vm_define_native("add", native_add);
    vm_define_native("size", native_size);
    EXPECT_EQ(output("println add(1d, 2d, 3d), add(), size([1, 2, 3]) + 1;"), "6\n0\n4\n");
    vm_set_error_report(0);
    EXPECT_EQ(run("fun f() {\n  return size(1, 2);\n}\nf();\nprintln \"not reached\";"),
              (ScriptOutcome{VM_RUNTIME_ERROR, "",
                             "insufficient arguments, need 1 got=2\n[line 2] in f()\n[line 4] in script\n"}));
    EXPECT_EQ(run("size(5d);").err, "cannot get length of a non-list variable.\n[line 1] in script\n");
    EXPECT_EQ(vm_machine.stackTop, vm_machine.stack);
    EXPECT_EQ(output("println size([]);"), "0\n");
}

// The test hook bounds a run that would never end, or would build numbers without end.
TEST_F(RuntimeErrorTest, TheRunBudgetEndsEndlessRuns) {
    vm_set_run_budget(10000);
    for (const char *source :
         {"for (;;) {}", "fun f() { f(); f(); } f();", "var x = 2; while (true) x = x * x;",
          "class A { m() { return this.m(); } } A().m();"}) {
        vm_set_error_report(0);
        EXPECT_EQ(run(source).status, VM_RUNTIME_ERROR) << source;
    }
    EXPECT_EQ(output("var n = 0; while (n < 100) n = n + 1; println n;"), "100\n");
    vm_set_run_budget(0);
}

// A stop asked for from another thread ends a run that would never end, with or without a
// budget; once cleared, runs go on as before.
TEST_F(RuntimeErrorTest, AStopRequestEndsTheRun) {
    std::thread stopper([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        requestEngineStop();
    });
    EXPECT_EQ(run("while (true) {}"), (ScriptOutcome{VM_RUNTIME_ERROR, "", "Stopped.\n[line 1] in script\n"}));
    stopper.join();
    EXPECT_EQ(run("for (;;) {}").status, VM_RUNTIME_ERROR) << "the request holds until it is cleared";
    clearEngineStop();
    EXPECT_EQ(output("var n = 0; while (n < 3) n = n + 1; println n;"), "3\n");
}

// A stop that comes while a native computes (the engine's sieve) ends the run the same way:
// the engine's loop looks at the request, and the machine is ready for the next run.
TEST_F(RuntimeErrorTest, AStopEndsAComputationOfTheEngine) {
    std::thread stopper([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        requestEngineStop();
    });
    EXPECT_EQ(run("var n = Primes(2000000000, false); println n;"),
              (ScriptOutcome{VM_RUNTIME_ERROR, "", "Stopped.\n[line 1] in script\n"}));
    stopper.join();
    clearEngineStop();
    EXPECT_EQ(output("var n = Primes(100, false); println n;"), "25\n");
}

// A script that grows a list or a number text past the memory the machine may hold ends with
// an error; the process and the machine go on, and what the script had defined before stays.
TEST_F(RuntimeErrorTest, MemoryThatRunsOutEndsTheRun) {
    const char *growers[] = {
        "var l = []; while (true) append(l, 1);",
        "var x = 2; while (true) x = x * x;",
        "var l = []; while (true) { var m = []; append(m, l); l = m; append(l, \"1234567890\"); }",
    };
    for (const char *source : growers) {
        vm_init();
        EXPECT_EQ(output("var kept = 7;"), "");
        mem_set_limit(vm_machine.bytesAllocated + (size_t(1) << 20));
        const ScriptOutcome outcome = run(source);
        mem_set_limit(0);
        EXPECT_EQ(outcome.status, VM_RUNTIME_ERROR) << source;
        EXPECT_EQ(outcome.err.substr(0, 15), "Out of memory.\n") << source;
        EXPECT_EQ(vm_machine.stackTop, vm_machine.stack) << source;
        EXPECT_EQ(output("println kept; var l = [1, 2]; append(l, 3); println l;"), "7\n[1, 2, 3]\n") << source;
    }
}

} // namespace
