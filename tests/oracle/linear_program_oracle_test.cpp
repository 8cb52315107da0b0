// Random feasible, bounded linear programs solved by the simplex method and by glpsol: the
// optimum must agree, and the reported point must satisfy every constraint exactly and give
// the reported value.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

#include "linear_program.h"
#include "oracle/oracle_support.h"

namespace {

struct Program {
    std::vector<std::vector<int>> a; // rows of the constraints a x <= b
    std::vector<int> b, c;
    std::vector<bool> writtenGreater; // typed as b >= a x
    bool maximise = true;
};

// b >= 0 keeps the point 0 feasible; the last row bounds the sum of the variables.
Program randomProgram(std::mt19937_64 &rng) {
    Program p;
    size_t n = 2 + rng() % 4, m = 1 + rng() % 4;
    auto pick = [&](int lo, int hi) { return lo + int(rng() % uint64_t(hi - lo + 1)); };
    for (size_t j = 0; j < n; j++) p.c.push_back(pick(-4, 9));
    for (size_t i = 0; i <= m; i++) {
        std::vector<int> row;
        for (size_t j = 0; j < n; j++) row.push_back(i == m ? 1 : pick(-3, 9));
        p.a.push_back(row);
        p.b.push_back(i == m ? pick(1, 30) : pick(0, 20));
        p.writtenGreater.push_back(rng() % 3 == 0);
    }
    p.maximise = rng() % 2 == 0;
    return p;
}

std::string linearText(const std::vector<int> &coefficients, bool negate) {
    std::string out;
    for (size_t j = 0; j < coefficients.size(); j++) {
        int k = negate ? -coefficients[j] : coefficients[j];
        out += (k < 0 ? "" : "+") + std::to_string(k) + "x_" + std::to_string(j + 1);
    }
    return out;
}

std::string programText(const Program &p) {
    std::string text = linearText(p.c, false);
    for (size_t i = 0; i < p.a.size(); i++) {
        text += "," + (p.writtenGreater[i] ? std::to_string(p.b[i]) + ">=" + linearText(p.a[i], false)
                                           : linearText(p.a[i], false) + "<=" + std::to_string(p.b[i]));
    }
    return text + ";";
}

std::string glpkText(const Program &p) {
    std::ostringstream lp;
    auto terms = [&](const std::vector<int> &k) {
        for (size_t j = 0; j < k.size(); j++)
            lp << (k[j] < 0 ? " - " : " + ") << std::abs(k[j]) << " x" << j + 1;
    };
    lp << (p.maximise ? "Maximize" : "Minimize") << "\n obj:";
    terms(p.c);
    lp << "\nSubject To\n";
    for (size_t i = 0; i < p.a.size(); i++) {
        lp << " c" << i + 1 << ":";
        terms(p.a[i]);
        lp << " <= " << p.b[i] << "\n";
    }
    lp << "End\n";
    return lp.str();
}

bool glpkOptimum(const Program &p, double &value) {
    for (const auto &line : oracle::runProgramLines("glpsol -o /dev/stdout --lp", glpkText(p))) {
        if (line.rfind("Objective:", 0) != 0) continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos) return false;
        value = std::stod(line.substr(eq + 1));
        return true;
    }
    return false;
}

// glpsol's verdict on a program whose point 0 is feasible: its optimum, or unbounded when
// it finds no dual feasible solution. False when it answered neither.
bool glpkVerdict(const Program &p, bool &unbounded, double &value) {
    unbounded = false;
    bool optimal = false;
    for (const auto &line : oracle::runProgramLines("glpsol -o /dev/stdout --lp", glpkText(p))) {
        if (line.find("NO DUAL FEASIBLE") != std::string::npos || line.find("UNBOUNDED") != std::string::npos)
            unbounded = true;
        if (line.rfind("Status:", 0) == 0 && line.find("OPTIMAL") != std::string::npos) optimal = true;
        size_t eq = line.find('=');
        if (line.rfind("Objective:", 0) == 0 && eq != std::string::npos) value = std::stod(line.substr(eq + 1));
    }
    return unbounded || optimal;
}

mpq_class exact(std::string text) {
    for (auto &ch : text)
        if (ch == '|') ch = '/';
    mpq_class q(text);
    q.canonicalize();
    return q;
}

TEST(LinearProgramOracle, RandomProgramsMatchGlpk) {
    oracle::Rng rng = oracle::rngFor(20261210);
    for (int round = 0; round < 150; round++) {
        Program p = randomProgram(rng);
        const std::string text = programText(p);
        LpProblem problem(p.maximise ? 1 : 0, "z");
        problem.setArithmeticMode(1);
        ASSERT_TRUE(lp_parse_problem(problem, "z", text, p.maximise ? "max z=" : "min z="));
        std::ostringstream out;
        ASSERT_EQ(lp_run(problem, out), LpOutcome::Optimal) << text << "\n" << out.str();

        std::vector<mpq_class> x;
        for (size_t j = 0; j < p.c.size(); j++)
            x.push_back(exact(lp_variable_value(problem, "x_" + std::to_string(j + 1))));
        mpq_class z = 0;
        for (size_t j = 0; j < x.size(); j++) {
            EXPECT_GE(x[j], 0) << text;
            z += p.c[j] * x[j];
        }
        for (size_t i = 0; i < p.a.size(); i++) {
            mpq_class lhs = 0;
            for (size_t j = 0; j < x.size(); j++) lhs += p.a[i][j] * x[j];
            EXPECT_LE(lhs, p.b[i]) << text << " row " << i + 1;
        }
        EXPECT_EQ(z, exact(lp_objective_value(problem))) << text;

        double expected = 0;
        ASSERT_TRUE(glpkOptimum(p, expected)) << "glpsol did not answer";
        EXPECT_NEAR(z.get_d(), expected, 1e-6 * (1 + std::fabs(expected)))
            << (p.maximise ? "max " : "min ") << text;

        // decimals at 8 digits: the same optimum up to rounding
        LpProblem decimal(p.maximise ? 1 : 0, "z");
        ASSERT_TRUE(lp_parse_problem(decimal, "z", text, p.maximise ? "max z=" : "min z="));
        std::ostringstream ignored;
        ASSERT_EQ(lp_run(decimal, ignored), LpOutcome::Optimal) << text;
        EXPECT_NEAR(std::stod(lp_objective_value(decimal)), expected, 1e-4 * (1 + std::fabs(expected)))
            << text;
    }
}

// Numerical mode on programs that are bounded or not (no row bounds the sum), with ratios
// such as 1/3 whose decimals leave rounding behind: the verdict must be glpsol's, as the
// signs are decided on exact values, and a bounded optimum must agree up to the rounding.
TEST(LinearProgramOracle, NumericalModeFindsUnboundedProgramsAsGlpkDoes) {
    oracle::Rng rng = oracle::rngFor(20261211);
    int unboundedSeen = 0;
    for (int round = 0; round < 150; round++) {
        Program p = randomProgram(rng);
        if (round % 2 == 0) {  // drop the row that bounds the sum
            p.a.pop_back();
            p.b.pop_back();
            p.writtenGreater.pop_back();
        }
        const std::string text = programText(p);
        LpProblem problem(p.maximise ? 1 : 0, "z");
        problem.setArithmeticMode(0);
        ASSERT_TRUE(lp_parse_problem(problem, "z", text, p.maximise ? "max z=" : "min z="));
        std::ostringstream out;
        const LpOutcome outcome = lp_run(problem, out);
        bool unbounded = false;
        double expected = 0;
        ASSERT_TRUE(glpkVerdict(p, unbounded, expected)) << "glpsol did not answer";
        const std::string typed = (p.maximise ? "max z=" : "min z=") + text;
        if (unbounded) {
            unboundedSeen++;
            EXPECT_EQ(outcome, LpOutcome::Unbounded) << typed << "\n" << out.str();
            continue;
        }
        ASSERT_EQ(outcome, LpOutcome::Optimal) << typed << "\n" << out.str();
        EXPECT_NEAR(std::stod(lp_objective_value(problem)), expected, 1e-4 * (1 + std::fabs(expected))) << typed;
    }
    EXPECT_GT(unboundedSeen, 3);
}

} // namespace
