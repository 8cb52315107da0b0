// Factorials, binomials, gcd, roots and base conversion on large arguments.
#include <benchmark/benchmark.h>

#include "BigNumber.h"
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
