// The bridges behind the natives: which member answers, what a missing input reads as, and
// what the flag, count and setting bridges hand back.
#include <gtest/gtest.h>

#include <string>

#include "BigNumber.h"
#include "bridge/native_bridge.h"
#include "script_test_support.h"

namespace {

TEST(NativeBridge, TextBridgesAnswerTheirMembers) {
    BigNumber engine;
    struct Case {
        const char *what;
        std::string answer;
        const char *expected;
    };
    const Case cases[] = {
        {"pi()", calc_bridge_pi(&engine, ""), "3.14159265"},
        {"pi(10)", calc_bridge_pi(&engine, "10"), "4"},
        {"exp(0)", calc_bridge_exp(&engine, "0"), "1"},
        {"exp(1)", calc_bridge_exp(&engine, "1"), "2.71828182"},
        {"ln(1)", calc_bridge_ln(&engine, "1"), "0"},
        {"phi(12)", calc_bridge_EulerVarphi(&engine, "12"), "4"},
        {"sin(30d)", calc_bridge_sin(&engine, "30d"), "(1/2)"},
        {"cos(60d)", calc_bridge_cos(&engine, "60d"), "1/2"},
        {"tan(0)", calc_bridge_tan(&engine, "0"), "0"},
        {"cot(90d)", calc_bridge_cot(&engine, "90d"), "0"},
        {"binom(6, 3)", calc_bridge_binom(&engine, "6", "3"), "20"},
        {"binom(null, null)", calc_bridge_binom(&engine, nullptr, nullptr), "1"},
        {"gcd(12, 18)", calc_bridge_gcd(&engine, "12", "18"), "6"},
        {"gcd(null, 18)", calc_bridge_gcd(&engine, nullptr, "18"), "18"},
        {"gcd2(12, 18)", calc_bridge_gcd2(&engine, "12", "18"), "6"},
        {"order(2, 7)", calc_bridge_multiplicativeOrder(&engine, "2", "7"), "3"},
        {"largest(84)", calc_bridge_biggest_factor(&engine, "84"), "7"},
        {"round(2.5)", calc_bridge_round(&engine, "2.5"), "3"},
        {"ceil(-2.5)", calc_bridge_ceil(&engine, "-2.5"), "-2"},
        {"floor(-2.5)", calc_bridge_floor(&engine, "-2.5"), "-3"},
        {"floor(null)", calc_bridge_floor(&engine, nullptr), "0"},
    };
    for (const Case &c : cases) EXPECT_EQ(c.answer, c.expected) << c.what;
}

TEST(NativeBridge, FlagsAndCounts) {
    BigNumber engine;
    EXPECT_EQ(calc_bridge_isprime(&engine, "97"), 1);
    EXPECT_EQ(calc_bridge_isprime(&engine, "91"), 0);
    EXPECT_EQ(calc_bridge_isprime(&engine, nullptr), 0); // "0"
    EXPECT_EQ(calc_bridge_ispseudoprime(&engine, "341"), 1);
    EXPECT_EQ(calc_bridge_ispseudoprime(&engine, "7"), 0);
    EXPECT_EQ(calc_bridge_tau(&engine, "12"), 6);
    EXPECT_EQ(calc_bridge_tau(&engine, nullptr), 0);
}

// The verbose report goes to the standard output; the answer is the member's verdict.
TEST(NativeBridge, PrimalityReportGoesToTheStandardOutput) {
    BigNumber engine;
    int verdict = 2;
    std::string shown = capture_stdout([&] { verdict = calc_bridge_isprime_hint(&engine, "9"); });
    EXPECT_EQ(verdict, 0);
    EXPECT_EQ(shown, "9 is NOT a prime number.\n");
    shown = capture_stdout([&] { verdict = calc_bridge_isprime_hint(&engine, ""); });
    EXPECT_EQ(verdict, -1);
}

// n = 2 is the signed square root; any other n the engine's n-th root, which refuses n < 1.
TEST(NativeBridge, RootsBySquareOrDegree) {
    BigNumber engine;
    EXPECT_EQ(std::string(calc_bridge_sqrtn(&engine, "-4", 2)), "2.00000000*i");
    EXPECT_EQ(std::string(calc_bridge_sqrtn(&engine, "-8", 3)), "-2");
    EXPECT_EQ(std::string(calc_bridge_sqrtn(&engine, "16", 4)), "2");
    EXPECT_EQ(std::string(calc_bridge_sqrtn(&engine, nullptr, 2)), "0.00000000");
    for (int n : {0, -3})
        EXPECT_EQ(std::string(calc_bridge_sqrtn(&engine, "27", n)), "Error> the degree of a root must be at least 1.");
    engine.setMode(1); // fractions: the simplified radical
    EXPECT_EQ(std::string(calc_bridge_sqrtn(&engine, "8", 2)), "2*sqrt(2)");
}

TEST(NativeBridge, PrecisionChangesOnlyForPositiveCounts) {
    BigNumber engine;
    EXPECT_EQ(calc_bridge_setprecision(&engine, 20), 20);
    EXPECT_EQ(engine.getPrecision(), 20);
    EXPECT_EQ(calc_bridge_setprecision(&engine, 0), 0);
    EXPECT_EQ(calc_bridge_setprecision(&engine, -5), -5);
    EXPECT_EQ(engine.getPrecision(), 20);
    EXPECT_EQ(calc_bridge_setprecision(nullptr, 12), 12);
}

} // namespace
