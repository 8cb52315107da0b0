// How long a typed line takes to be answered in the terminal: the keys of the line, Enter,
// the calculator's answer appended to the console and the console painted. The aim is well
// under 100 ms for a simple line.
#include <benchmark/benchmark.h>

#include <iostream>
#include <ostream>
#include <streambuf>
#include <string>

#include "editor_messages.h"
#include "file_bench.h"
#include "tovrel.h"

namespace {

Tovrel *shell = nullptr;

void pumpAll() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        if (message.message != WM_QUIT) shell->ProcessLoopMessage(message);
}

HWND console() {
    for (const EditorTab &tab : shell->tabs)
        if (tab.isTerminal) return tab.consoleWindow;
    return nullptr;
}

void answerLine(benchmark::State &state, const std::wstring &line) {
    HWND window = console();
    for (auto _ : state) {
        for (wchar_t unit : line) SendMessageW(window, WM_CHAR, WPARAM(unit), 1);
        SendMessageW(window, WM_KEYDOWN, VK_RETURN, 1);
        SendMessageW(window, WM_KEYUP, VK_RETURN, LPARAM(0xC0000001));
        pumpAll();
        UpdateWindow(window);
    }
    state.counters["console_bytes"] = double(SendMessageW(window, SCI_GETTEXTLENGTH, 0, 0));
}

// Restarts the terminal now and then, so that the console does not grow without end.
void freshTerminal() {
    for (EditorTab &tab : shell->tabs) {
        if (tab.isTerminal) {
            shell->CloseTabAt(&tab);
            break;
        }
    }
    shell->OpenTerminal();
    pumpAll();
}

// The calculator also writes each answer to standard output; here that copy is dropped.
class DiscardBuffer : public std::streambuf {
  protected:
    int overflow(int character) override { return traits_type::not_eof(character); }
    std::streamsize xsputn(const char *, std::streamsize count) override { return count; }
};

} // namespace

int main(int argc, char **argv) {
    Tovrel app;
    if (!app.Initialize(GetModuleHandleW(nullptr), SW_SHOW)) return 1;
    shell = &app;
    freshTerminal();
    struct Line {
        const char *name;
        const wchar_t *text;
    };
    for (const Line &line : {Line{"TerminalAnswer/1+2", L"1+2"}, Line{"TerminalAnswer/2^1000", L"2^1000"},
                             Line{"TerminalAnswer/7/3", L"7/3"}}) {
        const std::wstring text = line.text;
        benchmark::RegisterBenchmark(line.name, [text](benchmark::State &state) {
            freshTerminal();
            answerLine(state, text);
        })->Unit(benchmark::kMillisecond);
    }
    registerFileBenchmarks(app);
    benchmark::Initialize(&argc, argv);
    std::ostream report(std::cout.rdbuf());
    DiscardBuffer discard;
    std::cout.rdbuf(&discard);
    benchmark::ConsoleReporter reporter(benchmark::ConsoleReporter::OO_Tabular);
    reporter.SetOutputStream(&report);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::cout.rdbuf(report.rdbuf());
    benchmark::Shutdown();
    shell = nullptr;
    return 0;
}
