// The prime table, prime counting, the list of non-primes, prime indexes, the pi(x) table
// and the primes next to a number.
#include <gtest/gtest.h>

#include "BigNumber.h"

TEST(PrimeTable, Primes) {
    BigNumber bn;
    EXPECT_EQ(bn.Primes(1, false), 0);
    EXPECT_EQ(bn.Primes(0, false), 0);
    EXPECT_TRUE(bn.primeTable.empty());
    struct Case {
        int64_t n, count;
        uint64_t last;
    };
    const Case cases[] = {{2, 1, 2}, {8, 4, 7}, {63, 18, 61}, {64, 18, 61}, {100, 25, 97},
                          {65536, 6542, 65521}, {1000000, 78498, 999983}};
    for (const auto &c : cases) {
        EXPECT_EQ(bn.Primes(c.n, false), c.count) << c.n;
        ASSERT_EQ(bn.primeTable.size(), size_t(c.count));
        EXPECT_EQ(bn.primeTable.back(), c.last);
    }
    EXPECT_EQ(bn.Primes(1, false), 0);  // the table stays
    EXPECT_EQ(bn.primeTable.size(), 78498u);
    EXPECT_EQ(bn.Primes(8, false), 4);
    EXPECT_EQ(bn.primeTable, (std::vector<uint64_t>{2, 3, 5, 7}));
}

TEST(PrimeTable, PrintedList) {
    BigNumber bn;
    testing::internal::CaptureStdout();
    EXPECT_EQ(bn.Primes(30, true), 10);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "2,3,5,7,11,13,17,19,23,29,\n\nTime used:     000\n");
}

TEST(PrimeTable, BoundsOf2To32AreRefused) {
    BigNumber bn;
    bn.Primes(8, false);
    testing::internal::CaptureStdout();
    EXPECT_EQ(bn.Primes(5000000000, false), BigNumber::kRefusedBound);
    std::vector<int64_t> out{1, 2};
    EXPECT_EQ(bn.sieveNonPrimes(4294967296, out), BigNumber::kRefusedBound);
    EXPECT_EQ(bn.primeCount("99999999999999999999999"), BigNumber::kRefusedBound);
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("hint> The bound 5000000000 is too large: primes are sieved below 4294967296."),
              std::string::npos);
    EXPECT_EQ(bn.primeTable.size(), 4u);  // left as it was
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(bn.piFunction("4294967296"), "hint> The bound 4294967296 is too large: primes are sieved below 4294967296.");
}

TEST(PrimeTable, Counting) {
    BigNumber bn;
    const std::pair<const char *, int64_t> cases[] = {
        {"0", 0}, {"1", 0}, {"2", 1}, {"10", 4}, {"100", 25}, {"10000000", 664579}, {"abc", BigNumber::kRefusedBound}};
    for (auto &[n, count] : cases) EXPECT_EQ(bn.primeCount(n), count) << n;
    EXPECT_EQ(bn.piFunction("10"), "4");
    EXPECT_EQ(bn.piFunction("10.9"), "4");
    EXPECT_EQ(bn.piFunction("-5"), "-5 is NOT a positive number.");
    EXPECT_EQ(bn.piFunction(""), "3.14159265");
    EXPECT_EQ(bn.piFunction("x"), "Error> `x` is not a non-negative integer.");
    bn.setPrecision(20000);
    EXPECT_EQ(bn.piFunction("").size(), 10122u);
}

TEST(PrimeTable, NonPrimes) {
    BigNumber bn;
    std::vector<int64_t> out;
    EXPECT_EQ(bn.sieveNonPrimes(10, out), 4);
    std::vector<int64_t> expected{0, 1, 4, 6, 8, 9, 10};
    for (int64_t i = 11; i <= 31; i++) expected.push_back(i);
    EXPECT_EQ(out, expected);
    EXPECT_EQ(bn.sieveNonPrimes(1, out), 0);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(bn.sieveNonPrimes(31, out), 11);
    EXPECT_EQ(out.size(), 21u);
}

TEST(PrimeTable, IndexOfPrime) {
    BigNumber bn;
    testing::internal::CaptureStdout();
    EXPECT_EQ(bn.indexOfPrime(7), -2);
    bn.Primes(100, false);
    EXPECT_EQ(bn.indexOfPrime(7), 4);
    EXPECT_EQ(bn.indexOfPrime(2), 1);
    EXPECT_EQ(bn.indexOfPrime(97), 25);
    EXPECT_EQ(bn.indexOfPrime(9), 0);
    EXPECT_EQ(bn.indexOfPrime(101), -3);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "hint> Please call function Primes(7) first.\nhint> Please call function Primes(101) first.\n");
    EXPECT_EQ(BigNumber::binarySearchPrime({}, 3), -2);
    EXPECT_EQ(BigNumber::binarySearchPrime({2, 3, 5}, -3), -1);
    EXPECT_EQ(BigNumber::binarySearchPrime({2, 3, 5}, 5), 2);
}

TEST(PrimeTable, PiTable) {
    const char *const header = "x\tpi(x)\n----------------\n", *const footer = "----------------\n\n";
    struct Case {
        const char *a, *b;
        std::string text;
    };
    const Case cases[] = {
        {"5", "3", std::string(header) + "5\t3\n4\t2\n3\t2\n" + footer},
        {"3", "5", std::string(header) + "3\t2\n4\t2\n5\t3\n" + footer},
        {"0", "2", std::string(header) + "0\t0\n1\t0\n2\t1\n" + footer},
        {"1", "10000000", "hint> The range from 1 to 10000000 is too long: at most 1000000 numbers are listed.\n"},
        {"1", "4294967296", "hint> The bound 4294967296 is too large: primes are sieved below 4294967296.\n"},
        {"1", "-3", "Error> `-3` is not a non-negative integer.\n"},
    };
    BigNumber bn;
    for (const auto &c : cases) {
        bn.listPiX(c.a, c.b);
        EXPECT_EQ(bn.outStream.str(), c.text) << c.a << " " << c.b;
    }
}

TEST(PrimeStepping, NextAndPrevious) {
    struct Case {
        const char *n, *next, *prev;
    };
    const Case cases[] = {
        {"0", "2", "The input number should be greater than 2."},
        {"1", "2", "The input number should be greater than 2."},
        {"2", "3", "The input number should be greater than 2."},
        {"3", "5", "2"},
        {"4", "5", "3"},
        {"7", "11", "5"},
        {"8", "11", "7"},
        {"10", "11", "7"},
        {"13", "17", "11"},
        {"18446744073709551557", "18446744073709551629", "18446744073709551533"},
        {"18446744073709551615", "18446744073709551629", "18446744073709551557"},
        {"18446744073709551629", "18446744073709551653", "18446744073709551557"},
        {"100000000000000000000000000000000000000000000000000",
         "100000000000000000000000000000000000000000000000151",
         "99999999999999999999999999999999999999999999999943"},
    };
    BigNumber bn;
    for (const auto &c : cases) {
        std::string n = c.n;
        EXPECT_EQ(bn.nextPrime(n), c.next) << c.n;
        n = c.n;
        EXPECT_EQ(bn.prevPrime(n), c.prev) << c.n;
    }
    std::string n = "8";
    bn.nextPrime(n);
    EXPECT_EQ(n, "11");  // the argument becomes the prime
    n = "x";
    EXPECT_EQ(bn.nextPrime(n), "Error> `x` is not a non-negative integer.");
}

TEST(PrimeStepping, ProbablePrimeStepping) {
    BigNumber bn;
    std::string n = "1234567890123";
    EXPECT_EQ(bn.nextMRprime(n), "1234567890133");
    EXPECT_EQ(bn.outStream.str(), "");
    n = "10000000000000";
    EXPECT_EQ(bn.nextMRprime(n), "10000000000037");
    n = "10000000000000";
    EXPECT_EQ(bn.prevMRprime(n), "9999999999971");
    EXPECT_EQ(bn.outStream.str(),
              "using Miller-Rabin algorithm to generate next prime of 10000000000000\n"
              "using Miller-Rabin algorithm to generate previous prime of 10000000000000\n");
}
