// Opening and saving UTF-8 files of 10 MB and 100 MB, beside the system's own copy of the same
// file: opening and saving cost in proportion to the size, and a save stays within a few
// copies of the file.
#include "file_bench.h"

#include <benchmark/benchmark.h>

#include <string>

#include <windows.h>

namespace {

std::wstring benchFile(size_t megabytes, const wchar_t *suffix) {
    wchar_t folder[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"kavlo-bench-" + std::to_wstring(megabytes) + L"mb" + suffix + L".txt";
}

// A UTF-8 text of the size, lines with a few two- and three-byte characters among ASCII.
void writeSample(const std::wstring &path, size_t megabytes) {
    std::string line = "a line of text with caf\xC3\xA9 and \xE4\xB8\xAD in it, 0123456789\r\n";
    std::string bytes;
    bytes.reserve(megabytes << 20);
    while (bytes.size() + line.size() <= (megabytes << 20)) bytes += line;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

void pumpAll(Tovrel &shell) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        if (message.message != WM_QUIT) shell.ProcessLoopMessage(message);
}

} // namespace

void registerFileBenchmarks(Tovrel &shell) {
    for (size_t megabytes : {size_t(10), size_t(100)}) {
        const std::wstring source = benchFile(megabytes, L""), target = benchFile(megabytes, L"-saved");
        const std::string size = std::to_string(megabytes) + "MB";
        benchmark::RegisterBenchmark(("OpenFile/" + size).c_str(), [&shell, source, megabytes](benchmark::State &state) {
            writeSample(source, megabytes);
            for (auto _ : state) {
                shell.OpenFileByPath(source);
                state.PauseTiming();
                shell.CloseActiveTab();
                pumpAll(shell);
                state.ResumeTiming();
            }
            state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(megabytes << 20));
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("SaveFile/" + size).c_str(),
                                     [&shell, source, target, megabytes](benchmark::State &state) {
                                         writeSample(source, megabytes);
                                         shell.OpenFileByPath(source);
                                         for (auto _ : state) shell.SaveTabToFile(&shell.GetActiveTab(), target);
                                         shell.CloseActiveTab();
                                         pumpAll(shell);
                                         state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(megabytes << 20));
                                     })
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("CopyFileW/" + size).c_str(),
                                     [source, target, megabytes](benchmark::State &state) {
                                         writeSample(source, megabytes);
                                         for (auto _ : state) CopyFileW(source.c_str(), target.c_str(), FALSE);
                                         state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(megabytes << 20));
                                         DeleteFileW(source.c_str());
                                         DeleteFileW(target.c_str());
                                     })
            ->Unit(benchmark::kMillisecond);
    }
}
