#include <gtest/gtest.h>

#include "BigNumber.h"

namespace {
struct Case {
    const char *a, *b, *want;
};
const char *kInf = "\xE2\x88\x9E";
const std::string kMinusInf = std::string("-") + kInf, kPlusInf = std::string("+") + kInf;
}  // namespace

TEST(IntegerDivision, Quotient) {
    const Case cases[] = {
        {"100", "1", "100"}, {"-8", "1", "-8"}, {"0", "5", "0"},  {"9", "3", "3"},   {"5", "7", "0"},
        {"-5", "7", "-0"},   {"-5", "10", "0"}, {"007", "7", "1"}, {"7", "2", "3"},  {"-7", "2", "-3"},
        {"7", "-2", "-3"},   {"-7", "-2", "3"},
        {"123456789012345678901234567890", "987654321", "124999998873437499901"},
    };
    BigNumber bn;
    for (const Case &c : cases) EXPECT_EQ(bn.int_quotient(c.a, c.b), c.want) << c.a << " % " << c.b;
}

TEST(IntegerDivision, Remainder) {
    const Case cases[] = {
        {"5", "0", "Inf"}, {"0", "0", "Inf"}, {"5", "1", "0"},  {"-5", "1", "0"}, {"6", "3", "0"},
        {"-6", "3", "0"},  {"-7", "3", "2"},  {"7", "-3", "1"}, {"3", "7", "3"},  {"-3", "7", "4"},
        {"19", "7", "5"},  {"-680", "47", "25"}, {"-7", "-3", "2"}, {"-5", "-1", "0"},
        // Divisors of value zero, or written with leading zeros, are taken by value.
        {"5", "00", "Inf"}, {"500", "-0", "Inf"}, {"-7", "03", "2"}, {"7", "", "Inf"},
    };
    BigNumber bn;
    for (const Case &c : cases) EXPECT_EQ(bn.int_remainder(c.a, c.b), c.want) << c.a << " @ " << c.b;
}

TEST(IntegerDivision, ToPrecision) {
    struct {
        const char *a, *b;
        int precision;
        std::string want;
    } cases[] = {
        {"1", "0", 8, kInf},           {"-1", "0", 8, kMinusInf},     {"0", "0", 8, kInf},
        {"5", "1", 8, "5"},            {"1", "3", 8, "0.33333333"},   {"2", "3", 8, "0.66666667"},
        {"-2", "3", 8, "-0.66666667"}, {"2", "-3", 8, "-0.66666667"}, {"-2", "-3", 8, "0.66666667"},
        {"1", "4", 8, "0.25"},         {"3", "4", 1, "0.8"},          {"1", "16", 3, "0.063"},
        {"99", "100", 1, "1.0"},       {"999", "100", 1, "10.0"},     {"00", "5", 8, "0.00000000"},
        {"10", "5", 8, "2"},           {"7", "2", 8, "3.5"},          {"1", "8", 2, "0.13"},
        {"-1", "8", 2, "-0.13"},       {"1", "512", 8, "0.00195313"}, {"9996", "1000", 2, "10.00"},
        {"996", "1000", 2, "1.00"},    {"-1", "1000", 2, "-0.00"},    {"1", "7", 0, "0"},
        {"5", "00", 8, kInf},          {"10", "05", 8, "2"},          {"1", "3", 30, "0.333333333333333333333333333333"},
    };
    BigNumber bn;
    for (auto &c : cases) {
        bn.setPrecision(c.precision);
        EXPECT_EQ(bn.int_division(c.a, c.b), c.want) << c.a << " / " << c.b << " @" << c.precision;
    }
}

TEST(RealDivision, Numbers) {
    struct {
        const char *a, *b;
        int precision;
        std::string want;
    } cases[] = {
        {"1", "4", 8, "0.25"},  {"2", "3", 8, "0.66666667"}, {"10", "4", 8, "2.5"},   {"0.3", "0.1", 8, "3"},
        {"1", "0.03", 8, "33.33333333"}, {"7", "-2", 8, "-3.5"}, {"+6", "3", 8, "2"}, {"007", "7", 8, "1"},
        {"1.5", "0.5", 8, "3"}, {"2.5", "1", 8, "2.5"},      {"5", "0.1", 8, "50"},   {"-1", "3", 8, "-0.33333333"},
        {"-1", "-3", 8, "0.33333333"}, {"0", "-5", 8, "-0"}, {"-0", "5", 8, "-0"},    {"0.0", "5", 8, "0"},
        {"5", "0", 8, "+Inf"},  {"-5", "0", 8, "-Inf"},      {"5", "-0", 8, "-Inf"},  {"-5", "-0", 8, "+Inf"},
        {"0", "0", 8, "-NaN"},  {"-0", "-0", 8, "-NaN"},     {"0", "+0", 8, kInf},    {"-3", "0.0", 8, kMinusInf},
        {"0", "0.0", 8, kInf},  {"0", "0.5", 8, "0"},       {"-1", "1000", 2, "-0.00"},
        // one form for a zero quotient, whatever the decimals of the operands
        {"0", "0.001", 8, "0"}, {"0.000", "7.5", 8, "0"},    {"-0.0", "0.25", 8, "-0"},  {"0", "7", 8, "0"},
    };
    BigNumber bn;
    for (auto &c : cases) {
        bn.setPrecision(c.precision);
        EXPECT_EQ(bn.real_division(c.a, c.b), c.want) << c.a << " / " << c.b;
    }
}

TEST(QuotientOperator, IntegersZerosAndDecimals) {
    const std::string hint = "\nhint> ===*=== syntax error ===*===\n    > the operand `";
    struct {
        const char *a, *b;
        std::string want;
    } cases[] = {
        {"9", "3", "3"},       {"0", "5", "0"},        {"0", "0", "NaN"},      {"-0", "+0", "NaN"},
        {"7", "2", "3"},       {"-7", "2", "-3"},      {"7", "-2", "-3"},      {"2", "7", "0"},
        {"-5", "7", "-0"},     {"100", "1", "100"},    {"5", "0", kPlusInf},   {"5", "+0", kPlusInf},
        {"5", "-0", kMinusInf}, {"-5", "0", kMinusInf}, {"-5", "+0", kMinusInf}, {"-5", "-0", kPlusInf},
        // A divisor of value zero written otherwise is still zero (this used to never end).
        {"5", "00", kPlusInf}, {"500", "-00", kMinusInf}, {"00", "000", "NaN"},
        {"7.5", "2", hint + "7.5` of % must be integers."},
        {"7", "2.5", hint + "2.5` of % must be integers."},
        {"7.5", "2.5", hint + "7.5` of % must be integers."},
    };
    BigNumber bn;
    for (auto &c : cases) EXPECT_EQ(bn.quotient_operator(c.a, c.b), c.want) << c.a << " % " << c.b;
    bn.quotient_operator("7.5", "2");
    EXPECT_EQ(bn.getResult(), "");
}
