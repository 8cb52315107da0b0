#include <gtest/gtest.h>

#include "BigNumber.h"

TEST(Rounding, FloorCeilRound) {
    struct {
        const char *x, *floor, *ceil, *round;
    } cases[] = {
        {"2.7", "2", "3", "3"},     {"-2.7", "-3", "-2", "-3"}, {"-2.0", "-2", "-2", "-2"},
        {"-0.5", "-1", "-0", "-1"}, {"-0.0", "-0", "-0", "-0"}, {"+2.5", "+2", "3", "3"},
        {"7", "7", "7", "7"},       {"-7", "-7", "-7", "-7"},   {"2.1", "2", "3", "2"},
        {"2.0", "2", "2", "2"},     {"9.5", "9", "10", "10"},   {"09.5", "09", "10", "10"},
        {"2.49", "2", "3", "2"},    {"2.51", "2", "3", "3"},    {"-2.5", "-3", "-2", "-3"},
        {"-2.4", "-3", "-2", "-2"}, {"-0.4", "-1", "-0", "-0"}, {"+2.4", "+2", "3", "2"},
        {"2.", "2", "2", "2"},      {".5", "0", "1", "1"},      {"-.5", "-1", "-0", "-1"},
        {"99999999999999999999.9", "99999999999999999999", "100000000000000000000", "100000000000000000000"},
    };
    BigNumber bn;
    for (auto &c : cases) {
        EXPECT_EQ(bn.floor_real(c.x), c.floor) << c.x;
        EXPECT_EQ(bn.ceil_real(c.x), c.ceil) << c.x;
        EXPECT_EQ(bn.round_real(c.x), c.round) << c.x;
    }
    EXPECT_EQ(bn.floor_real("abc"), "abc should be a valid real number.");
    EXPECT_EQ(bn.ceil_real("abc"), "abc should be a valid real number.");
    EXPECT_EQ(bn.round_real("abc"), "abc should be a valid real number.");
}
