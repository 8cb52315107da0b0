// The engine bridge: which member answers, absent inputs, the mode word; and the integer road,
// which must answer exactly what the engine answers.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "BigNumber.h"
#include "bridge/engine_bridge.h"
#include "bridge/integer_road.h"

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

TEST(IntegerRoad, OnlyTheEnginesIntegerForm) {
    struct Case {
        const char *text;
        IntegerForm form;
        int64_t value;
    };
    const Case cases[] = {
        {"0", INTEGER_FORM_SHORT, 0},
        {"-7", INTEGER_FORM_SHORT, -7},
        {"999999999999999999", INTEGER_FORM_SHORT, 999999999999999999},
        {"-999999999999999999", INTEGER_FORM_SHORT, -999999999999999999},
        {"1000000000000000000", INTEGER_FORM_LONG, 0},
        {"-123456789012345678901234567890", INTEGER_FORM_LONG, 0},
        {"007", INTEGER_FORM_NONE, 0},
        {"-0", INTEGER_FORM_NONE, 0},
        {"+5", INTEGER_FORM_NONE, 0},
        {"", INTEGER_FORM_NONE, 0},
        {"-", INTEGER_FORM_NONE, 0},
        {"1.0", INTEGER_FORM_NONE, 0},
        {"1|2", INTEGER_FORM_NONE, 0},
        {"12a", INTEGER_FORM_NONE, 0},
        {" 1", INTEGER_FORM_NONE, 0},
        {"1234567890123456789012345x", INTEGER_FORM_NONE, 0},
    };
    for (const Case &c : cases) {
        int64_t value = 0;
        EXPECT_EQ(integer_form(c.text, static_cast<int>(std::string(c.text).size()), &value), c.form)
            << c.text;
        if (c.form == INTEGER_FORM_SHORT) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

// Random integer texts of every length up to some dozens of digits, with the edges of the
// short form, carries and borrows through long runs of nines and zeros, and powers of ten.
std::vector<std::string> integer_texts(std::mt19937_64 &random) {
    std::vector<std::string> texts = {"0",
                                      "1",
                                      "-1",
                                      "7",
                                      "-7",
                                      "10",
                                      "100000000000000000000",
                                      "999999999",
                                      "999999999999999999",
                                      "-999999999999999999",
                                      "1000000000000000000",
                                      "99999999999999999999999999",
                                      "-100000000000000000000000000",
                                      "1000000000"};
    for (int i = 0; i < 300; ++i) {
        int digits = 1 + static_cast<int>(random() % 60);
        std::string t(1, static_cast<char>('1' + random() % 9));
        char fill = "0123456789"[random() % 10];
        for (int d = 1; d < digits; ++d)
            t += random() % 4 == 0 ? fill : static_cast<char>('0' + random() % 10);
        texts.push_back(random() % 2 ? t : "-" + t);
    }
    return texts;
}

IntegerText road_text(const std::string &t) {
    int64_t value = 0;
    IntegerForm form = integer_form(t.c_str(), static_cast<int>(t.size()), &value);
    return {t.c_str(), static_cast<int>(t.size()), form, value};
}

// The road against the engine: whenever it answers, it answers the engine's text, and the form
// it reports is the form of that text.
TEST(IntegerRoad, AnswersExactlyAsTheEngine) {
    using Member = std::string &(BigNumber::*)(const std::string &, const std::string &);
    const std::pair<IntegerOp, Member> operations[] = {
        {INTEGER_ADD, &BigNumber::addition},
        {INTEGER_SUBTRACT, &BigNumber::real_subtraction},
        {INTEGER_MULTIPLY, &BigNumber::multiplication},
        {INTEGER_QUOTIENT, &BigNumber::quotient_operator},
        {INTEGER_REMAINDER, &BigNumber::int_remainder},
    };
    std::mt19937_64 random(13);
    std::vector<std::string> texts = integer_texts(random);
    BigNumber engine;
    std::uniform_int_distribution<size_t> pick(0, texts.size() - 1);
    std::string out;
    std::map<IntegerOp, int> answered;
    for (int i = 0; i < 6000; ++i) {
        const std::string &ta = texts[pick(random)];
        const std::string &tb = texts[pick(random)];
        IntegerText a = road_text(ta);
        IntegerText b = road_text(tb);
        ASSERT_EQ(integer_less(a, b), engine.isLessThan(ta, tb)) << ta << " < " << tb;
        for (auto &[op, member] : operations) {
            IntegerForm form = INTEGER_FORM_UNKNOWN;
            int64_t value = 0;
            int64_t shortValue = 0;
            bool isShort = integer_short_value(op, a, b, &shortValue);
            if (!integer_answer(op, a, b, out, &form, &value)) {
                ASSERT_FALSE(isShort); // the engine's to answer
                continue;
            }
            answered[op]++;
            std::string expected = (engine.*member)(ta, tb);
            if (isShort) {
                ASSERT_EQ(form, INTEGER_FORM_SHORT) << out;
                ASSERT_EQ(shortValue, value) << out;
            }
            ASSERT_EQ(out, expected) << ta << " op" << op << " " << tb;
            int64_t read = 0;
            ASSERT_EQ(form, integer_form(out.c_str(), static_cast<int>(out.size()), &read)) << out;
            if (form == INTEGER_FORM_SHORT) {
                ASSERT_EQ(value, read) << out;
            }
        }
    }
    // Not a vacuous agreement: every operation took the road, short and long texts alike.
    for (auto &[op, member] : operations) EXPECT_GT(answered[op], 500) << op;
}

TEST(IntegerRoad, LeavesTheRestToTheEngine) {
    std::string out;
    IntegerForm form = INTEGER_FORM_UNKNOWN;
    int64_t value = 0;
    const std::string longText = "123456789012345678901234567890";
    struct Case {
        IntegerOp op;
        const char *a;
        const char *b;
    };
    const Case cases[] = {
        {INTEGER_QUOTIENT, "5", "0"},
        {INTEGER_REMAINDER, "5", "0"},
        {INTEGER_MULTIPLY, "999999999999999999", "999999999999999999"}, // overflows a word
        {INTEGER_MULTIPLY, longText.c_str(), "1234567891"},             // a factor of ten digits
        {INTEGER_QUOTIENT, longText.c_str(), "7"},
        {INTEGER_REMAINDER, longText.c_str(), "7"},
        {INTEGER_NONE, "1", "1"},
    };
    for (const Case &c : cases)
        EXPECT_FALSE(integer_answer(c.op, road_text(c.a), road_text(c.b), out, &form, &value))
            << c.a << " " << c.b;
    ASSERT_TRUE(integer_answer(INTEGER_QUOTIENT, road_text("-1"), road_text("2"), out, &form, &value));
    EXPECT_EQ(out, "-0");
    EXPECT_EQ(form, INTEGER_FORM_NONE);
}

} // namespace
