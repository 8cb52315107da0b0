#include <gtest/gtest.h>

#include <cstring>

#include "BigNumber.h"
#include "globals.h"

TEST(Globals, LongConstantsHaveTheirForm) {
    struct {
        const std::string &text;
        size_t length;
        const char *head;
    } constants[] = {{__pi__, 10122, "3.14159265358979"},
                     {__e__, 10001, "2.71828182845904"},
                     {__ln2__, 1002, "0.69314718055994"}};
    for (auto &c : constants) {
        EXPECT_EQ(c.text.size(), c.length);
        EXPECT_EQ(c.text.substr(0, 16), c.head);
        EXPECT_EQ(c.text.find_first_not_of("0123456789", 2), std::string::npos);
    }
    EXPECT_EQ(cst_16, "16");
    EXPECT_EQ(cst_half, "0.5");
}

TEST(Globals, TablesStartEmpty) {
    EXPECT_TRUE(poly_vars.empty());
    EXPECT_TRUE(derivative_rules.empty());
    EXPECT_EQ(bignumber_global.getPrecision(), 8);
    EXPECT_EQ(claimed_right_side("cos(2x)"), nullptr);  // no reader installed: no claims
}

TEST(Globals, SplitTokens) {
    char buf[] = ",a,,bc,";
    std::vector<std::string> out = {"keep"};
    EXPECT_EQ(split_tokens(buf, ",", out), 2);
    EXPECT_EQ(out, (std::vector<std::string>{"keep", "a", "bc"}));
    char empty[] = "";
    EXPECT_EQ(split_tokens(empty, ",", out), 0);
    char multi[] = "1;2 3";
    out.clear();
    EXPECT_EQ(split_tokens(multi, "; ", out), 3);
}
