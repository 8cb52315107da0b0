// Claims: the records, the strictness of inequality claims and storing without replacement.
#include <gtest/gtest.h>

#include "BigNumber.h"
#include "Calculator.h"
#include "claims/claims.h"
#include "globals.h"

namespace {

struct ClaimTables : ::testing::Test {
    void SetUp() override { clear(); }
    void TearDown() override { clear(); }
    static void clear() {
        equality_claims.clear();
        inequality_claims.clear();
    }
};

TEST(ClaimRecords, Records) {
    EqualityClaim e = makeEqualityClaim(true, "a", "b+1");
    EXPECT_TRUE(e.active);
    EXPECT_EQ(e.lhs, "a");
    EXPECT_EQ(e.rhs, "b+1");
    EXPECT_EQ(e.difference, "(a)-(b+1)");
    EXPECT_EQ(claim_value(e), "b+1");
    InequalityClaim i = makeInequalityClaim(false, "x", "<=", "3");
    EXPECT_FALSE(i.active);
    EXPECT_FALSE(i.strict);
    EXPECT_EQ(i.relation, "<=");
    EXPECT_EQ(i.difference, "(x)-(3)");
}

TEST(ClaimRecords, Strictness) {
    struct Row {
        const char *relation;
        bool strictBefore;
        int result;
        bool strictAfter;
    };
    const Row rows[] = {
        {"<", false, 1, true},  {"<", true, 0, true},    {">", false, 1, true},   {"<=", false, 0, false},
        {"<=", true, 1, false}, {">=", true, 1, false},  {"==", true, 0, true},   {"", false, 0, false},
    };
    for (const Row &row : rows) {
        InequalityClaim claim = makeInequalityClaim(true, "x", row.relation, "0");
        claim.strict = row.strictBefore;
        EXPECT_EQ(claim_set_strictness(claim), row.result) << row.relation << row.strictBefore;
        EXPECT_EQ(claim.strict, row.strictAfter) << row.relation << row.strictBefore;
    }
    InequalityClaim twice = makeInequalityClaim(true, "x", "<", "5");
    EXPECT_EQ(claim_set_strictness(twice), 1);
    EXPECT_EQ(claim_set_strictness(twice), 0);
}

TEST_F(ClaimTables, StoringKeepsTheFirstClaim) {
    EXPECT_TRUE(store_claim("a", "==", "b+1"));
    EXPECT_TRUE(store_claim("a", "==", "7"));
    EXPECT_TRUE(store_claim("c", "=", "2"));
    EXPECT_EQ(claim_value(equality_claims.at("a")), "b+1");
    EXPECT_EQ(claim_value(equality_claims.at("c")), "2");
    EXPECT_TRUE(store_claim("x", "<", "5"));
    EXPECT_TRUE(inequality_claims.at("x").strict);
    EXPECT_EQ(inequality_claims.at("x").difference, "(x)-(5)");
    for (const char *relation : {"<=", ">", ">=", "->", ""}) EXPECT_FALSE(store_claim("y", relation, "1")) << relation;
    EXPECT_EQ(equality_claims.count("y") + inequality_claims.count("y"), 0u);
}

// The engine sees the equality claims only through the reader a calculator installs.
TEST_F(ClaimTables, TheEngineReadsEqualityClaimsThroughTheCalculator) {
    EXPECT_EQ(claimed_right_side_of("cos(2x)"), nullptr);
    EXPECT_TRUE(store_claim("cos(2x)", "==", "cos^2(x)-sin^2(x)"));
    EXPECT_TRUE(store_claim("x", "<", "5"));
    Calculator calculator;
    const std::string *claimed = claimed_right_side("cos(2x)");
    ASSERT_NE(claimed, nullptr);
    EXPECT_EQ(*claimed, "cos^2(x)-sin^2(x)");
    EXPECT_EQ(claimed_right_side("x"), nullptr);  // inequality claims stay with the calculator
    BigNumber bn;
    EXPECT_EQ(bn.cosine("2*a"), "cos^2(a)-sin^2(a)\n");
}

} // namespace
