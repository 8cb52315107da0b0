// Number-theory commands typed as lines, each beside the engine member that does its work:
// the command should cost what its member costs. The lines go the user's way, at the default
// precision, so the script attempt answers those whose names are natives.
#include <benchmark/benchmark.h>

#include <iostream>
#include <string>

#include "BigNumber.h"
#include "Calculator.h"
#include "entry/line_entry.h"

namespace {

// 10^299 + 669, a prime of 300 digits
const std::string kPrime300 = "1" + std::string(296, '0') + "669";
// 40000000000000000019 * 60000000000000000007: a semiprime of 40 digits
const std::string kSemiprime40 = "2400000000000000001420000000000000000133";

void typeLine(benchmark::State &state, const std::string &line) {
    Calculator calculator;
    calculator.setOperatorChars();
    // The interpreter also copies each answer to std::cout, which the window never shows:
    // dropped here, so that the table of results stays readable.
    std::streambuf *console = std::cout.rdbuf(nullptr);
    for (auto _ : state) {
        processInputLine(line, calculator);
        benchmark::DoNotOptimize(calculator.output.str().size());
        calculator.clearAnswerStreams();
    }
    std::cout.rdbuf(console);
    std::cout.clear();
}

} // namespace

static void BM_IsPrimeLine300(benchmark::State &state) { typeLine(state, "isprime(" + kPrime300 + ")"); }
BENCHMARK(BM_IsPrimeLine300)->Unit(benchmark::kMicrosecond);

static void BM_IsPrimeMember300(benchmark::State &state) {
    BigNumber bn;
    for (auto _ : state) benchmark::DoNotOptimize(bn.isPrime(kPrime300));
}
BENCHMARK(BM_IsPrimeMember300)->Unit(benchmark::kMicrosecond);

static void BM_FactoriseLine40(benchmark::State &state) { typeLine(state, "factorise(" + kSemiprime40 + ")"); }
BENCHMARK(BM_FactoriseLine40)->Unit(benchmark::kMillisecond);

static void BM_FactoriseMember40(benchmark::State &state) {
    BigNumber bn;
    for (auto _ : state) benchmark::DoNotOptimize(bn.factoriseText(kSemiprime40, 12, true));
}
BENCHMARK(BM_FactoriseMember40)->Unit(benchmark::kMillisecond);

static void BM_PrimesLine10To7(benchmark::State &state) { typeLine(state, "Primes(10000000,false)"); }
BENCHMARK(BM_PrimesLine10To7)->Unit(benchmark::kMillisecond);

static void BM_PrimesMember10To7(benchmark::State &state) {
    BigNumber bn;
    for (auto _ : state) benchmark::DoNotOptimize(bn.Primes(10000000, false));
}
BENCHMARK(BM_PrimesMember10To7)->Unit(benchmark::kMillisecond);
