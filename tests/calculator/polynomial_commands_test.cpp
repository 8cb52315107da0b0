// Transcripts of the one-variable polynomial commands, and their answers for random
// polynomials checked against exact rational arithmetic done here.
#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "calculator_test_support.h"

namespace {

const std::string kClosingBlock = "\n" + texts::rule + "\n\n" + texts::prompt;
const std::string kClosing = "\n" + kClosingBlock;

std::string out(const std::string &value) { return "out> " + value + kClosing; }
std::string hint(const std::string &text) { return "hint> " + text + kClosing; }

TEST(PolynomialCommandTranscripts, NormalFormDegreeAndIntegral) {
    Calculator calculator;
    calculator.setOperatorChars();
    expectTranscript(calculator, {
                                     {"simplify(x^2+2*x+x^2)", out("2x^2+2x^1")},
                                     // the interpreter's "0-" before a leading minus is read back
                                     {"simplify(-x^2+2*x+x^2)", out("2x^1")},
                                     {"simplify(x^2 + 2x)", out("x^2+2x^1")},  // blanks kept by the interpreter
                                     {"simplify(sin(x))", hint("sin(x) is NOT a polynomial.")},
                                     {"simplify()", hint(" is NOT a polynomial.")},
                                     {"ispolyn(x^2+2*x)", "x^2+2x\nYes\n>> "},
                                     {"ispolyn(sin(x))", "\nNo\n>> "},
                                     {"ispolyn()", "\nNo\n>> "},
                                     {"deg(x^3+1)", out("3")},
                                     {"deg()", out("the input  is empty.")},
                                     {"deg(sin(x))", out("sin(x) is NOT a polynomial.")},
                                     {"integrate(3x^2+2x+1)", out("x^3+x^2+x^1")},
                                     {"integrate(x^-2)", out("-1x^-1")},
                                     {"integrate(sin(x))", out("sin(x) is NOT a polynomial.")},
                                     // x^-1 has no polynomial integral: no division by 0
                                     {"integrate(x^-1+1)",
                                      hint("x^-1+1 has a term in x^-1, whose integral ln(x) is no polynomial.")},
                                 });
}

TEST(PolynomialCommandTranscripts, MonicFormAndTerms) {
    Calculator calculator;
    calculator.setOperatorChars();
    expectTranscript(calculator,
                     {
                         {"monic_polyn(2*x+4)", "out> x+2" + kClosingBlock},
                         {"monic_polyn(3x^2+1)", "out> x^2+1|3" + kClosingBlock},
                         // the first ")" must end the call
                         {"monic_polyn((x+1)*2)", hint("the input is wrong.")},
                         {"monic_polyn(0)", hint("0 is the zero polynomial, which has no leading coefficient.")},
                         {"monic_polyn(x/2)", hint("x/2 is NOT a polynomial.")},
                         {"polyn_items(x^3-2x+1)", "split> x^3-2x^1+1\ninto items> \n\nx^3\n-2x^1\n1\n" + texts::rule +
                                                       "\nTotal: 3 items.\n\n>> "},
                         {"polyn_items(sin(x))", "The input is NOT a polynomial.\n" + kClosingBlock},
                     });
}

TEST(PolynomialCommandTranscripts, Division) {
    Calculator calculator;
    calculator.setOperatorChars();
    expectTranscript(
        calculator,
        {
            {"div(x^2-1,x-1)", "\nx^1+1" + kClosingBlock},
            {"div(x^2,x-1)", "\n quotient> q(x) = x+1\nremainder> r(x) = 1\n\n(x^1+1)+(1)/(x^1-1)" + kClosingBlock},
            {"div(1,x^2)", "\n quotient> q(x) = 0\nremainder> r(x) = 1\n\n(1)/(x^2)" + kClosingBlock},
            {"div(x^2+1, x-1)",
             "\n quotient> q(x) = x+1\nremainder> r(x) = 2\n\n(x^1+1)+(2)/(x^1-1)" + kClosingBlock},
            // letters are coefficients to the polynomial reader
            {"div(x^2,abc)", "\n1|abcx^2" + kClosingBlock},
            {"div(sin(x),x", "div(sin(x),x\n\nError[1011]> The symbols () [] {} are NOT matched, please input "
                             "again.\n" + texts::rule + "\n\n>> "},
            {"div(x^2|,x)", "x^2| is NOT a polynomial of x\n" + kClosingBlock},
            {"div(,)", " is NOT a polynomial of x\n is NOT a polynomial of x\n" + kClosingBlock},
            {"div(x)", hint("the input is wrong.")},
            // the zero polynomial divides nothing (it was "Infx^2+Inf")
            {"div(x^2+1,0)", hint("0 is the zero polynomial, which divides nothing.")},
            {"div(x^2+1,x-x)", hint("x-x is the zero polynomial, which divides nothing.")},
        });
}

TEST(PolynomialCommandTranscripts, GreatestCommonDivisors) {
    Calculator calculator;
    calculator.setOperatorChars();
    const std::string steps = "out> \nx^2-1 == (x^1+1)*(x^1-1) + (0)\n\n\n-------------------------------------\n"
                              "f(x) = x^2-1\ng(x) = x^1-1\n\n The remainder polynomials are:\n\n\n"
                              "-----u(x)*f(x)+v(x)*g(x)---------\nx^1-1 == \n\t(0)*f(x) + (1)*g(x)\n"
                              "The greatest common divisor is:\nx-1" +
                              kClosingBlock;
    expectTranscript(calculator,
                     {
                         {"Gcd2(x^2-1,x-1)", steps},
                         {"Gcd2(x,abc(1))", hint("x or abc(1 is NOT polynomial.")},
                         {"Gcd2(x,0)", hint("0 is the zero polynomial, which divides nothing.")},
                         {"Gcd2(0,x)", hint("0 is the zero polynomial, which divides nothing.")},
                         {"Gcd(x^2+2x+1,x^2-1)", "2x+2" + kClosingBlock},  // not made monic
                         {"Gcd(1/2x^2+x+1/2,3/4x+3/4)", "3|4x+3|4" + kClosingBlock},
                         // stops at the first constant gcd
                         {"Gcd(x^2-1,x-1,x+2)", "-3" + kClosingBlock},
                         // the zero polynomial changes no gcd
                         {"Gcd(x^2-1,0,x-1)", "x-1" + kClosingBlock},
                         {"Gcd(0,0)", "0" + kClosingBlock},
                         {"Gcd(x,sin(x))", hint("sin(x) is NOT a polynomial.")},
                         {"Gcd(x,)", hint(" is NOT a polynomial.")},
                         {"Gcd(x)", "syntax> Gcd(poly1,poly2,poly3,...,polyK)\n" + kClosingBlock},
                     });
}

TEST(PolynomialCommandTranscripts, PrimitiveAndEisenstein) {
    Calculator calculator;
    calculator.setOperatorChars();
    const std::string yes = "out> True, it is an irreducible polynomial on Q.\n"
                            "(The prime number that satisfies the Eisenstein conditions is ";
    const std::string no = "out> False, it doesn't satisfy the conditions of Eisenstein's discriminant rule.\n";
    expectTranscript(calculator, {
                                     {"PrimitivePolyn(2x^2+3)", out("true ")},
                                     {"PrimitivePolyn(2x^2+4)", out("false ")},
                                     {"PrimitivePolyn(x/2)", hint("x/2 contains non digit char.")},
                                     {"PrimitivePolyn(sin(x))", hint("the input is wrong.")},
                                     {"Eisenstein(x^2+2x+2)", yes + "2.)\n" + kClosingBlock},
                                     // primes past 10 are tried (it was False)
                                     {"Eisenstein(x^2+11)", yes + "11.)\n" + kClosingBlock},
                                     // a monomial fits no prime (it was True with the prime 1)
                                     {"Eisenstein(x)", no + kClosingBlock},
                                     {"Eisenstein(x^3+x)", "This polynomial has factor x^1\n" + no + kClosingBlock},
                                     {"Eisenstein(x^2+4x+4)", no + kClosingBlock},
                                 });
}

TEST(PolynomialCommandTranscripts, LagrangeInterpolation) {
    Calculator calculator;
    calculator.setOperatorChars();
    const std::string twoPoints = "The points are:\n(1,2) (3,4) \n---------------\n"
                                  "ell_0 = (x-(3))/(1-(3))\n      = -((x-3))|2\n      = -1|2x^1+3|2\n\n"
                                  "ell_1 = (x-(1))/(3-(1))\n      = (x-1)|2\n      = 1|2x^1-1|2\n\n"
                                  "Lagrange polyn is: \n\t(2)*(-1|2x^1+3|2)+(4)*(1|2x^1-1|2)\n      = x+1\n\n" +
                                  kClosingBlock;
    expectTranscript(calculator,
                     {
                         {"LagrangePolyn(1,2;3,4)", twoPoints},
                         {"LagrangePolyn(1, 2; 3, 4;)", twoPoints},
                         // a repeated or missing x was a division by 0 ("Inf" polynomials)
                         {"LagrangePolyn(1,2;1,3)", hint("1 is the x of two points: the points need distinct x.")},
                         {"LagrangePolyn(1/2,2;0.5,3)", hint("0.5 is the x of two points: the points need distinct x.")},
                         {"LagrangePolyn(1,2;3)", hint("3 is not a point x,y.")},
                         {"LagrangePolyn(1)", hint("1 is not a point x,y.")},
                         {"LagrangePolyn(,1;2,3)", hint(",1 is not a point x,y.")},
                         {"LagrangePolyn(1,2,3)", hint("1,2,3 is not a point x,y.")},
                         {"LagrangePolyn()", "syntax> Lagrange_Polyn(x1,y1;x2,y2;...;xn,yn)\n" + kClosingBlock},
                     });
}

// ---- random polynomials against exact rational arithmetic ----

// A rational number in lowest terms with a positive denominator; 128 bits hold the
// fractions of Euclid's steps on the small polynomials drawn here.
using Int = __int128;

Int gcdOf(Int a, Int b) {
    if (a < 0) a = -a;
    if (b < 0) b = -b;
    while (b != 0) {
        Int r = a % b;
        a = b;
        b = r;
    }
    return a;
}

std::string decimal(Int v) {
    if (v == 0) return "0";
    std::string digits;
    for (Int m = v < 0 ? -v : v; m > 0; m /= 10) digits.insert(digits.begin(), char('0' + int(m % 10)));
    return (v < 0 ? "-" : "") + digits;
}

struct Q {
    Int n = 0, d = 1;
    Q(Int num = 0, Int den = 1) : n(num), d(den) {
        if (d < 0) n = -n, d = -d;
        Int g = gcdOf(n, d);
        if (g > 1) n /= g, d /= g;
    }
    friend Q operator+(Q a, Q b) { return Q(a.n * b.d + b.n * a.d, a.d * b.d); }
    friend Q operator-(Q a, Q b) { return Q(a.n * b.d - b.n * a.d, a.d * b.d); }
    friend Q operator*(Q a, Q b) { return Q(a.n * b.n, a.d * b.d); }
    friend Q operator/(Q a, Q b) { return Q(a.n * b.d, a.d * b.n); }
    bool zero() const { return n == 0; }
};

// Coefficients by exponent, highest last; no trailing zeros (the zero polynomial is empty).
using Poly = std::vector<Q>;

void trimZeros(Poly &p) {
    while (!p.empty() && p.back().zero()) p.pop_back();
}

// The text the engine writes for a polynomial: descending terms, exponent 1 written "x^1",
// a coefficient 1 left out before x (-1 stays written) and x^0 the bare coefficient.
std::string engineText(const Poly &p) {
    std::string text;
    for (size_t k = p.size(); k-- > 0;) {
        const Q &c = p[k];
        if (c.zero()) continue;
        std::string coefficient = decimal(c.n < 0 ? -c.n : c.n) + (c.d == 1 ? "" : "|" + decimal(c.d));
        if (k > 0 && c.n == 1 && c.d == 1) coefficient.clear();
        text += c.n < 0 ? "-" : (text.empty() ? "" : "+");
        text += coefficient + (k == 0 ? "" : "x^" + std::to_string(k));
    }
    return text.empty() ? "0" : text;
}

// Text as typed: integer coefficients, every term written "c*x^k".
std::string typed(const Poly &p) {
    std::string text;
    for (size_t k = p.size(); k-- > 0;) {
        if (p[k].zero()) continue;
        if (!text.empty() && p[k].n > 0) text += "+";
        text += decimal(p[k].n) + (k == 0 ? "" : "*x^" + std::to_string(k));
    }
    return text.empty() ? "0" : text;
}

Poly multiply(const Poly &a, const Poly &b) {
    if (a.empty() || b.empty()) return {};
    Poly r(a.size() + b.size() - 1);
    for (size_t i = 0; i < a.size(); i++)
        for (size_t j = 0; j < b.size(); j++) r[i + j] = r[i + j] + a[i] * b[j];
    trimZeros(r);
    return r;
}

void divide(Poly a, const Poly &b, Poly &quotient, Poly &remainder) {
    quotient.assign(a.size() >= b.size() ? a.size() - b.size() + 1 : 0, Q());
    trimZeros(a);
    while (a.size() >= b.size()) {
        const size_t shift = a.size() - b.size();
        const Q factor = a.back() / b.back();
        quotient[shift] = factor;
        for (size_t k = 0; k < b.size(); k++) a[k + shift] = a[k + shift] - factor * b[k];
        trimZeros(a);
    }
    trimZeros(quotient);
    remainder = a;
}

// The gcd made monic, so that it compares with the engine's up to a constant factor.
Poly monicGcd(Poly a, Poly b) {
    while (!b.empty()) {
        Poly q, r;
        divide(a, b, q, r);
        a = b;
        b = r;
    }
    const Q lead = a.back();
    for (Q &c : a) c = c / lead;
    return a;
}

class RandomPolynomials : public testing::Test {
protected:
    std::mt19937 random{20261211};
    Poly make(size_t maxDegree) {
        Poly p(1 + std::uniform_int_distribution<size_t>(0, maxDegree)(random));
        for (Q &c : p) c = Q(std::uniform_int_distribution<int>(-9, 9)(random));
        if (p.back().zero()) p.back() = Q(1 + std::uniform_int_distribution<int>(0, 8)(random));
        return p;
    }
};

// What the terminal shows for a typed line.
std::string typeLine(Calculator &calculator, const std::string &line) {
    captureStdout([&] { processInputLine(line, calculator); });
    return shownText(calculator);
}

// The text between "out> " and the closing (or the closing block).
std::string answerValue(const std::string &shown) {
    std::string value = shown.starts_with("out> ") ? shown.substr(5) : shown;
    const size_t closing = value.find(kClosing);
    return value.substr(0, closing != std::string::npos ? closing : value.find(kClosingBlock));
}

TEST_F(RandomPolynomials, DivisionAgreesWithExactArithmetic) {
    Calculator calculator;
    calculator.setOperatorChars();
    for (int round = 0; round < 60; round++) {
        const Poly a = make(6), b = make(3);
        Poly q, r;
        divide(a, b, q, r);
        const std::string shown = typeLine(calculator, "div(" + typed(a) + "," + typed(b) + ")");
        const std::string summary =
            r.empty() ? engineText(q)
                      : (q.empty() ? "" : "(" + engineText(q) + ")+") + "(" + engineText(r) + ")/(" + engineText(b) + ")";
        ASSERT_TRUE(shown.ends_with("\n" + summary + kClosingBlock)) << typed(a) << " / " << typed(b) << "\n" << shown;
    }
}

TEST_F(RandomPolynomials, IntegralAgreesWithExactArithmetic) {
    Calculator calculator;
    calculator.setOperatorChars();
    for (int round = 0; round < 40; round++) {
        const Poly p = make(7);
        Poly integral(p.size() + 1);
        for (size_t k = 0; k < p.size(); k++) integral[k + 1] = p[k] / Q(Int(k + 1));
        trimZeros(integral);
        EXPECT_EQ(answerValue(typeLine(calculator, "integrate(" + typed(p) + ")")), engineText(integral)) << typed(p);
    }
}

// Products with a common factor: the engine's gcd, made monic here, is the common factor's
// monic gcd with the cofactors' own common part.
TEST_F(RandomPolynomials, GcdAgreesWithExactArithmetic) {
    Calculator calculator;
    calculator.setOperatorChars();
    for (int round = 0; round < 40; round++) {
        const Poly common = make(2), a = multiply(make(2), common), b = multiply(make(2), common);
        const Poly want = monicGcd(a, b);
        const std::string gcd = answerValue(typeLine(calculator, "Gcd(" + typed(a) + "," + typed(b) + ")"));
        // Read the engine's gcd back through the command that makes it monic.
        const std::string monic = answerValue(typeLine(calculator, "monic_polyn(" + gcd + ")"));
        EXPECT_EQ(answerValue(typeLine(calculator, "simplify(" + monic + ")")), engineText(want))
            << typed(a) << " , " << typed(b) << ": " << gcd;
    }
}

}  // namespace
