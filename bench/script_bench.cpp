// The script language end to end: compile and run of three programs whose arithmetic goes
// through the engine. bench/compare-scripts runs the same programs in python3 and bc.
#include <benchmark/benchmark.h>

#include <string>

#include "BigNumber.h"
#include "kscript.h"

namespace {

// Recursive calls and short integers.
const char *const FIB = "fun fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); } print fib(%N%);";
// A loop that makes two new numbers every turn.
const char *const LOOP_SUM =
    "fun sum(n) { var s = 0; for (var i = 1; i <= n; i = i + 1) s = s + i; return s; } print sum(%N%);";
// A number text grown digit by digit to n digits.
const char *const STRING_BUILDING = "fun build(n) { var s = 1; for (var i = 1; i < n; i = i + 1) s = s * 10 "
                                    "+ 7; return s; } print build(%N%) @ 1000;";

std::string with_argument(const char *program, int64_t n) {
    std::string source = program;
    source.replace(source.find("%N%"), 3, std::to_string(n));
    return source;
}

void run_script(benchmark::State &state, const char *program, const char *expected) {
    std::string source = with_argument(program, state.range(0));
    BigNumber engine;
    vm_init();
    for (auto _ : state) {
        if (vm_interpret(&engine, source.c_str()) != VM_OK) state.SkipWithError("the script failed");
    }
    if (std::string(vm_print_result_text()) != expected) state.SkipWithError("wrong answer");
    vm_free();
}

void BM_ScriptFib(benchmark::State &state) {
    run_script(state, FIB, "75025");
}
BENCHMARK(BM_ScriptFib)->Arg(25)->Unit(benchmark::kMillisecond);

void BM_ScriptLoopSum(benchmark::State &state) {
    run_script(state, LOOP_SUM, "500000500000");
}
BENCHMARK(BM_ScriptLoopSum)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ScriptStringBuilding(benchmark::State &state) {
    run_script(state, STRING_BUILDING, "777");
}
BENCHMARK(BM_ScriptStringBuilding)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
