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
    // digits around the roads' thresholds (80 and 180 limbs) as well as far from them
    const size_t sizes[] = {1, 9, 20, 300, 361, 400, 711, 720, 729, 800, 1611, 1620, 1629, 2000, 13600, 14000, 40000, 120000};
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

// Digits whose balanced pieces of `piece` digits are all -10^piece/2: the largest
// coefficients the floating-point transform meets.
std::string extremePieces(size_t digits, int piece) {
    std::string unit = "4" + std::string(size_t(piece - 1), '9'), s;
    while (s.size() + size_t(piece) < digits) s += unit;
    s += "5" + std::string(size_t(piece - 1), '0');
    return s.substr(s.size() - digits);
}

void expectProduct(const nat::Nat &x, const nat::Nat &y, const nat::Nat &p, const std::string &what) {
    mpz_class X(nat_text(x)), Y(nat_text(y));
    nat::Nat q = p;
    nat::normalize(q);
    ASSERT_EQ(nat_text(q), mpz_class(X * Y).get_str()) << what;
}

// Each road of the product on its own. The floating-point transform takes pieces of 5, 4 or 3
// digits, the largest that its error bound allows at the length: 2527 limbs are the longest
// balanced operands of 5-digit pieces and 140572 those of 4-digit ones; both limits are met
// with the pieces that make the largest coefficients, and just passed.
TEST(NatOracle, ProductRoads) {
    oracle::Rng rng = oracle::rngFor(6);
    struct Case {
        size_t limbs;
        int piece;
    };
    const Case cases[] = {{180, 5}, {1136, 5}, {2527, 5}, {2528, 4}, {5000, 4}, {140572, 4}, {140573, 3}};
    for (const Case &c : cases) {
        std::string text = extremePieces(c.limbs * nat::LIMB_DIGITS, c.piece);
        nat::Nat x = nat::from_decimal(text), y = nat::from_decimal(oracle::randomDigits(rng, c.limbs * nat::LIMB_DIGITS, false));
        ASSERT_EQ(x.size(), c.limbs);
        nat::Nat p(2 * c.limbs);
        ASSERT_TRUE(nat::detail::mul_fft(x.data(), x.size(), x.data(), x.size(), p.data())) << c.limbs;
        expectProduct(x, x, p, "fft square " + std::to_string(c.limbs));
        ASSERT_TRUE(nat::detail::mul_fft(x.data(), x.size(), y.data(), y.size(), p.data())) << c.limbs;
        expectProduct(x, y, p, "fft " + std::to_string(c.limbs));
    }
    // Unbalanced lengths, and every road on the same operands.
    for (size_t na : {size_t(1), size_t(17), size_t(81), size_t(300), size_t(2500)})
        for (size_t nb : {size_t(1), size_t(40), size_t(179), size_t(1200)}) {
            nat::Nat x = nat::from_decimal(oracle::randomDigits(rng, na * nat::LIMB_DIGITS, false));
            nat::Nat y = nat::from_decimal(std::string(nb * nat::LIMB_DIGITS, '9'));
            nat::Nat p(na + nb);
            std::string what = std::to_string(na) + "x" + std::to_string(nb);
            nat::detail::mul_school(x.data(), na, y.data(), nb, p.data());
            expectProduct(x, y, p, "school " + what);
            nat::detail::mul_karatsuba(x.data(), na, y.data(), nb, p.data());
            expectProduct(x, y, p, "karatsuba " + what);
            ASSERT_TRUE(nat::detail::mul_fft(x.data(), na, y.data(), nb, p.data()));
            expectProduct(x, y, p, "fft " + what);
            nat::detail::mul_ntt(x.data(), na, y.data(), nb, p.data());
            expectProduct(x, y, p, "ntt " + what);
        }
}

// Binary limbs (base 2^32) and an mpz.
std::vector<nat::Limb> binary_limbs(const mpz_class &v, size_t limbs) {
    std::vector<nat::Limb> out(limbs, 0);
    mpz_export(out.data(), nullptr, -1, sizeof(nat::Limb), 0, 0, v.get_mpz_t());
    return out;
}

mpz_class binary_value(const std::vector<nat::Limb> &limbs) {
    mpz_class v;
    mpz_import(v.get_mpz_t(), limbs.size(), -1, sizeof(nat::Limb), 0, 0, limbs.data());
    return v;
}

// The transform on binary limbs takes pieces of 16 bits down to fewer as the length grows:
// 4935 limbs are the longest balanced operands of 16-bit pieces and 16290 those of 15-bit ones.
// Both limits are met with the largest pieces (each -2^(bits-1) once balanced), and passed.
TEST(NatOracle, BinaryTransformProducts) {
    oracle::Rng rng = oracle::rngFor(12);
    struct Case {
        size_t limbs;
        int bits;
    };
    const Case cases[] = {{1, 16}, {48, 16}, {4935, 16}, {4936, 15}, {16290, 15}, {16291, 14}};
    for (const Case &c : cases) {
        mpz_class X = 0, top;
        mpz_ui_pow_ui(top.get_mpz_t(), 2, (unsigned long)(32 * c.limbs));
        for (size_t i = 0; i * size_t(c.bits) < 32 * c.limbs; i++) {
            mpz_class piece = mpz_class(1) << (c.bits - 1);
            if (i > 0) piece -= 1;
            X += piece << (unsigned long)(i * size_t(c.bits));
        }
        X %= top;
        mpz_class Y(oracle::randomDigits(rng, size_t(9.6 * double(c.limbs)) + 1, false));
        Y %= top;
        std::vector<nat::Limb> x = binary_limbs(X, c.limbs), y = binary_limbs(Y, c.limbs), p(2 * c.limbs);
        ASSERT_TRUE(nat::detail::mul_fft_binary(x.data(), c.limbs, x.data(), c.limbs, p.data())) << c.limbs;
        ASSERT_EQ(binary_value(p), X * X) << "square " << c.limbs;
        ASSERT_TRUE(nat::detail::mul_fft_binary(x.data(), c.limbs, y.data(), c.limbs, p.data())) << c.limbs;
        ASSERT_EQ(binary_value(p), X * Y) << c.limbs;
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
    // Quotients around the divisor's own length, where the long division leaves the cut
    // divisor for one reciprocal of the whole divisor, and far longer ones (in blocks); from
    // the reciprocal's threshold (40 limbs) and past its base case (60 limbs).
    for (size_t n : {size_t(39), size_t(40), size_t(61), size_t(150), size_t(700)})
        for (size_t m : {n - 3, n - 2, n - 1, n, n + 1, 3 * n + 5}) {
            std::string a = oracle::randomDigits(rng, (n + m) * nat::LIMB_DIGITS, false), b = oracle::randomDigits(rng, n * nat::LIMB_DIGITS, false);
            mpz_class A(a), B(b);
            nat::Nat q, r;
            nat::divmod(nat::from_decimal(a), nat::from_decimal(b), q, r);
            ASSERT_EQ(nat_text(q), mpz_class(A / B).get_str()) << n << "+" << m;
            ASSERT_EQ(nat_text(r), mpz_class(A % B).get_str()) << n << "+" << m;
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

// Square roots of every length from below the inverse square root's threshold (16 limbs) to
// long ones; exact squares and their neighbours test the final correction.
TEST(NatOracle, SquareRoots) {
    oracle::Rng rng = oracle::rngFor(7);
    for (size_t limbs : {size_t(1), size_t(15), size_t(16), size_t(17), size_t(30), size_t(131), size_t(1000),
                         size_t(4321), size_t(20000)})
        for (int shape = 0; shape < 4; shape++) {
            std::string digits = oracle::randomDigits(rng, limbs * nat::LIMB_DIGITS - rng() % 9, false);
            mpz_class N(digits), R;
            if (shape == 1) N = mpz_class(std::string(digits.size(), '9'));
            if (shape >= 2) {  // an exact square, or one less
                mpz_class r(digits.substr(0, digits.size() / 2 + 1));
                N = r * r - (shape - 2);
            }
            mpz_sqrt(R.get_mpz_t(), N.get_mpz_t());
            ASSERT_EQ(nat_text(nat::root(nat::from_decimal(N.get_str()), 2)), R.get_str()) << limbs << " " << shape;
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
