// Products, quotients with remainder, gcds, powers and values of one-variable polynomials
// against exact rational arithmetic (GMP) on random polynomials with integer and fraction
// coefficients. Lists of plain numbers take the exact kernel; the same values spelt
// otherwise ("6|4", "5|1") take the term-by-term text road; both must give the oracle's text.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <map>

#include "oracle/oracle_support.h"
#include "polynomial.h"

namespace {

// Exponent to non-zero coefficient.
using Q = std::map<int64_t, mpq_class>;

std::string numberText(const mpq_class &q) {
    if (q.get_den() == 1) return q.get_num().get_str();
    return q.get_num().get_str() + "|" + q.get_den().get_str();
}

// The engine form of the normalised polynomial.
std::string engineText(const Q &p) {
    if (p.empty()) return "0";
    std::string out;
    for (auto it = p.rbegin(); it != p.rend(); ++it) {
        std::string c = numberText(it->second);
        if (!out.empty() && c[0] != '-') out += '+';
        if (it->first == 0) out += c;
        else out += (c == "1" ? "" : c) + "x^" + std::to_string(it->first);
    }
    return out;
}

void addTerm(Q &p, int64_t e, const mpq_class &c) {
    mpq_class &slot = p[e];
    slot += c;
    if (slot == 0) p.erase(e);
}

Q times(const Q &a, const Q &b) {
    Q r;
    for (auto &[ea, ca] : a)
        for (auto &[eb, cb] : b) addTerm(r, ea + eb, ca * cb);
    return r;
}

int64_t degree(const Q &p) { return p.rbegin()->first; }

// Division as the polynomial code defines it: a constant divisor divides every term.
std::pair<Q, Q> divide(const Q &a, const Q &b) {
    if (degree(a) < degree(b)) return {Q{}, a};
    const mpq_class lead = b.rbegin()->second;
    Q q, r = a;
    if (degree(b) == 0) {
        for (auto &[e, c] : a) q[e] = c / lead;
        return {q, Q{}};
    }
    while (!r.empty() && degree(r) >= degree(b)) {
        int64_t shift = degree(r) - degree(b);
        mpq_class t = r.rbegin()->second / lead;
        q[shift] = t;
        for (auto &[e, c] : b) addTerm(r, e + shift, -t * c);
    }
    return {q, r};
}

// Euclid's algorithm as the polynomial code runs it: the last non-zero remainder, not
// made monic, or 1 as soon as a remainder is exactly 1.
Q gcd(Q a, Q b) {
    Q r = divide(a, b).second;
    for (;;) {
        if (r.empty()) return b;
        if (r.size() == 1 && r.begin()->first == 0 && r.begin()->second == 1) return r;
        a = std::move(b);
        b = std::move(r);
        r = divide(a, b).second;
    }
}

struct Random {
    oracle::Rng rng;
    explicit Random(uint64_t salt) : rng(oracle::rngFor(salt)) {}
    int64_t below(int64_t n) { return int64_t(rng() % uint64_t(n)); }
    mpz_class integer(int digits) {
        return mpz_class(oracle::randomDigits(rng, size_t(1 + below(digits)), true), 10);
    }
    mpq_class coefficient(bool fractions, int digits) {
        mpq_class q(integer(digits), fractions && below(2) ? mpz_class(integer(digits) + 1) : mpz_class(1));
        q.canonicalize();
        if (q == 0) q = 1;
        return below(2) ? mpq_class(-q) : q;
    }
    Q polynomial(int maxDegree, bool fractions, int digits) { return ofDegree(below(maxDegree + 1), fractions, digits); }
    // Degree d exactly, about a third of the lower coefficients zero.
    Q ofDegree(int64_t d, bool fractions, int digits) {
        Q p;
        p[d] = coefficient(fractions, digits);
        for (int64_t e = 0; e < d; e++)
            if (below(3)) p[e] = coefficient(fractions, digits);
        return p;
    }
};

// The polynomial in gp's syntax.
std::string gpText(const Q &p) {
    if (p.empty()) return "0";
    std::string out;
    for (auto &[e, c] : p) out += "+(" + c.get_str() + ")*x^" + std::to_string(e);
    return out;
}

// The normalised list of p, through the reader (typed text) or built term by term with
// coefficients spelt as the text road takes them.
TermList listOf(const Q &p, bool textRoad) {
    if (!textRoad) {
        std::string typed;
        for (auto it = p.rbegin(); it != p.rend(); ++it) {
            std::string c = it->second.get_str();
            typed += (c[0] == '-' || typed.empty() ? "" : "+") + c + "x^" + std::to_string(it->first);
        }
        bool ok = false;
        TermList parsed(polyn_parse(typed, ok));
        EXPECT_TRUE(ok) << typed;
        return TermList(polyn_normalize(parsed.get()));
    }
    poly *handle = nullptr, *last = nullptr;
    for (auto it = p.rbegin(); it != p.rend(); ++it) {
        const mpq_class &c = it->second;
        // unreduced n*3|d*3, or n|1 for an integer
        std::string text = c.get_den() == 1 ? c.get_num().get_str() + "|1"
                                            : mpz_class(c.get_num() * 3).get_str() + "|" + mpz_class(c.get_den() * 3).get_str();
        append_term(handle, last, new_term(text, it->first), false);
    }
    return TermList(handle);
}

mpq_class valueOf(const std::string &text) {
    std::string t = text;
    for (char &c : t)
        if (c == '|') c = '/';
    mpq_class q(t, 10);
    q.canonicalize();
    return q;
}

// The values of a list's terms (zero terms kept, to be seen by the comparison).
Q valuesOf(const poly *list) {
    Q p;
    for (const poly *t = list; t; t = walk_next(list, t)) p[t->exponent] += valueOf(t->coefficient);
    if (p.size() == 1 && p.begin()->second == 0) p.clear();  // the zero polynomial
    return p;
}

}  // namespace

TEST(PolynomialOracle, ProductsQuotientsAndGcds) {
    Random random(2024);
    for (int iter = 0; iter < 3000; iter++) {
        const bool fractions = iter % 2 == 1, textRoad = iter % 5 == 4;
        const int digits = iter % 100 == 0 ? 40 : 3, maxDegree = textRoad ? 4 : 9;
        Q f = random.polynomial(textRoad ? 2 : 4, fractions, digits);
        Q a = times(f, random.polynomial(maxDegree, fractions, digits));
        Q b = times(f, random.polynomial(maxDegree, fractions, digits));
        TermList la = listOf(a, textRoad), lb = listOf(b, textRoad);

        TermList product(polyn_multiply_normalized(la.get(), lb.get()));
        ASSERT_EQ(polyn_to_string(product.get()), engineText(times(a, b))) << engineText(a) << " * " << engineText(b);

        // The text road hands back an operand as it was spelt where the answer is that
        // operand (a gcd that is b, a remainder that is a): its values are compared.
        auto [q, r] = divide(a, b);
        PolynDivision d = polyn_divide(la.get(), lb.get());
        TermList dq(d.quotient), dr(d.remainder);
        Q g = gcd(a, b);
        TermList lg(polyn_gcd_list(la.get(), lb.get()));
        if (textRoad) {
            ASSERT_EQ(valuesOf(dq.get()), q) << engineText(a) << " / " << engineText(b);
            ASSERT_EQ(valuesOf(dr.get()), r) << engineText(a) << " / " << engineText(b);
            ASSERT_EQ(valuesOf(lg.get()), g) << "gcd " << engineText(a) << ", " << engineText(b);
            continue;
        }
        ASSERT_EQ(polyn_to_string(dq.get()), engineText(q)) << engineText(a) << " / " << engineText(b);
        ASSERT_EQ(polyn_to_string(dr.get()), engineText(r)) << engineText(a) << " / " << engineText(b);
        ASSERT_EQ(polyn_to_string(lg.get()), engineText(g)) << "gcd " << engineText(a) << ", " << engineText(b);
    }
}

TEST(PolynomialOracle, PowersAndValues) {
    Random random(77);
    for (int iter = 0; iter < 1500; iter++) {
        const bool fractions = iter % 2 == 0;
        // Bases of few terms take the coefficient recurrence, longer ones repeated squaring.
        const bool longBase = iter % 10 == 3;
        Q p = random.polynomial(longBase ? 16 : 5, fractions, iter % 50 == 0 ? 25 : 3);
        TermList l = listOf(p, iter % 7 == 6);
        const int32_t n = int32_t(2 + random.below(iter % 100 == 0 ? 60 : longBase ? 4 : 6));
        Q expected = p;
        for (int32_t k = 1; k < n; k++) expected = times(expected, p);
        TermList raised(polyn_power(l.get(), n));
        ASSERT_EQ(polyn_to_string(raised.get()), engineText(expected)) << engineText(p) << " ^ " << n;

        // Integer points compute in decimals (integer coefficients) or fractions; fraction
        // points in fractions.
        mpq_class x = random.below(2) ? mpq_class(random.below(41) - 20) : random.coefficient(true, 2);
        mpq_class value = 0;
        for (auto &[e, c] : p) {
            mpq_class power = 1;
            for (int64_t k = 0; k < e; k++) power *= x;
            value += c * power;
        }
        std::string out;
        TermList sorted(polyn_eval_at(l.get(), numberText(x), out));
        ASSERT_EQ(valueOf(out), value) << engineText(p) << " at " << numberText(x) << " gave " << out;
    }
}

namespace {

struct LongGcdCase {
    int64_t degree, common;  // of both operands, and of the factor they share (0: none)
    bool fractions;
    int digits;
};

// Both operands of degree c.degree, sharing a random factor of degree c.common.
std::pair<Q, Q> longPair(Random &random, const LongGcdCase &c) {
    Q f = c.common ? random.ofDegree(c.common, c.fractions, c.digits) : Q{{0, 1}};
    return {times(f, random.ofDegree(c.degree - c.common, c.fractions, c.digits)),
            times(f, random.ofDegree(c.degree - c.common, c.fractions, c.digits))};
}

TermList gcdList(const Q &a, const Q &b) {
    TermList la = listOf(a, false), lb = listOf(b, false);
    return TermList(polyn_gcd_list(la.get(), lb.get()));
}

}  // namespace

// The gcd is the last Euclidean remainder over the rationals, however long: its
// coefficients grow with the degree (hundreds of digits here), and each must be the one
// the remainders computed exactly give.
TEST(PolynomialOracle, GcdsOfLongerPolynomialsAreTheLastEuclideanRemainder) {
    Random random(4711);
    const LongGcdCase cases[] = {
        {20, 0, false, 3}, {24, 7, false, 2}, {30, 0, true, 2}, {32, 11, true, 1}, {45, 0, false, 1}, {40, 20, false, 2},
    };
    for (const LongGcdCase &c : cases) {
        auto [a, b] = longPair(random, c);
        TermList g = gcdList(a, b);
        ASSERT_EQ(polyn_to_string(g.get()), engineText(gcd(a, b))) << "gcd " << engineText(a) << ", " << engineText(b);
    }
}

// Up to degree 200, where the remainders over the rationals take gp a minute: gp's gcd
// (monic) must be the engine's up to a rational scalar, and the scalar is checked by the
// remainders computed modulo a random 60-bit prime, which must give the engine's text
// modulo that prime.
TEST(PolynomialOracle, GcdsUpToDegree200AgainstGp) {
    Random random(2718);
    const LongGcdCase cases[] = {{200, 0, false, 1}, {200, 60, false, 1}, {100, 0, true, 1}, {90, 30, false, 3}};
    std::string program = "eu(a, b) = my(r = a % b); while(r != 0, if(r == 1, return(1)); a = b; b = r; r = a % b); b;\n"
                          "setrand(31);\n";
    std::vector<std::string> labels;
    for (const LongGcdCase &c : cases) {
        auto [a, b] = longPair(random, c);
        TermList g = gcdList(a, b);
        const std::string text = polyn_to_string(g.get());
        const Q value = valuesOf(g.get());
        ASSERT_EQ(text, engineText(value)) << "not in lowest terms";
        labels.push_back("degree " + std::to_string(c.degree) + ", common factor of degree " + std::to_string(c.common));
        program += "a = " + gpText(a) + "; b = " + gpText(b) + "; r = " + gpText(value) +
                   "; g = gcd(a, b); p = randomprime([2^59, 2^60]);\n"
                   "print(poldegree(r) == poldegree(g) && r % g == 0, \" \", "
                   "eu(a * Mod(1, p), b * Mod(1, p)) == r * Mod(1, p), \" \", poldegree(g));\n";
    }
    const std::vector<std::string> lines = oracle::runGp(program);
    ASSERT_EQ(lines.size(), std::size(cases)) << (lines.empty() ? "gp gave no answer" : lines.back());
    for (size_t k = 0; k < lines.size(); k++)
        EXPECT_EQ(lines[k], "1 1 " + std::to_string(cases[k].common)) << labels[k];
}
