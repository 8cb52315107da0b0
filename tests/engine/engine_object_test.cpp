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

// One cap on the decimals for every member: past it each answers the same message with its
// own name, at once and without allocating for the digits it was asked for.
TEST(EngineObject, PrecisionCapForEveryMember) {
    BigNumber bn;
    auto message = [](const std::string &member) {
        return "Error> " + member + " is computed to at most 100000 decimals.";
    };
    for (int32_t p : {100001, 2000000000}) {
        bn.setPrecision(p);
        EXPECT_EQ(bn.int_division("2", "3"), message("division")) << p;
        EXPECT_EQ(bn.real_division("2", "3"), message("division")) << p;
        EXPECT_EQ(bn.int_division("0", "3"), "0") << p;
        EXPECT_EQ(bn.int_division("00", "3"), message("division")) << p;  // its zeros would run to p decimals
        EXPECT_EQ(bn.sqrtDigitPairs("2"), message("sqrt")) << p;
        EXPECT_EQ(bn.nthRootNumeric("2", 3), message("sqrtn")) << p;
        EXPECT_EQ(bn.nthRootNumeric("0", 3), message("sqrtn")) << p;
        EXPECT_EQ(bn.power("2", "0.5"), message("sqrtn")) << p;
        EXPECT_EQ(bn.power("2", "0.123456789"), message("power")) << p;
        EXPECT_EQ(bn.naturalLog("3"), message("ln")) << p;
        EXPECT_EQ(bn.exponential("2"), message("exp")) << p;
        EXPECT_EQ(bn.sine("1"), message("sin")) << p;
        EXPECT_EQ(bn.tangent("1"), message("tan")) << p;
        EXPECT_EQ(bn.decimal_to_binary("0.5"), message("binary")) << p;
        EXPECT_EQ(bn.binary_to_decimal("0.1"), message("binary")) << p;
        std::string v;
        bn.EvalInfixExprNoOutput("1+2/3", v, 0);
        EXPECT_EQ(v, message("division")) << p;
        // Answers that end within the cap's decimals end there whatever the precision.
        EXPECT_EQ(bn.int_division("1", "4"), "0.25") << p;
        EXPECT_EQ(bn.int_division("-10", "2"), "-5") << p;
        EXPECT_EQ(bn.nthRootNumeric("8", 3), "2") << p;
        EXPECT_EQ(bn.power("2", "3"), "8") << p;
        EXPECT_EQ(bn.decimal_to_binary("12"), "1100") << p;
    }
    bn.setPrecision(100000);  // the cap itself is computed
    std::string third = bn.int_division("1", "3");
    EXPECT_EQ(third.size(), 100002u);
    EXPECT_EQ(third.substr(0, 6), "0.3333");
}
