#include <gtest/gtest.h>

#include "BigNumber.h"

namespace {
const char *kTwoOps = "Two operators occur consecutively\n    > at index: ";
const char *kTwoPoints = "two points '.' should not occur continuously.\n    > at position: ";
}  // namespace

TEST(SyntaxChecks, InfixSyntax) {
    struct {
        const char *text;
        bool ok;
        std::string error;
    } cases[] = {
        {"1+*2", false, std::string(kTwoOps) + "1, 2"},
        {"2*-3", false, std::string(kTwoOps) + "1, 2"},
        {"2^-1", false, std::string(kTwoOps) + "1, 2"},
        {"1%*2", true, ""},  {"1|*2", true, ""}, {"1*|2", true, ""}, {"2~-1", true, ""},
        {"1*%2", false, std::string(kTwoOps) + "1, 2"},
        {"1.2.3", false, std::string(kTwoPoints) + "1, 3"},
        {"1.2+3.4", true, ""},
        {"1.2(3.4)", false, std::string(kTwoPoints) + "1, 5"},
        {"1.2.3+", false, std::string(kTwoPoints) + "1, 3"},
        {"2+", false, ""},   {".", false, ""},   {"(*2)", true, ""}, {"*2", true, ""},
        {"2+)", true, ""},   {"x+1", true, ""},  {"x_1+1", false, ""}, {"1 + 2", false, ""},
        {"1+2 ", false, ""}, {"\xc3\xa4+1", false, ""},
    };
    BigNumber bn;
    for (auto &c : cases) {
        bn.setErrorMessage("stale");
        EXPECT_EQ(bn.checkInfixSyntax(c.text), c.ok) << c.text;
        EXPECT_EQ(bn.getErrorMessage(), c.error) << c.text;
    }
    bn.setErrorMessage("stale");
    EXPECT_FALSE(bn.checkInfixSyntax(""));
    EXPECT_EQ(bn.getErrorMessage(), "stale");  // the empty text is refused before anything else
}

TEST(SyntaxChecks, ThreeFamilies) {
    struct {
        const char *text;
        bool symbolic, numeric;
    } cases[] = {{"x_1+1", true, false}, {"1 + 2", false, true}, {"x+1", true, false},
                 {"1+2 ", false, false}, {"1 2", false, true},   {"", false, false}};
    BigNumber bn;
    for (auto &c : cases) {
        bn.setExpression(c.text);
        EXPECT_EQ(bn.checkSymbolicInfixSyntax(), c.symbolic) << c.text;
        EXPECT_EQ(bn.checkNumericInfixSyntax(), c.numeric) << c.text;
    }
    bn.setExpression("1 + * 2");
    EXPECT_TRUE(bn.checkNumericInfixSyntax());  // '+' is followed by a blank, not an operator
    bn.setExpression("1+*2");
    EXPECT_FALSE(bn.checkNumericInfixSyntax());
    EXPECT_EQ(bn.getErrorMessage(), std::string(kTwoOps) + "1, 2");
    EXPECT_TRUE(BigNumber::hasParenthesis("a)"));
    EXPECT_FALSE(BigNumber::hasParenthesis("ab"));
    EXPECT_TRUE(BigNumber::hasPlusOrMinus("-a"));
    EXPECT_FALSE(BigNumber::hasPlusOrMinus("a*b"));
}
