// The editing component's document: opening a 10 MB text (bytes, line index, undo record and
// the change record the editor passes on) and typing one character in its middle. A plain
// std::string, one array that moves half its bytes for each insertion, is timed beside it.
// Repeated opens get back the memory the allocator kept from the one before; the first open
// in a new process also pays the first touch of each page of the text and its line starts
// (about 11 MB), which is most of its time where page faults are dear: FreshMemory times that.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "text_document.h"

namespace {

constexpr size_t TEN_MEGABYTES = 10u * 1024 * 1024;

const std::string &TenMegabyteText() {
    static const std::string text = [] {
        std::string t;
        const std::string line = "x = 1234567890 * (the quick brown fox) + jumps over the lazy dog;\r\n";
        while (t.size() < TEN_MEGABYTES) t += line;
        return t;
    }();
    return text;
}

void BM_DocumentOpen10MB(benchmark::State &state) {
    const std::string &text = TenMegabyteText();
    for (auto _ : state) {
        editor::TextDocument doc;
        editor::Changes changes;
        doc.Replace(0, 0, text, &changes);
        benchmark::DoNotOptimize(doc.LineCount());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_DocumentOpen10MB)->Unit(benchmark::kMillisecond);

#if defined(__GLIBC__)
// The open of a new process: the memory the last open freed goes back to the system before the
// next one, so each page of the document is touched for the first time.
void BM_DocumentOpen10MBFreshMemory(benchmark::State &state) {
    const std::string &text = TenMegabyteText();
    for (auto _ : state) {
        state.PauseTiming();
        malloc_trim(0);
        auto doc = std::make_unique<editor::TextDocument>();
        editor::Changes changes;
        state.ResumeTiming();
        doc->Replace(0, 0, text, &changes);
        benchmark::DoNotOptimize(doc->LineCount());
        state.PauseTiming();
        changes.clear();
        doc.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_DocumentOpen10MBFreshMemory)->Unit(benchmark::kMillisecond);
#endif

// Each insertion alternates between the middle and the start, so the gap always has half the
// text to cross: the slowest case of typing after a jump.
void BM_DocumentInsertMiddle10MB(benchmark::State &state) {
    editor::TextDocument doc;
    doc.Insert(0, TenMegabyteText(), nullptr);
    bool atStart = false;
    for (auto _ : state) {
        editor::Changes changes;
        doc.Insert(atStart ? 0 : doc.Length() / 2, "x", &changes, true);
        atStart = !atStart;
        benchmark::DoNotOptimize(changes.data());
    }
}
BENCHMARK(BM_DocumentInsertMiddle10MB)->Unit(benchmark::kMillisecond);

void BM_StdStringOpen10MB(benchmark::State &state) {
    for (auto _ : state) {
        std::string copy = TenMegabyteText();
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_StdStringOpen10MB)->Unit(benchmark::kMillisecond);

void BM_StdStringInsertMiddle10MB(benchmark::State &state) {
    std::string text = TenMegabyteText();
    for (auto _ : state) {
        text.insert(text.size() / 2, 1, 'x');
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_StdStringInsertMiddle10MB)->Unit(benchmark::kMillisecond);

}  // namespace
