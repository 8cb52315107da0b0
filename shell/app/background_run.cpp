#include "background_run.h"

#include "stop_request.h"

namespace {

constexpr DWORD kLastWait = 5000;

} // namespace

// The window is gone by now. A run that does not end when asked to stop (a loop of the engine
// that looks at no stop request) would keep the program alive without a window: the process
// ends instead, since its state is lost with the window anyway.
BackgroundRun::~BackgroundRun() {
    if (thread_.joinable()) {
        requestEngineStop();
        if (WaitForSingleObject(ended_, kLastWait) != WAIT_OBJECT_0) ExitProcess(0);
        thread_.join();
        clearEngineStop();
    }
    if (ended_ != nullptr) CloseHandle(ended_);
}

bool BackgroundRun::start(HWND window, std::function<void()> job, std::function<void()> finish) {
    if (thread_.joinable()) return false;
    if (ended_ == nullptr) ended_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (ended_ == nullptr) return false;
    ResetEvent(ended_);
    clearEngineStop();
    finish_ = std::move(finish);
    HANDLE ended = ended_;
    thread_ = std::thread([job = std::move(job), window, ended] {
        // The jobs answer their own failures; whatever still comes out of one (a stop or a
        // memory failure past their handlers) ends the run, never the program.
        try {
            job();
        } catch (...) {
        }
        SetEvent(ended);
        PostMessageW(window, kRunFinishedMessage, 0, 0);
    });
    return true;
}

void BackgroundRun::finished() {
    if (!thread_.joinable() || WaitForSingleObject(ended_, 0) != WAIT_OBJECT_0) return;
    thread_.join();
    clearEngineStop();
    std::function<void()> finish = std::move(finish_);
    finish_ = nullptr;
    if (finish) finish();
}

bool BackgroundRun::wait(DWORD milliseconds) {
    if (!thread_.joinable()) return true;
    if (WaitForSingleObject(ended_, milliseconds) != WAIT_OBJECT_0) return false;
    finished();
    return true;
}
