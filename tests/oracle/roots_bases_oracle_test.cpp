// Decimal roots and number-base conversions against GMP on random operands.
//
// A root to precision p is the long-hand one: floor of the n-th root of the argument's
// digits with its decimals cut or padded to n(p+1), which gives p+1 decimals, then
// rounded half up on the last of them.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "BigNumber.h"
#include "oracle/oracle_support.h"

namespace {

using oracle::randomDigits;

mpz_class pow10(size_t k) {
    mpz_class r;
    mpz_ui_pow_ui(r.get_mpz_t(), 10, k);
    return r;
}

// v / 10^decimals written with exactly that many decimals (no point for none).
std::string withDecimals(const mpz_class &v, size_t decimals) {
    std::string s = v.get_str();
    if (s.size() <= decimals) s.insert(0, decimals + 1 - s.size(), '0');
    if (decimals) s.insert(s.size() - decimals, ".");
    return s;
}

// The root of an unsigned decimal text to p decimals, as the engine writes it when no
// exact-integer shortcut applies.
std::string rootDigits(const std::string &x, unsigned long n, int p) {
    size_t point = x.find('.');
    std::string integer = x.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : x.substr(point + 1);
    fraction.resize(n * size_t(p + 1), '0');
    mpz_class N(integer + fraction, 10), R;
    mpz_root(R.get_mpz_t(), N.get_mpz_t(), n);
    bool up = mpz_fdiv_ui(R.get_mpz_t(), 10) >= 5;
    mpz_class q = R / 10 + (up ? 1 : 0);
    return withDecimals(q, size_t(p));
}

// The same, except that an integer of at most n digits (one group of the method) that is
// an exact n-th power comes back as its integer root.
std::string expectedRoot(const std::string &x, unsigned long n, int p) {
    if (x.find('.') == std::string::npos && x.size() <= n) {
        mpz_class v(x, 10), c;
        if (mpz_root(c.get_mpz_t(), v.get_mpz_t(), n) && c != 0) return c.get_str();
    }
    return rootDigits(x, n, p);
}

// An argument of random shape: integer or decimal, short or a few hundred digits, below
// one, with more decimals than the method brings down or fewer.
std::string randomRadicand(oracle::Rng &rng) {
    size_t shape = rng() % 10;
    size_t intDigits = shape == 0 ? 0 : shape == 1 ? 100 + rng() % 250 : 1 + rng() % 60;
    std::string x = intDigits ? randomDigits(rng, intDigits, false) : "0";
    if (intDigits == 0 || rng() % 2) x += "." + randomDigits(rng, 1 + rng() % 40, true);
    return x;
}

const unsigned long kDegrees[] = {1, 2, 3, 4, 5, 6, 7, 10, 13, 32, 33, 100, 1000};
const int kPrecisions[] = {0, 1, 8, 30};

}  // namespace

TEST(RootsBasesOracle, RootsOfRandomArguments) {
    oracle::Rng rng = oracle::rngFor(0x726f6f7473);
    BigNumber bn;
    for (int p : kPrecisions) {
        bn.setPrecision(p);
        for (unsigned long n : kDegrees)
            for (int rep = 0; rep < 12; rep++) {
                std::string x = randomRadicand(rng);
                ASSERT_EQ(bn.nthRootNumeric(x, long(n)), expectedRoot(x, n, p))
                    << "root " << n << " of " << x << " at " << p;
                if (n == 2) {
                    ASSERT_EQ(bn.sqrtDigitPairs(x), rootDigits(x, 2, p)) << "sqrt of " << x << " at " << p;
                }
            }
    }
}

// Arguments whose root has its (p+1)-th decimal exactly at the rounding edge: r^n has the
// n(p+1) decimals the method brings down, so floor(root) is r itself, and one unit less
// in the last brought-down place drops it by one unit of its last decimal.
TEST(RootsBasesOracle, RootsAtTheRoundingEdge) {
    oracle::Rng rng = oracle::rngFor(0x65646765);
    BigNumber bn;
    for (int p : kPrecisions) {
        bn.setPrecision(p);
        size_t decimals = size_t(p + 1);
        for (unsigned long n : kDegrees) {
            if (n > 13 && p == 30) continue;  // a few thousand digits each: nothing new
            for (char last : {'0', '4', '5', '9'}) {
                std::string digits = randomDigits(rng, decimals + 1 + rng() % 12, false);
                if (rng() % 3 == 0) std::fill(digits.begin() + 1, digits.end(), '9');  // a carry through all
                digits.back() = last;
                mpz_class r(digits, 10), power, below;
                mpz_pow_ui(power.get_mpz_t(), r.get_mpz_t(), n);
                below = power - 1;
                for (const mpz_class *v : {&power, &below}) {
                    std::string x = withDecimals(*v, n * decimals);
                    mpz_class floorRoot = v == &power ? r : mpz_class(r - 1);
                    mpz_class rounded =
                        floorRoot / 10 + (mpz_fdiv_ui(floorRoot.get_mpz_t(), 10) >= 5 ? 1 : 0);
                    std::string want = withDecimals(rounded, size_t(p));
                    ASSERT_EQ(rootDigits(x, n, p), want);  // the helper and the construction agree
                    ASSERT_EQ(bn.nthRootNumeric(x, long(n)), want)
                        << "root " << n << " of " << x << " at " << p;
                    if (n == 2) {
                        ASSERT_EQ(bn.sqrtDigitPairs(x), want) << "sqrt of " << x << " at " << p;
                    }
                }
            }
        }
    }
}

// An integer argument of at most n digits (one group of the method) that is an exact n-th
// power comes back as the integer root; a longer exact power, or one written with a
// point, keeps its decimals. The square root by digit pairs never drops them.
TEST(RootsBasesOracle, ExactPowers) {
    oracle::Rng rng = oracle::rngFor(0x6578616374);
    BigNumber bn;
    for (int p : kPrecisions) {
        bn.setPrecision(p);
        for (unsigned long n : kDegrees) {
            for (unsigned long c = 1; c <= 9; c++) {
                mpz_class v;
                mpz_ui_pow_ui(v.get_mpz_t(), c, n);
                std::string x = v.get_str(), root = std::to_string(c);
                ASSERT_EQ(bn.nthRootNumeric(x, long(n)), root) << "root " << n << " of " << x << " at " << p;
                ASSERT_EQ(bn.nthRootNumeric(x + ".0", long(n)), withDecimals(c * pow10(size_t(p)), size_t(p)))
                    << "root " << n << " of " << x << ".0 at " << p;
                if (n == 2) {
                    ASSERT_EQ(bn.sqrtDigitPairs(x), withDecimals(c * pow10(size_t(p)), size_t(p))) << x;
                }
            }
            if (n > 13) continue;
            for (int rep = 0; rep < 3; rep++) {
                mpz_class c(randomDigits(rng, 2 + rng() % 20, false), 10), v;
                mpz_pow_ui(v.get_mpz_t(), c.get_mpz_t(), n);
                std::string x = v.get_str(), want = withDecimals(c * pow10(size_t(p)), size_t(p));
                ASSERT_EQ(bn.nthRootNumeric(x, long(n)), want) << "root " << n << " of " << x << " at " << p;
                if (n == 2) {
                    ASSERT_EQ(bn.sqrtDigitPairs(x), want) << x;
                }
            }
        }
        // Zero, however written, is zero with the precision's decimals.
        for (const char *zero : {"0", "0.000", "000"})
            for (unsigned long n : {2ul, 3ul, 7ul})
                ASSERT_EQ(bn.nthRootNumeric(zero, long(n)), withDecimals(0, size_t(p))) << zero << " " << n;
    }
}

TEST(RootsBasesOracle, IntegersInEveryBase) {
    oracle::Rng rng = oracle::rngFor(0x6261736573);
    BigNumber bn;
    const size_t sizes[] = {1, 2, 9, 19, 20, 40, 150, 400, 1200, 3000};
    for (int base = 2; base <= 36; base++) {
        std::string b = std::to_string(base);
        std::string prefix = base == 16 ? "0x" : base == 8 ? "0" : "";
        for (size_t n : sizes) {
            if (n == 3000 && base % 5 != 1 && base != 16 && base != 8) continue;  // the longest: a few bases
            std::string x = randomDigits(rng, n, false);
            bool negative = rng() % 4 == 0;
            mpz_class X(x, 10);
            std::string want = (negative ? "-" : "") + prefix + X.get_str(base);
            std::string text = bn.decimal_to_base((negative ? "-" : "") + x, b);
            ASSERT_EQ(text, want) << (negative ? "-" : "") << x << " in base " << base;
            std::string back = (negative ? "-" : "") + x;
            ASSERT_EQ(bn.base_to_decimal(text, b), back) << text << " from base " << base;
            // Upper-case digits read the same.
            std::string upper = (negative ? "-" : "") + prefix + X.get_str(-base);
            ASSERT_EQ(bn.base_to_decimal(upper, b), back) << upper << " from base " << base;
            if (base == 16) {
                ASSERT_EQ(bn.decimal_to_hex(back), want) << back;
                ASSERT_EQ(bn.hex_to_decimal(want), back) << want;
            }
            if (base == 8) {
                ASSERT_EQ(bn.decimal_to_octal(back), want) << back;
                ASSERT_EQ(bn.octal_to_decimal(want), back) << want;
            }
        }
    }
}

// Numbers long enough for many levels of the conversion: the power tree of the division, whose
// top division is by the bare power and whose lower ones share the reciprocals of theirs, and
// for the powers of two the binary value built on powers of 10^9.
TEST(RootsBasesOracle, LongIntegers) {
    oracle::Rng rng = oracle::rngFor(0x6c6f6e67);
    BigNumber bn;
    for (int base : {2, 8, 16, 32, 36})
        for (size_t n : {size_t(20000), size_t(60000)}) {
            mpz_class X(randomDigits(rng, n, false), 10), power;
            mpz_ui_pow_ui(power.get_mpz_t(), (unsigned long)base, (unsigned long)(double(n) / std::log10(double(base))));
            for (const mpz_class &v : {X, mpz_class(power - 1), power}) {
                std::string x = v.get_str(), b = std::to_string(base);
                std::string prefix = base == 16 ? "0x" : base == 8 ? "0" : "";
                ASSERT_EQ(bn.decimal_to_base(x, b), prefix + v.get_str(base)) << n << " digits in base " << base;
            }
        }
}

// Powers of the base and their neighbours: long runs of zero digits and of the largest
// digit, where the divide-and-conquer conversion pads its halves.
TEST(RootsBasesOracle, PowersOfTheBase) {
    BigNumber bn;
    for (int base : {2, 3, 7, 8, 10, 16, 31, 36})
        for (unsigned long k : {1ul, 17ul, 399ul, 400ul, 401ul, 1000ul, 2500ul}) {
            std::string b = std::to_string(base);
            std::string prefix = base == 16 ? "0x" : base == 8 ? "0" : "";
            mpz_class power;
            mpz_ui_pow_ui(power.get_mpz_t(), (unsigned long)base, k);
            for (const mpz_class &v : {mpz_class(power - 1), power, mpz_class(power + 1)}) {
                std::string x = v.get_str();
                std::string text = bn.decimal_to_base(x, b);
                ASSERT_EQ(text, prefix + v.get_str(base)) << x << " in base " << base;
                ASSERT_EQ(bn.base_to_decimal(text, b), x) << text << " from base " << base;
            }
        }
}

TEST(RootsBasesOracle, BinaryAndGrayCode) {
    oracle::Rng rng = oracle::rngFor(0x67726179);
    BigNumber bn;
    for (size_t n : {1ul, 2ul, 5ul, 19ul, 20ul, 64ul, 300ul, 1000ul, 2500ul}) {
        for (int rep = 0; rep < 3; rep++) {
            std::string x = randomDigits(rng, n, false);
            mpz_class X(x, 10);
            std::string bits = X.get_str(2);
            ASSERT_EQ(bn.integer_to_binary(x), bits) << x;
            ASSERT_EQ(bn.decimal_to_binary(x), bits) << x;
            ASSERT_EQ(bn.integer_to_binary("-" + x), "-" + bits) << x;
            ASSERT_EQ(bn.binary_to_decimal(bits), x) << bits;
            ASSERT_EQ(bn.binary_to_decimal("-" + bits), "-" + x) << bits;
            // Gray code: g = b xor (b >> 1), same length as b since the top bit stays.
            std::string gray = mpz_class(X ^ (X >> 1)).get_str(2);
            ASSERT_EQ(bn.binary_to_gray(bits), gray) << bits;
            ASSERT_EQ(bn.gray_to_binary(gray), bits) << gray;
        }
    }
}

// A decimal's binary fraction is its first `precision` bits, cut: floor(f * 2^p). Read
// back at the same precision the halvings are exact, so the value comes back as
// k / 2^p with no trailing zeros.
TEST(RootsBasesOracle, BinaryFractions) {
    oracle::Rng rng = oracle::rngFor(0x6672616374);
    BigNumber bn;
    for (int p : {1, 8, 30, 64}) {
        bn.setPrecision(p);
        mpz_class two_p = mpz_class(1) << p;
        for (int rep = 0; rep < 25; rep++) {
            std::string integer = rng() % 3 == 0 ? "0" : randomDigits(rng, 1 + rng() % 30, false);
            std::string fraction = randomDigits(rng, 1 + rng() % 30, true);
            bool negative = rng() % 4 == 0;
            std::string x = (negative ? "-" : "") + integer + "." + fraction;
            mpz_class I(integer, 10), F(fraction, 10);
            mpz_class k = F * two_p / pow10(fraction.size());
            std::string fbits = k.get_str(2);
            fbits.insert(0, size_t(p) - fbits.size(), '0');
            std::string bits = (negative ? "-" : "") + I.get_str(2) + "." + fbits;
            ASSERT_EQ(bn.decimal_to_binary(x), bits) << x << " at " << p;

            // k / 2^p = k * 5^p / 10^p, written without trailing zeros.
            mpz_class five_p;
            mpz_ui_pow_ui(five_p.get_mpz_t(), 5, (unsigned long)p);
            std::string decimals = withDecimals(k * five_p, size_t(p)).substr(1);  // ".ddd"
            decimals.erase(decimals.find_last_not_of('0') + 1);
            if (decimals == ".") decimals.clear();
            std::string want = I.get_str() + decimals;
            if (negative && want != "0") want = "-" + want;
            if (want == "0" && negative) continue;  // the sign of a zero is a matter of form
            ASSERT_EQ(bn.binary_to_decimal(bits), want) << bits << " at " << p << " (from " << x << ")";
        }
    }
}
