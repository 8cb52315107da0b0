#include <gtest/gtest.h>

#include "BigNumber.h"
#include "polynomial.h"
#include "tools.h"

namespace {

// Operands as written: left, operator, right (the slots hold them the other way round).
std::string apply(const char *left, const char *op, const char *right) { return polyn_rational_op({op, right, left}); }

std::string quotientMessage(const char *op) {
    return std::string("Error> ") + op + " takes polynomials, not quotients of polynomials.";
}

}  // namespace

TEST(RationalOperation, AnswerTable) {
    const struct {
        const char *a, *op, *b, *answer;
    } cases[] = {
        {"x+1", "*", "x-1", "x^2-1"},
        {"(x)/(x+1)", "+", "1", "(2x+1)/(x^1+1)"},
        {"(x^2)/(x^3)", "+", "(x)/(x^3)", "(x+1)/(x^2)"},
        {"(1)/(x^2+x)", "+", "(1)/(x^2+x)", "(2x+2)/(x^3+2x^2+x^1)"},
        {"x", "+", "(1)/(x)", "(x^2+1)/(x^1)"},  // only an A-denominator takes out a power of x
        {"x", "+", "-x", "0x"},
        {"x+1", "+", "x-1", "2x"},
        {"(x^2+x)/(x)", "-", "x", "(x^1)/(x^1)"},  // differences are not reduced
        {"x", "-", "(1)/(x)", "(x^2-1)/(x^1)"},
        {"x^2", "-", "x^2", "0"},
        {"x^2-1", "/", "x-1", "x^1+1"},
        {"x", "/", "x", "1"},
        {"2x", "/", "4x", "1|2"},
        {"x+1", "/", "x", "(x^1+1)/(x^1)"},
        {"(x)/(x+1)", "*", "(x+1)/(x^2)", "(1)/(x^1)"},
        {"(x+1)/(2)", "/", "(x+1)/(4)", "2"},
        {"x^3+1", "%", "x", "x^2"},
        {"x^3+1", "@", "x", "1"},
        {"x+1", "^", "2", "x^2+2x^1+1"},
        {"x", "^", "1/2", "x^1/2"},
        {"x+1", "^", "x", "x+1^x"},
        {"(x+1)", "^", "y-1", "x+1^(y-1)"},
        {"x", "^", "0", "1"},
        {"x", "~", "x", "1"},
        {"x", "~", "x+1", "0"},
        {"x", "!", "2", ""},
        {"x", "<", "2", ""},
        {"f[x]", "*", "2", ""},
        {"x", "]", "2", ""},
        {"2y", "*", "x", "2*yx^1"},
        {"y^2", "+", "x", "y^2+x"},  // not a one-variable polynomial: the multi-variable sum
    };
    for (const auto &c : cases) EXPECT_EQ(apply(c.a, c.op, c.b), c.answer) << c.a << " " << c.op << " " << c.b;
}

TEST(RationalOperation, QuotientsUnderTheOtherOperators) {
    // A power raises numerator and denominator; remainder, quotient and comparison do
    // not apply to a quotient other than one over 1.
    const struct {
        const char *a, *op, *b, *answer;
    } cases[] = {
        {"(x)/(2)", "^", "2", "1|4x^2"},
        {"(x+1)/(x)", "^", "2", "(4x^2+8x^1+4)/(4x^2)"},  // as the product: the gcd is 1|4
        {"(x)/(2)", "^", "0", "1"},
        {"(x)/(1)", "^", "3", "x^3"},
        {"(x)/(2)", "%", "x", "Error> % takes polynomials, not quotients of polynomials."},
        {"x^2", "@", "(x)/(3)", "Error> @ takes polynomials, not quotients of polynomials."},
        {"(x)/(2)", "~", "(x)/(3)", "Error> ~ takes polynomials, not quotients of polynomials."},
        {"(x)/(1)", "~", "x", "1"},
    };
    for (const auto &c : cases) EXPECT_EQ(apply(c.a, c.op, c.b), c.answer) << c.a << " " << c.op << " " << c.b;
    EXPECT_EQ(quotientMessage("%"), apply("(x)/(2)", "%", "x"));
}

TEST(RationalOperation, CoefficientSumsAndLimits) {
    // Equal exponents typed twice are one coefficient before any product takes it.
    EXPECT_EQ(apply("x+1|2+1|3", "*", "2"), "2x^1+5|3");
    EXPECT_EQ(apply("x+1/2+1/3", "*", "2"), "6|7x^1+6|7");  // split at the first "/": (x+1)/(2+1/3)
    EXPECT_EQ(apply("x", "^", "99999999999"), integerRangeMessage("99999999999", 0, 2147483647));
    EXPECT_EQ(apply("x+1", "^", ""), "1");
    EXPECT_EQ(apply("x+1", "^", "100000"), kPolynTooBig);
    EXPECT_EQ(apply("x^9223372036854775807", "*", "x"), kPolynExponentRange);
    EXPECT_EQ(apply("x^200000", "%", "x+1"), kPolynTooBig);
    EXPECT_EQ(apply("x^2", "%", "0x+1"), kPolynDivisionStalls);  // the divisor's zero leading term
}
