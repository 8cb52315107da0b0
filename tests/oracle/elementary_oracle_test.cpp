// ln, exp, sin, cos and tan in radians at random precisions against bc -l, computed with 15
// more digits than asked: the engine promises the true digits, so every answer must be
// bc's longer value written under the engine's own rule for that answer (rounded half up
// or cut, to its count of decimals), exactly. The long constants close the circle: e and
// ln 2 computed at thousands of digits must agree with the stored digits (themselves
// checked against GMP).
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "BigNumber.h"
#include "elementary/real_elementary.h"
#include "globals.h"
#include "oracle/oracle_support.h"

namespace {

// How an answer writes the true value: its count of decimals and its last digit.
struct Rule {
    size_t decimals;
    bool rounded;  // half up on the magnitude; otherwise cut toward zero
};

struct Case {
    std::string function;  // bc's name: l, e, s, c; t for tan, v for the script's exp
    std::string x;
    int precision;
    Rule rule;
    std::string answer;
};

// Runs one bc program and returns its output lines.
std::vector<std::string> runBc(const std::string &program) { return oracle::runPeer("BC_LINE_LENGTH=0 bc -lq", program); }

// The value of a decimal text times 10^scale, cut.
mpz_class scaled(std::string text, size_t scale) {
    bool negative = !text.empty() && text[0] == '-';
    if (negative || (!text.empty() && text[0] == '+')) text.erase(0, 1);
    size_t point = text.find('.');
    std::string integer = point == std::string::npos ? text : text.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    fraction = fraction.substr(0, std::min(fraction.size(), scale));
    fraction.append(scale - fraction.size(), '0');
    mpz_class v((integer.empty() ? "0" : integer) + fraction, 10);
    return negative ? mpz_class(-v) : v;
}

// The true value (bc's digits, cut at `scale`) written under the rule: a zero without sign.
std::string written(const std::string &truth, size_t scale, const Rule &rule) {
    mpz_class v = scaled(truth, scale), m = abs(v), unit, q;
    mpz_ui_pow_ui(unit.get_mpz_t(), 10, scale - rule.decimals);
    if (rule.rounded) m += unit / 2;
    mpz_fdiv_q(q.get_mpz_t(), m.get_mpz_t(), unit.get_mpz_t());
    std::string digits = q.get_str();
    if (digits.size() < rule.decimals + 1) digits.insert(0, rule.decimals + 1 - digits.size(), '0');
    std::string text = (v < 0 && q != 0 ? "-" : "") + digits.substr(0, digits.size() - rule.decimals);
    if (rule.decimals > 0) text += "." + digits.substr(digits.size() - rule.decimals);
    return text;
}

// The engine's rule for each answer. exp: e^1 is the stored e cut; a negative argument is
// rounded; a whole one is rounded by the command and cut to one decimal fewer by the
// script's twin; a decimal one is cut to one decimal fewer by both. ln, sin, cos and tan
// are rounded to the precision.
Rule ruleFor(const std::string &function, const std::string &x, int precision) {
    size_t p = size_t(precision);
    bool exp = function == "e" || function == "v";
    if (!exp) return {p, true};
    if (x == "1") return {p, false};
    if (x[0] == '-') return {p, true};
    bool whole = x.find('.') == std::string::npos;
    if (whole && function == "e") return {p, true};
    return {p - 1, false};
}

}  // namespace

TEST(ElementaryOracle, RandomArgumentsAgainstBc) {
    oracle::Rng rng = oracle::rngFor(20261210);
    BigNumber bn;
    std::vector<Case> cases;
    auto add = [&](const std::string &f, const std::string &x, int p,
                   const std::function<std::string()> &compute) {
        bn.setPrecision(p);
        cases.push_back({f, x, p, ruleFor(f, x, p), compute()});
    };
    for (int i = 0; i < 30; i++) {
        int p = 8 + int(rng() % 193);
        // ln: from tiny to huge, with short and long mantissas
        std::string x = oracle::randomDecimal(rng, rng() % 25, rng() % 30);
        if (x.find_first_not_of("0.") == std::string::npos || x == "2") x = "7.5";  // not the cut constant
        if (i == 0) x = "10";  // one number, one answer: the text 10 as well
        add("l", x, p, [&] { return bn.naturalLog(x); });
        // exp: whole numbers and decimals, both signs
        std::string y = std::to_string(1 + rng() % 99);
        if (i % 3 != 0) y += oracle::randomDecimal(rng, 0, 1 + rng() % 20).substr(1);
        if (rng() % 2) y = "-" + y;
        add("e", y, p, [&] { return bn.exponential(y); });
        if (i % 4 == 0) add("v", y, p, [&] { return bn.exponentialValue(y); });
        // sin and cos: around the first turns and far out
        std::string z = oracle::randomDecimal(rng, i % 5 == 0 ? 10 + rng() % 30 : rng() % 3, rng() % 25);
        if (z.find_first_not_of("0.") == std::string::npos) z = "0.5";
        if (rng() % 4 == 0) z = "-" + z;
        add("s", z, p, [&] { return bn.sine(z); });
        add("c", z, p, [&] { return bn.cosine(z); });
        if (i % 3 == 0) add("t", z, p, [&] { return bn.tangent(z); });
    }
    // bc reduces a large angle with too few digits of pi: give it the angle's digits twice over
    std::string program;
    for (const Case &c : cases) {
        bool angle = c.function == "s" || c.function == "c" || c.function == "t";
        size_t extra = angle ? 2 * std::min(c.x.find('.'), c.x.size()) + 10 : 0;
        std::string call = c.function == "t"   ? "s(" + c.x + ")/c(" + c.x + ")"
                           : c.function == "v" ? "e(" + c.x + ")"
                                               : c.function + "(" + c.x + ")";
        program += "scale=" + std::to_string(size_t(c.precision) + 15 + extra) + "\n" + call + "\n";
    }
    std::vector<std::string> truth = runBc(program);
    ASSERT_EQ(truth.size(), cases.size()) << "bc -l did not answer every line";
    for (size_t i = 0; i < cases.size(); i++) {
        const Case &c = cases[i];
        ASSERT_TRUE(BigNumber::isRealNumber(c.answer) && BigNumber::isRealNumber(truth[i]))
            << c.function << "(" << c.x << ") = " << c.answer << " against " << truth[i];
        EXPECT_EQ(c.answer, written(truth[i], size_t(c.precision) + 15, c.rule))
            << c.function << "(" << c.x << ") at " << c.precision << " against " << truth[i];
    }
}

TEST(ElementaryOracle, LongConstantsAgreeWithTheStoredDigits) {
    BigNumber bn;
    bn.setPrecision(10000);  // beyond the stored e: computed
    std::string e = bn.exponential("1");
    ASSERT_EQ(e.size(), 10002u);
    EXPECT_EQ(e.substr(0, 9990), __e__.substr(0, 9990));
    bn.setPrecision(1000);  // "2.0" is not the text "2": computed, and rounded
    std::string ln2 = bn.naturalLog("2.0");
    EXPECT_EQ(ln2.substr(0, 990), __ln2__.substr(0, 990));
    bn.setPrecision(10000);  // sin(pi) from the stored pi is zero to every digit
    std::string sinPi = bn.sine(__pi__.substr(0, 10002));
    EXPECT_EQ(sinPi.substr(0, 9990), "0." + std::string(9988, '0'));
}

// ln 2 past its stored digits, cut, against sum 1/(k 2^k) in GMP: first calls, cuts of the
// value kept by a longer call, growth past it, and ln 2 taken from the series kept for ln 10.
TEST(ElementaryOracle, Ln2PastTheStoredDigits) {
    const size_t most = 12001, guard = 20;
    mpz_class one, sum = 0;
    mpz_ui_pow_ui(one.get_mpz_t(), 10, (unsigned long)(most + guard));
    mpz_class power = one / 2;
    for (unsigned long k = 1; power != 0; k++, power /= 2) sum += power / k;
    std::string digits = sum.get_str();  // the decimals of 0.6931...
    ASSERT_EQ(digits.size(), most + guard);
    struct Step {
        int precision;
        bool ln10First;  // ln 10 at this precision before ln 2
    } steps[] = {{4500, false}, {2000, false}, {1001, false}, {6000, false}, {6700, false},
                 {12000, true}, {11000, false}, {12001, false}};
    realfn::forgetKeptConstants();
    BigNumber bn;
    for (const Step &step : steps) {
        bn.setPrecision(step.precision);
        if (step.ln10First) bn.ln10();
        std::string got = bn.ln2();
        EXPECT_EQ(got, "0." + digits.substr(0, size_t(step.precision))) << "at " << step.precision;
    }
}

// The arctangent series behind every logarithm's constants, against the series summed term by
// term in GMP (each term cut, so within a unit a term): short and long scales (1020 puts about
// 128 terms under 9999, where the sum starts to keep its denominators as prime exponents), the
// formulas' own q and the ends of the range, where one term's factor takes one limb or two.
TEST(ElementaryOracle, InverseHyperbolicArctangentSeries) {
    for (unsigned long q : {2ul, 3ul, 26ul, 31ul, 49ul, 161ul, 4801ul, 8749ul, 9999ul})
        for (size_t scale : {size_t(1), size_t(40), size_t(1020), size_t(3000), size_t(12000)}) {
            mpz_class one;
            mpz_ui_pow_ui(one.get_mpz_t(), 10, (unsigned long)scale);
            mpz_class sum = 0, power = one / q;  // 10^scale / q^(2k+1)
            unsigned long terms = 0;
            for (unsigned long k = 0; power != 0; k++, terms++) {
                sum += power / (2 * k + 1);
                power /= q * q;
            }
            std::string text = nat::to_decimal(realfn::atanhOfInverse(q, scale));
            mpz_class got(text.empty() ? "0" : text.c_str());
            mpz_class gap = abs(got - sum);
            EXPECT_LE(gap, terms + realfn::kKernelError) << "q " << q << " scale " << scale;
        }
}
