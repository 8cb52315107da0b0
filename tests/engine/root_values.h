// Root texts as the equation solvers write them, read back as complex numbers computed by
// the engine (60 decimals) and substituted into their equation: numbers, + - * / | ^,
// brackets, sqrt(x), sqrtn(x, n), i, w (the cube root of unity), and products without a
// sign such as 3sqrt(5) or 2i.
#pragma once

#include <gtest/gtest.h>

#include <complex>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "BigNumber.h"
#include "engine/engine_internal.h"

namespace root_values {

constexpr int kDecimals = 60;
inline const char *const kTolerance = "0.000000000000000000000000000001"; // 1e-30

struct Complex {
    std::string re = "0", im = "0";
};

// Complex arithmetic on decimal texts through the engine, cut to a fixed number of decimals.
class ComplexEngine {
  public:
    ComplexEngine() { bn.setPrecision(kDecimals + 5); }

    std::string cut(const std::string &t) { return engine::cutDecimals(t, kDecimals); }
    std::string add(const std::string &a, const std::string &b) { return cut(bn.addition(a, b)); }
    std::string sub(const std::string &a, const std::string &b) { return cut(bn.real_subtraction(a, b)); }
    std::string mul(const std::string &a, const std::string &b) { return cut(bn.multiplication(a, b)); }
    std::string div(const std::string &a, const std::string &b) { return cut(bn.real_division(a, b)); }

    Complex add(const Complex &x, const Complex &y) { return {add(x.re, y.re), add(x.im, y.im)}; }
    Complex sub(const Complex &x, const Complex &y) { return {sub(x.re, y.re), sub(x.im, y.im)}; }
    Complex mul(const Complex &x, const Complex &y) {
        return {sub(mul(x.re, y.re), mul(x.im, y.im)), add(mul(x.re, y.im), mul(x.im, y.re))};
    }
    Complex div(const Complex &x, const Complex &y) {
        std::string n = add(mul(y.re, y.re), mul(y.im, y.im));
        return {div(add(mul(x.re, y.re), mul(x.im, y.im)), n), div(sub(mul(x.im, y.re), mul(x.re, y.im)), n)};
    }
    Complex power(const Complex &x, int n) {
        Complex r{"1", "0"};
        for (int k = 0; k < n; k++) r = mul(r, x);
        return r;
    }
    bool isReal(const Complex &x) { return bn.isEqualTo(x.im, "0"); }
    bool isSmall(const std::string &t) { return bn.isLessThan(bn.absolute(t), kTolerance); }
    bool isSmall(const Complex &x) { return isSmall(x.re) && isSmall(x.im); }

    // The real n-th root of a real x (odd n keeps the sign), or the principal complex root:
    // a long double seed refined by Newton's steps in the engine's arithmetic.
    Complex root(const Complex &x, int n) {
        if (isReal(x)) {
            bool negative = engine::isNegative(x.re);
            std::string r = bn.nthRootNumeric(negative ? x.re.substr(1) : x.re, n);
            if (!negative) return {r, "0"};
            if (n % 2) return {"-" + r, "0"};
            if (n == 2) return {"0", r};
        }
        std::complex<long double> seed =
            std::pow(std::complex<long double>(std::stold(x.re), std::stold(x.im)), 1.0L / n);
        std::ostringstream re, im;
        re.precision(20);
        im.precision(20);
        re << std::fixed << seed.real();
        im << std::fixed << seed.imag();
        Complex z{re.str(), im.str()};
        Complex degree{std::to_string(n), "0"};
        for (int step = 0; step < 4; step++) {
            Complex zn1 = power(z, n - 1);
            z = sub(z, div(sub(mul(zn1, z), x), mul(degree, zn1)));
        }
        return z;
    }

    BigNumber bn;
};

// Reads the texts the solvers write: numbers, + - * / | ^, brackets, sqrt(x), sqrtn(x, n),
// i, w (the cube root of unity), and products without a sign such as 3sqrt(5) or 2i.
class RootReader {
  public:
    RootReader(ComplexEngine &ce, const std::string &text) : ce(ce), t(text) {
        w = {"-0.5", ce.div(ce.bn.sqrtDigitPairs("3"), "2")};
    }

    bool read(Complex &value) {
        value = expr();
        return ok && pos == t.size();
    }

  private:
    bool at(char c) const { return pos < t.size() && t[pos] == c; }
    bool take(char c) { return at(c) ? (pos++, true) : false; }
    bool takeWord(const char *word) {
        size_t n = std::char_traits<char>::length(word);
        if (t.compare(pos, n, word) != 0) return false;
        pos += n;
        return true;
    }

    Complex expr() {
        Complex v;
        if (take('-'))
            v = ce.sub(v, term());
        else {
            take('+');
            v = term();
        }
        while (ok) {
            if (take('+'))
                v = ce.add(v, term());
            else if (take('-'))
                v = ce.sub(v, term());
            else
                break;
        }
        return v;
    }

    bool startsPrimary() const {
        return pos < t.size() &&
               (engine::isDigit(t[pos]) || t[pos] == '(' || t[pos] == 's' || t[pos] == 'i' || t[pos] == 'w');
    }

    Complex term() {
        Complex v = power();
        while (ok) {
            if (take('*'))
                v = ce.mul(v, power());
            else if (take('/') || take('|'))
                v = ce.div(v, power());
            else if (startsPrimary())
                v = ce.mul(v, power());
            else
                break;
        }
        return v;
    }

    Complex power() {
        Complex v = primary();
        if (!take('^')) return v;
        size_t start = pos;
        while (pos < t.size() && engine::isDigit(t[pos])) pos++;
        if (start == pos) return fail();
        return ce.power(v, std::stoi(t.substr(start, pos - start)));
    }

    Complex primary() {
        if (take('i')) return {"0", "1"};
        if (take('w')) return w;
        if (takeWord("sqrtn(")) {
            Complex x = expr();
            if (!take(',')) return fail();
            take(' ');
            size_t start = pos;
            while (pos < t.size() && engine::isDigit(t[pos])) pos++;
            if (start == pos || !take(')')) return fail();
            return ce.root(x, std::stoi(t.substr(start, pos - start)));
        }
        if (takeWord("sqrt(")) {
            Complex x = expr();
            return take(')') ? ce.root(x, 2) : fail();
        }
        if (take('(')) {
            Complex x = expr();
            return take(')') ? x : fail();
        }
        size_t start = pos;
        while (pos < t.size() && (engine::isDigit(t[pos]) || t[pos] == '.')) pos++;
        if (start == pos) return fail();
        return {t.substr(start, pos - start), "0"};
    }

    Complex fail() {
        ok = false;
        return {};
    }

    ComplexEngine &ce;
    std::string t;
    size_t pos = 0;
    bool ok = true;
    Complex w;
};

// The value of every side of a root text ("u w + v w^2 - s = L + K*sqrt(3)*i" has two).
inline std::vector<Complex> rootValues(ComplexEngine &ce, const std::string &text) {
    std::vector<Complex> out;
    size_t from = 0;
    for (;;) {
        size_t eq = text.find(" = ", from);
        Complex v;
        std::string side = text.substr(from, eq == std::string::npos ? std::string::npos : eq - from);
        EXPECT_TRUE(RootReader(ce, side).read(v)) << "unreadable root text " << side;
        out.push_back(v);
        if (eq == std::string::npos) return out;
        from = eq + 3;
    }
}

// c[0] + c[1] x + ... at x.
inline Complex polynomialAt(ComplexEngine &ce, const std::vector<std::string> &c, const Complex &x) {
    Complex v;
    for (size_t k = c.size(); k-- > 0;) v = ce.add(ce.mul(v, x), Complex{c[k], "0"});
    return v;
}

inline std::string text(const Complex &z) {
    return z.re + " + " + z.im + "i";
}

// Checks that each root text denotes a root and that the first `degree` roots sum to -c[n-1]/c[n].
inline void checkRoots(ComplexEngine &ce, const std::vector<std::string> &c, const std::vector<std::string> &roots,
                size_t degree, const std::string &label) {
    ASSERT_GE(roots.size(), degree) << label;
    Complex sum;
    for (size_t k = 0; k < degree; k++) {
        std::vector<Complex> values = rootValues(ce, roots[k]);
        for (const Complex &x : values)
            EXPECT_TRUE(ce.isSmall(polynomialAt(ce, c, x)))
                << label << ": root " << roots[k] << " = " << text(x) << " gives "
                << text(polynomialAt(ce, c, x));
        if (!values.empty()) sum = ce.add(sum, values.back());
    }
    Complex expected{ce.div(ce.bn.negate(c[degree - 1]), c[degree]), "0"};
    EXPECT_TRUE(ce.isSmall(ce.sub(sum, expected))) << label << ": the roots sum to " << text(sum);
}

// A monic cubic x^3 + c2 x^2 + c1 x + c0 (the coefficients c0..c3) whose reduced form
// y^3 + p y + q has a rational square as discriminant and irrational cube roots: p = 3t and
// q = n - m with m n = t^3 give (q/2)^2 + (p/3)^3 = ((m+n)/2)^2, and the cube roots are those
// of m and -n, irrational when m is no cube. Shifted by x = y - k (so c2 = 3k, integers).
inline std::vector<std::string> cubicWithRationalDelta(std::mt19937 &rng) {
    std::uniform_int_distribution<int> pickT(2, 7), pickK(-4, 4), coin(0, 1);
    for (;;) {
        const long t = pickT(rng) * (coin(rng) ? 1 : -1), cube = t * t * t;
        std::vector<long> divisors; // of t^3 with either sign, none of them a cube
        for (long d = 1; d <= std::labs(cube); d++) {
            long r = 1;
            while ((r + 1) * (r + 1) * (r + 1) <= d) r++;
            if (cube % d == 0 && r * r * r != d) divisors.insert(divisors.end(), {d, -d});
        }
        if (divisors.empty()) continue;
        const long m = divisors[std::uniform_int_distribution<size_t>(0, divisors.size() - 1)(rng)], n = cube / m;
        const long p = 3 * t, q = n - m, k = pickK(rng);
        // (y)^3 + p y + q at y = x + k
        return {std::to_string(k * k * k + p * k + q), std::to_string(3 * k * k + p), std::to_string(3 * k), "1"};
    }
}

} // namespace root_values
