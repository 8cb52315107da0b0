#include <gtest/gtest.h>

#include "BigNumber.h"

TEST(NumberBases, DecimalToBase) {
    struct {
        const char *x, *p, *want;
    } cases[] = {{"255", "16", "0xff"}, {"-255", "16", "-0xff"}, {"5", "2", "101"},  {"35", "36", "z"},
                 {"36", "36", "10"},    {"8", "8", "010"},       {"7", "8", "07"},   {"1", "2", "1"},
                 {"0", "7", "0"},       {"-0", "16", "0"},       {"10", "016", "a"},
                 {"5", "1", "Error> the base must be an integer from 2 to 36."},
                 {"5", "37", "Error> the base must be an integer from 2 to 36."},
                 {"5", "0", "Error> the base must be an integer from 2 to 36."}};
    BigNumber bn;
    for (auto &c : cases) EXPECT_EQ(bn.decimal_to_base(c.x, c.p), c.want) << c.x << " base " << c.p;
    EXPECT_EQ(bn.decimal_to_hex("4096"), "0x1000");
    EXPECT_EQ(bn.decimal_to_octal("64"), "0100");
}

TEST(NumberBases, BaseToDecimal) {
    const std::string bad = " is NOT a valid p-base number, where p <=36.";
    struct {
        const char *x, *p;
        std::string want;
    } cases[] = {{"ff", "16", "255"},  {"FF", "16", "255"}, {"101", "2", "5"},   {"z", "36", "35"},
                 {"19", "8", "19" + bad},    {"0x1f", "10", "31"}, {"017", "2", "15"}, {"-101", "2", "-5"},
                 {"1.5", "10", "1.5" + bad}, {"0-101", "2", "-5"}, {"0-0x10", "2", "-16"}, {"-0x1f", "3", "-31"},
                 {"0", "10", "0"}};
    BigNumber bn;
    for (auto &c : cases) EXPECT_EQ(bn.base_to_decimal(c.x, c.p), c.want) << c.x << " base " << c.p;
    const std::pair<const char *, std::string> hex[] = {
        {"0x1f", "31"}, {"-0x1f", "-31"}, {"0x0", "0"}, {"-0", "0"}, {"-0x0", "0"},
        {"0x", "0x is NOT a valid hexadecimal number."}, {"12", "12 is NOT a valid hexadecimal number."},
        {"123", "The first two characters of 123 should be `0x`."},
        {"-123", "The first two characters of 123 should be `0x`."},
        {"0X1F", "The first two characters of 0X1F should be `0x`."}, {"0xfg", "0xfg is NOT a valid hexadecimal number."}};
    for (auto &[in, want] : hex) EXPECT_EQ(bn.hex_to_decimal(in), want) << in;
    const std::pair<const char *, std::string> oct[] = {
        {"017", "15"}, {"-017", "-15"}, {"00", "0"}, {"-0", "0"}, {"0", "0"},
        {"7", "7 is NOT a valid octal number."}, {"018", "018 is NOT a valid octal number."},
        {"17", "The first character of 17 should be `0`."}};
    for (auto &[in, want] : oct) EXPECT_EQ(bn.octal_to_decimal(in), want) << in;
    std::string out = "untouched";
    EXPECT_EQ(bn.digits_to_decimal("16", {}, out), -1);
    EXPECT_EQ(out, "untouched");
    EXPECT_EQ(bn.digits_to_decimal("16", {"15", "15"}, out), 0);
    EXPECT_EQ(out, "255");
}

TEST(NumberBases, BinaryAndGray) {
    BigNumber bn;
    const std::pair<const char *, const char *> toBinary[] = {
        {"5", "101"},           {"-6", "-110"},          {"5.", "101"},     {"2.5", "10.10000000"},
        {"0.1", "0.00011001"},  {"-0.5", "-0.10000000"}, {"0", "0"},        {"1", "1"},
        {"-.5", "-0.10000000"}, {"6", "110"}};
    for (auto [in, want] : toBinary) EXPECT_EQ(bn.decimal_to_binary(in), want) << in;
    const std::pair<const char *, const char *> fromBinary[] = {
        {"101", "5"}, {"-101", "-5"}, {"10.1", "2.5"}, {"0.01", "0.25"}, {".1", "0.5"}, {"10.00", "2"}};
    for (auto [in, want] : fromBinary) EXPECT_EQ(bn.binary_to_decimal(in), want) << in;
    EXPECT_EQ(bn.binary_to_gray("110"), "101");
    EXPECT_EQ(bn.gray_to_binary("101"), "110");
    EXPECT_EQ(bn.binary_to_gray("011"), "010");
    EXPECT_EQ(bn.binary_xor("101", "11"), "110");
    EXPECT_EQ(bn.binary_xor("11", "10"), "01");
    EXPECT_EQ(bn.gray_to_binary(""), "");
}

TEST(NumberBases, LongNumbersRoundTrip) {
    BigNumber bn;
    std::string x(3000, '7');
    x[0] = '9';
    std::string hex = bn.decimal_to_hex(x);
    EXPECT_EQ(bn.hex_to_decimal(hex), x);
    std::string b36 = bn.decimal_to_base(x, "36");
    EXPECT_EQ(bn.base_to_decimal(b36, "36"), x);
    std::string bits = bn.integer_to_binary(x);
    EXPECT_EQ(bn.binary_to_decimal(bits), x);
}
