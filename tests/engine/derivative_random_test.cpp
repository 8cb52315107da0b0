// Random expressions differentiated by the diff worker; the derivative's text is evaluated
// in double precision and compared with a central difference of the original at random
// points. The small evaluator here reads both the typed form and the rendered one (implicit
// products such as 3x^2, calls, unary minus, "^" binding tighter than a leading "-").
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>

#include "calculus_test_support.h"
#include "globals.h"

namespace {

class Evaluator {
public:
    Evaluator(const std::string &text, double x) : s(text), x(x) {}

    std::optional<double> value() {
        double v = sum();
        if (failed || at != s.size()) return std::nullopt;
        return v;
    }

    // The power rule writes u^n as u^n*(n'*ln(u)+n*u'/u), which has no value where u is 0:
    // such points are left out.
    bool metZeroBase() const { return zeroBase; }
    // Values so large that the derivative's own products of them may overflow.
    bool metHugeValue() const { return huge; }

private:
    const std::string &s;
    double x;
    size_t at = 0;
    bool failed = false;
    bool zeroBase = false;
    bool huge = false;

    bool eat(char c) {
        if (at < s.size() && s[at] == c) return ++at, true;
        return false;
    }
    char peek() const { return at < s.size() ? s[at] : '\0'; }

    double sum() {
        double v = product();
        for (;;) {
            if (eat('+')) v += product();
            else if (eat('-')) v -= product();
            else return v;
        }
    }
    double product() {
        double v = unary();
        for (;;) {
            if (eat('*')) v = finite(v * unary());
            else if (eat('/')) v = finite(v / unary());
            else return v;
        }
    }
    double unary() { return eat('-') ? -unary() : power(); }
    double power() {
        double base = primary();
        if (peek() == '^') zeroBase = zeroBase || std::fabs(base) < 1e-6;
        return eat('^') ? finite(std::pow(base, unary())) : base;
    }
    double primary() {
        if (eat('(')) {
            double v = sum();
            if (!eat(')')) failed = true;
            return v;
        }
        if (std::isdigit(static_cast<unsigned char>(peek()))) {
            size_t end = at;
            while (std::isdigit(static_cast<unsigned char>(s[end])) || s[end] == '.') end++;
            double v = std::stod(s.substr(at, end - at));
            at = end;
            // A number followed by a name is a product (3x^2).
            return std::isalpha(static_cast<unsigned char>(peek())) ? v * power() : v;
        }
        size_t end = at;
        while (std::isalnum(static_cast<unsigned char>(s[end])) || s[end] == '_') end++;
        std::string name = s.substr(at, end - at);
        at = end;
        if (name.empty()) {
            failed = true;
            return 0;
        }
        if (!eat('(')) {
            if (name == "x") return x;
            failed = true;  // NaN, other variables
            return 0;
        }
        double a = sum();
        if (!eat(')')) failed = true;
        return call(name, a);
    }
    double call(const std::string &name, double a) {
        static const std::map<std::string, std::function<double(double)>> functions = {
            {"sin", [](double t) { return std::sin(t); }},
            {"cos", [](double t) { return std::cos(t); }},
            {"tan", [](double t) { return std::tan(t); }},
            {"cot", [](double t) { return 1 / std::tan(t); }},
            {"sec", [](double t) { return 1 / std::cos(t); }},
            {"csc", [](double t) { return 1 / std::sin(t); }},
            {"sqrt", [](double t) { return std::sqrt(t); }},
            {"exp", [](double t) { return std::exp(t); }},
            {"ln", [](double t) { return std::log(t); }},
            {"arcsin", [](double t) { return std::asin(t); }},
            {"arccos", [](double t) { return std::acos(t); }},
            {"arctan", [](double t) { return std::atan(t); }},
            {"arccot", [](double t) { return std::atan(1 / t); }},
            {"sinh", [](double t) { return std::sinh(t); }},
            {"cosh", [](double t) { return std::cosh(t); }},
            {"tanh", [](double t) { return std::tanh(t); }},
            {"coth", [](double t) { return 1 / std::tanh(t); }},
        };
        auto f = functions.find(name);
        if (f == functions.end()) {
            failed = true;
            return 0;
        }
        return finite(f->second(a));
    }
    // Infinities met on the way (a quotient over a zero factor that another factor
    // then hides) leave the value meaningless even when it comes out finite.
    double finite(double v) {
        failed = failed || !std::isfinite(v);
        huge = huge || std::fabs(v) > 1e100;
        return v;
    }
};

// Random infix texts in x over the named functions, the four operations and powers.
class ExpressionMaker {
public:
    explicit ExpressionMaker(uint32_t seed) : random(seed) {}

    std::string make(int depth) {
        if (depth == 0) return pick(3) == 0 ? std::to_string(1 + pick(5)) : "x";
        const int d = depth - 1;
        switch (pick(14)) {
        case 0: return "(" + make(d) + "+" + make(d) + ")";
        case 1: {
            // A difference that is zero everywhere would put a zero base under the power
            // rule's u^n*n*u'/u, which has no value there.
            std::string u = make(d), v = make(d);
            return "(" + u + (u == v ? "+" : "-") + v + ")";
        }
        case 2: return make(d) + "*" + make(d);
        case 3: return "(" + make(d) + ")/(" + make(d) + ")";
        case 4: return "(" + make(d) + ")^" + std::to_string(2 + pick(2));
        case 5: return "x^x";
        case 6: return "ln((" + make(d) + ")^2+1)";
        case 7: return "sqrt((" + make(d) + ")^2+1)";
        case 8: return "arcsin(1/((" + make(d) + ")^2+2))";
        case 9: return "arccos(1/((" + make(d) + ")^2+2))";
        case 10: return "((" + make(d) + ")^2+1)^(" + make(d) + ")";  // a base above 0
        default: {
            static const char *const kNames[] = {"sin", "cos", "tan", "cot", "sec", "csc", "exp", "arctan",
                                                 "arccot", "sinh", "cosh", "tanh", "coth"};
            return std::string(kNames[pick(13)]) + "(" + make(d) + ")";
        }
        }
    }

    double point() { return std::uniform_real_distribution<double>(0.3, 1.7)(random); }

private:
    std::mt19937 random;
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
};

std::optional<double> valueAt(const std::string &text, double x) {
    std::optional<double> v = Evaluator(text, x).value();
    if (!v || !std::isfinite(*v)) return std::nullopt;
    return v;
}

// The central difference, when two step sizes agree on it; none where the function is
// too steep, too large for the difference to keep its digits, or not smooth enough there for
// the difference to mean anything, nor where a power's base is zero.
std::optional<double> slopeAt(const std::string &text, double x) {
    Evaluator at(text, x);
    std::optional<double> f = at.value();
    if (!f || at.metZeroBase() || at.metHugeValue() || std::fabs(*f) > 1e6) return std::nullopt;
    auto difference = [&](double h) -> std::optional<double> {
        std::optional<double> a = valueAt(text, x + h), b = valueAt(text, x - h);
        if (!a || !b) return std::nullopt;
        return (*a - *b) / (2 * h);
    };
    // Over the step the function must change little: a jump of a tangent or an arc
    // cotangent inside the step would make the difference of two step sizes agree by chance.
    std::optional<double> d1 = difference(1e-4), d2 = difference(5e-5);
    if (!d1 || !d2 || std::fabs(*d1) * 1e-4 > 0.05 || std::fabs(*d1 - *d2) > 1e-5 * (1 + std::fabs(*d1)))
        return std::nullopt;
    return d2;
}

class RandomDerivatives : public calculus_test::WithDerivativeRules {};

}  // namespace

TEST_F(RandomDerivatives, AgreeWithFiniteDifferences) {
    ExpressionMaker maker(20261210);
    int compared = 0;
    for (int i = 0; i < 600; i++) {
        const std::string f = maker.make(1 + i % 4);
        std::ostringstream out;
        testing::internal::CaptureStdout();
        const std::string derivative = diff_expression(f, out);
        testing::internal::GetCapturedStdout();
        for (int k = 0; k < 3; k++) {
            const double x = maker.point();
            std::optional<double> slope = slopeAt(f, x);
            if (!slope) continue;
            std::optional<double> value = valueAt(derivative, x);
            ASSERT_TRUE(value.has_value()) << f << " -> " << derivative << " at " << x;
            EXPECT_NEAR(*value, *slope, 1e-4 * (1 + std::fabs(*slope))) << f << " -> " << derivative << " at " << x;
            compared++;
        }
    }
    // Most points must have been usable, or the test would prove little.
    EXPECT_GT(compared, 1200);
}
