#include <gtest/gtest.h>

#include <map>
#include <string>

#include "BigNumber.h"
#include "globals.h"

namespace {

// The engine reads claims through the reader the calculator installs; here a table of the
// test's own stands in for the calculator's. Every case starts and ends without claims.
std::map<std::string, std::string> claims;

const std::string *readClaim(const std::string &name) {
    auto it = claims.find(name);
    return it == claims.end() ? nullptr : &it->second;
}

class SymbolicAngles : public ::testing::Test {
protected:
    void SetUp() override {
        claims.clear();
        set_equality_claim_reader(readClaim);
    }
    void TearDown() override {
        claims.clear();
        set_equality_claim_reader(nullptr);
    }
    static void claim(const std::string &lhs, const std::string &rhs) { claims[lhs] = rhs; }
    BigNumber bn;
};

}  // namespace

TEST_F(SymbolicAngles, StaySymbolicWithoutTheClaim) {
    EXPECT_EQ(bn.cosine("2*a"), "cos(2*a)");
    EXPECT_EQ(bn.sine("2*a"), "sin(2*a)");
    claim("cos(2x)", "cos(x)^2-sin(x)^2");  // another right side: no identity
    EXPECT_EQ(bn.cosine("2*a"), "cos(2*a)");
}

TEST_F(SymbolicAngles, DoubleAngleTextsWithTheClaims) {
    claim("cos(2x)", "cos^2(x)-sin^2(x)");
    EXPECT_EQ(bn.cosine("2*a"), "cos^2(a)-sin^2(a)\n");
    EXPECT_EQ(bn.cosine("-2*a"), "cos^2(a)-sin^2(a)\n");
    EXPECT_EQ(bn.sine("2*a"), "sin(2*a)");
    claim("sin(2x)", "2sin(x)*cos(x)");
    EXPECT_EQ(bn.sine("2*a"), "2sin(a)*cos(a)\n");
    EXPECT_EQ(bn.sine("-2*a"), "-2sin(a)*cos(a)\n");
    EXPECT_EQ(bn.cosine("1/3pi"), "1/2");  // exact angles never reach the claims
}

TEST_F(SymbolicAngles, NegativeSumsChangeEveryTerm) {
    EXPECT_EQ(bn.cosine("-x+y"), "cos(x-y)");
    EXPECT_EQ(bn.sine("-x+y"), "-sin(x-y)");
    EXPECT_EQ(bn.sine("-x-y"), "-sin(x+y)");
    EXPECT_EQ(bn.sine("-x"), "-sin(x)");
}

TEST_F(SymbolicAngles, DoubleAngleTextLimits) {
    EXPECT_STREQ(bn.cosDoubleAngleText("6*b"), "cos^2(3*b)-sin^2(3*b)\n");
    std::string fits(400, 'a'), tooLong(999, 'a');
    std::string text = bn.sinDoubleAngleText(fits.c_str());
    EXPECT_EQ(text.substr(0, 5), "2sin(");
    EXPECT_EQ(text.back(), '\n');
    // 999 characters may be handed in, but two copies of their half do not fit the answer
    EXPECT_STREQ(bn.sinDoubleAngleText(tooLong.c_str()), "Error> the angle is too long for a double-angle text.");
}
