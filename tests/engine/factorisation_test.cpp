// Factorisation of integer texts and the printed forms: the smallest-factor search with its
// start and bound, the drivers with their echoes, the exponent and the 4k+1 / 4k+3 forms,
// and numbers whose factors lie far beyond any trial division.
#include <gtest/gtest.h>

#include "BigNumber.h"
#include "nat/nat.h"
#include "number_theory/factor_search.h"
#include "number_theory/siqs.h"

TEST(Factorisation, FirstFactor) {
    struct Case {
        const char *n, *start;
        size_t threshold;
        const char *factor;
    };
    const Case cases[] = {
        {"91", "2", 14, "7"},
        {"529", "2", 14, "23"},
        {"899", "29", 14, "29"},
        {"31", "29", 14, "31"},
        {"1000000007", "2", 14, "1000000007"},
        {"0", "2", 14, "0"}, {"1", "2", 14, "1"}, {"7", "2", 14, "7"}, {"360", "2", 14, "2"},
        {"841", "2", 14, "29"},  // 29^2: the bound above the square root still finds 29
        // a start past small factors: the smallest divisor from the start on (23 * 29)
        {"19343", "24", 14, "29"},
        {"16560", "2", 14, "2"},
        // long numbers take the probable-prime road, whatever the threshold
        {"1000000016000000063", "2", 14, "1000000007"},
        {"1000000016000000063", "2", 3, "1000000007"},
        {"18446744073709551629", "2", 14, "18446744073709551629"},
        // 31 digits: two primes of sixteen digits
        {"1100000000000063700000000000851", "2", 14, "1000000000000037"},
    };
    BigNumber bn;
    for (const auto &c : cases) EXPECT_EQ(bn.firstFactor(c.n, c.start, c.threshold), c.factor) << c.n;
}

TEST(Factorisation, SemiprimesOfEqualHalves) {
    BigNumber bn;
    // 20, 29 and 39 digits, each the product of two primes of half its length
    EXPECT_EQ(bn.factoriseText("10000000089000000133", 12, false), "1000000007*10000000019");
    EXPECT_EQ(bn.factoriseText("10000000000009800000000002077", 12, false), "100000000000031*100000000000067");
    EXPECT_EQ(bn.factoriseText("110000000000000000791000000000000001173", 12, false),
              "10000000000000000051*11000000000000000023");
}

TEST(Factorisation, DriverTexts) {
    BigNumber bn;
    EXPECT_EQ(bn.factoriseText("360", 12, false), "2*2*2*3*3*5");
    EXPECT_EQ(bn.factoriseText("97", 12, false), "97");
    EXPECT_EQ(bn.factoriseText("1", 12, false), "1");
    EXPECT_EQ(bn.factoriseText("0", 12, false), "0");
    EXPECT_EQ(bn.factoriseText("12x", 12, false), "Error> `12x` is not a non-negative integer.");
    EXPECT_EQ(bn.factoriseText("360", 12, true), "2*2*2*3*3*5");
    EXPECT_EQ(bn.factoriseText("18446744073709551629", 12, true), "18446744073709551629");
    EXPECT_EQ(bn.outStream.str(), "2*2*2*3*3*5\n18446744073709551629\n");

    std::vector<std::string> list;
    EXPECT_EQ(bn.factorsToString("12", list, 12, false), "2*2*3");
    EXPECT_EQ(list, (std::vector<std::string>{"2", "2", "3"}));
    bn.outStream.str("");
    EXPECT_EQ(bn.factorsToString("97", list, 12, true), "");  // a prime: echoed, empty text
    EXPECT_EQ(list, (std::vector<std::string>{"97"}));
    EXPECT_EQ(bn.outStream.str(), "97\n");

    std::set<std::string> primes;
    EXPECT_EQ(bn.factoriseToList("3300", primes, 12), "2*2*3*5*5*11");
    EXPECT_EQ(primes, (std::set<std::string>{"11", "2", "3", "5"}));

    std::map<std::string, int32_t> table;
    EXPECT_EQ(bn.factoriseToMap("12", table, 12), 2);
    EXPECT_EQ(table, (std::map<std::string, int32_t>{{"2", 2}, {"3", 1}}));
    EXPECT_EQ(bn.factoriseToMap("1", table, 12), 1);
    EXPECT_EQ(table, (std::map<std::string, int32_t>{{"1", 1}}));
    EXPECT_EQ(bn.factoriseToMap("44", table, 12), 2);
    EXPECT_EQ(table.begin()->first, "11");  // ordered by text

    EXPECT_EQ(bn.factorsToStringMR("1000000016000000063", 12, false), "1000000007*1000000009");
    EXPECT_EQ(bn.factorsToStringMR("18446744073709551629", 12, false), "18446744073709551629");

    std::string odd;
    EXPECT_EQ(bn.stripPowersOfTwo("40", odd), 3);
    EXPECT_EQ(odd, "5");
    EXPECT_EQ(bn.stripPowersOfTwo("0", odd), 0);  // would halve for ever
}

TEST(Factorisation, PowerText) {
    BigNumber bn;
    std::map<std::string, int32_t> t;
    EXPECT_EQ(bn.factorisePowerText("360", t, 12, false), "2^3*3^2*5^1");
    EXPECT_EQ(bn.factorisePowerText("1", t, 12, false), "1");
    EXPECT_EQ(bn.factorisePowerText("1000000007", t, 12, true), "1000000007^1");
    EXPECT_EQ(bn.outStream.str(), "1000000007^1\n");
    // the square of a 20-digit prime: found as a perfect power, not by a search
    EXPECT_EQ(bn.factorisePowerText("100000000000000001020000000000000002601", t, 12, false),
              "10000000000000000051^2");
}

TEST(Factorisation, WithExponents) {
    const std::pair<const char *, const char *> cases[] = {
        {"360", "360 == 2^3*3^2*5"}, {"7", "7 == 7^1"}, {"8", "8 == 2^3"}, {"12", "12 == 2^2*3"},
    };
    BigNumber bn;
    for (auto &[n, text] : cases) EXPECT_EQ(bn.factorise_with_exponents(n), text) << n;
    bn.outStream.str("");
    bn.factorise_with_exponents("360");
    EXPECT_EQ(bn.outStream.str(), "360 == 2*2*2*3*3*5\n2^3*3^2*5^1\n");
    bn.outStream.str("");
    bn.factorise_with_exponents("7");
    EXPECT_EQ(bn.outStream.str(), "7 == 7\n7 == 7^1\n");
}

TEST(Factorisation, Analysis) {
    const std::pair<const char *, const char *> cases[] = {
        {"50", "50 == 2 * 5^2\n\n\tdelta(50) = 3\n\tepsilon(50) = 0\n\txi(50) = 1"},
        {"12", "12 == 2^2 * 3\n\n\tdelta(12) = 0\n\tepsilon(12) = 0\n\txi(12) = 0"},
        {"45", "45 == 5 * 3^2\n\n\tdelta(45) = 2\n\tepsilon(45) = 0\n\txi(45) = 0"},
        {"1", "1 == 1\n\n\tdelta(1) = 1\n\tepsilon(1) = 1\n\txi(1) = -1"},
        {"36", "36 == 2^2 * 3^2\n\n\tdelta(36) = 1\n\tepsilon(36) = 1\n\txi(36) = -1"},
        {"325", "325 == 5^2*13\n\n\tdelta(325) = 6\n\tepsilon(325) = 0\n\txi(325) = 0"},
    };
    BigNumber bn;
    for (auto &[n, text] : cases) EXPECT_EQ(bn.factorise_analysis(n), text) << n;
    bn.outStream.str("");
    bn.factorise_analysis("50");
    EXPECT_EQ(bn.outStream.str(), "50 == 2\n * 5^2");
}

TEST(Factorisation, SearchGivesUpWithAClearText) {
    // Two primes of 30 digits are beyond a search with no curves: the composite stays
    // unsplit and is named, never passed off as a prime.
    nat::Nat p = nat::from_decimal("100000000000000000000000000319");
    nat::Nat q = nat::from_decimal("100000000000000000000000000379");
    ntheory::Factorisation f = ntheory::factorise(nat::mul(nat::mul(p, q), nat::Nat{12}), {0, 1000, 100, 0, 0});
    EXPECT_FALSE(f.complete());
    EXPECT_EQ(f.primes, (std::vector<nat::Nat>{nat::Nat{2}, nat::Nat{2}, nat::Nat{3}}));
    ASSERT_EQ(f.unsplit.size(), 1u);
    EXPECT_EQ(f.unsplit[0], nat::mul(p, q));
}

TEST(Factorisation, QuadraticSieve) {
    // products of two primes of equal length, from 20 to 50 digits
    const std::pair<const char *, const char *> cases[] = {
        {"4000000007", "6000000001"},
        {"400000000000063", "600000000000073"},
        {"10000000000000000051", "11000000000000000023"},
        {"1000000000000000000000007", "3000000000000000000000007"},
    };
    for (auto &[a, b] : cases) {
        nat::Nat p = nat::from_decimal(a), q = nat::from_decimal(b);
        nat::Nat f = ntheory::siqs(nat::mul(p, q));
        EXPECT_TRUE(f == p || f == q) << a << " " << b;
    }
}

TEST(Factorisation, FactorsOfFactorialPlusOne) {
    // 100! + 1 = 101 * 14303 * 149239 * (a 27-digit prime) * (a 121-digit prime)
    BigNumber bn;
    std::string n = bn.addition(bn.falling_factorial("100", "1"), "1");
    EXPECT_EQ(bn.firstFactor(n, "2", 14), "101");
    std::string m = bn.int_quotient(n, "101");
    EXPECT_EQ(bn.firstFactor(m, "101", 14), "14303");
    m = bn.int_quotient(m, "14303");
    EXPECT_EQ(bn.firstFactor(m, "14303", 14), "149239");
}
