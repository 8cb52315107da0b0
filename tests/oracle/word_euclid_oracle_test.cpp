// Euclid's algorithm on binary words (Jacobi symbols, continued-fraction quotients, word
// division) and the one-word binary Jacobi symbol against GMP, on operands of one word (the
// plain loops), two words (the shortest Lehmer passes) and many, in shapes that force the
// whole-number steps: huge quotients, remainders with long runs of low zero bits, common
// factors, runs of quotients 1.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "number_theory/prime_kernels.h"
#include "number_theory/word_euclid.h"
#include "oracle/oracle_support.h"

namespace {

using ntheory::Words;

Words wordsOf(const mpz_class &v) {
    Words w((mpz_sizeinbase(v.get_mpz_t(), 2) + 63) / 64);
    size_t count = 0;
    mpz_export(w.data(), &count, -1, sizeof(uint64_t), 0, 0, v.get_mpz_t());
    w.resize(count);
    return w;
}

mpz_class randomBits(oracle::Rng &rng, size_t bits) {
    mpz_class v = 0;
    for (size_t i = 0; i < bits; i += 64) v = (v << 64) + mpz_class(std::to_string(rng()));
    return v >> (bits % 64 ? 64 - bits % 64 : 0);
}

// A pair (a, b) of a shape drawn from the table below, with about `bits` bits.
std::pair<mpz_class, mpz_class> drawPair(oracle::Rng &rng, size_t bits) {
    mpz_class a = randomBits(rng, bits) + 1, b = randomBits(rng, bits - rng() % std::min<size_t>(bits, 70)) + 1;
    switch (rng() % 6) {
    case 0: break;
    case 1: a = b * (randomBits(rng, 64 + rng() % 300) + 1) + randomBits(rng, 40); break;  // huge quotient
    case 2: b <<= 60 + rng() % 140; b += 1; a <<= 63 + rng() % 70; a += 1; break;  // long zero runs
    case 3: {  // a common factor
        mpz_class c = randomBits(rng, 1 + rng() % 100) + 1;
        a *= c;
        b *= c;
        break;
    }
    case 4: {  // consecutive Fibonacci numbers: every quotient 1
        unsigned long k = 2 + rng() % (bits * 3 / 2 + 2);
        mpz_fib2_ui(a.get_mpz_t(), b.get_mpz_t(), k);
        break;
    }
    default: b = a - randomBits(rng, bits / 2 + 1) - 1; break;  // close operands
    }
    if (b <= 0) b = 1;
    if (a < 0) a = -a;
    return {a, b};
}

const size_t kBits[] = {3, 20, 63, 64, 65, 100, 127, 128, 129, 190, 500, 3300};

}  // namespace

TEST(WordEuclidOracle, JacobiSymbol) {
    oracle::Rng rng = oracle::rngFor(43);
    for (size_t bits : kBits)
        for (int i = 0; i < 400; i++) {
            auto [a, n] = drawPair(rng, bits);
            if (n % 2 == 0) n += 1;
            a %= n;
            if (i % 7 == 0) a = n - 1;
            int expected = mpz_jacobi(a.get_mpz_t(), n.get_mpz_t());
            ASSERT_EQ(ntheory::jacobiWords(wordsOf(a), wordsOf(n)), expected)
                << "(" << a.get_str() << "|" << n.get_str() << ")";
            if (mpz_sizeinbase(n.get_mpz_t(), 2) <= 64) {  // the binary algorithm on one word
                ASSERT_EQ(ntheory::jacobi(a.get_ui(), n.get_ui()), expected)
                    << "(" << a.get_str() << "|" << n.get_str() << ")";
            }
        }
    EXPECT_EQ(ntheory::jacobiWords(Words{}, Words{1}), 1);
    EXPECT_EQ(ntheory::jacobiWords(Words{}, Words{9}), 0);
}

TEST(WordEuclidOracle, QuotientsAndDivision) {
    oracle::Rng rng = oracle::rngFor(44);
    for (size_t bits : kBits)
        for (int i = 0; i < 200; i++) {
            auto [a, b] = drawPair(rng, bits);
            if (i % 5 == 0) std::swap(a, b);  // a first quotient 0
            if (i % 11 == 0) a = 0;
            std::vector<std::string> got, expected;
            ntheory::euclidQuotients(wordsOf(a), wordsOf(b), [&](std::string_view q) { got.emplace_back(q); });
            for (mpz_class x = a, y = b, q, r; y != 0; x = y, y = r) {
                mpz_tdiv_qr(q.get_mpz_t(), r.get_mpz_t(), x.get_mpz_t(), y.get_mpz_t());
                expected.push_back(q.get_str());
            }
            ASSERT_EQ(got, expected) << a.get_str() << "/" << b.get_str();
            Words q, r;
            ntheory::divmodWords(wordsOf(a), wordsOf(b), q, r);
            ASSERT_EQ(q, wordsOf(a / b)) << a.get_str() << "/" << b.get_str();
            ASSERT_EQ(r, wordsOf(a % b)) << a.get_str() << "/" << b.get_str();
        }
}
