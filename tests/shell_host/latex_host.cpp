// A started Tovrel driven line by line from standard input by latex_test.py, which looks at
// the LaTeX preview's page in a real browser. Every command answers one line; texts travel
// as hexadecimal UTF-8 so that any byte crosses the pipe unchanged.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <deque>
#include <iostream>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>

#include "box_answerer.h"
#include "commands.h"
#include "editor_messages.h"
#include "text_codec.h"
#include "tovrel.h"
#include "webwin.h"

namespace {

std::string toHex(const std::string &bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex;
}

std::string fromHex(const std::string &hex) {
    std::string bytes;
    for (size_t at = 0; at + 1 < hex.size(); at += 2) bytes += char(std::stoi(hex.substr(at, 2), nullptr, 16));
    return bytes;
}

// Lines of standard input, read on a thread of their own; the window's thread waits for
// either a line or a message.
class Lines {
  public:
    Lines() : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), reader_([this] { read(); }) { reader_.detach(); }
    HANDLE ready() const { return ready_; }
    bool take(std::string &line) {
        std::lock_guard<std::mutex> hold(lock_);
        if (lines_.empty()) {
            ResetEvent(ready_);
            return false;
        }
        line = lines_.front();
        lines_.pop_front();
        return true;
    }

  private:
    void read() {
        std::string line;
        while (std::getline(std::cin, line)) put(line);
        put("quit");
    }
    void put(const std::string &line) {
        std::lock_guard<std::mutex> hold(lock_);
        lines_.push_back(line.empty() || line.back() != '\r' ? line : line.substr(0, line.size() - 1));
        SetEvent(ready_);
    }
    HANDLE ready_;
    std::mutex lock_;
    std::deque<std::string> lines_;
    std::thread reader_;
};

void pump(Tovrel &shell) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) shell.ProcessLoopMessage(message);
}

void pumpFor(Tovrel &shell, int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        pump(shell);
    }
}

// The longest time the main window took to answer a message while the object lived.
class Pinger {
  public:
    explicit Pinger(HWND window) : window_(window), thread_([this] { run(); }) {}
    ~Pinger() {
        stop_ = true;
        thread_.join();
    }
    long long longest() const { return longest_; }

  private:
    void run() {
        while (!stop_) {
            const auto start = std::chrono::steady_clock::now();
            DWORD_PTR result = 0;
            SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
            const long long took =
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
            if (took > longest_) longest_ = took;
            Sleep(10);
        }
    }
    HWND window_;
    std::atomic<bool> stop_{false};
    std::atomic<long long> longest_{0};
    std::thread thread_;
};

std::string portOf(const Tovrel &shell) {
    return std::to_string(shell.latexWindow == 0 ? 0 : webwin_get_port(shell.latexWindow));
}

std::string boxesSeen(BoxAnswerer &boxes) {
    std::string all;
    for (const SeenBox &box : boxes.seen()) all += wstringToUtf8(box.caption) + "\t" + wstringToUtf8(box.text) + "\n";
    boxes.forget();
    return toHex(all);
}

HWND activeEditor(Tovrel &shell) {
    return shell.activeTab < 0 ? nullptr : shell.tabs[size_t(shell.activeTab)].editorWindow;
}

std::string answer(Tovrel &shell, BoxAnswerer &boxes, const std::string &line) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    HWND main = shell.mainWindow.GetHandle();
    if (command == "text") {
        std::string hex;
        words >> hex;
        const std::string text = fromHex(hex);
        SendMessageW(activeEditor(shell), SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageW(activeEditor(shell), SCI_SETSEL, 0, 0);
        return "ok";
    }
    if (command == "select") {
        long long from = 0, to = 0;
        words >> from >> to;
        SendMessageW(activeEditor(shell), SCI_SETSEL, WPARAM(from), LPARAM(to));
        return "ok";
    }
    if (command == "tex") {
        // The command as the toolbar gives it; then the browser start is waited for while the
        // window goes on answering.
        Pinger pinger(main);
        const auto start = std::chrono::steady_clock::now();
        SendMessageW(main, WM_COMMAND, CmdToolLatex, 0);
        const long long took =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        for (int round = 0; round < 3000 && shell.LatexPreviewStarting(); ++round) pumpFor(shell, 10);
        pumpFor(shell, 200);
        return std::to_string(took) + " " + std::to_string(pinger.longest()) + " " +
               std::to_string(shell.latexWindow) + " " + portOf(shell) + " " + boxesSeen(boxes);
    }
    if (command == "serve") {
        // Everything the command does before the browser, then the window served without one.
        // The test starts the browser itself, which may take long on a busy machine: the
        // server waits for it until the window goes.
        if (!shell.OpenLatexWindow()) return "0 0 " + boxesSeen(boxes);
        webwin_set_timeout(0);
        webwin_show_browser(shell.latexWindow, wstringToUtf8(shell.latexFolder).c_str(), WEBWIN_NO_BROWSER);
        return std::to_string(shell.latexWindow) + " " + portOf(shell) + " " + boxesSeen(boxes);
    }
    if (command == "state") {
        pumpFor(shell, 100);
        return std::to_string(shell.latexWindow) + " " + portOf(shell) + " " + boxesSeen(boxes);
    }
    if (command == "terminal") {
        shell.OpenTerminal();
        pump(shell);
        return "ok";
    }
    return "unknown " + command;
}

} // namespace

// The bridge's log lines go to standard error: standard output carries only the answers.
void logToStandardError(size_t, const char *text, void *) {
    std::fputs(text, stderr);
}

int main() {
    std::ios::sync_with_stdio(false);
    // Standard input is read on a thread of its own: tied to the output it would flush the
    // answers from that thread too, racing the window's thread that writes them.
    std::cin.tie(nullptr);
    webwin_set_logger(logToStandardError, nullptr);
    auto shell = std::make_unique<Tovrel>();
    if (!shell->Initialize(GetModuleHandleW(nullptr), SW_SHOW)) {
        std::cout << "no window" << std::endl;
        return 1;
    }
    BoxAnswerer boxes(GetCurrentThreadId());
    Lines lines;
    pump(*shell);
    std::cout << "ready" << std::endl;
    for (;;) {
        HANDLE ready = lines.ready();
        MsgWaitForMultipleObjects(1, &ready, FALSE, 50, QS_ALLINPUT);
        pump(*shell);
        std::string line;
        while (lines.take(line)) {
            if (line == "quit") {
                shell.reset();
                std::cout << "bye" << std::endl;
                return 0;
            }
            std::cout << answer(*shell, boxes, line) << std::endl;
        }
    }
}
