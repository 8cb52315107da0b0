// Fraction arithmetic, integer powers, factorials and binomials against GMP.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include "BigNumber.h"
#include "oracle/oracle_support.h"

namespace {

// Our fraction text (n|d or an integer) as a GMP rational.
mpq_class asRational(const std::string &t) {
    mpq_class q(t.find('|') == std::string::npos ? t : t.substr(0, t.find('|')) + "/" + t.substr(t.find('|') + 1));
    q.canonicalize();
    return q;
}

std::string text(const mpq_class &q) {
    if (q.get_den() == 1) return q.get_num().get_str();
    return q.get_num().get_str() + "|" + q.get_den().get_str();
}

}  // namespace

TEST(FractionsOracle, FourOperations) {
    oracle::Rng rng = oracle::rngFor(11);
    BigNumber bn;
    for (int iter = 0; iter < 1500; iter++) {
        size_t digits = iter % 50 == 0 ? 300 : 12;
        std::string an = oracle::randomInteger(rng, digits, true), ad = oracle::randomInteger(rng, digits, false);
        std::string bn_ = oracle::randomInteger(rng, digits, true), bd = oracle::randomInteger(rng, digits, false);
        mpq_class A(an + "/" + ad), B(bn_ + "/" + bd);
        A.canonicalize();
        B.canonicalize();
        std::string a = text(A), b = text(B);
        ASSERT_EQ(bn.fr_addition(a, b), text(A + B)) << a << " + " << b;
        ASSERT_EQ(bn.fr_subtraction(a, b), text(A - B)) << a << " - " << b;
        ASSERT_EQ(bn.fr_multiplication(a, b), text(A * B)) << a << " * " << b;
        ASSERT_EQ(bn.fr_division(a, b), text(A / B)) << a << " / " << b;
        ASSERT_EQ(bn.isFractionLess(a, b), A < B) << a << " < " << b;
        ASSERT_EQ(asRational(bn.decimal_to_fraction(a)), A);
    }
}

TEST(FractionsOracle, PowersAndFactorials) {
    oracle::Rng rng = oracle::rngFor(12);
    BigNumber bn;
    for (int iter = 0; iter < 400; iter++) {
        std::string x = oracle::randomInteger(rng, 30, true);
        unsigned long n = rng() % 60;
        mpz_class X(x), P;
        mpz_pow_ui(P.get_mpz_t(), X.get_mpz_t(), n);
        std::string want = (x == "0" && n == 0) ? "0^0 is undefined." : P.get_str();
        ASSERT_EQ(bn.int_power(x, int64_t(n)), want) << x << "^" << n;
        std::string num = oracle::randomInteger(rng, 8, true), den = oracle::randomInteger(rng, 8, false);
        mpq_class Q(num + "/" + den);
        Q.canonicalize();
        mpz_class pn, pd;
        mpz_pow_ui(pn.get_mpz_t(), Q.get_num_mpz_t(), n % 9 + 1);
        mpz_pow_ui(pd.get_mpz_t(), Q.get_den_mpz_t(), n % 9 + 1);
        ASSERT_EQ(bn.fr_power(num + "|" + den, int64_t(n % 9 + 1)), pn.get_str() + "|" + pd.get_str());
    }
    for (unsigned long k : {0ul, 1ul, 2ul, 10ul, 57ul, 300ul, 1000ul, 4321ul}) {
        mpz_class f;
        mpz_fac_ui(f.get_mpz_t(), k);
        EXPECT_EQ(bn.factorial_operator(std::to_string(k), "1"), f.get_str()) << k;
        for (unsigned long j : {0ul, 1ul, k / 3, k / 2}) {
            mpz_class b;
            mpz_bin_uiui(b.get_mpz_t(), k, j);
            EXPECT_EQ(bn.binom_value(std::to_string(k), std::to_string(j)), b.get_str()) << k << " " << j;
        }
    }
}
