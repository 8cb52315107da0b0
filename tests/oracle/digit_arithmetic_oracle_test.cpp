// The digit layer against GMP: values always, and the schoolbook widths of the texts.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "BigNumber.h"
#include "oracle/oracle_support.h"

namespace {
// n digits, the first `zeros` of them 0.
std::string digits(oracle::Rng &rng, size_t n, int zeros) {
    size_t z = std::min(size_t(zeros), n);
    return std::string(z, '0') + oracle::randomDigits(rng, n - z, true);
}
std::string canon(const std::string &s) {
    size_t i = s.find_first_not_of('0');
    return i == std::string::npos ? "0" : s.substr(i);
}
}  // namespace

TEST(DigitArithmeticOracle, RandomOperands) {
    oracle::Rng rng = oracle::rngFor(7);
    BigNumber bn;
    for (int iter = 0; iter < 3000; iter++) {
        size_t la = 1 + rng() % (iter % 10 == 0 ? 3000 : 40), lb = 1 + rng() % (iter % 7 == 0 ? 3000 : 40);
        std::string a = digits(rng, la, int(rng() % 3)), b = digits(rng, lb, int(rng() % 3));
        mpz_class A(canon(a)), B(canon(b));
        std::string sum = bn.int_addition(a, b);
        ASSERT_EQ(canon(sum), mpz_class(A + B).get_str());
        ASSERT_GE(sum.size(), std::max(la, lb));
        ASSERT_LE(sum.size(), std::max(la, lb) + 1);
        ASSERT_EQ(bn.int_subtraction(a, b), mpz_class(A - B).get_str());
        if (a == "0" || b == "0") continue;
        std::string prod = bn.int_multiplication(a, b);
        ASSERT_EQ(canon(prod), mpz_class(A * B).get_str()) << a << " * " << b;
        ASSERT_GE(prod.size(), la + lb - 1);
    }
}
