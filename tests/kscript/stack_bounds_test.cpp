// The bounds of the machine's value stack: the machine's own pushes reach into the reserve
// above the scripts' limit and no further, and Debug builds stop a pop, a peek or a push
// that would leave the stack where it happens.
#include "script_test_support.h"

namespace {

using StackBoundsTest = ScriptVmTest;

TEST_F(StackBoundsTest, TheReserveHoldsTheMachinesOwnPushes) {
    vm_machine.stackTop = vm_machine.stack + VM_STACK_MAX;
    for (int i = 0; i < VM_STACK_RESERVE; ++i) vm_push(value_from_number(i));
    EXPECT_EQ(value_as_number(vm_peek(0)), VM_STACK_RESERVE - 1);
    EXPECT_EQ(value_as_number(vm_pop()), VM_STACK_RESERVE - 1);
    vm_reset_stack();
    EXPECT_TRUE(vm_stack_holds(0));
    EXPECT_FALSE(vm_stack_holds(1));
}

#ifndef NDEBUG
using StackBoundsDeathTest = ScriptVmTest;

TEST_F(StackBoundsDeathTest, LeavingTheStackStopsWhereItHappens) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(vm_pop(), "") << "pop of an empty stack";
    vm_push(VALUE_NIL);
    EXPECT_DEATH(vm_peek(1), "") << "peek below the bottom";
    vm_machine.stackTop = vm_machine.stack + VM_STACK_MAX + VM_STACK_RESERVE;
    EXPECT_DEATH(vm_push(VALUE_NIL), "") << "push past the reserve";
    vm_reset_stack();
}
#endif

} // namespace
