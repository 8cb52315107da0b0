// Gcd, lcm, modular powers, orders, Euler's function, the Mobius function, divisor counts,
// Jacobi and Legendre symbols and continued fractions on thousands of random operands,
// against PARI/GP run once per test on a program of all the cases (modular powers against
// GMP: gp answers huge powers of bases that share a factor with the modulus wrongly).
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "BigNumber.h"
#include "number_routines.h"
#include "oracle/oracle_support.h"

using Cases = oracle::GpCases;

TEST(NumberTheoryOracle, GcdLcmAndModularPowers) {
    oracle::Rng rng = oracle::rngFor(18);
    BigNumber bn;
    Cases cases;
    for (int i = 0; i < 2000; i++) {
        size_t digits = i % 100 == 0 ? 400 : 40;
        std::string a = oracle::randomInteger(rng, digits, false), b = oracle::randomInteger(rng, digits, false);
        // common factors make the gcd interesting
        if (i % 3 == 0) {
            std::string c = oracle::randomInteger(rng, 12, false);
            a = bn.int_multiplication(a, c);
            b = bn.int_multiplication(b, c);
        }
        cases.add("gcd " + a + " " + b, bn.gcd(a, b), "gcd(" + a + "," + b + ")");
        cases.add("gcd " + a + " -" + b, bn.gcd("-" + a, b), "gcd(" + a + "," + b + ")");
        cases.add("lcm " + a + " " + b, bn.lcm(a, b), "lcm(" + a + "," + b + ")");
        std::string steps = bn.gcd_with_steps(a, b);
        bn.outStream.str("");
        cases.add("gcd2 " + a + " " + b, steps, "gcd(" + a + "," + b + ")");
        std::string base = (i % 2 ? "-" : "") + oracle::randomInteger(rng, 50, false), e = oracle::randomInteger(rng, 30, false);
        std::string N = oracle::randomInteger(rng, i % 50 == 0 ? 200 : 25, false);
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
        std::string a = (i % 2 ? "-" : "") + oracle::randomInteger(rng, i % 100 == 0 ? 300 : 30, false);
        std::string b = oracle::randomInteger(rng, 30, false);
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

TEST(NumberTheoryOracle, ArithmeticFunctionsAndOrders) {
    oracle::Rng rng = oracle::rngFor(20);
    BigNumber bn;
    Cases cases;
    for (int i = 0; i < 1500; i++) {
        // smooth numbers and products of two large primes as well as plain random ones
        std::string n = oracle::randomInteger(rng, 22, false);
        if (i % 5 == 1) n = bn.int_multiplication(oracle::randomInteger(rng, 3, false), bn.int_power(oracle::randomInteger(rng, 2, false), 3));
        if (i % 5 == 2) {
            std::string p = oracle::randomInteger(rng, 9, false), q = oracle::randomInteger(rng, 9, false);
            n = bn.int_multiplication(bn.nextPrime(p), bn.nextPrime(q));
        }
        if (n == "1") n = "2";
        cases.add("phi " + n, bn.euler_phi(n), "eulerphi(" + n + ")");
        cases.add("mobius " + n, std::to_string(bn.mobius_value(n)), "moebius(" + n + ")");
        std::string largest;
        cases.add("tau " + n, std::to_string(bn.divisor_count(n, largest)), "numdiv(" + n + ")");
        cases.add("largest " + n, largest, "vecmax(factor(" + n + ")[,1])");
        std::string m = oracle::randomInteger(rng, 14, false), a = (i % 4 ? "" : "-") + oracle::randomInteger(rng, 20, false);
        mpz_class g;
        mpz_gcd(g.get_mpz_t(), mpz_class(a).get_mpz_t(), mpz_class(m).get_mpz_t());
        if (g != 1 || m == "1") continue;
        cases.add("order " + a + " " + m, bn.orderModulo(a, m), "znorder(Mod(" + a + "," + m + "))");
    }
    cases.check();
}

TEST(NumberTheoryOracle, JacobiAndLegendreSymbols) {
    oracle::Rng rng = oracle::rngFor(21);
    BigNumber bn;
    Cases cases;
    for (int i = 0; i < 3000; i++) {
        std::string n = oracle::randomInteger(rng, i % 100 == 0 ? 300 : 30, false);
        n = bn.int_multiplication(n, "2");
        n = bn.int_addition(n, "1");  // odd
        std::string a = (i % 3 ? "" : "-") + oracle::randomInteger(rng, 35, false);
        cases.add("jacobi " + a + " " + n, std::to_string(jacobi_symbol(a, n, false)),
                  "kronecker(" + a + "," + n + ")");
        std::string p = oracle::randomInteger(rng, 25, false);
        p = bn.nextPrime(p);
        if (p == "2") continue;  // the symbol of the prime 2 is 0 here
        cases.add("legendre " + a + " " + p, std::to_string(legendre_symbol(a, p, false)),
                  "kronecker(" + a + "," + p + ")");
    }
    // the derivation gives the same values
    for (int i = 0; i < 300; i++) {
        std::string n = bn.int_addition(bn.int_multiplication(oracle::randomInteger(rng, 8, false), "2"), "1");
        std::string a = oracle::randomInteger(rng, 9, false);
        std::ostringstream quiet;
        cases.add("jacobi shown " + a + " " + n, std::to_string(jacobi_symbol(a, n, true, quiet)),
                  "kronecker(" + a + "," + n + ")");
        std::string p = oracle::randomInteger(rng, 8, false);
        p = bn.nextPrime(p);
        if (p == "2") continue;
        cases.add("legendre shown " + a + " " + p, std::to_string(legendre_symbol(a, p, true, quiet)),
                  "kronecker(" + a + "," + p + ")");
    }
    cases.check();
}

TEST(NumberTheoryOracle, FibonacciNumbersByDoubling) {
    // the last doubling step differs for even and odd indices, and the ones before it for
    // even and odd halves; long indices reach the transform products
    oracle::Rng rng = oracle::rngFor(22);
    std::vector<int32_t> indices{1, 2, 3, 4, 5, 6, 7, 8, 63, 64, 65, 4097, 65536, 131071, 200001};
    for (int i = 0; i < 40; i++) indices.push_back(int32_t(rng() % 30000));
    BigNumber bn;
    for (int32_t k : indices) {
        mpz_class f;
        mpz_fib_ui(f.get_mpz_t(), (unsigned long)k);
        ASSERT_EQ(fibonacci_recursive(k, bn), f.get_str()) << k;
        if (k % 2 == 0) f = -f;
        ASSERT_EQ(fibonacci_recursive(-k, bn), k ? f.get_str() : "0") << -k;
    }
}
