// Primality, prime stepping, the prime sieve and factorisation. bench/compare-gp times the
// same operands in PARI/GP.
#include <benchmark/benchmark.h>

#include "BigNumber.h"

namespace {

std::string powerOfTenPlus(int zeros, const std::string &tail) {
    return "1" + std::string(size_t(zeros) - tail.size() + 1, '0') + tail;
}

}  // namespace

// 10^99 + 289 and 10^299 + 669: primes of 100 and 300 digits
static void BM_IsPrime(benchmark::State &state) {
    std::string n = state.range(0) == 100 ? powerOfTenPlus(99, "289") : powerOfTenPlus(299, "669");
    BigNumber bn;
    for (auto _ : state) benchmark::DoNotOptimize(bn.isPrime(n));
}
BENCHMARK(BM_IsPrime)->Arg(100)->Arg(300)->Unit(benchmark::kMicrosecond);

static void BM_NextPrimeAfter10To50(benchmark::State &state) {
    const std::string n = powerOfTenPlus(50, "0");
    BigNumber bn;
    for (auto _ : state) {
        std::string m = n;
        benchmark::DoNotOptimize(bn.nextPrime(m));
    }
}
BENCHMARK(BM_NextPrimeAfter10To50)->Unit(benchmark::kMicrosecond);

static void BM_Primes(benchmark::State &state) {
    BigNumber bn;
    for (auto _ : state) benchmark::DoNotOptimize(bn.Primes(state.range(0), false));
}
BENCHMARK(BM_Primes)->Arg(10000000)->Arg(100000000)->Unit(benchmark::kMillisecond);

// products of two primes of equal length: 4000000007 * 6000000001,
// 400000000000063 * 600000000000073 and 40000000000000000019 * 60000000000000000007
static void BM_FactoriseSemiprime(benchmark::State &state) {
    std::string n = state.range(0) == 20   ? "24000000046000000007"
                    : state.range(0) == 30 ? "240000000000067000000000004599"
                                           : "2400000000000000001420000000000000000133";
    BigNumber bn;
    for (auto _ : state) benchmark::DoNotOptimize(bn.factoriseText(n, 12, false));
}
BENCHMARK(BM_FactoriseSemiprime)->Arg(20)->Arg(30)->Arg(40)->Unit(benchmark::kMicrosecond);

// 100! + 1 = 101 * 14303 * 149239 * (27 digits) * (121 digits): the three small factors,
// each search starting at the previous factor
static void BM_FactorialPlusOneSmallFactors(benchmark::State &state) {
    BigNumber bn;
    const std::string n = bn.addition(bn.falling_factorial("100", "1"), "1");
    for (auto _ : state) {
        std::string m = n, f = "2";
        for (int i = 0; i < 3; i++) {
            f = bn.firstFactor(m, f, 14);
            m = bn.int_quotient(m, f);
        }
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_FactorialPlusOneSmallFactors)->Unit(benchmark::kMillisecond);
