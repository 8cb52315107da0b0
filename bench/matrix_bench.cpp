// Determinant and inverse of integer matrices: the exact road by residues. The cells come
// from a fixed formula that bench/compare-gp gives PARI/GP as well.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "matrix.h"

namespace {

// The n x n benchmark matrix in row order: values from -100 to 100 drawn from the linear
// congruential sequence x = (1103515245 x + 12345) mod 2^31 from x = 1, each cell
// (x >> 16) mod 201 - 100.
std::vector<std::string> benchCells(int64_t n) {
    std::vector<std::string> cells;
    uint64_t x = 1;
    for (int64_t k = 0; k < n * n; k++) {
        x = (x * 1103515245u + 12345u) % 2147483648u;
        cells.push_back(std::to_string(int64_t((x >> 16) % 201) - 100));
    }
    return cells;
}

// The determinant in decimal mode (integers take the same exact road in both modes), and
// the inverse in fraction mode, whose cells are exact.
void timeOperation(benchmark::State &state, bool inverse) {
    setMatrixMode(inverse ? 1 : 0);
    KV_Matrix m(benchCells(state.range(0)), uint64_t(state.range(0)), uint64_t(state.range(0)));
    for (auto _ : state) {
        KV_Matrix copy = m;
        if (inverse) benchmark::DoNotOptimize(copy.inverse());
        else benchmark::DoNotOptimize(copy.determinant());
    }
    setMatrixMode(0);
}

void BM_MatrixDeterminant(benchmark::State &state) { timeOperation(state, false); }
void BM_MatrixInverse(benchmark::State &state) { timeOperation(state, true); }
BENCHMARK(BM_MatrixDeterminant)->Arg(8)->Arg(12)->Arg(20)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatrixInverse)->Arg(8)->Arg(12)->Arg(20)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace
