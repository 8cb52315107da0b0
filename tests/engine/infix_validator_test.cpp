#include <gtest/gtest.h>

#include "tools.h"

TEST(InfixValidator, Table) {
    const std::pair<const char *, bool> cases[] = {
        {"1+2", true},    {"-1", true},      {"(-1)", true},   {"~1", true},    {"1~2", true},
        {"3|4", true},    {"1/0", true},     {"1+-2", false},  {"2^-1", false}, {"2^(-1)", true},
        {"--1", false},   {"2(3)", true},    {"(2)(3)", true}, {"5!3", true},   {"5!", true},
        {"5!!", false},   {"(5)!", true},    {"50%", true},    {"50%3", true},  {"50%%", false},
        {"5!%", false},   {".5", true},      {"5.", false},    {"1.2.3", true}, {"1..2", false},
        {"(1.)+2", false}, {"(/3)", true},   {"2(/3)", false}, {"1e5", false},  {"x+1", false},
        {"1 + 2", false}, {"1==2", false},   {"", false},      {"()", false},   {"(1", false},
        {"1)", false},    {")1(", false},    {"((1))", true},  {"1+", false},   {"\xc3\xa4", false},
    };
    for (auto [text, want] : cases) EXPECT_EQ(isInfixValid(text), want) << text;
}
