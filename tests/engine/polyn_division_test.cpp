#include <gtest/gtest.h>

#include <sstream>

#include "polyn_test_support.h"

using polyn_test::backward;
using polyn_test::normalised;
using polyn_test::Terms;
using polyn_test::termsOf;

namespace {

std::pair<std::string, std::string> divided(const TermList &a, const TermList &b) {
    PolynDivision d = polyn_divide(a.get(), b.get());
    TermList q(d.quotient), r(d.remainder);
    return {polyn_to_string(q.get()), polyn_to_string(r.get())};
}

std::string gcdOf(const char *a, const char *b) {
    return polyn_to_string(TermList(polyn_gcd_list(normalised(a).get(), normalised(b).get())).get());
}

}  // namespace

TEST(PolynomialDivision, QuotientAndRemainder) {
    const struct {
        const char *a, *b, *q, *r;
    } cases[] = {
        {"x^3-1", "x-1", "x^2+x^1+1", "0"},
        {"x^2+1", "x^3", "0", "x^2+1"},
        {"4x^2+2", "2", "2x^2+1", "0"},
        {"2x^3+x", "x+1", "2x^2-2x^1+3", "-3"},
        {"x^4", "2x^2+1/3", "1|2x^2-1|12", "1|36"},
        {"x^2+x^-1", "x", "x^1", "x^-1"},
        {"1/2x^5-3", "-3x^2+x", "-1|6x^3-1|18x^2-1|54x^1-1|162", "1|162x^1-3"},
        {"6x^2+x^-2", "3", "2x^2+1|3x^-2", "0"},  // a constant divisor divides every term
    };
    for (const auto &c : cases) {
        auto [q, r] = divided(normalised(c.a), normalised(c.b));
        EXPECT_EQ(q, c.q) << c.a << " / " << c.b;
        EXPECT_EQ(r, c.r) << c.a << " / " << c.b;
    }
    PolynDivision d = polyn_divide(normalised("x^3-1").get(), normalised("x-1").get());
    EXPECT_EQ(termsOf(d.remainder), (Terms{{"0", 0}}));
    free_term_list(d.quotient);
    free_term_list(d.remainder);
    d = polyn_divide(nullptr, normalised("x").get());
    EXPECT_EQ(d.quotient, nullptr);
    EXPECT_EQ(d.remainder, nullptr);
}

TEST(PolynomialDivision, EndsWhereTheLeadingTermDoesNotCancel) {
    // A divisor whose leading coefficient is zero, or coefficients that are not numbers,
    // leave the degree where it was: the division stops with a message, not a loop.
    auto [q1, r1] = divided(normalised("x^2"), backward({{"0", 1}, {"1", 0}}));
    EXPECT_EQ(q1, kPolynDivisionStalls);
    EXPECT_EQ(r1, kPolynDivisionStalls);
    auto [q2, r2] = divided(normalised("3x^2+1"), backward({{"y", 1}, {"1", 0}}));
    EXPECT_EQ(q2, kPolynDivisionStalls);
    // Dividing a zero polynomial that kept an exponent stops at the quotient term 0.
    auto [q3, r3] = divided(backward({{"0", 1}}), normalised("x+1"));
    EXPECT_EQ(q3, "0");
    EXPECT_EQ(r3, "0");
}

TEST(PolynomialDivision, LongQuotientsAndTheirLimit) {
    PolynDivision d = polyn_divide(normalised("x^20000").get(), normalised("x-1").get());
    TermList q(d.quotient), r(d.remainder);
    size_t terms = 0;
    for (const poly *t = q.get(); t; t = t->prev) terms++;
    EXPECT_EQ(terms, 20000u);
    EXPECT_EQ(polyn_to_string(r.get()), "1");
    auto [q2, r2] = divided(normalised("x^200000"), normalised("x+1"));
    EXPECT_EQ(q2, kPolynTooBig);
}

TEST(PolynomialGcd, NotMadeMonic) {
    const struct {
        const char *a, *b, *gcd;
    } cases[] = {
        {"x^2-1", "x-1", "x^1-1"},
        {"x^2+1", "x", "1"},
        {"2x", "4", "4"},
        {"x-1", "x^2-1", "x^1-1"},  // the first division only swaps the operands
        {"x^3-x", "2x^2-2", "2x^2-2"},
        {"x^2-3x+2", "x^2-4x+3", "x^1-1"},
        {"2x^2+2x", "3x^2-3", "2x^1+2"},
        {"x^4+x^3", "x^3+x^2", "x^3+x^2"},
        {"x^2+x+1/2", "x+1", "1|2"},
        // The remainders are found modulo word-sized primes; here the third remainder's leading
        // coefficient (and in the next case the last remainder) vanishes modulo the first two
        // of them, which must be passed over, not taken for a gcd of higher degree.
        {"x^3", "x^2+999999866000004473", "999999866000004473"},
        {"x^2+1", "x+696672398587517189", "485352430953684422198874891370461722"},
        {"x^200000+1", "x^199999", "1"},  // far apart exponents stay sparse
    };
    for (const auto &c : cases) EXPECT_EQ(gcdOf(c.a, c.b), c.gcd) << c.a << ", " << c.b;
    // A list of either form; a coefficient the tree merges is one number.
    bool ok = false;
    TermList f(polyn_parse("x^2-1/2-1/2", ok)), g(polyn_parse("x-1", ok));
    EXPECT_EQ(polyn_to_string(TermList(polyn_gcd_list(f.get(), g.get())).get()), "x^1-1");
    EXPECT_EQ(polyn_gcd_list(nullptr, g.get()), nullptr);
}

TEST(PolynomialGcd, PrintedStepsAndBezoutIdentity) {
    const struct {
        const char *f, *g, *text, *gcd;
    } cases[] = {
        {"x^2-1", "x-1",
         "x^2-1 == (x^1+1)*(x^1-1) + (0)\n\n"
         "\n-------------------------------------\n"
         "f(x) = x^2-1\ng(x) = x^1-1\n\n The remainder polynomials are:\n\n"
         "\n-----u(x)*f(x)+v(x)*g(x)---------\n"
         "x^1-1 == \n\t(0)*f(x) + (1)*g(x)\n",
         "x^1-1"},
        {"x^2+1", "x",
         "x^2+1 == (x^1)*(x^1) + (1)\n\n"
         "\n-------------------------------------\n"
         "f(x) = x^2+1\ng(x) = x^1\n\n The remainder polynomials are:\n\nr(1) = 1\n"
         "\n-----u(x)*f(x)+v(x)*g(x)---------\n"
         "1 == \n\t(1)*f(x) + (-1x^1)*g(x)\n",
         "1"},
        {"x^3-1", "x^2-1",
         "x^3-1 == (x^1)*(x^2-1) + (x^1-1)\n\n"
         "x^2-1 == (x^1+1)*(x^1-1)\n\n"
         "\n-------------------------------------\n"
         "f(x) = x^3-1\ng(x) = x^2-1\n\n The remainder polynomials are:\n\nr(1) = x^1-1\n"
         "\n-----u(x)*f(x)+v(x)*g(x)---------\n"
         "x^1-1 == \n\t(1)*f(x) + (-1x^1)*g(x)\n",
         "x^1-1"},
        {"x^3+2x+1", "x^2+1",
         "x^3+2x^1+1 == (x^1)*(x^2+1) + (x^1+1)\n\n"
         "x^2+1 == (x^1-1)*(x^1+1) + (2)\n\n"
         "x^1+1 == (1|2x^1+1|2)*(2)\n\n"
         "\n-------------------------------------\n"
         "f(x) = x^3+2x^1+1\ng(x) = x^2+1\n\n The remainder polynomials are:\n\nr(1) = x^1+1\nr(2) = 2\n"
         "\n-----u(x)*f(x)+v(x)*g(x)---------\n"
         "2 == \n\t(-1x^1+1)*f(x) + (x^2-1x^1+1)*g(x)\n",
         "2"},
    };
    for (const auto &c : cases) {
        bool ok = false;
        TermList f(polyn_parse(c.f, ok)), g(polyn_parse(c.g, ok));
        std::ostringstream out;
        TermList gcd(polyn_gcd_steps(f.get(), g.get(), out));
        EXPECT_EQ(out.str(), c.text) << c.f << ", " << c.g;
        EXPECT_EQ(polyn_to_string(gcd.get()), c.gcd);
    }
}

TEST(PolynomialFactorTests, PrimitiveAndEisenstein) {
    const std::pair<const char *, bool> primitive[] = {
        {"2x^2+4x+6", false}, {"2x^2+3", true}, {"5x", false}, {"2x-1", true}, {"-4x^2+6", false},
        {"1/2x+1", false},   {"6x^3+10x+15", true}};
    for (auto [p, want] : primitive) EXPECT_EQ(isPrimitivePolyn(normalised(p).get()), want) << p;
    EXPECT_FALSE(isPrimitivePolyn(nullptr));

    const struct {
        const char *p;
        bool irreducible;
        const char *prime;
    } eisenstein[] = {
        {"x^2+2x+2", true, "2"},
        // a monomial or a constant: no prime fits (p^2 divides the zero constant term)
        {"3x", false, ""},
        {"x^2", false, ""},
        {"7", false, ""},
        {"-2x^2+7x+7", true, "7"},
        {"x^2+15x+10", true, "5"},
        {"x^2+4x+4", false, ""},
        {"x^2+100000000000000000000000000006x+100000000000000000000000000006", true, "2"},
        {"1/2x^2+1", false, ""},
        // primes beyond the small ones, and the smallest that fits is named
        {"x^2+11", true, "11"},
        {"x^3+1000003x+1000003", true, "1000003"},
        {"x^2+100000000000000000039", true, "100000000000000000039"},
        {"x^2+30x+30", true, "2"},
        // 2 divides the leading coefficient, 3 squared divides the constant: 5 fits
        {"2x^2+30x+90", true, "5"},
        {"4x^2+12x+9", false, ""},
        // a prime that divides the constant term twice fits no better than one absent
        {"x^2+10000000000000000000000000000000000000000000000000000000000000000000000000000x+"
         "100000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "00000000000000000000000000000000000000000000000000000000000000000000",
         false, ""},
    };
    for (const auto &c : eisenstein) {
        std::string prime = "99";
        std::ostringstream note;
        EXPECT_EQ(eisenstein_criterion(normalised(c.p).get(), prime, note), c.irreducible) << c.p;
        EXPECT_EQ(prime, c.prime) << c.p;
        EXPECT_EQ(note.str(), "") << c.p;
    }
    std::string prime;
    std::ostringstream note;
    EXPECT_FALSE(eisenstein_criterion(normalised("x^3+x").get(), prime, note));
    EXPECT_EQ(note.str(), "This polynomial has factor x^1\n");
    // A gcd with a composite part too long to factor is not searched: only its small
    // primes count, and the note says so.
    const std::string semiprime = "1522605027922533360535618378132637429718068114961380688657908494580122963258952897654"
                                  "000350692006139";  // RSA-100
    note.str("");
    EXPECT_FALSE(eisenstein_criterion(normalised("x^2+" + semiprime).get(), prime, note));
    EXPECT_EQ(note.str(), "The coefficients share a factor too large to split into primes: only the primes below "
                          "1000 were tried.\n");
    note.str("");
    const std::string threeTimes = "4567815083767600081606855134397912289154204344884142065973725483740368889776858"
                                   "692962001052076018417";
    EXPECT_TRUE(eisenstein_criterion(normalised("x^2+" + threeTimes).get(), prime, note));
    EXPECT_EQ(prime, "3");
}
