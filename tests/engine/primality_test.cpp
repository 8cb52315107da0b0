// Primality tests on integer texts: the exact test across the 64-bit border and far above
// it, the small-divisor screen, the random-base tests, pseudoprimes and Mersenne numbers.
#include <gtest/gtest.h>

#include "BigNumber.h"

namespace {

struct Verdict {
    const char *n;
    bool prime;
};

}  // namespace

TEST(Primality, IsPrimeAcrossSizes) {
    const Verdict cases[] = {
        {"", false}, {"0", false}, {"1", false}, {"2", true}, {"-7", true}, {"+7", true}, {"23", true},
        {"91", false}, {"1000000007", true}, {"7000000049", false},
        {"18446744073709551557", true},   // 2^64 - 59, the largest prime below 2^64
        {"18446744073709551615", false},  // 2^64 - 1
        {"18446744073709551616", false},  // 2^64
        {"18446744073709551629", true},   // 2^64 + 13, the first prime above 2^64
        {"340282366920938463463374607431768211297", true},  // the largest prime below 2^128
        // a product of two primes above the screen, past 2^64 and past the proven range
        {"1000000016000000063", false},
        {"100000000000000000039000000000000000000091", false},
        // Carmichael numbers and strong pseudoprimes to many bases
        {"561", false}, {"3215031751", false}, {"3825123056546413051", false},
        {"318665857834031151167461", false},  // strong pseudoprime to the bases 2 .. 37
        {"3317044064679887385961981", false},  // the bound of the proven bases: composite
        {"170141183460469231731687303715884105727", true},  // 2^127 - 1
        {"12a", false}, {"--7", false}, {"1e9", false},
    };
    BigNumber bn;
    for (const auto &c : cases) EXPECT_EQ(bn.isPrime(c.n), c.prime) << c.n;
    EXPECT_EQ(bn.getPrecision(), 8);
}

TEST(Primality, LargePrimesAnswerAtOnce) {
    BigNumber bn;
    // 10^99 + 289 and 10^299 + 669 are the first primes above their powers of ten
    EXPECT_TRUE(bn.isPrime("1" + std::string(96, '0') + "289"));
    EXPECT_FALSE(bn.isPrime("1" + std::string(96, '0') + "291"));
    EXPECT_TRUE(bn.isPrime("1" + std::string(296, '0') + "669"));
    EXPECT_FALSE(bn.isPrime("1" + std::string(296, '0') + "667"));
}

TEST(Primality, Is64BitFastPath) {
    EXPECT_TRUE(BigNumber::is_prime_64(18446744073709551557ull));
    EXPECT_FALSE(BigNumber::is_prime_64(18446744073709551615ull));
    EXPECT_FALSE(BigNumber::is_prime_64(0));
    EXPECT_FALSE(BigNumber::is_prime_64(1));
    EXPECT_TRUE(BigNumber::is_prime_64(4294967291ull));
    EXPECT_FALSE(BigNumber::is_prime_64(4294967291ull * 4294967279ull));
}

TEST(Primality, SmallestSmallDivisor) {
    const std::pair<const char *, int> cases[] = {
        {"", 0}, {"0", 2}, {"1", 0}, {"23", 1}, {"19", 1}, {"25", 5}, {"1000000007", 0},
        {"7000000049", 7}, {"13000000091", 13}, {"19000000133", 19}, {"11000000077", 11}, {"17000000119", 17},
        {"123456789012345678901234567890123", 3},
    };
    BigNumber bn;
    for (auto &[n, code] : cases) EXPECT_EQ(bn.smallestSmallDivisor(n), code) << n;
    EXPECT_TRUE(BigNumber::divisibleBySmallPrimeRule("1234567890123456789012345", 13) == false);
    EXPECT_TRUE(BigNumber::divisibleBySmallPrimeRule("7000000049", 7));
    EXPECT_FALSE(BigNumber::divisibleBySmallPrimeRule("21", 3));  // only 7, 11, 13, 17 and 19
    EXPECT_TRUE(BigNumber::isDivisibleBy3("123"));
    EXPECT_TRUE(BigNumber::isDivisibleBy5("40"));
    EXPECT_FALSE(BigNumber::isDivisibleBy5("41"));
}

TEST(Primality, RandomBaseTestsNeverRejectAPrime) {
    BigNumber bn;
    // Bases are drawn from 2 to n - 2: neither 0 nor 1 can make a prime look composite.
    for (int i = 0; i < 200; i++) {
        EXPECT_FALSE(bn.isCompositeByLittleFermat("1000000007"));
        std::string b = bn.randomBase("7");
        EXPECT_TRUE(b == "2" || b == "3" || b == "4" || b == "5") << b;
    }
    EXPECT_TRUE(bn.millerRabinTest("1000000007", 0));
    EXPECT_TRUE(bn.millerRabinTest("170141183460469231731687303715884105727", 3));
    // Carmichael numbers pass every Fermat trial but not the strong test
    EXPECT_FALSE(bn.millerRabinTest("3215031751", 3));
    EXPECT_FALSE(bn.millerRabinTest("561", 3));
    EXPECT_FALSE(bn.millerRabinTest("1", 0));
    EXPECT_TRUE(bn.millerRabinTest("3", 0));
    EXPECT_FALSE(bn.millerRabinTest("4", 0));
    EXPECT_TRUE(bn.isCompositeByLittleFermat("100000000000000000039000000000000000000091"));
    EXPECT_TRUE(bn.isComposite("1"));
    EXPECT_FALSE(bn.isComposite("18446744073709551629"));
    EXPECT_TRUE(bn.isProbablePrime("18446744073709551629"));
    EXPECT_FALSE(bn.isProbablePrime("1"));
    EXPECT_TRUE(bn.isProbablePrime("23"));
}

TEST(Primality, SameDrawsOnEveryEngine) {
    BigNumber a, b;
    for (int i = 0; i < 5; i++) EXPECT_EQ(a.randomBase("1000000000000"), b.randomBase("1000000000000"));
}

TEST(Primality, PowersWithTheSquareRootWitness) {
    BigNumber bn;
    EXPECT_EQ(bn.mr_powmod("2", "340", "341"), "1");
    EXPECT_EQ(bn.mr_powmod("2", "4368", "4369"), "4369");  // 2^8 = 256 is a square root of 1
    EXPECT_EQ(bn.mr_powmod("3", "5", "7"), "5");
    EXPECT_EQ(bn.mr_powmod("3", "0", "7"), "1");
    EXPECT_EQ(bn.mr_powmod("3", "5", "10"), "3");  // even moduli too
    EXPECT_EQ(bn.mr_powmod("3", "5", "8"), "8");   // 3^2 = 1 (mod 8)
    EXPECT_EQ(bn.mr_powmod("3", "5", "0"), "Inf");
    EXPECT_EQ(bn.mr_powmod("x", "5", "7"), "NaN");
    EXPECT_EQ(BigNumber::powmod_u64(2, 340, 341), 1u);
    EXPECT_EQ(BigNumber::powmod_u64(2, 4368, 4369), 4369u);
    EXPECT_EQ(BigNumber::powmod_u64(3, 5, 0), 0u);
    // exact for moduli above 2^32 too
    EXPECT_EQ(BigNumber::powmod_u64(10, 18, 18446744073709551557ull), 1000000000000000000u);
}

TEST(Primality, Pseudoprimes) {
    BigNumber bn;
    const Verdict cases[] = {{"341", true}, {"4369", false}, {"1", false}, {"7", false}, {"561", true},
                             {"2047", true}, {"0", false}, {"", false}, {"3825123056546413051", true}};
    for (const auto &c : cases) EXPECT_EQ(bn.isPseudoprime(c.n), c.prime) << c.n;
}

TEST(Primality, MersenneForm) {
    struct Case {
        const char *text;
        bool form;
        const char *exponent;
    };
    const Case cases[] = {{"2^7-1", true, "7"}, {"2^9-1", false, "1"}, {"2^x-1", false, "0"},
                          {"3^7-1", false, "0"}, {"2^-1", false, "0"}, {"2^2-1", true, "2"}};
    BigNumber bn;
    for (const auto &c : cases) {
        std::string p = "?";
        EXPECT_EQ(bn.isMersenneForm(c.text, p), c.form) << c.text;
        EXPECT_EQ(p, c.exponent) << c.text;
    }
}

TEST(Primality, LucasLehmer) {
    BigNumber bn;
    std::string m;
    EXPECT_TRUE(bn.lucasLehmerTest("2^13-1", m));
    EXPECT_EQ(m, "8191");
    EXPECT_FALSE(bn.lucasLehmerTest("2^11-1", m));
    EXPECT_EQ(m, "2047");
    EXPECT_FALSE(bn.lucasLehmerTest("2^2-1", m));  // no rounds: 4 stays
    EXPECT_TRUE(bn.lucasLehmerTest("2^3-1", m));
    EXPECT_TRUE(bn.lucasLehmerTest("2^521-1", m));
    EXPECT_FALSE(bn.lucasLehmerTest("2^523-1", m));
    EXPECT_NE(bn.outStream.str().find("in> "), std::string::npos);
}
