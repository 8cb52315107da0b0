#include <gtest/gtest.h>

#include <string>

#include "BigNumber.h"

TEST(Exponential, BothForms) {
    struct {
        const char *x;
        int precision;
        const char *command;  // exponential
        const char *value;    // exponentialValue
    } cases[] = {
        {"1", 8, "2.71828182", "2.71828182"},    // the stored digits, cut
        {"0", 8, "1", "1"},
        {"+0", 8, "1", "1"},
        {"-0", 8, "1", "1"},
        {"", 8, "1", "1"},
        {"-1", 8, "0.36787944", "0.36787944"},
        {"2", 8, "7.38905610", "7.3890560"},      // whole numbers: rounded, the twin cut one shorter
        {"3", 8, "20.08553692", "20.0855369"},
        {"0.5", 8, "1.6487212", "1.6487212"},     // decimals: one decimal fewer, cut
        {"1.0", 8, "2.7182818", "2.7182818"},
        {"-0.5", 8, "0.60653066", "0.60653066"},
        {"0.001", 8, "1.0010005", "1.0010005"},
        {"00", 8, "1.00000000", "1.0000000"},
        {"0.0", 8, "1.0000000", "1.0000000"},
        {"-0.0", 8, "1", "1"},
        {"--2", 8, "7.38905610", "7.38905610"},
        {"+2.5", 8, "12.1824939", "12.1824939"},
        {"1", 0, "2", "2"},
        {"2", 1, "7.4", "7"},
        {"200", 8,  // a fixed number of series terms was 92% off
         "722597376812574925817747704218930569735687442852731928403269789123221909361473891661561.92658906",
         "722597376812574925817747704218930569735687442852731928403269789123221909361473891661561.9265890"},
        {"-1000000", 8, "0.00000000", "0.00000000"},
        {"+2", 8, "Error", "Error"},
        {"1/2", 8, "Error", "Error"},
        {"x", 8, "Error", "Error"},
        {"-x", 8, "Error", "Error"},
        {"Inf", 8, "Error", "Error"},
        {"-Inf", 8, "Error", "Error"},
        {"1e5", 8, "Error", "Error"},
    };
    BigNumber bn;
    for (auto &c : cases) {
        bn.setPrecision(c.precision);
        EXPECT_EQ(bn.exponential(c.x), c.command) << c.x << " at " << c.precision;
        EXPECT_EQ(bn.exponentialValue(c.x), c.value) << c.x << " at " << c.precision;
    }
}

TEST(Exponential, AnswersTooLongToWrite) {
    BigNumber bn;
    EXPECT_EQ(bn.exponential("1000000"), "Error> exp(1000000) would have more than 120000 digits.");
    EXPECT_EQ(bn.exponentialValue("12345678901234567890.5"),
              "Error> exp(12345678901234567890.5) would have more than 120000 digits.");
    EXPECT_EQ(bn.exponential("--1000000"), "Error> exp(--1000000) would have more than 120000 digits.");
    EXPECT_EQ(bn.exponential("276400"), "Error> exp(276400) would have more than 120000 digits.");
    bn.setPrecision(100001);
    EXPECT_EQ(bn.exponential("2"), "Error> exp is computed to at most 100000 decimals.");
}
