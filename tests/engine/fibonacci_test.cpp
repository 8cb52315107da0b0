#include <gtest/gtest.h>

#include "BigNumber.h"
#include "number_routines.h"

TEST(Fibonacci, SignedIndices) {
    struct {
        int32_t index;
        const char *value;
    } cases[] = {
        {0, "0"},   {1, "1"},    {-1, "1"},  {2, "1"},     {-2, "-1"},  {-3, "2"},
        {10, "55"}, {-10, "-55"}, {11, "89"}, {-11, "89"}, {100, "354224848179261915075"},
    };
    BigNumber bn;
    std::vector<std::string> list;
    for (auto &c : cases) {
        EXPECT_EQ(fibonacci_recursive(c.index, bn), c.value) << c.index;
        EXPECT_EQ(fibonacci_iterative(c.index, bn, list, false), c.value) << c.index;
    }
    // both routines and the additions agree on every index of a long run
    std::vector<std::string> run;
    ASSERT_EQ(fibonacci_iterative(-300, bn, run, true), fibonacci_recursive(-300, bn));
    for (int32_t k = -300; k <= 0; k++) ASSERT_EQ(run[size_t(k + 300)], fibonacci_recursive(k, bn)) << k;
    ASSERT_EQ(fibonacci_iterative(300, bn, run, true), fibonacci_recursive(300, bn));
    for (int32_t k = 0; k <= 300; k++) ASSERT_EQ(run[size_t(k)], fibonacci_recursive(k, bn)) << k;
}

TEST(Fibonacci, CollectedLists) {
    struct {
        int32_t index;
        std::vector<std::string> list;
    } cases[] = {
        {10, {"0", "1", "1", "2", "3", "5", "8", "13", "21", "34", "55"}},
        {-3, {"2", "-1", "1", "0"}},
        {-2, {"-1", "1", "0"}},
        {-1, {"1", "0"}},
        {1, {"0", "1"}},
        {0, {"0"}},
    };
    BigNumber bn;
    for (auto &c : cases) {
        std::vector<std::string> list{"old"};
        fibonacci_iterative(c.index, bn, list, true);
        EXPECT_EQ(list, c.list) << c.index;
    }
}

TEST(Fibonacci, LimitsOfSize) {
    BigNumber bn;
    std::vector<std::string> list;
    const char *index = "Error: the index of a Fibonacci number is limited to 20000000.";
    EXPECT_EQ(fibonacci_recursive(INT32_MIN, bn), index);
    EXPECT_EQ(fibonacci_iterative(INT32_MAX, bn, list, false), index);
    EXPECT_EQ(fibonacci_iterative(20001, bn, list, true), "Error: the list of Fibonacci numbers is limited to the index 20000.");
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(fibonacci_recursive(100000, bn).size(), 20899u);
}
