// One computation at a time off the window's thread: the job runs on a thread of its own and
// the window is posted kRunFinishedMessage when it ends; the finish step then runs on the
// window's thread, which is the only one that touches windows.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include <windows.h>

constexpr UINT kRunFinishedMessage = WM_APP + 0x38;

class BackgroundRun {
  public:
    BackgroundRun() = default;
    ~BackgroundRun();
    BackgroundRun(const BackgroundRun &) = delete;
    BackgroundRun &operator=(const BackgroundRun &) = delete;

    bool busy() const { return thread_.joinable(); }
    // False (nothing started) while a run is going.
    bool start(HWND window, std::function<void()> job, std::function<void()> finish);
    // For kRunFinishedMessage: the ended run's finish step (nothing when it ran already).
    void finished();
    // Waits at most `milliseconds` for the run to end, then runs its finish step; false when
    // it is still going.
    bool wait(DWORD milliseconds);

  private:
    std::thread thread_;
    std::function<void()> finish_;
    HANDLE ended_ = nullptr; // set by the thread when its job is done
};
