// Engines are built on the stack wherever arithmetic is needed, so construction must stay cheap.
#include <benchmark/benchmark.h>

#include "BigNumber.h"

static void BM_EngineConstruct(benchmark::State &state) {
    for (auto _ : state) {
        BigNumber bn;
        benchmark::DoNotOptimize(bn.getResult());
    }
}
BENCHMARK(BM_EngineConstruct);
