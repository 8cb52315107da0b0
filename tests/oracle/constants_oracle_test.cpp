// The stored constants against an independent computation in GMP fixed point
// (Machin's formula for pi, the factorial series for e, sum 1/(k 2^k) for ln 2).
#include <gmpxx.h>
#include <gtest/gtest.h>

#include "globals.h"

namespace {

const unsigned kGuard = 20;

// atan(1/x) * 10^digits by its alternating series.
mpz_class atanInverse(unsigned long x, const mpz_class &one) {
    mpz_class sum = 0, term = one / x, x2 = x * x;
    for (unsigned long k = 1; term != 0; k += 2) {
        mpz_class t = term / k;
        if ((k / 2) % 2 == 0) sum += t;
        else sum -= t;
        term /= x2;
    }
    return sum;
}

std::string decimals(const mpz_class &scaled, unsigned digits) {
    std::string s = scaled.get_str();
    return s.substr(0, s.size() - kGuard).substr(1, digits);  // drop the integer digit
}

mpz_class pow10(unsigned n) {
    mpz_class r;
    mpz_ui_pow_ui(r.get_mpz_t(), 10, n);
    return r;
}

}  // namespace

TEST(ConstantsOracle, Pi) {
    mpz_class one = pow10(10120 + kGuard);
    mpz_class pi = 16 * atanInverse(5, one) - 4 * atanInverse(239, one);
    EXPECT_EQ(__pi__.substr(2), decimals(pi, 10120));
}

TEST(ConstantsOracle, E) {
    mpz_class one = pow10(10000 + kGuard), sum = 0, term = one;
    for (unsigned long k = 1; term != 0; k++) {
        sum += term;
        term /= k;
    }
    // Round to 9999 decimals: add half a unit of the last place before cutting.
    mpz_class rounded = sum + 5 * pow10(kGuard);
    EXPECT_EQ(__e__.substr(2), decimals(rounded, 9999));
    EXPECT_EQ(__e__[0], '2');
}

TEST(ConstantsOracle, Ln2) {
    mpz_class one = pow10(1000 + kGuard), sum = 0, p = one / 2;
    for (unsigned long k = 1; p != 0; k++) {
        sum += p / k;
        p /= 2;
    }
    mpz_class withInt = sum + one;  // 1.6931..., so the integer digit can be dropped
    EXPECT_EQ(__ln2__.substr(2), decimals(withInt, 1000));
}
