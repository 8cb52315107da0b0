// One-variable polynomials: (x+1)^n expanded from text to text, and the gcd of two
// polynomials of degree 200, with a common factor of degree 50 and without one.
#include <benchmark/benchmark.h>

#include <string>

#include "polynomial.h"

namespace {

// sum over k = 0..degree of ((k^3 + b k + c) mod 97 mod 7 - 3) x^k: small coefficients that
// bench/compare-gp rebuilds with the same formula.
std::string patterned(int degree, int b, int c) {
    std::string text;
    for (int k = degree; k >= 0; k--) {
        int coefficient = (k * k * k + b * k + c) % 97 % 7 - 3;
        if (coefficient == 0) continue;
        if (!text.empty() && coefficient > 0) text += "+";
        text += std::to_string(coefficient) + "x^" + std::to_string(k);
    }
    return text;
}

TermList normalised(const std::string &text) {
    bool ok = false;
    TermList parsed(polyn_parse(text, ok));
    return TermList(polyn_normalize(parsed.get()));
}

}  // namespace

static void BM_PolynPower(benchmark::State &state) {
    const std::string n = std::to_string(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(polyn_rational_op({"^", n, "x+1"}));
}
BENCHMARK(BM_PolynPower)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

static void BM_PolynGcd(benchmark::State &state) {
    TermList f = normalised(patterned(50, 3, 1));
    TermList g = normalised(patterned(int(state.range(0)) - 50, 5, 2));
    TermList h = normalised(patterned(int(state.range(0)) - 50, 1, 4));
    TermList a(polyn_multiply_normalized(f.get(), g.get())), b(polyn_multiply_normalized(f.get(), h.get()));
    for (auto _ : state) {
        TermList gcd(polyn_gcd_list(a.get(), b.get()));
        benchmark::DoNotOptimize(gcd.get());
    }
}
BENCHMARK(BM_PolynGcd)->Arg(200)->Unit(benchmark::kMillisecond);

// Two coprime polynomials: the last Euclidean remainder is a constant whose numerator and
// denominator have tens of thousands of digits.
static void BM_PolynGcdCoprime(benchmark::State &state) {
    const int degree = int(state.range(0));
    TermList a = normalised(patterned(degree, 3, 1)), b = normalised(patterned(degree, 5, 2));
    for (auto _ : state) {
        TermList gcd(polyn_gcd_list(a.get(), b.get()));
        benchmark::DoNotOptimize(gcd.get());
    }
}
BENCHMARK(BM_PolynGcdCoprime)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);
