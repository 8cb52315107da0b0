// The limb arithmetic against GMP on random operands of every size class
// (schoolbook, Karatsuba, number-theoretic transform).
#include <gmpxx.h>
#include <gtest/gtest.h>

#include "nat/nat.h"
#include "oracle/oracle_support.h"

namespace {

std::string canon(const std::string &s) {
    size_t i = s.find_first_not_of('0');
    return i == std::string::npos ? "0" : s.substr(i);
}

std::string nat_text(const nat::Nat &a) { return a.empty() ? "0" : nat::to_decimal(a); }

const size_t kSizes[] = {0, 1, 5, 9, 10, 18, 19, 50, 200, 359, 360, 361, 1000, 5000, 14000, 30000};

}  // namespace

TEST(NatOracle, ConversionRoundTrip) {
    oracle::Rng rng = oracle::rngFor(1);
    for (size_t n : kSizes) {
        std::string s = oracle::randomDigits(rng, n, true);
        EXPECT_EQ(nat_text(nat::from_decimal(s)), canon(s)) << n;
        EXPECT_EQ(nat::to_decimal(nat::from_decimal(s), n), n ? s : "") << n;
    }
}

TEST(NatOracle, AddSubCompare) {
    oracle::Rng rng = oracle::rngFor(2);
    for (size_t n : kSizes)
        for (size_t m : {size_t(0), size_t(1), n / 2, n, n + 3}) {
            std::string a = oracle::randomDigits(rng, n, false), b = oracle::randomDigits(rng, m, false);
            mpz_class A(canon(a)), B(canon(b));
            nat::Nat x = nat::from_decimal(a), y = nat::from_decimal(b);
            EXPECT_EQ(nat_text(nat::add(x, y)), mpz_class(A + B).get_str());
            int c = nat::compare(x, y);
            EXPECT_EQ(c, cmp(A, B) < 0 ? -1 : cmp(A, B) > 0 ? 1 : 0);
            if (c >= 0) EXPECT_EQ(nat_text(nat::sub(x, y)), mpz_class(A - B).get_str());
            else EXPECT_EQ(nat_text(nat::sub(y, x)), mpz_class(B - A).get_str());
        }
}

TEST(NatOracle, Multiply) {
    oracle::Rng rng = oracle::rngFor(3);
    const size_t sizes[] = {1, 9, 20, 300, 361, 400, 800, 2000, 13600, 14000, 40000, 120000};
    for (size_t n : sizes)
        for (size_t m : {size_t(1), size_t(10), n / 3, n, n + 7}) {
            std::string a = oracle::randomDigits(rng, n, false), b = oracle::randomDigits(rng, m ? m : 1, false);
            mpz_class A(a), B(b);
            nat::Nat x = nat::from_decimal(a), y = nat::from_decimal(b);
            ASSERT_EQ(nat_text(nat::mul(x, y)), mpz_class(A * B).get_str()) << n << "x" << m;
        }
    // All-nines operands give the largest convolution terms.
    for (size_t n : {size_t(400), size_t(20000), size_t(60000)}) {
        std::string nines(n, '9');
        mpz_class A(nines);
        nat::Nat x = nat::from_decimal(nines);
        ASSERT_EQ(nat_text(nat::sqr(x)), mpz_class(A * A).get_str()) << n;
    }
}

TEST(NatOracle, Divide) {
    oracle::Rng rng = oracle::rngFor(4);
    const size_t sizes[] = {1, 9, 10, 30, 200, 1000, 1400, 5000, 20000, 60000};
    for (size_t n : sizes)
        for (size_t m : {size_t(1), size_t(9), size_t(10), size_t(1400), n / 2 + 1, n, 2 * n}) {
            std::string a = oracle::randomDigits(rng, n + m, false), b = oracle::randomDigits(rng, m, false);
            mpz_class A(a), B(b);
            nat::Nat q, r;
            nat::divmod(nat::from_decimal(a), nat::from_decimal(b), q, r);
            ASSERT_EQ(nat_text(q), mpz_class(A / B).get_str()) << n << "/" << m;
            ASSERT_EQ(nat_text(r), mpz_class(A % B).get_str()) << n << "/" << m;
        }
    // Division by a power of ten: whole limbs dropped, then the rest of the shift.
    for (size_t n : kSizes)
        for (size_t k : {size_t(0), size_t(1), size_t(8), size_t(9), size_t(10), n / 2, n, n + 3}) {
            std::string a = oracle::randomDigits(rng, n, false);
            mpz_class A(canon(a)), P;
            mpz_ui_pow_ui(P.get_mpz_t(), 10, k);
            ASSERT_EQ(nat_text(nat::shift_decimal_down(nat::from_decimal(a), k)), mpz_class(A / P).get_str()) << n << " " << k;
        }
    // Divisors just above a power of the base and quotients of all nines stress the
    // reciprocal's correction.
    for (size_t n : {size_t(2000), size_t(9000)}) {
        std::string b = "1" + std::string(n - 1, '0') + "1", a = std::string(2 * n + 5, '9');
        mpz_class A(a), B(b);
        nat::Nat q, r;
        nat::divmod(nat::from_decimal(a), nat::from_decimal(b), q, r);
        ASSERT_EQ(nat_text(q), mpz_class(A / B).get_str()) << n;
        ASSERT_EQ(nat_text(r), mpz_class(A % B).get_str()) << n;
    }
}

TEST(NatOracle, Gcd) {
    oracle::Rng rng = oracle::rngFor(5);
    for (size_t n : {size_t(1), size_t(10), size_t(19), size_t(40), size_t(300), size_t(3000)})
        for (int rep = 0; rep < 20; rep++) {
            std::string g = oracle::randomDigits(rng, 1 + rng() % (n / 2 + 1), false);
            std::string a = oracle::randomDigits(rng, n, false), b = oracle::randomDigits(rng, 1 + rng() % n, false);
            mpz_class G(g), A = mpz_class(a) * G, B = mpz_class(b) * G, R;
            mpz_gcd(R.get_mpz_t(), A.get_mpz_t(), B.get_mpz_t());
            nat::Nat x = nat::from_decimal(A.get_str()), y = nat::from_decimal(B.get_str());
            ASSERT_EQ(nat_text(nat::gcd(x, y)), R.get_str()) << n;
        }
}
