// The normal form of limb naturals, and the Debug builds stopping where a broken one enters
// an operation (the sanitizer runs are Debug builds).
#include <gtest/gtest.h>

#include <functional>

#include "nat/nat.h"

namespace {

using nat::Nat;

TEST(NatNormalForm, OnlyTrimmedLimbsBelowTheBase) {
    const struct {
        Nat n;
        bool normal;
    } cases[] = {
        {{}, true},           {{1}, true},  {{nat::BASE - 1, 7}, true},
        {{0}, false},         {{5, 0}, false}, // a zero limb on top
        {{nat::BASE}, false}, {{nat::BASE + 1, 1}, false},
    };
    for (const auto &c : cases) EXPECT_EQ(nat::is_normal(c.n), c.normal) << testing::PrintToString(c.n);
}

#ifndef NDEBUG
TEST(NatNormalFormDeathTest, BrokenOperandsStopWhereTheyEnter) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const Nat one{1}, two{2}, zeroTop{5, 0}, wideLimb{nat::BASE};
    Nat q, r, grown{7};
    const struct {
        const char *what;
        std::function<void()> call;
    } cases[] = {
        {"compare by length with a zero on top", [&] { nat::compare(zeroTop, one); }},
        {"add a limb past the base", [&] { nat::add(wideLimb, one); }},
        {"subtract the larger", [&] { nat::sub(one, two); }},
        {"multiply a zero on top", [&] { nat::mul(zeroTop, two); }},
        {"divide by zero", [&] { nat::divmod(two, Nat{}, q, r); }},
        {"write a limb past the base", [&] { nat::to_decimal(wideLimb); }},
        {"add a small value past the base", [&] { nat::add_small(grown, nat::BASE); }},
        {"subtract a larger small value", [&] { nat::sub_small(grown, 8); }},
    };
    for (const auto &c : cases) EXPECT_DEATH(c.call(), "") << c.what;
}
#endif

} // namespace
