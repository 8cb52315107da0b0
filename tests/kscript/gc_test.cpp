#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "natives/natives.h"
#include "script_test_support.h"

namespace {

class CollectorTest : public ScriptVmTest {
  protected:
    static bool alive(const ScriptObject *object) {
        for (ScriptObject *o = vm_machine.objects; o != nullptr; o = o->next)
            if (o == object) return true;
        return false;
    }
    static bool interned(const char *text) {
        auto length = static_cast<int>(std::strlen(text));
        return table_find_string(&vm_machine.strings, text, length, string_hash(text, length)) != nullptr;
    }
    static StringObject *str(const char *text) {
        return string_copy(text, static_cast<int>(std::strlen(text)));
    }
};

TEST_F(CollectorTest, ThresholdStartsAtOneMebibyteAndDoublesTheSurvivors) {
    EXPECT_EQ(vm_machine.nextGC, 1048576u);
    str("garbage");
    void *filler = mem_reallocate(nullptr, 0, vm_machine.nextGC - vm_machine.bytesAllocated);
    EXPECT_EQ(vm_machine.bytesAllocated, vm_machine.nextGC);
    EXPECT_TRUE(interned("garbage")); // at the threshold, not above it: nothing collected

    void *one = mem_reallocate(nullptr, 0, 1); // above it: collects before allocating
    EXPECT_FALSE(interned("garbage"));
    EXPECT_EQ(vm_machine.nextGC, vm_machine.bytesAllocated * 2);

    // Shrinking and freeing never collect.
    size_t threshold = vm_machine.nextGC;
    str("garbage2");
    filler = mem_reallocate(filler, 1048576, 16);
    mem_reallocate(filler, 16, 0);
    mem_reallocate(one, 1, 0);
    EXPECT_TRUE(interned("garbage2"));
    EXPECT_EQ(vm_machine.nextGC, threshold);
}

// After a collection that leaves a fifth of the first threshold alive, the next one comes at
// two fifths of it.
TEST_F(CollectorTest, ThresholdFollowsTheSurvivingSize) {
    const size_t fifth = 1048576 / 5;
    size_t keptSize = fifth - vm_machine.bytesAllocated;
    void *kept = mem_reallocate(nullptr, 0, keptSize);
    gc_collect();
    EXPECT_EQ(vm_machine.bytesAllocated, fifth);
    EXPECT_EQ(vm_machine.nextGC, 2 * fifth);
    str("transient");
    size_t moreSize = vm_machine.nextGC - vm_machine.bytesAllocated;
    void *more = mem_reallocate(nullptr, 0, moreSize);
    EXPECT_TRUE(interned("transient"));
    void *over = mem_reallocate(nullptr, 0, 1);
    EXPECT_FALSE(interned("transient"));
    mem_reallocate(over, 1, 0);
    mem_reallocate(more, moreSize, 0);
    mem_reallocate(kept, keptSize, 0);
}

TEST_F(CollectorTest, WeakStringsAreDroppedAndInternedAfresh) {
    str("lonely");
    gc_collect();
    EXPECT_FALSE(interned("lonely"));
    StringObject *again = str("lonely");
    EXPECT_TRUE(interned("lonely"));
    EXPECT_TRUE(alive(again));
}

TEST_F(CollectorTest, RootsKeepWhatTheyReach) {
    // The value stack.
    StringObject *onStack = str("on stack");
    vm_push(value_from_object(onStack));

    // A closure of an active frame.
    FunctionObject *function = new_function();
    vm_push(value_from_object(function));
    ClosureObject *frameClosure = new_closure(function);
    vm_pop();
    vm_machine.frames[0] = {frameClosure, nullptr, vm_machine.stack};
    vm_machine.frameCount = 1;

    // An open upvalue, and the value it holds once closed.
    UpvalueObject *open = new_upvalue(&vm_machine.stack[0]);
    vm_machine.openUpvalues = open;
    open->closed = value_from_object(str("closed over"));

    // A global, key and value.
    StringObject *globalName = str("g");
    vm_push(value_from_object(globalName));
    ListObject *globalList = new_list();
    vm_push(value_from_object(globalList));
    table_set(&vm_machine.globals, globalName, value_from_object(globalList));
    list_append(globalList, value_from_object(str("item")));
    vm_pop();
    vm_pop();

    str("unreached");
    gc_collect();

    for (ScriptObject *o : std::initializer_list<ScriptObject *>{
             onStack, function, frameClosure, open, globalName, globalList, vm_machine.initString, vm_print_result})
        EXPECT_TRUE(alive(o));
    EXPECT_TRUE(interned("closed over"));
    EXPECT_TRUE(interned("item"));
    EXPECT_TRUE(interned("init"));
    EXPECT_FALSE(interned("unreached"));
    EXPECT_EQ(vm_print_result->length, VM_PRINT_RESULT_LENGTH);
    EXPECT_EQ(std::strncmp(vm_print_result->chars, "31415926535", 11), 0);

    vm_reset_stack();
}

TEST_F(CollectorTest, TracingFollowsEveryKind) {
    StringObject *className = str("Point");
    vm_push(value_from_object(className));
    ClassObject *klass = new_class(className);
    vm_push(value_from_object(klass));
    FunctionObject *method = new_function();
    vm_push(value_from_object(method));
    method->name = str("norm");
    value_array_write(&method->chunk.constants, value_from_object(str("constant")));
    method->upvalueCount = 1;
    ClosureObject *closure = new_closure(method);
    vm_push(value_from_object(closure));
    closure->upvalues[0] = new_upvalue(&vm_machine.stack[0]);
    table_set(&klass->methods, method->name, value_from_object(closure));
    InstanceObject *instance = new_instance(klass);
    vm_push(value_from_object(instance));
    table_set(&instance->fields, str("x"), value_from_object(str("field value")));
    BoundMethodObject *bound = new_bound_method(value_from_object(instance), closure);

    // Only the bound method stays a root: everything else is reached through it.
    vm_reset_stack();
    vm_push(value_from_object(bound));
    gc_collect();
    for (ScriptObject *o : std::initializer_list<ScriptObject *>{className, klass, method, closure,
                                                                 closure->upvalues[0], instance, bound})
        EXPECT_TRUE(alive(o));
    for (const char *text : {"Point", "norm", "constant", "x", "field value"})
        EXPECT_TRUE(interned(text)) << text;

    vm_reset_stack();
    gc_collect();
    EXPECT_FALSE(alive(bound));
    EXPECT_FALSE(interned("field value"));
    EXPECT_TRUE(alive(vm_machine.initString));
}

// Under stress every growing allocation collects first, so anything a compile holds without
// keeping it reachable is freed at once and its next use is caught by the sanitizers.
TEST_F(CollectorTest, CompilingUnderStressKeepsEverythingItNeeds) {
    const char *source = R"(
        class Shape { init(n) { this.n = n; } name() { return "shape " + this.n; } }
        class Square < Shape { init(s) { super.init(s); this.s = s; } area() { return this.s ^ 2; } }
        fun counter() { var c = 0; fun inc() { c = c + 1; return c; } return inc; }
        var list = [1, 2.5d, "three", [4, 5], nil, true];
        for (var i = 0; i < 10; i = i + 1) { if (i @ 2 == 0) println 5!; else print i | 3; }
        while (list[0] < 3) { list[0d] = list[0] + 1; }
        :mode1; scanf a, b = 7; end
    )";
    std::string expected = compile_listing(source);
    ASSERT_EQ(expected.find("compile failed"), std::string::npos) << expected;
    gc_set_stress(true);
    EXPECT_EQ(compile_listing(source), expected);
    EXPECT_EQ(compile_errors("class A { m() { return super.x; } } fun f( {"),
              "[line 1] Error at 'super': Can't use 'super' in a class with no superclass.\n"
              "[line 1] Error at '{': Expect parameter name.\n");
}

TEST_F(CollectorTest, InterningUnderStressSurvivesTableGrowth) {
    gc_set_stress(true);
    ListObject *list = new_list();
    vm_push(value_from_object(list));
    auto text_of = [](int i) { return std::to_string(i) + "s"; };
    for (int i = 0; i < 300; ++i) {
        std::string text = text_of(i);
        // Kept on the stack while the list grows: otherwise the growth would free it.
        vm_push(value_from_object(string_copy(text.c_str(), static_cast<int>(text.size()))));
        list_append(list, vm_peek(0));
        vm_pop();
    }
    for (int i = 0; i < 300; ++i) {
        std::string text = text_of(i);
        EXPECT_EQ(value_as_string(list->items[i]), string_copy(text.c_str(), static_cast<int>(text.size())));
    }
    vm_pop();
}

TEST(CollectorLifecycle, FreeReleasesEverythingAndInitStartsOver) {
    vm_init();
    StringObject *kept = string_copy("kept", 4);
    vm_push(value_from_object(kept));
    table_set(&vm_machine.globals, kept, VALUE_TRUE);
    vm_free();
    EXPECT_EQ(vm_machine.objects, nullptr);
    EXPECT_EQ(vm_print_result, nullptr);
    EXPECT_EQ(vm_machine.initString, nullptr);
    EXPECT_EQ(vm_machine.globals.count, 0);
    EXPECT_EQ(vm_machine.grayStack, nullptr);

    vm_init();
    // Only the natives, bound again.
    EXPECT_EQ(vm_machine.globals.count, static_cast<int>(script_natives().size()));
    EXPECT_EQ(vm_machine.stackTop, vm_machine.stack);
    EXPECT_EQ(vm_machine.frameCount, 0);
    EXPECT_EQ(vm_error_report_switch, 1);
    EXPECT_STREQ(vm_machine.initString->chars, "init");
    vm_free();
}

TEST(CollectorLifecycle, ErrorReportSwitch) {
    vm_set_error_report(5);
    EXPECT_EQ(vm_error_report_switch, 1);
    vm_set_error_report(0);
    EXPECT_EQ(vm_error_report_switch, 0);
    vm_set_error_report(-1);
    EXPECT_EQ(vm_error_report_switch, 0);
    vm_set_error_report(1);
}

} // namespace
