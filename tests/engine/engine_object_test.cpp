#include <gtest/gtest.h>

#include "BigNumber.h"

TEST(EngineObject, NewEngineHasDefaults) {
    BigNumber bn;
    EXPECT_EQ(bn.getResult(), "0");
    EXPECT_EQ(bn.getPrecision(), 8);
    EXPECT_EQ(bn.getMode(), 0);
    EXPECT_EQ(bn.getExpand(), 0);
    EXPECT_EQ(bn.getFixVariables(), 0);
    EXPECT_EQ(bn.getExpression(), "");
    EXPECT_EQ(bn.getPostfix(), "");
    EXPECT_EQ(bn.getOriginalExpression(), "");
    EXPECT_EQ(bn.getErrorMessage(), "");
    EXPECT_TRUE(bn.primeTable.empty());
}

TEST(EngineObject, SettersStoreAsGiven) {
    BigNumber bn;
    struct { int in, stored; } fix[] = {{5, 1}, {1, 1}, {0, 0}, {-3, 0}};
    for (auto c : fix) {
        bn.setFixVariables(c.in);
        EXPECT_EQ(bn.getFixVariables(), c.stored) << c.in;
    }
    bn.setExpand(2);
    EXPECT_EQ(bn.getExpand(), 2);
    for (int p : {0, -4, 100000}) {
        bn.setPrecision(p);
        EXPECT_EQ(bn.getPrecision(), p);
    }
    bn.setMode(1 | 4);
    EXPECT_EQ(bn.getMode(), 5);
    bn.setExpression("1+2");
    bn.setErrorMessage("oops");
    bn.setResult("42");
    EXPECT_EQ(bn.getExpression(), "1+2");
    EXPECT_EQ(bn.getErrorMessage(), "oops");
    EXPECT_EQ(bn.getResult(), "42");
}

TEST(EngineObject, EnginesAreIndependent) {
    BigNumber a, b;
    a.setPrecision(30);
    a.setMode(1);
    EXPECT_EQ(b.getPrecision(), 8);
    EXPECT_EQ(b.getMode(), 0);
}

TEST(EngineObject, ReferencesAreLive) {
    BigNumber bn;
    std::string &r = bn.getResult();
    bn.setResult("7");
    EXPECT_EQ(r, "7");
    bn.getExpression() = "x+1";
    EXPECT_EQ(bn.getExpression(), "x+1");
}
