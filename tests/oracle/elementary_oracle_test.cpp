// ln, exp, sin, cos and tan in radians at random precisions against bc -l, computed with 15
// more digits than asked: every answer must lie within one unit of its last place. The
// long constants close the circle: e and ln 2 computed at thousands of digits must agree
// with the stored digits (themselves checked against GMP).
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "BigNumber.h"
#include "elementary/real_elementary.h"
#include "globals.h"
#include "oracle_support.h"

namespace {

struct Case {
    std::string function;  // bc's name: l, e, s, c
    std::string x;
    int precision;
    size_t decimals;  // of the engine's answer
    std::string answer;
};

// Runs one bc program and returns its output lines.
std::vector<std::string> runBc(const std::string &program) {
    return runProgramLines("BC_LINE_LENGTH=0 bc -lq", program + "quit\n");
}

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

size_t decimalsOf(const std::string &text) {
    size_t point = text.find('.');
    return point == std::string::npos ? 0 : text.size() - point - 1;
}

std::string randomDecimal(std::mt19937_64 &rng, int intDigits, int fracDigits) {
    std::string s;
    for (int i = 0; i < intDigits; i++) s += char('0' + (i == 0 && intDigits > 1 ? 1 + rng() % 9 : rng() % 10));
    if (s.empty()) s = "0";
    if (fracDigits > 0) {
        s += ".";
        for (int i = 0; i < fracDigits; i++) s += char('0' + rng() % 10);
    }
    return s;
}

}  // namespace

TEST(ElementaryOracle, RandomArgumentsAgainstBc) {
    std::mt19937_64 rng(20261210);
    BigNumber bn;
    std::vector<Case> cases;
    auto add = [&](const std::string &f, const std::string &x, int p,
                   const std::function<std::string()> &compute) {
        bn.setPrecision(p);
        cases.push_back({f, x, p, 0, compute()});
    };
    for (int i = 0; i < 30; i++) {
        int p = 8 + int(rng() % 193);
        // ln: from tiny to huge, with short and long mantissas
        std::string x = randomDecimal(rng, int(rng() % 25), int(rng() % 30));
        if (x.find_first_not_of("0.") == std::string::npos || x == "2" || x == "10") x = "7.5";  // not the constants
        add("l", x, p, [&] { return bn.naturalLog(x); });
        // exp: whole numbers and decimals, both signs
        std::string y = std::to_string(1 + rng() % 99);
        if (i % 3 != 0) y += randomDecimal(rng, 0, 1 + int(rng() % 20)).substr(1);
        if (rng() % 2) y = "-" + y;
        add("e", y, p, [&] { return bn.exponential(y); });
        if (i % 4 == 0) add("v", y, p, [&] { return bn.exponentialValue(y); });
        // sin and cos: around the first turns and far out
        std::string z = randomDecimal(rng, i % 5 == 0 ? 10 + int(rng() % 30) : int(rng() % 3), int(rng() % 25));
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
        size_t d = decimalsOf(c.answer);
        // exp of a positive decimal keeps one decimal fewer than the precision, and so does
        // the script's twin for every positive argument
        bool positive = c.x[0] != '-';
        bool fewer = positive && ((c.function == "e" && c.x.find('.') != std::string::npos) || c.function == "v");
        EXPECT_EQ(d, size_t(c.precision) - (fewer ? 1 : 0)) << c.function << "(" << c.x << ") = " << c.answer;
        size_t scale = size_t(c.precision) + 15;
        mpz_class diff = scaled(c.answer, scale) - scaled(truth[i], scale);
        mpz_class unit;
        mpz_ui_pow_ui(unit.get_mpz_t(), 10, scale - d);
        EXPECT_LE(abs(diff), unit) << c.function << "(" << c.x << ") at " << c.precision << ": " << c.answer
                                   << " against " << truth[i];
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

// The arctangent series behind every logarithm's constants, against the series summed term by
// term in GMP (each term cut, so within a unit a term): short and long scales, the formula's
// own q and the ends of the range, where one term's factor takes one limb or two.
TEST(ElementaryOracle, InverseHyperbolicArctangentSeries) {
    for (unsigned long q : {2ul, 3ul, 31ul, 49ul, 161ul, 9999ul})
        for (size_t scale : {size_t(1), size_t(40), size_t(3000), size_t(12000)}) {
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
