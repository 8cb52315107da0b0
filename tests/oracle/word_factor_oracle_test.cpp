// Machine-word primality, factorisation and multiplicative orders against GMP and PARI/GP:
// the strong pseudoprimes that end each range of prime bases, numbers on both sides of
// those bounds, and moduli on both sides of 2^64 (the word road and the limb road).
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BigNumber.h"
#include "number_theory/word_factor.h"
#include "oracle/oracle_support.h"

namespace {

bool gmpPrime(uint64_t n) { return mpz_probab_prime_p(mpz_class(std::to_string(n)).get_mpz_t(), 40) != 0; }

}  // namespace

TEST(WordFactorOracle, PrimalityAcrossTheBaseBounds) {
    // Each bound is the smallest strong pseudoprime to the first k prime bases; the last
    // ones pass many bases.
    const uint64_t pseudoprimes[] = {2047,          1373653,       25326001,        3215031751,
                                     2152302898747, 3474749660383, 341550071728321, 3825123056546413051ull};
    oracle::Rng rng = oracle::rngFor(45);
    for (uint64_t b : pseudoprimes) {
        EXPECT_FALSE(ntheory::isPrimeWord(b)) << b;
        for (int i = 0; i < 300; i++) {
            uint64_t n = b - 600 + rng() % 1200;
            ASSERT_EQ(ntheory::isPrimeWord(n), gmpPrime(n)) << n;
        }
    }
    for (int i = 0; i < 3000; i++) {
        uint64_t n = rng() >> (rng() % 64);
        ASSERT_EQ(ntheory::isPrimeWord(n), gmpPrime(n)) << n;
    }
    for (uint64_t n : {0ull, 1ull, 2ull, 3ull, 4ull, 2809ull, 2811ull, 18446744073709551557ull, 18446744073709551615ull})
        EXPECT_EQ(ntheory::isPrimeWord(n), gmpPrime(n)) << n;
}

TEST(WordFactorOracle, Factorisations) {
    oracle::Rng rng = oracle::rngFor(46);
    auto randomPrime = [&](int bits) {
        mpz_class p(std::to_string(rng() >> (64 - bits) | (1ull << (bits - 1))));
        mpz_nextprime(p.get_mpz_t(), p.get_mpz_t());
        return p.get_ui();
    };
    for (int i = 0; i < 1500; i++) {
        uint64_t n;
        switch (i % 4) {
        case 0: n = rng() >> (rng() % 64); break;
        case 1: n = randomPrime(32) * randomPrime(31); break;  // two large primes
        case 2: {  // a prime just above the trial bound, squared, times small ones
            uint64_t p = randomPrime(9 + int(rng() % 8));
            n = p * p * (1 + rng() % 1000);
            break;
        }
        default: n = randomPrime(20) * randomPrime(20) * randomPrime(20); break;
        }
        std::vector<uint64_t> primes = ntheory::wordPrimeFactors(n);
        mpz_class product = 1;
        for (size_t j = 0; j < primes.size(); j++) {
            ASSERT_TRUE(gmpPrime(primes[j])) << n << ": " << primes[j];
            if (j) {
                ASSERT_LE(primes[j - 1], primes[j]) << n;
            }
            product *= mpz_class(std::to_string(primes[j]));
        }
        ASSERT_EQ(product.get_str(), n < 2 ? "1" : std::to_string(n)) << n;
    }
}

TEST(WordFactorOracle, OrdersOnBothSidesOfTheWord) {
    oracle::Rng rng = oracle::rngFor(47);
    BigNumber bn;
    oracle::GpCases cases;
    for (int i = 0; i < 400; i++) {
        // moduli of 1 to 21 digits: 2^64 has 20; odd and even ones, primes and composites
        std::string m = oracle::randomInteger(rng, 1 + i % 21, false);
        if (i % 3 == 0) m = bn.nextPrime(m);
        if (i % 5 == 0) m = bn.int_multiplication(m, "2");
        if (i % 7 == 0) m = bn.addition("18446744073709551616", std::to_string(int(rng() % 200) - 100));
        std::string a = (i % 4 ? "" : "-") + oracle::randomInteger(rng, 22, false);
        mpz_class g;
        mpz_gcd(g.get_mpz_t(), mpz_class(a).get_mpz_t(), mpz_class(m).get_mpz_t());
        if (g != 1 || m == "1") continue;
        cases.add("order " + a + " " + m, bn.orderModulo(a, m), "znorder(Mod(" + a + "," + m + "))");
    }
    cases.check();
}
