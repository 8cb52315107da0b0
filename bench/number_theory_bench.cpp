// Factorials, binomials, gcd, roots and base conversion on large arguments; symbols,
// continued fractions, orders, Euler's function and Fibonacci numbers.
#include <benchmark/benchmark.h>

#include "BigNumber.h"
#include "number_routines.h"
#include "operands.h"

static void BM_Factorial(benchmark::State &state) {
    std::string n = std::to_string(state.range(0));
    BigNumber bn;
    for (auto _ : state) benchmark::DoNotOptimize(bn.falling_factorial(n, "1"));
}
BENCHMARK(BM_Factorial)->Arg(5000)->Arg(20000)->Unit(benchmark::kMicrosecond);

static void BM_Binomial(benchmark::State &state) {
    std::string n = std::to_string(state.range(0)), k = std::to_string(state.range(0) / 2);
    BigNumber bn;
    for (auto _ : state) benchmark::DoNotOptimize(bn.binom_value(n, k));
}
BENCHMARK(BM_Binomial)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_Gcd(benchmark::State &state) {
    size_t n = size_t(state.range(0));
    std::string a = randomDigits(n, 21), b = randomDigits(n, 22);
    BigNumber bn;
    for (auto _ : state) benchmark::DoNotOptimize(bn.gcd(a, b));
}
BENCHMARK(BM_Gcd)->Arg(10000)->Unit(benchmark::kMillisecond);

static void BM_Sqrt2(benchmark::State &state) {
    BigNumber bn;
    bn.setPrecision(int32_t(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(bn.sqrtDigitPairs("2"));
}
BENCHMARK(BM_Sqrt2)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_DecimalToHex(benchmark::State &state) {
    std::string a = randomDigits(size_t(state.range(0)), 23);
    BigNumber bn;
    for (auto _ : state) benchmark::DoNotOptimize(bn.decimal_to_hex(a));
}
BENCHMARK(BM_DecimalToHex)->Arg(100000)->Unit(benchmark::kMillisecond);

// Operands of the arithmetic functions, written so that bench/compare-gp builds the same:
// a = 7^1180 and n = 3^2096 + 2 have about a thousand digits each.
static std::string thousandDigitA() {
    BigNumber bn;
    return bn.int_power("7", 1180);
}
static std::string thousandDigitN() {
    BigNumber bn;
    std::string p = bn.int_power("3", 2096);
    return bn.int_addition(p, "2");
}

static void BM_JacobiSymbol(benchmark::State &state) {
    std::string a = thousandDigitA(), n = thousandDigitN();
    for (auto _ : state) benchmark::DoNotOptimize(jacobi_symbol(a, n, false));
}
BENCHMARK(BM_JacobiSymbol)->Unit(benchmark::kMicrosecond);

static void BM_ContinuedFraction(benchmark::State &state) {
    std::string x = thousandDigitA() + "/" + thousandDigitN();
    BigNumber bn;
    for (auto _ : state) {
        std::string expression, detail, tex;
        benchmark::DoNotOptimize(bn.continuedFraction(x, expression, detail, tex));
    }
}
BENCHMARK(BM_ContinuedFraction)->Unit(benchmark::kMillisecond);

static void BM_MultiplicativeOrder(benchmark::State &state) {
    BigNumber bn;
    for (auto _ : state) benchmark::DoNotOptimize(bn.orderModulo("2", "1000000000000037"));
}
BENCHMARK(BM_MultiplicativeOrder)->Unit(benchmark::kMicrosecond);

static void BM_EulerPhiSemiprime(benchmark::State &state) {
    BigNumber bn;
    for (auto _ : state) benchmark::DoNotOptimize(bn.euler_phi("24000000046000000007"));
}
BENCHMARK(BM_EulerPhiSemiprime)->Unit(benchmark::kMicrosecond);

static void BM_Fibonacci(benchmark::State &state) {
    BigNumber bn;
    for (auto _ : state) benchmark::DoNotOptimize(fibonacci_recursive(int32_t(state.range(0)), bn));
}
BENCHMARK(BM_Fibonacci)->Arg(1000000)->Unit(benchmark::kMillisecond);
