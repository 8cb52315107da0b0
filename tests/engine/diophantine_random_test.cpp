// Random linear equations in integers: the printed solutions are read back and substituted
// into the equation through the engine, for several values of the parameters; solvability is
// decided independently by the gcd.
#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <random>
#include <regex>
#include <sstream>

#include "BigNumber.h"
#include "solvers.h"

namespace {

std::vector<std::string> linesOf(const std::string &text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The value of an integer expression after every name is replaced by its value.
std::string evaluate(BigNumber &bn, const std::string &expression,
                     const std::map<std::string, std::string> &env) {
    static const std::regex name("[Xu][0-9]+(_[0-9]+)?");
    std::string text;
    auto last = expression.cbegin();
    for (std::sregex_iterator it(expression.begin(), expression.end(), name), end; it != end; ++it) {
        text.append(last, expression.cbegin() + it->position());
        auto found = env.find(it->str());
        text += "(" + (found == env.end() ? std::string("unbound ") + it->str() : found->second) + ")";
        last = expression.cbegin() + it->position() + it->length();
    }
    text.append(last, expression.cend());
    std::string v;
    bn.EvalInfixExprNoOutput(text, v, 0);
    return v;
}

// sum of coefficient_k * value_k.
std::string linearForm(BigNumber &bn, const std::vector<std::string> &coefficients,
                       const std::vector<std::string> &values) {
    std::string sum = "0";
    for (size_t k = 0; k < coefficients.size(); k++) {
        std::string p = bn.multiplication(coefficients[k], values[k]);
        sum = bn.addition(sum, p);
    }
    return sum;
}

void checkTwoVariables(int64_t a, int64_t b, int64_t c) {
    BigNumber bn;
    std::ostringstream out;
    std::string A = std::to_string(a), B = std::to_string(b), C = std::to_string(c);
    std::string label = A + "x+" + B + "y=" + C;
    int result = solve_linear_diophantine2(A, B, out, C);
    std::vector<std::string> lines = linesOf(out.str());
    int64_t g = std::gcd(a, b);
    bool solvable = g == 0 ? c == 0 : c % g == 0;
    ASSERT_EQ(result, solvable ? 1 : 0) << label << "\n" << out.str();
    if (!solvable) {
        EXPECT_EQ(lines.back(), "No solution.") << label;
        return;
    }
    if (g == 0) return;
    static const std::regex xLine("x = (-?[0-9]+)(\\+([0-9]+)t)?"), yLine("y = (-?[0-9]+)(([+-])([0-9]+)t)?"),
        unitLine("y=(-?)x([+-][0-9]+)"), checkLine("(.*) == ([0-9]+)");
    std::smatch m;
    if (std::regex_match(lines.back(), m, unitLine)) { // |a| = |b|
        for (const char *x : {"-2", "0", "5"}) {
            std::string y = bn.addition(m[1].str() == "-" ? bn.negate(x) : std::string(x), m[2].str());
            EXPECT_TRUE(bn.isEqualTo(linearForm(bn, {A, B}, {x, y}), C)) << label << " at x = " << x;
        }
        return;
    }
    size_t at = 0;
    while (at < lines.size() && lines[at].rfind("x = ", 0) != 0) at++;
    ASSERT_TRUE(at >= 1 && at + 1 < lines.size()) << label << "\n" << out.str();
    std::smatch check, xm, ym;
    ASSERT_TRUE(std::regex_match(lines[at - 1], check, checkLine)) << label << "\n" << out.str();
    ASSERT_TRUE(std::regex_match(lines[at], xm, xLine)) << label << "\n" << out.str();
    ASSERT_TRUE(std::regex_match(lines[at + 1], ym, yLine)) << label << "\n" << out.str();
    EXPECT_EQ(evaluate(bn, check[1].str(), {}), check[2].str()) << label << ": " << lines[at - 1];
    // the steps of the general solution are |b|/g and |a|/g: no solution is left out
    std::string xStep = xm[3].matched ? xm[3].str() : "0";
    std::string yStep = ym[4].matched ? ym[3].str() + ym[4].str() : "0";
    std::string wantX = std::to_string(std::abs(b / g)), wantY = std::to_string(std::abs(a / g));
    EXPECT_EQ(xStep, wantX) << label;
    EXPECT_EQ(b == 0 ? yStep : yStep.substr(yStep == "0" ? 0 : 1), b == 0 ? "+1" : wantY) << label;
    for (const char *t : {"-3", "0", "2"}) {
        std::string x = bn.addition(xm[1].str(), bn.multiplication(xStep, t));
        std::string y = bn.addition(ym[1].str(), bn.multiplication(yStep, t));
        EXPECT_TRUE(bn.isEqualTo(linearForm(bn, {A, B}, {x, y}), C)) << label << " at t = " << t;
    }
}

struct Solved {
    std::map<std::string, std::string> env;
    size_t freeNames = 0;
};

// Gives every name that is not yet bound a random value, counting the free ones.
void bindFree(const std::string &expression, Solved &s, std::mt19937 &rng) {
    static const std::regex name("[Xu][0-9]+(_[0-9]+)?");
    std::uniform_int_distribution<int> value(-7, 7);
    for (std::sregex_iterator it(expression.begin(), expression.end(), name), end; it != end; ++it) {
        if (s.env.count(it->str())) continue;
        s.env[it->str()] = std::to_string(value(rng));
        s.freeNames++;
    }
}

void checkIndefinite(const std::vector<int64_t> &a, int64_t b, std::mt19937 &rng) {
    BigNumber bn;
    std::vector<std::string> coefficients, lines;
    for (int64_t v : a) coefficients.push_back(std::to_string(v));
    std::string B = std::to_string(b), label = testing::PrintToString(coefficients) + ";" + B;
    std::ostringstream out;
    ASSERT_EQ(solve_indefinite_equation(coefficients, B, lines, out), 1) << label;
    std::vector<std::string> printed = linesOf(out.str());
    int64_t g = 0;
    for (int64_t v : a) g = std::gcd(g, v);
    bool solvable = g == 0 ? b == 0 : b % g == 0;
    if (!solvable) {
        EXPECT_EQ(printed.back(), "No solution.") << label << "\n" << out.str();
        return;
    }
    ASSERT_NE(printed.back(), "No solution.") << label;
    std::smatch m;
    static const std::regex finalLine("([Xu][0-9_]+) ?= ?(.*)"), recordLine("([Xu][0-9_]+) = (.*)");
    for (int draw = 0; draw < 3; draw++) {
        Solved s;
        if (!printed.empty() && g != 0) {
            ASSERT_TRUE(std::regex_match(printed.back(), m, finalLine)) << label << "\n" << out.str();
            bindFree(m[2].str(), s, rng);
            s.env[m[1].str()] = evaluate(bn, m[2].str(), s.env);
        }
        for (const std::string &line : lines) {
            ASSERT_TRUE(std::regex_match(line, m, recordLine)) << label << ": " << line;
            if (m[2].str() == "+" + m[1].str()) { // a free parameter
                bindFree(m[1].str(), s, rng);
                continue;
            }
            bindFree(m[2].str(), s, rng);
            ASSERT_EQ(s.env.count(m[1].str()), 0u) << label << ": " << line << " sets a bound name";
            s.env[m[1].str()] = evaluate(bn, m[2].str(), s.env);
        }
        std::vector<std::string> X;
        for (size_t k = 0; k < a.size(); k++) {
            std::string name = "X" + std::to_string(k + 1);
            bindFree(name, s, rng); // unbound only when its coefficient is 0
            X.push_back(s.env[name]);
        }
        EXPECT_TRUE(bn.isEqualTo(linearForm(bn, coefficients, X), B))
            << label << "\n"
            << out.str() << testing::PrintToString(lines) << " at " << testing::PrintToString(X);
        EXPECT_EQ(s.freeNames, g == 0 ? a.size() : a.size() - 1)
            << label << "\n"
            << out.str() << testing::PrintToString(lines);
    }
}

} // namespace

TEST(DiophantineRandom, TwoVariables) {
    std::mt19937_64 rng(18);
    std::uniform_int_distribution<int64_t> small(-60, 60), rhs(-300, 300), large(-1000000000, 1000000000);
    for (int n = 0; n < 400; n++) {
        bool big = n % 4 == 3;
        int64_t a = big ? large(rng) : small(rng), b = big ? large(rng) : small(rng);
        int64_t c = big ? large(rng) * 1000 : rhs(rng);
        if (n % 5 == 0) c = std::gcd(a, b) * (rhs(rng) % 9); // solvable more often
        checkTwoVariables(a, b, c);
    }
}

TEST(DiophantineRandom, ThreeOrMoreVariables) {
    std::mt19937 rng(26);
    std::uniform_int_distribution<int> size(3, 5), coefficient(-25, 25), rhs(-60, 60), zero(0, 6);
    for (int n = 0; n < 300; n++) {
        std::vector<int64_t> a;
        for (int k = size(rng); k > 0; k--) a.push_back(zero(rng) == 0 ? 0 : coefficient(rng));
        int64_t b = rhs(rng);
        if (n % 3 == 0) { // a common factor that divides b
            int64_t f = 2 + n % 5;
            for (int64_t &v : a) v *= f;
            b *= f;
        }
        checkIndefinite(a, b, rng);
    }
}
