// How long a typed line takes to be answered in the terminal: the keys of the line, Enter,
// the calculator's answer appended to the console and the console painted. The aim is well
// under 100 ms for a simple line. And how long a key takes, on an empty console and on a full
// one, at the end of an empty input line and of a long one.
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
        // the calculator answers from its worker thread
        while (shell->RunBusy()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
            pumpAll();
        }
        UpdateWindow(window);
    }
    state.counters["console_bytes"] = double(SendMessageW(window, SCI_GETTEXTLENGTH, 0, 0));
}

EditorTab *terminalTab() {
    for (EditorTab &tab : shell->tabs)
        if (tab.isTerminal) return &tab;
    return nullptr;
}

// Earlier output of `bytes` bytes in the console, as after a long session: lines of digits.
void fillConsole(size_t bytes) {
    if (bytes == 0) return;
    const std::wstring line = std::wstring(79, L'7') + L"\n";
    std::wstring text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes) text += line;
    shell->AppendTerminalOutput(terminalTab(), text + L">> ");
    pumpAll();
    UpdateWindow(console());
}

// A typed line of `units` characters waiting on the input line, words of a calculation.
void fillInputLine(size_t units) {
    HWND window = console();
    std::string text;
    while (text.size() < units) text += "12345+6 ";
    text.resize(units);
    SendMessageW(window, SCI_APPENDTEXT, WPARAM(text.size()), reinterpret_cast<LPARAM>(text.data()));
    SendMessageW(window, SCI_GOTOPOS, WPARAM(SendMessageW(window, SCI_GETTEXTLENGTH, 0, 0)), 0);
    pumpAll();
    UpdateWindow(window);
}

// A key typed on the input line and taken back with Backspace, the console painted after each.
void typeKeys(benchmark::State &state) {
    HWND window = console();
    for (auto _ : state) {
        SendMessageW(window, WM_CHAR, WPARAM(L'x'), 1);
        pumpAll();
        UpdateWindow(window);
        SendMessageW(window, WM_KEYDOWN, VK_BACK, 1);
        SendMessageW(window, WM_KEYUP, VK_BACK, LPARAM(0xC0000001));
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
    // The typing and answer roads on an empty console and on one that holds a megabyte: a key
    // and an answer should cost the same whatever the console holds.
    for (const int64_t held : {int64_t(0), int64_t(1) << 20}) {
        benchmark::RegisterBenchmark("TerminalTyping", [held](benchmark::State &state) {
            freshTerminal();
            fillConsole(size_t(held));
            typeKeys(state);
        })->Arg(held)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("TerminalAnswerOnFullConsole/1+2", [held](benchmark::State &state) {
            freshTerminal();
            fillConsole(size_t(held));
            answerLine(state, L"1+2");
        })->Arg(held)->Unit(benchmark::kMillisecond);
    }
    // The same key at the end of an input line of a thousand characters and of an empty one.
    for (const int64_t units : {int64_t(0), int64_t(1000)}) {
        benchmark::RegisterBenchmark("TerminalTypingOnInputLine", [units](benchmark::State &state) {
            freshTerminal();
            fillInputLine(size_t(units));
            typeKeys(state);
        })->Arg(units)->Unit(benchmark::kMillisecond);
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
