#include <gtest/gtest.h>

#include "BigNumber.h"

TEST(SeriesSum, NumericalAndFractionMode) {
    BigNumber bn;
    EXPECT_EQ(bn.sumSeries("n^2", "n", "1", "3", false, false), "14");
    EXPECT_EQ(bn.sumSeries("n", "n", "-3", "-1", false, false), "-6");
    EXPECT_EQ(bn.sumSeries("1/n", "n", "1", "3", false, false), "1.83333333");
    EXPECT_EQ(bn.sumSeries("7", "n", "2", "5", true, false), "28");
    EXPECT_EQ(bn.sumSeries("n", "n", "5", "1", false, false), "0");  // bounds that never meet: no terms
    testing::internal::CaptureStdout();
    EXPECT_EQ(bn.sumSeries("n^2", "n", "1", "3", false, true), "14");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "1^2+2^2+3^2");
    bn.setMode(1);
    EXPECT_EQ(bn.sumSeries("1/n", "n", "1", "3", false, false), "11|6");
    EXPECT_EQ(bn.sumSeries("1/2", "n", "1", "3", true, false), "3|2");
}
