// Primality verdicts and complete factorisations against GMP on random numbers of 1 to 40
// digits, random primes and their products, Carmichael numbers and strong pseudoprimes to
// base 2.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include "BigNumber.h"
#include "oracle/oracle_support.h"

namespace {

std::string randomNumber(oracle::Rng &rng, size_t digits) { return oracle::randomDigits(rng, digits, false); }

bool gmpPrime(const mpz_class &n) { return mpz_probab_prime_p(n.get_mpz_t(), 40) > 0; }

mpz_class nextPrimeAbove(const mpz_class &n) {
    mpz_class p;
    mpz_nextprime(p.get_mpz_t(), n.get_mpz_t());
    return p;
}

// Chernick's Carmichael numbers (6k+1)(12k+1)(18k+1) with all three factors prime.
std::vector<mpz_class> carmichaelNumbers(oracle::Rng &rng, size_t count) {
    std::vector<mpz_class> out;
    while (out.size() < count) {
        mpz_class k = mpz_class(randomNumber(rng, 1 + rng() % 12));
        mpz_class a = 6 * k + 1, b = 12 * k + 1, c = 18 * k + 1;
        if (gmpPrime(a) && gmpPrime(b) && gmpPrime(c)) out.push_back(a * b * c);
    }
    return out;
}

// Checks the factor text of n: ascending primes whose product is n.
void expectFactorisation(BigNumber &bn, const mpz_class &n) {
    std::string text = bn.factoriseText(n.get_str(), 12, false);
    if (n == 1) {
        EXPECT_EQ(text, "1");
        return;
    }
    mpz_class product = 1, previous = 0;
    size_t at = 0;
    for (;;) {
        size_t star = text.find('*', at);
        mpz_class f(text.substr(at, star - at));
        EXPECT_TRUE(gmpPrime(f)) << n << ": " << text;
        EXPECT_LE(previous, f) << n << ": " << text;
        previous = f;
        product *= f;
        if (star == std::string::npos) break;
        at = star + 1;
    }
    EXPECT_EQ(product, n) << text;
}

}  // namespace

TEST(PrimalityOracle, RandomNumbersAndPrimes) {
    oracle::Rng rng = oracle::rngFor(17);
    BigNumber bn;
    for (int i = 0; i < 4000; i++) {
        mpz_class n(randomNumber(rng, 1 + rng() % 40));
        if (i % 4 == 0) n = nextPrimeAbove(n);            // a quarter are primes
        if (i % 4 == 1) n = nextPrimeAbove(n) * nextPrimeAbove(mpz_class(randomNumber(rng, 1 + rng() % 20)));
        ASSERT_EQ(bn.isPrime(n.get_str()), gmpPrime(n)) << n;
    }
}

TEST(PrimalityOracle, CarmichaelAndStrongPseudoprimes) {
    oracle::Rng rng = oracle::rngFor(18);
    BigNumber bn;
    for (const auto &n : carmichaelNumbers(rng, 200)) {
        EXPECT_FALSE(bn.isPrime(n.get_str())) << n;
        EXPECT_FALSE(bn.millerRabinTest(n.get_str(), 3)) << n;
        expectFactorisation(bn, n);
    }
    // strong pseudoprimes to base 2 (the later ones to all bases up to 7, 11, 13, 17, 37, 41)
    const char *strong[] = {"2047", "3277", "4033", "4681", "8321", "15841", "29341", "42799", "49141",
                            "52633", "65281", "74665", "80581", "85489", "88357", "90751", "3215031751",
                            "2152302898747", "3474749660383", "341550071728321", "3825123056546413051",
                            "318665857834031151167461", "3317044064679887385961981"};
    for (const char *n : strong) {
        EXPECT_FALSE(bn.isPrime(n)) << n;
        expectFactorisation(bn, mpz_class(n));
    }
}

TEST(PrimalityOracle, CompleteFactorisations) {
    oracle::Rng rng = oracle::rngFor(19);
    BigNumber bn;
    for (int i = 0; i < 1500; i++) expectFactorisation(bn, mpz_class(randomNumber(rng, 1 + rng() % 30)));
    // products of two and three primes of up to 13 digits, and longer random numbers
    for (int i = 0; i < 150; i++) {
        mpz_class n = 1;
        for (int f = 0, k = 2 + int(rng() % 2); f < k; f++) n *= nextPrimeAbove(mpz_class(randomNumber(rng, 1 + rng() % 13)));
        expectFactorisation(bn, n);
    }
    for (int i = 0; i < 40; i++) expectFactorisation(bn, mpz_class(randomNumber(rng, 31 + rng() % 10)));
}

TEST(PrimalityOracle, PrimeStepping) {
    oracle::Rng rng = oracle::rngFor(20);
    BigNumber bn;
    for (int i = 0; i < 300; i++) {
        std::string s = randomNumber(rng, 1 + rng() % 40);
        mpz_class n(s);
        std::string up = s;
        EXPECT_EQ(bn.nextPrime(up), nextPrimeAbove(n).get_str()) << s;
        if (n > 3) {
            std::string down = s;
            mpz_class p = n - 1;
            while (!gmpPrime(p)) p -= 1;
            EXPECT_EQ(bn.prevPrime(down), p.get_str()) << s;
        }
    }
}

TEST(PrimalityOracle, PrimeCounts) {
    BigNumber bn;
    ASSERT_EQ(bn.Primes(3000000, false), 216816);
    mpz_class p = 1;
    for (uint64_t q : bn.primeTable) {
        p = nextPrimeAbove(p);
        ASSERT_EQ(p, mpz_class(std::to_string(q)));
    }
}
