#include <gtest/gtest.h>

#include <string>

#include "BigNumber.h"

TEST(Angles, DegreesAsReducedFractionsOfPi) {
    const std::pair<const char *, const char *> cases[] = {
        {"90", "1/2pi"},   {"-45", "-1/4pi"},  {"+30", "1/6pi"},     {"180", "1/1pi"},
        {"360", "2/1pi"},  {"7", "7/180pi"},   {"0", "0"},           {"-0", "0"},
        {"+0", "0"},       {"00", "0"},        {"0090", "1/2pi"},    {"30.5", "61/360pi"},
        {"-22.5", "-1/8pi"}, {"45.0", "1/4pi"}, {"123456789012345678901234567890", "1371742100137174210013717421/2pi"},
        {"abc", "Error> abc is not a number of degrees."}, {"-", "Error> - is not a number of degrees."},
    };
    BigNumber bn;
    for (auto [degrees, want] : cases) EXPECT_EQ(bn.deg2radText(degrees), want) << degrees;
    EXPECT_EQ(bn.deg2radText("0." + std::string(999, '0') + "9000"), "1/2" + std::string(1001, '0') + "pi");
    EXPECT_EQ(bn.deg2radText("0." + std::string(1000, '0') + "9"), "Error> degrees are reduced with at most 1000 decimals.");
}

TEST(Angles, TurnOffsetCountsWholeTurnsExactly) {
    struct {
        const char *angle;
        int precision;
        const char *offset;
        const char *twoPi;
    } cases[] = {
        {"1", 8, "0", "6.2831853071794"},
        {"7", 8, "-1", "6.2831853071794"},
        {"13", 8, "-2", "6.28318530717958"},  // two integer digits: one more decimal of pi
        {"-1", 8, "1", "6.2831853071794"},
        {"-7", 8, "2", "6.2831853071794"},
        {"0", 8, "0", "6.2831853071794"},
        {"6.2831853071794", 8, "-1", "6.2831853071794"},
        // just below the 2pi in use: a quotient rounded before its floor would say -1
        {"6.28318530717939999999", 8, "0", "6.2831853071794"},
        {"1000000000000000", 8, "-159154943091895", "6.2831853071795864769252867664"},
        {"1", 0, "0", "6.28318"},
    };
    BigNumber bn;
    for (auto &c : cases) {
        bn.setPrecision(c.precision);
        std::string twoPi;
        EXPECT_EQ(bn.turnOffset(c.angle, twoPi), c.offset) << c.angle;
        EXPECT_EQ(twoPi, c.twoPi) << c.angle;
        EXPECT_EQ(bn.getPrecision(), c.precision);
    }
}

TEST(Angles, TurnOffsetRefusesWhatThePiDigitsCannotReduce) {
    BigNumber bn;
    std::string twoPi = "old";
    EXPECT_EQ(bn.turnOffset("1" + std::string(10200, '0'), twoPi),
              "Error> the angle needs more than the 10120 stored decimals of pi.");
    EXPECT_EQ(twoPi, "");
    bn.setPrecision(10116);
    EXPECT_EQ(bn.turnOffset("1", twoPi), "Error> the angle needs more than the 10120 stored decimals of pi.");
    bn.setPrecision(10115);
    EXPECT_EQ(bn.turnOffset("1", twoPi), "0");
    EXPECT_EQ(twoPi.size(), 2u + 10120u);
    EXPECT_EQ(bn.turnOffset("x", twoPi), "Error> x is not an angle in radians.");
}

TEST(Angles, DoubleAngleTextsRefuseAnglesBeyondTheBuffer) {
    BigNumber bn;
    std::string long1000(1000, 'a');
    const char *refusal = "Error> the angle is too long for a double-angle text.";
    EXPECT_STREQ(bn.cosDoubleAngleText(long1000.c_str()), refusal);
    EXPECT_STREQ(bn.sinDoubleAngleText(long1000.c_str()), refusal);
    EXPECT_STREQ(bn.cosDoubleAngleText(nullptr), refusal);
}
