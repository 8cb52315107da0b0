// ln, exp and sin at growing precisions, and the two long constants computed from scratch.
// The engine keeps the arctangents behind ln 2 and ln 10 once computed, so the ln and exp
// cases show the warm cost; the ln 2 series case shows the cold one.
#include <benchmark/benchmark.h>

#include "BigNumber.h"
#include "elementary/real_elementary.h"

static void BM_NaturalLog(benchmark::State &state) {
    BigNumber bn;
    bn.setPrecision(int32_t(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(bn.naturalLog("3.14159"));
}
BENCHMARK(BM_NaturalLog)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

static void BM_Exponential(benchmark::State &state) {
    BigNumber bn;
    bn.setPrecision(int32_t(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(bn.exponential("12.345"));
}
BENCHMARK(BM_Exponential)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

static void BM_Sine(benchmark::State &state) {
    BigNumber bn;
    bn.setPrecision(int32_t(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(bn.sine("12.345"));
}
BENCHMARK(BM_Sine)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A real power whose exponent 2.30176 is 7193/3125: one logarithm and one exponential, not a
// root of degree 3125.
static void BM_RealPower(benchmark::State &state) {
    BigNumber bn;
    bn.setPrecision(int32_t(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(bn.power("2", "2.30176"));
}
BENCHMARK(BM_RealPower)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

static void BM_SineOfOne(benchmark::State &state) {
    BigNumber bn;
    bn.setPrecision(int32_t(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(bn.sine("1"));
}
BENCHMARK(BM_SineOfOne)->Arg(10000)->Unit(benchmark::kMillisecond);

// e to 10,000 decimals: beyond the stored digits, so computed.
static void BM_E(benchmark::State &state) {
    BigNumber bn;
    bn.setPrecision(int32_t(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(bn.exponential("1"));
}
BENCHMARK(BM_E)->Arg(10000)->Unit(benchmark::kMillisecond);

// ln 2 from its own arctangent series, without the kept values.
static void BM_Ln2Series(benchmark::State &state) {
    size_t scale = size_t(state.range(0)) + 16;
    for (auto _ : state) benchmark::DoNotOptimize(realfn::ln2Series(scale));
}
BENCHMARK(BM_Ln2Series)->Arg(10000)->Unit(benchmark::kMillisecond);

// ln 2 past its stored digits on a first call: the kept values are dropped before each.
static void BM_Ln2FirstCall(benchmark::State &state) {
    BigNumber bn;
    bn.setPrecision(int32_t(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        realfn::forgetKeptConstants();
        state.ResumeTiming();
        benchmark::DoNotOptimize(bn.ln2());
    }
}
BENCHMARK(BM_Ln2FirstCall)->Arg(10000)->Unit(benchmark::kMillisecond);
