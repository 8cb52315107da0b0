// The digit layer on long operands: every exact operation of the engine ends here.
#include <benchmark/benchmark.h>

#include "BigNumber.h"

#include "operands.h"

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
BENCHMARK(BM_IntMultiplication)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// A 2N-digit dividend over an N-digit divisor at the default precision: an N-digit quotient.
static void BM_IntDivision(benchmark::State &state) {
    size_t n = size_t(state.range(0));
    std::string a = randomDigits(2 * n, 5), b = randomDigits(n, 6);
    BigNumber bn;
    for (auto _ : state) benchmark::DoNotOptimize(bn.int_division(a, b));
}
BENCHMARK(BM_IntDivision)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// N digits over N digits to N decimals.
static void BM_RealDivision(benchmark::State &state) {
    size_t n = size_t(state.range(0));
    std::string a = randomDigits(n, 9), b = randomDigits(n, 10);
    BigNumber bn;
    bn.setPrecision(int32_t(n));
    for (auto _ : state) benchmark::DoNotOptimize(bn.real_division(a, b));
}
BENCHMARK(BM_RealDivision)->Arg(10000)->Unit(benchmark::kMicrosecond);

static void BM_PowerOfTwo(benchmark::State &state) {
    BigNumber bn;
    for (auto _ : state) benchmark::DoNotOptimize(bn.int_power("2", state.range(0)));
}
BENCHMARK(BM_PowerOfTwo)->Arg(100000)->Unit(benchmark::kMicrosecond);

static void BM_Multiplication(benchmark::State &state) {
    size_t n = size_t(state.range(0));
    std::string a = randomDigits(n, 7) + ".5", b = "-" + randomDigits(n, 8) + ".25";
    BigNumber bn;
    for (auto _ : state) benchmark::DoNotOptimize(bn.multiplication(a, b));
}
BENCHMARK(BM_Multiplication)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
