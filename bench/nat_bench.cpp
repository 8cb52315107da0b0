// The limb products on their own, by operand length in limbs, for tuning the thresholds
// between schoolbook, Karatsuba and the transforms.
#include <benchmark/benchmark.h>

#include "nat/nat.h"
#include "operands.h"

static void BM_NatMul(benchmark::State &state) {
    size_t digits = size_t(state.range(0)) * nat::LIMB_DIGITS;
    nat::Nat a = nat::from_decimal(randomDigits(digits, 31)), b = nat::from_decimal(randomDigits(digits, 32));
    for (auto _ : state) benchmark::DoNotOptimize(nat::mul(a, b));
}
BENCHMARK(BM_NatMul)->RangeMultiplier(2)->Range(16, 1 << 17)->Unit(benchmark::kMicrosecond);

static void BM_NatSqr(benchmark::State &state) {
    nat::Nat a = nat::from_decimal(randomDigits(size_t(state.range(0)) * nat::LIMB_DIGITS, 33));
    for (auto _ : state) benchmark::DoNotOptimize(nat::sqr(a));
}
BENCHMARK(BM_NatSqr)->RangeMultiplier(4)->Range(16, 1 << 16)->Unit(benchmark::kMicrosecond);

// The three roads side by side at one length (limbs), to place the thresholds.
static void BM_NatMulRoad(benchmark::State &state) {
    size_t n = size_t(state.range(0));
    nat::Nat a = nat::from_decimal(randomDigits(n * nat::LIMB_DIGITS, 34));
    nat::Nat b = nat::from_decimal(randomDigits(n * nat::LIMB_DIGITS, 35));
    nat::Nat out(2 * n);
    for (auto _ : state) {
        switch (state.range(1)) {
        case 0: nat::detail::mul_school(a.data(), n, b.data(), n, out.data()); break;
        case 1: nat::detail::mul_karatsuba(a.data(), n, b.data(), n, out.data()); break;
        case 2: nat::detail::mul_fft(a.data(), n, b.data(), n, out.data()); break;
        default: nat::detail::mul_ntt(a.data(), n, b.data(), n, out.data()); break;
        }
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_NatMulRoad)->ArgsProduct({{16, 32, 48, 64, 96, 128, 160, 192, 256, 512, 1024, 2048}, {0, 1, 2, 3}})
    ->Unit(benchmark::kMicrosecond);

// A quotient as long as the divisor (limbs), once with a fresh reciprocal and once with a
// kept one, to place the division's threshold.
static void BM_NatDivide(benchmark::State &state) {
    size_t n = size_t(state.range(0));
    nat::Nat a = nat::from_decimal(randomDigits(2 * n * nat::LIMB_DIGITS, 36));
    nat::Nat b = nat::from_decimal(randomDigits(n * nat::LIMB_DIGITS, 37));
    nat::Nat q, r;
    for (auto _ : state) nat::divmod(a, b, q, r);
}
BENCHMARK(BM_NatDivide)->RangeMultiplier(2)->Range(16, 4096)->Unit(benchmark::kMicrosecond);

static void BM_NatDivideKept(benchmark::State &state) {
    size_t n = size_t(state.range(0));
    nat::Nat a = nat::from_decimal(randomDigits(2 * n * nat::LIMB_DIGITS, 36));
    nat::Divisor d = nat::make_divisor(nat::from_decimal(randomDigits(n * nat::LIMB_DIGITS, 37)));
    nat::Nat q, r;
    for (auto _ : state) nat::divmod(a, d, q, r);
}
BENCHMARK(BM_NatDivideKept)->RangeMultiplier(2)->Range(16, 4096)->Unit(benchmark::kMicrosecond);
