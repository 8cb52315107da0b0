#include <gtest/gtest.h>

#include <string>

#include "BigNumber.h"

namespace {

struct TrigCase {
    const char *angle;
    const char *cosine;
    const char *sine;
};

void expectBoth(BigNumber &bn, const TrigCase &c) {
    EXPECT_EQ(bn.cosine(c.angle), c.cosine) << "cos " << c.angle;
    EXPECT_EQ(bn.sine(c.angle), c.sine) << "sin " << c.angle;
}

}  // namespace

// Every row of the exact table, reached by the smallest numerator, by the same residue two
// turns further on, and (where it exists) by whole degrees.
TEST(Trigonometry, ExactTable) {
    const TrigCase rows[] = {
        {"2/1pi", "1", "0"},
        {"3/1pi", "-1", "0"},
        {"1/2pi", "0", "1"},
        {"3/2pi", "0", "-1"},
        {"1/3pi", "1/2", "sqrt(3)/2"},
        {"2/3pi", "-1/2", "sqrt(3)/2"},
        {"4/3pi", "-1/2", "-sqrt(3)/2"},
        {"5/3pi", "1/2", "-sqrt(3)/2"},
        {"1/4pi", "sqrt(2)/2", "sqrt(2)/2"},
        {"3/4pi", "-sqrt(2)/2", "sqrt(2)/2"},
        {"5/4pi", "-sqrt(2)/2", "-sqrt(2)/2"},
        {"7/4pi", "sqrt(2)/2", "-sqrt(2)/2"},
        {"1/5pi", "(sqrt(5)+1)/4", "1/2*sqrt((5-sqrt(5))/2)"},
        {"2/5pi", "(sqrt(5)-1)/4", "1/2*sqrt((5+sqrt(5))/2)"},
        {"3/5pi", "(1-sqrt(5))/4", "1/2*sqrt((5+sqrt(5))/2)"},
        {"4/5pi", "-(sqrt(5)+1)/4", "1/2*sqrt((5-sqrt(5))/2)"},
        {"6/5pi", "-(sqrt(5)+1)/4", "-1/2*sqrt((5-sqrt(5))/2)"},
        {"7/5pi", "(1-sqrt(5))/4", "-1/2*sqrt((5+sqrt(5))/2)"},
        {"8/5pi", "(sqrt(5)-1)/4", "-1/2*sqrt((5+sqrt(5))/2)"},
        {"9/5pi", "(sqrt(5)+1)/4", "-1/2*sqrt((5-sqrt(5))/2)"},
        {"1/6pi", "sqrt(3)/2", "(1/2)"},
        {"5/6pi", "-sqrt(3)/2", "(1/2)"},
        {"7/6pi", "-sqrt(3)/2", "(-1/2)"},
        {"11/6pi", "sqrt(3)/2", "(-1/2)"},
    };
    BigNumber bn;
    for (const TrigCase &row : rows) {
        expectBoth(bn, row);
        std::string angle = row.angle;
        size_t bar = angle.find('/');
        long a = std::stol(angle.substr(0, bar)), b = std::stol(angle.substr(bar + 1));
        std::string later = std::to_string(a + 4 * b) + "|" + std::to_string(b) + "pi";
        expectBoth(bn, {later.c_str(), row.cosine, row.sine});
        if (180 % b == 0) {
            std::string degrees = std::to_string(a * 180 / b) + "d";
            expectBoth(bn, {degrees.c_str(), row.cosine, row.sine});
        }
    }
}

TEST(Trigonometry, AngleForms) {
    const TrigCase cases[] = {
        {"4/6pi", "-1/2", "sqrt(3)/2"},         // reduced first
        {"0004/0006pi", "-1/2", "sqrt(3)/2"},   // leading zeros count by value
        {"+2/3pi", "-1/2", "sqrt(3)/2"},
        {"5pi", "-1", "0"},
        {"4pi", "1", "0"},
        {"1.5pi", "0", "-1"},
        {"0.25pi", "sqrt(2)/2", "sqrt(2)/2"},
        {"2.0pi", "1", "0"},
        {"60d", "1/2", "sqrt(3)/2"},
        {"225d", "-sqrt(2)/2", "-sqrt(2)/2"},
        {"+30d", "sqrt(3)/2", "(1/2)"},
        {"22.5d", "TODO...", "TODO..."},        // pi/8: decimals of degrees count
        {"30.0d", "sqrt(3)/2", "(1/2)"},
        {"20d", "TODO...", "TODO..."},
        {"1/7pi", "TODO...", "TODO..."},
        {"0/5pi", "1", "0"},
        {"0/0pi", "Error> 0/0 is NOT allowed.", "Error> 0/0 is NOT allowed."},
        {"3/0pi", "undetermined", "undetermined"},
        {"3|0pi", "undetermined", "undetermined"},
        {"x", "cos(x)", "sin(x)"},
        {"pi/2", "cos(pi/2)", "sin(pi/2)"},      // not a pi text: symbolic
        {"1 /2pi", "cos(1 /2pi)", "sin(1 /2pi)"},
    };
    BigNumber bn;
    for (const TrigCase &c : cases) expectBoth(bn, c);
    // long numerators and denominators are decided without reducing the fraction
    std::string n(100000, '7');
    expectBoth(bn, {(n + "/" + n + "pi").c_str(), "-1", "0"});
    expectBoth(bn, {(n + "00/" + n + "0000pi").c_str(), "TODO...", "TODO..."});
    expectBoth(bn, {(n + "/" + n + "6pi").c_str(), "TODO...", "TODO..."});
    expectBoth(bn, {("2." + std::string(100000, '5') + "pi").c_str(), "TODO...", "TODO..."});
    expectBoth(bn, {("30." + std::string(100000, '0') + "d").c_str(), "sqrt(3)/2", "(1/2)"});
    expectBoth(bn, {("30." + std::string(100000, '0') + "1d").c_str(), "TODO...", "TODO..."});
}

TEST(Trigonometry, Shortcuts) {
    BigNumber bn;
    for (const char *a : {"0.5pi", "1/2pi", "1|2pi", "90d", "270d"}) EXPECT_EQ(bn.cosine(a), "0") << a;
    for (const char *a : {"0", "0pi", "2pi", "0d"}) EXPECT_EQ(bn.cosine(a), "1") << a;
    for (const char *a : {"pi", "1pi", "180d"}) EXPECT_EQ(bn.cosine(a), "-1") << a;
    for (const char *a : {"0", "pi", "-pi", "-0", "+0"}) EXPECT_EQ(bn.sine(a), "0") << a;
}

TEST(Trigonometry, NegativeAngles) {
    const TrigCase cases[] = {
        {"-60d", "1/2", "-sqrt(3)/2"},
        {"-30d", "sqrt(3)/2", "-(1/2)"},
        {"-150d", "-sqrt(3)/2", "-(1/2)"},
        {"-0.5pi", "0", "-1"},
        {"-3pi", "-1", "0"},
        {"-1/6pi", "sqrt(3)/2", "-(1/2)"},
        {"-7/6pi", "-sqrt(3)/2", "-(-1/2)"},
        {"-1/3pi", "1/2", "-sqrt(3)/2"},
        {"-3/2pi", "0", "1"},
        {"-1", "0.54030231", "-0.84147098"},
        {"-0.0", "1.00000000", "-0.00000000"},
        // messages stay recognisable
        {"-1/7pi", "TODO...", "TODO..."},
        {"-0/0pi", "Error> 0/0 is NOT allowed.", "Error> 0/0 is NOT allowed."},
        {"-3/0pi", "undetermined", "undetermined"},
    };
    BigNumber bn;
    for (const TrigCase &c : cases) expectBoth(bn, c);
    // every sign flips the sine; none is taken one call at a time
    EXPECT_EQ(bn.sine(std::string(100001, '-') + "30d"), "-(1/2)");
    EXPECT_EQ(bn.sine(std::string(100000, '-') + "30d"), "(1/2)");
    EXPECT_EQ(bn.cosine(std::string(100001, '-') + "1/3pi"), "1/2");
}

TEST(Trigonometry, Radians) {
    struct {
        const char *angle;
        int precision;
        const char *cosine;
        const char *sine;
    } cases[] = {
        {"1", 8, "0.54030231", "0.84147098"},
        {"0.5", 8, "0.87758256", "0.47942554"},
        {"0.0", 8, "1.00000000", "0.00000000"},
        {"+0", 8, "1.00000000", "0"},
        {"7", 8, "0.75390225", "0.65698660"},
        {"100", 8, "0.86231887", "-0.50636564"},
        {"3.14159266", 8, "-1.00000000", "-0.00000001"},
        {"1.5707965", 8, "-0.00000017", "1.00000000"},
        {"1.5707965", 6, "0.000000", "1.000000"},  // ended in an endless reflection once
        {"1.5707965", 7, "-0.0000002", "1.0000000"},
        {"1000000000000000", 8, "-0.51319374", "0.85827279"},
        {"2", 0, "0", "1"},
        {"1", 30, "0.540302305868139717400936607443", "0.841470984807896506652502321630"},
    };
    BigNumber bn;
    for (auto &c : cases) {
        bn.setPrecision(c.precision);
        EXPECT_EQ(bn.cosine(c.angle), c.cosine) << c.angle << " at " << c.precision;
        EXPECT_EQ(bn.sine(c.angle), c.sine) << c.angle << " at " << c.precision;
    }
}

TEST(Trigonometry, RadiansNeedTheDigitsOfPi) {
    BigNumber bn;
    const std::string refusal = "Error> the angle needs more than the 10120 stored decimals of pi.";
    EXPECT_EQ(bn.cosine("1" + std::string(10120, '0')), refusal);
    EXPECT_EQ(bn.sine("-1" + std::string(10120, '0')), refusal);
    EXPECT_EQ(bn.cosine("1" + std::string(10000, '0')), "-0.85368254");
    bn.setPrecision(10110);
    EXPECT_EQ(bn.cosine("2"), refusal);
    EXPECT_EQ(bn.sine("1.25").substr(0, 12), "0.9489846193");  // below pi/2: no pi needed
    bn.setPrecision(100001);
    EXPECT_EQ(bn.cosine("1"), "Error> cos is computed to at most 100000 decimals.");
}

TEST(Trigonometry, TangentAndCotangent) {
    BigNumber bn;
    EXPECT_EQ(bn.tangent("1/2pi"), "+Inf");   // 1 / 0
    EXPECT_EQ(bn.cotangent("1/2pi"), "0");    // 0 / 1
    EXPECT_EQ(bn.cotangent("0"), "+Inf");     // the two shortcuts
    EXPECT_EQ(bn.tangent("0"), "0");
    EXPECT_EQ(bn.tangent("1"), "1.55740772");
    EXPECT_EQ(bn.cotangent("1"), "0.64209262");
    EXPECT_EQ(bn.tangent("-1"), "-1.55740772");
    // near the pole the quotient of the rounded texts would be 11% off
    EXPECT_EQ(bn.tangent("1.5707963"), "37320539.58671654");
    EXPECT_EQ(bn.cotangent("0." + std::string(49, '0') + "1"), "1" + std::string(50, '0') + ".00000000");
    EXPECT_EQ(bn.tangent("0/0pi"), "Error> 0/0 is NOT allowed.");
    bn.setMode(1);
    EXPECT_EQ(bn.tangent("1"), "38935193|25000000");
    bn.setMode(8);  // any bit selects fractions
    EXPECT_EQ(bn.tangent("2"), "-109251993|50000000");
}
