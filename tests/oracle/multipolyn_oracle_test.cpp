// Sums, differences, products and powers of random polynomials in several variables against
// exact rational arithmetic (GMP). Integer coefficients go the whole text road (read, compute,
// write); fraction coefficients, which the reader would turn into decimals, go in as lists.
// The answers are read back by a reader of this test and compared as values: a product keeps
// terms that differ only by a factor x^0 apart, so its text may name one monomial twice.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <map>

#include "globals.h"
#include "multipolyn.h"
#include "oracle/oracle_support.h"

namespace {

using Monomial = std::map<int64_t, int64_t>;  // index to exponent, no exponent 0
using Q = std::map<Monomial, mpq_class>;      // no coefficient 0

void addTerm(Q &p, const Monomial &m, const mpq_class &c) {
    mpq_class &slot = p[m];
    slot += c;
    if (slot == 0) p.erase(m);
}

Q times(const Q &a, const Q &b) {
    Q r;
    for (const auto &[ma, ca] : a)
        for (const auto &[mb, cb] : b) {
            Monomial m = ma;
            for (const auto &[index, e] : mb) m[index] += e;
            addTerm(r, m, ca * cb);
        }
    return r;
}

Q plus(Q a, const Q &b, int sign) {
    for (const auto &[m, c] : b) addTerm(a, m, sign * c);
    return a;
}

std::string numberText(const mpq_class &q) {
    if (q.get_den() == 1) return q.get_num().get_str();
    return q.get_num().get_str() + "|" + q.get_den().get_str();
}

// Typed text of a polynomial with integer coefficients, its terms in map order.
std::string typed(const Q &p) {
    std::string out;
    for (const auto &[m, c] : p) {
        std::string t = c.get_num().get_str();
        if (!out.empty() && t[0] != '-') out += '+';
        out += t;
        for (const auto &[index, e] : m) out += "x_" + std::to_string(index) + "^" + std::to_string(e);
    }
    return out;
}

// A normalised list built factor by factor: coefficient in the first factor, factors in
// ascending index, exponents as the arithmetic writes integers.
MultiPolyn listOf(const Q &p) {
    poly_pt *handle = nullptr, *lastFactor = nullptr;
    for (const auto &[m, c] : p) {
        poly_pt *first = nullptr, *previous = nullptr;
        auto add = [&](poly_pt *f) {
            if (previous) {
                previous->next = f;
                f->prev = previous;
            } else {
                first = f;
            }
            previous = f;
        };
        if (m.empty()) add(new_term_pt(numberText(c), "0", int32_t(kConstantIndex)));
        for (const auto &[index, e] : m) add(new_term_pt(first ? "1" : numberText(c), std::to_string(e), int32_t(index)));
        if (lastFactor) {
            lastFactor->next_term = first;
            first->prev_term = lastFactor;
        } else {
            handle = first;
        }
        lastFactor = previous;
    }
    return MultiPolyn(handle);
}

// Reads the engine's answer in internal names: signed terms of a coefficient (digits, or
// numerator "|" denominator) and the factors x_k^e (x alone is index 0, no "^" exponent 1).
bool readAnswer(const std::string &text, Q &out) {
    size_t i = 0;
    auto digits = [&] {
        size_t start = i;
        while (i < text.size() && isdigit(uint8_t(text[i]))) i++;
        return text.substr(start, i - start);
    };
    while (i < text.size()) {
        int sign = 1;
        if (text[i] == '+' || text[i] == '-') sign = text[i++] == '-' ? -1 : 1;
        mpq_class c(1);
        std::string n = digits();
        if (!n.empty()) {
            c = mpq_class(mpz_class(n));
            if (i < text.size() && text[i] == '|') {
                i++;
                c /= mpz_class(digits());
            }
        }
        Monomial m;
        while (i < text.size() && text[i] == 'x') {
            std::string index = "0", e = "1";
            if (text.compare(i, 2, "x_") == 0) {
                i += 2;
                index = digits();
            } else {
                i++;
            }
            if (i < text.size() && text[i] == '^') {
                i++;
                e = digits();
            }
            if (index.empty() || e.empty() || index.size() > 9 || e.size() > 9) return false;
            m[std::stoll(index)] += std::stoll(e);
        }
        if (i < text.size() && text[i] != '+' && text[i] != '-') return false;
        addTerm(out, m, sign * c);
    }
    return true;
}

struct Random {
    oracle::Rng rng;
    explicit Random(uint64_t salt) : rng(oracle::rngFor(salt)) {}
    int64_t below(int64_t n) { return int64_t(rng() % uint64_t(n)); }
    mpz_class integer(int digits) {
        return mpz_class(oracle::randomDigits(rng, size_t(1 + below(digits)), true), 10);
    }
    mpq_class coefficient(bool fractions) {
        mpq_class q(integer(below(4) ? 3 : 25), fractions && below(2) ? mpz_class(integer(3) + 1) : mpz_class(1));
        q.canonicalize();
        if (q == 0) q = 1;
        return below(2) ? mpq_class(-q) : q;
    }
    Q polynomial(bool fractions) {
        Q p;
        for (int64_t terms = 1 + below(5); terms > 0; terms--) {
            Monomial m;
            for (int64_t v = 1; v <= 4; v++)
                if (below(2)) m[v] = 1 + below(3);
            addTerm(p, m, coefficient(fractions));
        }
        return p.empty() ? Q{{Monomial{}, mpq_class(1)}} : p;
    }
};

class MultiPolynOracle : public ::testing::Test {
  protected:
    void SetUp() override { poly_varnames.clear(); }
};

}  // namespace

TEST_F(MultiPolynOracle, TextRoadWithIntegerCoefficients) {
    Random r(20211107);
    for (int round = 0; round < 300; round++) {
        Q a = r.polynomial(false), b = r.polynomial(false);
        const int n = int(r.below(6));
        const struct {
            const char *op;
            std::string right;
            Q expected;
        } cases[] = {
            {"+", typed(b), plus(a, b, 1)},
            {"-", typed(b), plus(a, b, -1)},
            {"*", typed(b), times(a, b)},
            {"^", std::to_string(n), [&] {
                 Q p{{Monomial{}, mpq_class(1)}};
                 for (int k = 0; k < n; k++) p = times(p, a);
                 return p;
             }()},
        };
        for (const auto &c : cases) {
            const std::string answer = multipolyn_apply_op_text({c.op, c.right, typed(a)});
            Q value;
            ASSERT_TRUE(readAnswer(answer, value)) << answer;
            ASSERT_EQ(value, c.expected) << typed(a) << " " << c.op << " " << c.right << " gave " << answer;
        }
    }
}

TEST_F(MultiPolynOracle, ListsWithFractionCoefficients) {
    Random r(1119);
    for (int round = 0; round < 200; round++) {
        Q a = r.polynomial(true), b = r.polynomial(true);
        MultiPolyn x = listOf(a), y = listOf(b);
        Q value;
        const std::string product = multipolyn_to_internal_string(MultiPolyn(multipolyn_multiply(x.get(), y.get())).get());
        ASSERT_TRUE(readAnswer(product, value)) << product;
        ASSERT_EQ(value, times(a, b)) << typed(a) << " times " << typed(b) << " gave " << product;

        const int n = int(r.below(5));
        Q expected{{Monomial{}, mpq_class(1)}};
        for (int k = 0; k < n; k++) expected = times(expected, a);
        MultiPolyn p(multipolyn_power(x.get(), n));
        if (p.get() == x.get()) p.release();
        const std::string power = multipolyn_to_internal_string(n == 1 ? x.get() : p.get());
        value.clear();
        ASSERT_TRUE(readAnswer(power, value)) << power;
        ASSERT_EQ(value, expected) << "power " << n << " gave " << power;

        // The sum and the difference take their operands over.
        value.clear();
        const std::string sum = multipolyn_to_internal_string(MultiPolyn(multipolyn_add(x.release(), y.release())).get());
        ASSERT_TRUE(readAnswer(sum, value)) << sum;
        ASSERT_EQ(value, plus(a, b, 1)) << sum;
        value.clear();
        const std::string difference =
            multipolyn_to_internal_string(MultiPolyn(multipolyn_subtract(listOf(a).release(), listOf(b).release())).get());
        ASSERT_TRUE(readAnswer(difference, value)) << difference;
        ASSERT_EQ(value, plus(a, b, -1)) << difference;
    }
}
