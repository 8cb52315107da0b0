// The engine bridge: which member answers, absent inputs, the mode word; and the short road
// for integer texts, which must answer exactly what the engine answers.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "BigNumber.h"
#include "bridge/engine_bridge.h"
#include "bridge/small_integers.h"

namespace {

TEST(EngineBridge, ComparisonsAndAbsentInputs) {
    BigNumber engine;
    EXPECT_EQ(calc_bridge_less(&engine, "1", "2"), 1);
    EXPECT_EQ(calc_bridge_less(&engine, "2", "1"), 0);
    EXPECT_EQ(calc_bridge_less(&engine, "2", "2.0"), 0);
    EXPECT_EQ(calc_bridge_less(&engine, "2.0", "2"), 0);
    EXPECT_EQ(calc_bridge_less(&engine, nullptr, "1"), 1); // absent reads "0"
    EXPECT_TRUE(calc_bridge_equal(&engine, "2", "2.0"));
    // An absent input is unequal to anything, without asking the engine (there is none here).
    EXPECT_FALSE(calc_bridge_equal(nullptr, nullptr, "1"));
    EXPECT_FALSE(calc_bridge_equal(nullptr, "1", nullptr));
    EXPECT_STREQ(calc_bridge_add(&engine, nullptr, nullptr), "0");
    EXPECT_STREQ(calc_bridge_subtract(&engine, nullptr, "5"), "-5");
    EXPECT_EQ(calc_bridge_setmode(nullptr, 3), 3);
}

TEST(EngineBridge, TheModeWordPicksDecimalsOrFractions) {
    BigNumber engine;
    struct Case {
        const char *(*bridge)(BigNumber *, const char *, const char *);
        const char *a;
        const char *b;
        const char *decimal;
        const char *fraction;
    };
    const Case cases[] = {
        {calc_bridge_divide, "1", "3", "0.33333333", "1|3"},
        {calc_bridge_divide_fr, "1", "3", "1|3", "1|3"},
        {calc_bridge_add, "1", "0.5", "1.5", "3|2"},
        {calc_bridge_subtract, "1", "0.25", "0.75", "3|4"},
        {calc_bridge_multiply, "0.5", "0.5", "0.25", "1|4"},
        // Quotient, remainder, power and falling product do not depend on the mode.
        {calc_bridge_intdiv, "7", "2", "3", "3"},
        {calc_bridge_mod, "-7", "2", "1", "1"},
        {calc_bridge_circumflex, "2", "10", "1024", "1024"},
        {calc_bridge_factorial, "5", "3", "60", "60"},
    };
    for (const Case &c : cases) {
        calc_bridge_setmode(&engine, 0);
        EXPECT_STREQ(c.bridge(&engine, c.a, c.b), c.decimal) << c.a << " " << c.b;
        calc_bridge_setmode(&engine, 1);
        EXPECT_STREQ(c.bridge(&engine, c.a, c.b), c.fraction) << c.a << " " << c.b;
    }
    calc_bridge_setmode(&engine, 0);
    EXPECT_EQ(std::string(calc_bridge_intdiv(&engine, "7.5", "2")),
              "\nhint> ===*=== syntax error ===*===\n    > the operand `7.5` of % must be integers.");
}

// An input may be the engine's own answer text: the bridge copies it before the call.
TEST(EngineBridge, AnInputMayBeTheEnginesLastAnswer) {
    BigNumber engine;
    const char *sum = calc_bridge_add(&engine, "1", "2");
    EXPECT_STREQ(calc_bridge_add(&engine, sum, sum), "6");
    EXPECT_STREQ(calc_bridge_divide(&engine, calc_bridge_add(&engine, "1", "2"), "2"), "1.5");
}

TEST(SmallIntegers, OnlyTheEnginesIntegerForm) {
    struct Case {
        const char *text;
        bool taken;
        int64_t value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"-7", true, -7},
        {"999999999999999999", true, 999999999999999999},
        {"-999999999999999999", true, -999999999999999999},
        {"1000000000000000000", false, 0}, // nineteen digits
        {"007", false, 0},
        {"-0", false, 0},
        {"+5", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"1.0", false, 0},
        {"1|2", false, 0},
        {"12a", false, 0},
        {" 1", false, 0},
    };
    for (const Case &c : cases) {
        int64_t value = 0;
        EXPECT_EQ(small_integer_parse(c.text, static_cast<int>(std::string(c.text).size()), &value), c.taken)
            << c.text;
        if (c.taken) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

// The short road against the engine, on random integers of every length and on the edges.
TEST(SmallIntegers, AnswerExactlyAsTheEngine) {
    using Member = std::string &(BigNumber::*)(const std::string &, const std::string &);
    const std::pair<SmallIntegerOp, Member> operations[] = {
        {SMALL_ADD, &BigNumber::addition},
        {SMALL_SUBTRACT, &BigNumber::real_subtraction},
        {SMALL_MULTIPLY, &BigNumber::multiplication},
        {SMALL_QUOTIENT, &BigNumber::quotient_operator},
        {SMALL_REMAINDER, &BigNumber::int_remainder},
    };
    std::mt19937_64 random(13);
    std::vector<int64_t> values = {0, 1, -1, 2, -2, 9, 10, -10, 999999999999999999, -999999999999999999,
                                   3037000499, -3037000500, 1000000000, 999999999};
    for (int i = 0; i < 300; ++i) {
        int digits = 1 + static_cast<int>(random() % SMALL_INTEGER_DIGITS_MAX);
        int64_t limit = 1;
        for (int d = 0; d < digits; ++d) limit *= 10;
        auto v = static_cast<int64_t>(random() % static_cast<uint64_t>(limit));
        values.push_back(random() % 2 ? v : -v);
    }
    BigNumber engine;
    std::uniform_int_distribution<size_t> pick(0, values.size() - 1);
    for (int i = 0; i < 4000; ++i) {
        int64_t a = values[pick(random)];
        int64_t b = values[pick(random)];
        std::string ta = std::to_string(a);
        std::string tb = std::to_string(b);
        for (auto &[op, member] : operations) {
            char out[SMALL_INTEGER_TEXT_SIZE];
            bool inForm = false;
            int64_t value = 0;
            int length = small_integer_answer(op, a, b, out, &inForm, &value);
            if (length < 0) continue; // left to the engine (a zero divisor, an overflowing product)
            std::string expected = (engine.*member)(ta, tb);
            ASSERT_EQ(std::string(out, static_cast<size_t>(length)), expected) << ta << " op" << op << " " << tb;
            int64_t parsed = 0;
            bool parses = small_integer_parse(out, length, &parsed);
            ASSERT_EQ(inForm, parses) << out;
            if (parses) {
                ASSERT_EQ(value, parsed) << out;
            }
        }
    }
}

TEST(SmallIntegers, LeaveZeroDivisorsAndOverflowToTheEngine) {
    char out[SMALL_INTEGER_TEXT_SIZE];
    bool inForm = false;
    int64_t value = 0;
    EXPECT_EQ(small_integer_answer(SMALL_QUOTIENT, 5, 0, out, &inForm, &value), -1);
    EXPECT_EQ(small_integer_answer(SMALL_REMAINDER, 5, 0, out, &inForm, &value), -1);
    EXPECT_EQ(small_integer_answer(SMALL_MULTIPLY, 999999999999999999, 999999999999999999, out, &inForm, &value), -1);
    EXPECT_EQ(small_integer_answer(SMALL_NONE, 1, 1, out, &inForm, &value), -1);
    ASSERT_EQ(small_integer_answer(SMALL_QUOTIENT, -1, 2, out, &inForm, &value), 2);
    EXPECT_STREQ(out, "-0");
    EXPECT_FALSE(inForm);
}

} // namespace
