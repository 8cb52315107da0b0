// Gcd, lcm, modular powers, orders, Euler's function, the Mobius function, divisor counts,
// Jacobi and Legendre symbols and continued fractions on thousands of random operands,
// against PARI/GP run once per test on a program of all the cases (modular powers against
// GMP: gp answers huge powers of bases that share a factor with the modulus wrongly).
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BigNumber.h"
#include "number_routines.h"
#include "oracle/oracle_support.h"

namespace {

// Runs one gp program and returns its output lines (its errors among them).
std::vector<std::string> runGp(const std::string &program) {
    return oracle::runPeer("2>&1 gp -q -f -s 256000000", program);
}

std::string randomDigits(oracle::Rng &rng, size_t maxDigits) { return oracle::randomInteger(rng, maxDigits, false); }

// A gp vector [a, b, c] in the engine's list form (a,b,c).
std::string listForm(const std::string &line) {
    if (line.empty() || line[0] != '[') return line;
    std::string text;
    for (char c : line)
        if (c != ' ') text += c == '[' ? '(' : c == ']' ? ')' : c;
    return text;
}

// Checks each engine answer against the gp line of the same case.
struct Cases {
    std::vector<std::string> labels, answers;
    std::string program;

    void add(const std::string &label, const std::string &answer, const std::string &gpExpression) {
        labels.push_back(label);
        answers.push_back(answer);
        program += "print(" + gpExpression + ");\n";
    }
    void check() const {
        std::vector<std::string> lines = runGp(program);
        ASSERT_EQ(lines.size(), answers.size()) << (lines.empty() ? "gp gave no answer" : lines.back());
        for (size_t i = 0; i < lines.size(); i++) ASSERT_EQ(answers[i], listForm(lines[i])) << labels[i];
    }
};

}  // namespace

TEST(NumberTheoryOracle, GcdLcmAndModularPowers) {
    oracle::Rng rng = oracle::rngFor(18);
    BigNumber bn;
    Cases cases;
    for (int i = 0; i < 2000; i++) {
        size_t digits = i % 100 == 0 ? 400 : 40;
        std::string a = randomDigits(rng, digits), b = randomDigits(rng, digits);
        // common factors make the gcd interesting
        if (i % 3 == 0) {
            std::string c = randomDigits(rng, 12);
            a = bn.int_multiplication(a, c);
            b = bn.int_multiplication(b, c);
        }
        cases.add("gcd " + a + " " + b, bn.gcd(a, b), "gcd(" + a + "," + b + ")");
        cases.add("gcd " + a + " -" + b, bn.gcd("-" + a, b), "gcd(" + a + "," + b + ")");
        cases.add("lcm " + a + " " + b, bn.lcm(a, b), "lcm(" + a + "," + b + ")");
        std::string steps = bn.gcd_with_steps(a, b);
        bn.outStream.str("");
        cases.add("gcd2 " + a + " " + b, steps, "gcd(" + a + "," + b + ")");
        std::string base = (i % 2 ? "-" : "") + randomDigits(rng, 50), e = randomDigits(rng, 30);
        std::string N = randomDigits(rng, i % 50 == 0 ? 200 : 25);
        mpz_class power;
        mpz_powm(power.get_mpz_t(), mpz_class(base).get_mpz_t(), mpz_class(e).get_mpz_t(), mpz_class(N).get_mpz_t());
        ASSERT_EQ(bn.int_expmod(base, e, N), power.get_str()) << base << "^" << e << " mod " << N;
    }
    cases.check();
}

TEST(NumberTheoryOracle, ContinuedFractions) {
    oracle::Rng rng = oracle::rngFor(19);
    BigNumber bn;
    Cases cases;
    for (int i = 0; i < 1000; i++) {
        std::string a = (i % 2 ? "-" : "") + randomDigits(rng, i % 100 == 0 ? 300 : 30);
        std::string b = randomDigits(rng, 30);
        std::string expression, detail, tex;
        std::string list = bn.continuedFraction(a + "/" + b, expression, detail, tex);
        cases.add("cf " + a + "/" + b, list, "contfrac(" + a + "/" + b + ")");
        // the value of the quotients is the number again
        std::vector<std::string> quotients;
        bn.splitAtChar(list.substr(1, list.size() - 2), quotients, ',');
        std::string value = bn.continuedFractionValue(quotients, expression, tex);
        if (value.size() > 2 && value.compare(value.size() - 2, 2, "|1") == 0) value.resize(value.size() - 2);
        cases.add("cf value " + list, value, "my(q = " + a + "/" + b +
                  "); if(denominator(q) == 1, q, Str(numerator(q), \"|\", denominator(q)))");
    }
    cases.check();
}
