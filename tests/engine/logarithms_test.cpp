#include <gtest/gtest.h>

#include <string>

#include "BigNumber.h"
#include "globals.h"

TEST(Logarithms, ConstantsAreCut) {
    BigNumber bn;
    EXPECT_EQ(bn.ln2(), "0.69314718");
    EXPECT_EQ(bn.ln10(), "2.30258509");
    bn.setPrecision(20);
    // 3 ln 2 enters cut, so ln 10 ends below its true digits ...68401
    EXPECT_EQ(bn.ln10(), "2.30258509299404568399");
    bn.setPrecision(2);
    EXPECT_EQ(bn.ln10(), "2.29");  // one unit below
    // with fewer decimals the cut ln 2 would take three units (2.0) or the integer digit
    bn.setPrecision(1);
    EXPECT_EQ(bn.ln10(), "2.3");
    bn.setPrecision(0);
    EXPECT_EQ(bn.ln2(), "0");
    EXPECT_EQ(bn.ln10(), "2");
    bn.setPrecision(1000);
    EXPECT_EQ(bn.ln2(), __ln2__);
    bn.setPrecision(1001);
    EXPECT_EQ(bn.ln2(), __ln2__ + "6");
    bn.setPrecision(100001);
    EXPECT_EQ(bn.ln2(), "Error> ln is computed to at most 100000 decimals.");
    EXPECT_EQ(bn.ln10(), "Error> ln is computed to at most 100000 decimals.");
}

TEST(Logarithms, NaturalLog) {
    struct {
        const char *x;
        int precision;
        const char *want;
    } cases[] = {
        {"1", 8, "0"},
        {"+1", 8, "0"},
        {"0", 8, "-\xE2\x88\x9E"},
        {"0.0", 8, "-\xE2\x88\x9E"},  // zero by value
        {"+0", 8, "-\xE2\x88\x9E"},
        {"-5", 8, "Error: -5 is less than zero."},
        {"-0", 8, "Error: -0 is less than zero."},
        {"-0.5", 8, "Error: -0.5 is less than zero."},
        {"2", 8, "0.69314718"},
        {"10", 8, "2.30258509"},
        {"4", 8, "1.38629436"},
        {"8", 8, "2.07944154"},
        {"3", 8, "1.09861229"},
        {"1.5", 8, "0.40546511"},
        {"0.5", 8, "-0.69314718"},
        {"3.9", 8, "1.36097655"},     // a fixed count of series terms gave 1.348
        {"0.01", 8, "-4.60517019"},   // ... and -3.23
        {"1024", 8, "6.93147181"},    // ten cut ln 2 would end in 180
        {"1.0", 8, "0.00000000"},
        {"2.0", 8, "0.69314718"},
        {"10.00", 20, "2.30258509299404568402"},  // the general road rounds the true value
        {"10", 20, "2.30258509299404568402"},     // and so does the text 10 (not the cut constant)
        {"2", 0, "0"},
        {"3", 0, "1"},
        {"Inf", 8, "Inf"},
        {"+\xE2\x88\x9E", 8, "\xE2\x88\x9E"},
        {"-Inf", 8, "Error: -Inf is less than zero."},
        {"NaN", 8, "NaN"},
        {"-NaN", 8, "NaN"},
        {"abc", 8, "Error: abc is not a real number."},
        {"1/2", 8, "Error: 1/2 is not a real number."},
        {"+", 8, "Error: + is not a real number."},
    };
    BigNumber bn;
    for (auto &c : cases) {
        bn.setPrecision(c.precision);
        EXPECT_EQ(bn.naturalLog(c.x), c.want) << c.x << " at " << c.precision;
    }
}

// One number, one answer: the texts of ten give the same true digits at every precision.
TEST(Logarithms, TenHasOneAnswer) {
    BigNumber bn;
    for (int p : {0, 1, 2, 8, 20, 57, 300}) {
        bn.setPrecision(p);
        std::string ten = bn.naturalLog("10");
        EXPECT_EQ(bn.naturalLog("10.0"), ten) << p;
        EXPECT_EQ(bn.naturalLog("+10"), ten) << p;
        EXPECT_EQ(bn.naturalLog("010"), ten) << p;
    }
}

TEST(Logarithms, ExtremeArguments) {
    BigNumber bn;
    EXPECT_EQ(bn.naturalLog("1" + std::string(5000, '0')), "11512.92546497");
    EXPECT_EQ(bn.naturalLog("0." + std::string(4999, '0') + "1"), "-11512.92546497");
    // only the leading digits of a long argument matter
    EXPECT_EQ(bn.naturalLog("3." + std::string(100000, '0') + "1"), "1.09861229");
    bn.setPrecision(100001);
    EXPECT_EQ(bn.naturalLog("3"), "Error> ln is computed to at most 100000 decimals.");
}

// In fraction mode the decimal answer comes back as its fraction.
TEST(Logarithms, FractionMode) {
    BigNumber bn;
    bn.setMode(1);
    EXPECT_EQ(bn.naturalLog("1.5"), "40546511|100000000");
    EXPECT_EQ(bn.naturalLog("0.5"), "-34657359|50000000");
    EXPECT_EQ(bn.naturalLog("3"), "109861229|100000000");
    EXPECT_EQ(bn.naturalLog("1"), "0");
    EXPECT_EQ(bn.naturalLog("2"), "0.69314718");
}
