#include <gtest/gtest.h>

#include <map>

#include "BigNumber.h"
#include "complex_terms.h"

TEST(Roots, SquareRootDigits) {
    struct {
        const char *x;
        int precision;
        const char *want;
    } cases[] = {
        {"2", 8, "1.41421356"},     {"4", 8, "2.00000000"},        {"10000", 8, "100.00000000"},
        {"0", 8, "0.00000000"},     {"0.25", 8, "0.50000000"},     {"99.99", 8, "9.99949999"},
        {"0.2499999999", 8, "0.50000000"}, {"99.9999999999", 8, "10.00000000"},
        {"4.", 8, "2.00000000"},    {"2", 0, "1"},                 {"529", 6, "23.000000"},
        {"0004", 2, "2.00"},        {"2", 40, "1.4142135623730950488016887242096980785697"},
    };
    BigNumber bn;
    for (auto &c : cases) {
        bn.setPrecision(c.precision);
        EXPECT_EQ(bn.sqrtDigitPairs(c.x), c.want) << c.x;
    }
}

TEST(Roots, NthRootDigits) {
    struct {
        const char *x;
        int64_t n;
        const char *want;
    } cases[] = {
        {"8", 3, "2"},          {"27", 3, "3"},          {"16", 4, "2"},            {"2", 3, "1.25992105"},
        {"1000", 3, "10.00000000"}, {"2000", 3, "12.59921050"}, {"8.5", 3, "2.04082755"}, {"0.001", 3, "0.10000000"},
        {"8.0", 3, "2.00000000"}, {"64", 2, "8"},        {"0", 5, "0.00000000"},    {"1", 7, "1"},
        {"2", 0, "Error> the degree of a root must be at least 1."},
        {"2", 1000000, "1.00000069"},
        // Degrees far beyond the digits: answered at once, not by powers of millions of digits.
        {"8", 2147483647, "1.00000000"},   {"7", 100000, "1.00001946"}, {"99999999999999999999", 5000000000, "1.00000001"},
    };
    BigNumber bn;
    for (auto &c : cases) EXPECT_EQ(bn.nthRootNumeric(c.x, c.n), c.want) << c.x << " " << c.n;
}

TEST(Roots, Radicals) {
    const std::pair<const char *, const char *> sqrts[] = {
        {"972", "18*sqrt(3)"}, {"12", "2*sqrt(3)"}, {"16", "4"},         {"2", "sqrt(2)"},     {"1", "1"},
        {"-12", "2*sqrt(3)i"}, {"-4", "2i"},        {"3|4", "sqrt(3)|2"}, {"1|8", "1|(2*sqrt(2))"},
        {"2|8", "sqrt(2)|(2*sqrt(2))"}, {"2.25", "3|2"}, {"x+1", "sqrt(x+1)"}, {"(x+1)", "sqrt(x+1)"},
        {"0", "0"},            {"0|5", "0"},        {"0.0", "0"}};
    BigNumber bn;
    for (auto [in, want] : sqrts) EXPECT_EQ(bn.simplifySqrt(in), want) << in;
    struct {
        const char *x;
        int64_t n;
        const char *want;
    } nths[] = {{"16", 3, "2*sqrtn(2, 3)"}, {"48", 3, "2*sqrtn(6, 3)"}, {"72", 3, "2*sqrtn(9, 3)"},
                {"64/27", 3, "4|3"},         {"2/16", 3, "1|2"},         {"1/4", 3, "1|sqrtn(4, 3)"},
                {"0", 3, "0"},               {"0|5", 3, "0"},            {"2.5", 2, "sqrt(5)|sqrt(2)"},
                {"8", 0, "Error> the degree of a root must be at least 1."}};
    for (auto &c : nths) EXPECT_EQ(bn.simplifySqrtn(c.x, c.n), c.want) << c.x << " " << c.n;
}

TEST(Roots, SignedAndComplexRoots) {
    BigNumber bn;
    EXPECT_EQ(bn.sqrt_signed("-2", false), "1.41421356*i");
    bn.setMode(1);
    EXPECT_EQ(bn.sqrt_signed("-12", false), "2*sqrt(3)*i");
    EXPECT_EQ(bn.sqrt_signed("972", false), "18*sqrt(3)");
    bn.setMode(0);
    EXPECT_EQ(bn.sqrt_signed("1|4", true), "1|2");
    EXPECT_EQ(bn.complexRootsText("-8", 3, false), "-2");
    EXPECT_EQ(bn.outStream.str(), "");
    EXPECT_EQ(bn.complexRootsText("-4", 2, false), "2i");
    EXPECT_EQ(bn.outStream.str(), "it is equal to Sqrtn(4, 2)*(cos(pi/2)+i*sin(pi/2))\n\n");
    EXPECT_EQ(bn.complexRootsText("-1", 2, false), "i");
    EXPECT_EQ(bn.complexRootsText("-2", 2, false), "1.41421356i");
    EXPECT_EQ(bn.complexRootsText("-16", 4, false), "2*(cos(pi/4)+i*sin(pi/4))");
    EXPECT_EQ(bn.complexRootsText("+27", 3, false), "3");
    EXPECT_EQ(bn.complexRootsText("8", 0, false), "Error> the degree of a root must be at least 1.");
}

TEST(Roots, FactorisePowerText) {
    BigNumber bn;
    std::map<std::string, int32_t> t;
    EXPECT_EQ(bn.factorisePowerText("360", t, 12, false), "2^3*3^2*5^1");
    EXPECT_EQ(t, (std::map<std::string, int32_t>{{"2", 3}, {"3", 2}, {"5", 1}}));
    EXPECT_EQ(bn.factorisePowerText("1", t, 12, false), "1");
    EXPECT_EQ(t, (std::map<std::string, int32_t>{{"1", 1}}));
    EXPECT_EQ(bn.factorisePowerText("1000000007", t, 12, true), "1000000007^1");
    EXPECT_EQ(bn.outStream.str(), "1000000007^1\n");
    // A 10-digit prime times a 21-digit prime: out of reach of trial division.
    EXPECT_EQ(bn.factorisePowerText("100000000700000000039000000273", t, 12, false),
              "1000000007^1*100000000000000000039^1");
    EXPECT_EQ(bn.factorisePowerText("18446744073709551557", t, 12, false), "18446744073709551557^1");
}

TEST(ComplexTerms, ArithmeticAndText) {
    auto op = [](complex_term *(*f)(const complex_term *, const complex_term *), const char *a, const char *b) {
        complex_term *x = complex_parse(a), *y = complex_parse(b), *z = f(x, y);
        std::string s = complex_to_string(z);
        complex_free(x);
        complex_free(y);
        complex_free(z);
        return s;
    };
    EXPECT_EQ(op(complex_add, "3+4i", "1-2i"), "4+2i");
    EXPECT_EQ(op(complex_multiply, "1+2i", "3+4i"), "-5+10i");
    EXPECT_EQ(op(complex_divide, "1+2i", "3+4i"), "11|25+2|25i");
    EXPECT_EQ(op(complex_divide, "1", "2i"), "0-1|2i");
    EXPECT_EQ(op(complex_multiply, "1+i", "1-i"), "2");
    EXPECT_EQ(op(complex_subtract, "5", "5"), "0");
    struct {
        const char *text;
        int64_t power;
        const char *coefficient;
    } terms[] = {{"i^4", 0, "1"}, {"i^(5)", 1, "1"}, {"i^{-3}", 1, "1"}, {"-i", 1, "-1"}, {"i^2", 0, "-1"},
                 {"2i^3", 1, "-2"}, {"2*i", 1, "2*"},
                 // powers past every machine integer: their last two digits decide
                 {"i^18446744073709551617", 1, "1"}, {"i^(-99999999999999999999999)", 1, "1"},
                 {"i^100000000000000000000000000002", 0, "-1"}};
    for (auto &c : terms) {
        complex_term *t = complex_parse(c.text);
        ASSERT_NE(t, nullptr) << c.text;
        EXPECT_EQ(t->i_power, c.power) << c.text;
        EXPECT_EQ(t->coefficient, c.coefficient) << c.text;
        complex_free(t);
    }
    complex_term *e = complex_parse("");
    EXPECT_EQ(e, nullptr);
    EXPECT_EQ(complex_to_string(e), "0");
}
