// Polynomials in several variables: (x_1+x_2+x_3+1)^n expanded from text to text.
#include <benchmark/benchmark.h>

#include <string>

#include "multipolyn.h"

static void BM_MultiPolynPower(benchmark::State &state) {
    const std::string n = std::to_string(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(multipolyn_apply_op_text({"^", n, "x_1+x_2+x_3+1"}));
}
BENCHMARK(BM_MultiPolynPower)->Arg(10)->Arg(20)->Arg(30)->Unit(benchmark::kMillisecond);
