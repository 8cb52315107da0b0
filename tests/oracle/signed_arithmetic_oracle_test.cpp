// Signed real-number arithmetic against GMP on random operands: sums, differences and
// products (exact), the integer quotient and remainder, and division to the precision.
// Answers are compared by value; the widths checked are the ones users see in answers
// (the decimals of sums, products and rounded quotients).
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "BigNumber.h"
#include "oracle/oracle_support.h"

namespace {

using oracle::Rng;

std::string randomDigits(Rng &rng, size_t n) { return oracle::randomDigits(rng, n, true); }

// Mostly short operands, a few of some thousand digits.
size_t randomLength(Rng &rng) { return 1 + rng() % (rng() % 12 == 0 ? 3000 : 40); }

std::string randomSign(Rng &rng) {
    unsigned r = unsigned(rng() % 8);
    return r < 3 ? "-" : r == 3 ? "+" : "";
}

// An unsigned real text: an integer, or digits on both sides of the point (now and then
// none before it, as in ".5").
std::string randomUnsignedReal(Rng &rng) {
    size_t n = randomLength(rng);
    if (rng() % 3 == 0) return randomDigits(rng, n);
    size_t integer = rng() % (n + 1), fraction = std::max<size_t>(n - integer, 1);
    if (integer == 0 && rng() % 4) integer = 1;
    return randomDigits(rng, integer) + "." + randomDigits(rng, fraction);
}

// An operand close to `u`: the same text, the same digits before the point, or the same
// decimals, where the digit algorithms decide on the other side or answer a zero.
std::string relatedUnsignedReal(Rng &rng, const std::string &u) {
    size_t point = u.find('.');
    std::string integer = u.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : u.substr(point + 1);
    switch (rng() % 3) {
    case 0: return u;
    case 1: return integer + "." + randomDigits(rng, 1 + rng() % 12);
    default:
        std::string other = randomDigits(rng, std::max<size_t>(integer.size(), 1));
        return fraction.empty() ? other : other + "." + fraction;
    }
}

std::string unsignedOf(const std::string &t) {
    return !t.empty() && (t[0] == '-' || t[0] == '+') ? t.substr(1) : t;
}

// The exact value of a real-number text ([+-]digits[.digits], at least one digit).
std::optional<mpq_class> valueOf(const std::string &t) {
    std::string u = unsignedOf(t);
    size_t point = u.find('.');
    std::string digits = u, fraction;
    if (point != std::string::npos) {
        fraction = u.substr(point + 1);
        digits = u.substr(0, point) + fraction;
    }
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    mpz_class scale;
    mpz_ui_pow_ui(scale.get_mpz_t(), 10, fraction.size());
    mpq_class v(mpz_class(digits, 10), scale);
    v.canonicalize();
    if (t[0] == '-') v = -v;
    return v;
}

mpq_class exactly(const std::string &t) {
    std::optional<mpq_class> v = valueOf(t);
    EXPECT_TRUE(v.has_value()) << "no number: " << t;
    return v.value_or(0);
}

size_t decimalsOf(const std::string &t) {
    size_t point = t.find('.');
    return point == std::string::npos ? 0 : t.size() - point - 1;
}

::testing::AssertionResult hasValue(const std::string &answer, const mpq_class &want) {
    std::optional<mpq_class> v = valueOf(answer);
    if (!v) return ::testing::AssertionFailure() << "answer `" << answer << "` is no number, want " << want;
    if (*v != want) return ::testing::AssertionFailure() << "answer " << answer << ", want " << want;
    return ::testing::AssertionSuccess();
}

std::string integerText(Rng &rng, const mpz_class &v) {
    std::string sign = v < 0 ? "-" : rng() % 8 == 0 ? "+" : "";
    std::string zeros(rng() % 10 == 0 ? 1 + rng() % 2 : 0, '0');
    return sign + zeros + mpz_class(abs(v)).get_str();
}

mpz_class randomInteger(Rng &rng) {
    mpz_class v(randomDigits(rng, randomLength(rng)), 10);
    return rng() % 2 ? mpz_class(-v) : v;
}

}  // namespace

TEST(SignedArithmeticOracle, SumsDifferencesAndProducts) {
    Rng rng = oracle::rngFor(20240611);
    BigNumber bn;
    for (int iter = 0; iter < 3000; iter++) {
        std::string ua = randomUnsignedReal(rng);
        std::string ub = rng() % 4 == 0 ? relatedUnsignedReal(rng, ua) : randomUnsignedReal(rng);
        std::string a = randomSign(rng) + ua, b = randomSign(rng) + ub;
        mpq_class A = exactly(a), B = exactly(b);
        size_t widest = std::max(decimalsOf(a), decimalsOf(b));

        std::string sum = bn.addition(a, b);
        ASSERT_TRUE(hasValue(sum, A + B)) << a << " + " << b;
        ASSERT_EQ(decimalsOf(sum), widest) << a << " + " << b << " = " << sum;

        std::string difference = bn.real_subtraction(a, b);
        ASSERT_TRUE(hasValue(difference, A - B)) << a << " - " << b;
        ASSERT_EQ(decimalsOf(difference), widest) << a << " - " << b << " = " << difference;

        // The unsigned adder that the signed one is built on.
        std::string unsignedSum = bn.real_addition(ua, ub);
        ASSERT_TRUE(hasValue(unsignedSum, abs(A) + abs(B))) << ua << " + " << ub;

        std::string product = bn.multiplication(a, b);
        ASSERT_TRUE(hasValue(product, A * B)) << a << " * " << b;
        ASSERT_EQ(decimalsOf(product), decimalsOf(a) + decimalsOf(b)) << a << " * " << b << " = " << product;
    }
}

// The quotient is truncated toward zero (a '-' may remain on a zero quotient); the
// remainder is never negative, whatever the signs: a mod |b|.
TEST(SignedArithmeticOracle, IntegerQuotientAndRemainder) {
    Rng rng = oracle::rngFor(77);
    BigNumber bn;
    for (int iter = 0; iter < 3000; iter++) {
        mpz_class B = randomInteger(rng);
        if (B == 0) continue;
        // Exact multiples, near multiples, dividends below the divisor, unrelated ones.
        mpz_class A;
        switch (rng() % 4) {
        case 0: A = B * randomInteger(rng); break;
        case 1: A = B * randomInteger(rng) + mpz_class(int(rng() % 7) - 3); break;
        case 2: A = randomInteger(rng) % B; break;
        default: A = randomInteger(rng); break;
        }
        std::string a = integerText(rng, A), b = integerText(rng, B);
        mpz_class Q, R;
        mpz_tdiv_q(Q.get_mpz_t(), A.get_mpz_t(), B.get_mpz_t());
        mpz_mod(R.get_mpz_t(), A.get_mpz_t(), B.get_mpz_t());
        ASSERT_TRUE(hasValue(bn.int_quotient(a, b), Q)) << a << " % " << b;
        ASSERT_TRUE(hasValue(bn.quotient_operator(a, b), Q)) << a << " % " << b;
        ASSERT_EQ(bn.int_remainder(a, b), R.get_str()) << a << " @ " << b;
    }
}

// p decimals, the last one rounded half up on the magnitude (so half away from zero). A
// quotient that is exact within p decimals is written without trailing zeros; otherwise
// all p decimals are written.
TEST(SignedArithmeticOracle, DivisionToThePrecision) {
    const int kPrecisions[] = {0, 1, 2, 8, 30};
    constexpr size_t kMaxPrecision = 30;
    Rng rng = oracle::rngFor(4242);
    BigNumber bn;
    for (int iter = 0; iter < 800; iter++) {
        std::string ua = randomUnsignedReal(rng);
        std::string ub = rng() % 4 == 0 ? relatedUnsignedReal(rng, ua) : randomUnsignedReal(rng);
        std::string a = randomSign(rng) + ua, b = randomSign(rng) + ub;
        mpq_class A = exactly(a), B = exactly(b);
        if (B == 0) continue;
        bool bothIntegers = a.find('.') == std::string::npos && b.find('.') == std::string::npos;
        mpq_class magnitude = abs(A) / abs(B);
        const mpz_class &N = magnitude.get_num(), &D = magnitude.get_den();
        int sign = (a[0] == '-') != (b[0] == '-') ? -1 : 1;
        // Fewest decimals that hold the quotient exactly, if some precision tried does.
        std::optional<size_t> exactDecimals;
        mpz_class scaled = N;
        for (size_t k = 0; k <= kMaxPrecision && !exactDecimals; k++, scaled *= 10)
            if (mpz_divisible_p(scaled.get_mpz_t(), D.get_mpz_t())) exactDecimals = k;

        for (int p : kPrecisions) {
            bn.setPrecision(p);
            mpz_class scale, rounded;
            mpz_ui_pow_ui(scale.get_mpz_t(), 10, unsigned(p));
            // Half up: floor((2 N 10^p + D) / 2D).
            mpz_class halfUp = 2 * N * scale + D, twoD = 2 * D;
            mpz_fdiv_q(rounded.get_mpz_t(), halfUp.get_mpz_t(), twoD.get_mpz_t());
            mpq_class want(sign * rounded, scale);
            want.canonicalize();

            std::string q = bn.real_division(a, b);
            ASSERT_TRUE(hasValue(q, want)) << a << " / " << b << " at precision " << p;
            if (A != 0) {  // a zero dividend has forms of its own
                bool exact = exactDecimals && *exactDecimals <= size_t(p);
                ASSERT_EQ(decimalsOf(q), exact ? *exactDecimals : size_t(p))
                    << a << " / " << b << " at precision " << p << " = " << q;
            }
            if (bothIntegers) {
                std::string qi = bn.int_division(a, b);
                ASSERT_TRUE(hasValue(qi, want)) << a << " int_division " << b << " at precision " << p;
            }
        }
    }
}
