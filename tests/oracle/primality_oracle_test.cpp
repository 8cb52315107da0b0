// Primality verdicts and complete factorisations against GMP on random numbers of 1 to 40
// digits, random primes and their products, Carmichael numbers and strong pseudoprimes to
// base 2; the quadratic sieve on both sides of its size steps, and remainders by small
// moduli on both sides of the fast-remainder bound.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include "BigNumber.h"
#include "nat/nat.h"
#include "number_theory/prime_kernels.h"
#include "number_theory/siqs.h"
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

// A random prime of the given number of digits.
mpz_class randomPrime(oracle::Rng &rng, size_t digits) {
    mpz_class p;
    do p = nextPrimeAbove(mpz_class(randomNumber(rng, digits)));
    while (p.get_str().size() != digits);
    return p;
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

TEST(PrimalityOracle, QuadraticSieveAcrossItsSizes) {
    // Balanced semiprimes of every length from 18 to 40 digits and some longer: each row of
    // the sieve's size table, kN on both sides of 2^126 (where C leaves the words), small
    // factor bases that hold few primes for A.
    oracle::Rng rng = oracle::rngFor(48);
    for (size_t digits = 18; digits <= 50; digits += digits < 40 ? 1 : 3)
        for (int i = 0; i < (digits <= 40 ? 3 : 1); i++) {
            mpz_class p = randomPrime(rng, digits / 2), q = randomPrime(rng, digits - digits / 2);
            std::string f = nat::to_decimal(ntheory::siqs(nat::from_decimal(mpz_class(p * q).get_str())));
            EXPECT_TRUE(f == p.get_str() || f == q.get_str()) << p << " * " << q << " gave " << f;
        }
    // Unbalanced ones on both sides of 30 and 45 digits, where the curves before the sieve
    // change: the complete factorisation, with a third factor now and then.
    BigNumber bn;
    for (size_t digits : {29, 30, 31, 32, 44, 45, 46, 47})
        for (int i = 0; i < 3; i++) {
            size_t small = 7 + rng() % 6;
            mpz_class n = randomPrime(rng, small) * randomPrime(rng, digits - small);
            if (i == 2) n *= randomPrime(rng, 1 + rng() % 6);
            expectFactorisation(bn, n);
        }
}

TEST(PrimalityOracle, RemaindersBySmallModuli) {
    oracle::Rng rng = oracle::rngFor(49);
    BigNumber bn;
    const uint32_t edge = ntheory::kModSmallManyBound;
    for (int i = 0; i < 400; i++) {
        mpz_class a(randomNumber(rng, 1 + rng() % 200));
        nat::Nat n = nat::from_decimal(a.get_str());
        // moduli at the bound, below it (one at a time and in batches) and above it
        uint32_t d[ntheory::kModSmallMany], r[ntheory::kModSmallMany];
        for (size_t j = 0; j < ntheory::kModSmallMany; j++) {
            uint32_t pick = uint32_t(rng() % 6);
            d[j] = pick == 0 ? edge - 1 - uint32_t(rng() % 3) : pick == 1 ? 1 + uint32_t(rng() % 100) : 1 + uint32_t(rng() % (edge - 1));
        }
        size_t count = 1 + rng() % ntheory::kModSmallMany;
        ntheory::modSmallMany(n, d, count, r);
        for (size_t j = 0; j < count; j++) ASSERT_EQ(r[j], mpz_class(a % d[j]).get_ui()) << a << " mod " << d[j];
        for (uint32_t m : {edge - 1, edge, edge + 1, uint32_t(edge + rng() % (0xffffffffu - edge)), 0xffffffffu})
            ASSERT_EQ(ntheory::modSmall(n, m), mpz_class(a % m).get_ui()) << a << " mod " << m;
    }
    // the smallest prime factor below the trial-division bounds: a prime of 5 to 7 digits
    // times a cofactor with no smaller factor
    for (int i = 0; i < 40; i++) {
        mpz_class p = randomPrime(rng, 5 + rng() % 3);
        mpz_class n = p * nextPrimeAbove(mpz_class(randomNumber(rng, 20 + rng() % 60)));
        EXPECT_EQ(bn.firstFactor(n.get_str(), "2", 14), p.get_str()) << n;
    }
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
