// The digit layer on long operands: every exact operation of the engine ends here.
#include <benchmark/benchmark.h>

#include <random>

#include "BigNumber.h"

namespace {
std::string randomDigits(size_t n, unsigned seed) {
    std::mt19937_64 rng(seed);
    std::string s(n, '0');
    for (auto &c : s) c = char('0' + rng() % 10);
    s[0] = '7';
    return s;
}
}  // namespace

static void BM_IntAddition(benchmark::State &state) {
    std::string a = randomDigits(size_t(state.range(0)), 1), b = randomDigits(size_t(state.range(0)), 2);
    BigNumber bn;
    for (auto _ : state) benchmark::DoNotOptimize(bn.int_addition(a, b));
}
BENCHMARK(BM_IntAddition)->Arg(1000)->Arg(10000)->Arg(100000);

static void BM_IntMultiplication(benchmark::State &state) {
    std::string a = randomDigits(size_t(state.range(0)), 3), b = randomDigits(size_t(state.range(0)), 4);
    BigNumber bn;
    for (auto _ : state) benchmark::DoNotOptimize(bn.int_multiplication(a, b));
}
BENCHMARK(BM_IntMultiplication)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
